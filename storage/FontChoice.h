// The one font record: family, size, bold and italic, as a pane shows it and the store keeps it.
#pragma once

#include <QString>

#include <optional>

template <typename T> using AsIs = T;

// A font's four attributes, each held through Field: as is for a font in use, std::optional for
// a stored font whose attributes may each be absent.
template <template <typename> class Field> struct FontFields {
    Field<QString> name;
    Field<double> size = {}; // points
    Field<bool> bold = {};
    Field<bool> italic = {};

    bool operator==(const FontFields&) const = default;
};

using FontChoice = FontFields<AsIs>;
using StoredFontFields = FontFields<std::optional>;
