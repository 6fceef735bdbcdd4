// A pane's look as the store keeps it: the design-time look of the four panes, the look stored
// in couleurs (each attribute possibly absent), and the one laid over the other.
#pragma once

#include "FontChoice.h"
#include "StoreNames.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <optional>

// A colour as stored: 0x00BBGGRR, red in the lowest byte; a set top bit names a system colour
// by its index.
using StoredColour = std::int32_t;

// The system colours of the design-time look.
inline constexpr StoredColour kSystemInactiveTitleBar = static_cast<StoredColour>(0x80000003u);
inline constexpr StoredColour kSystemWindowBackground = static_cast<StoredColour>(0x80000005u);
inline constexpr StoredColour kSystemWindowText = static_cast<StoredColour>(0x80000008u);

// What of a pane's look the master chooses: each is stored at once.
enum class PaneProperty { Background, TextColour, Font };

// A pane's background colour, text colour and font, in their stored forms.
struct PaneLook {
    StoredColour background = 0;
    StoredColour text = 0;
    FontChoice font;

    bool operator==(const PaneLook&) const = default;
};

// Design-time look: Courier New 14.25 pt regular in window-text colour on each pane's own
// background (light yellow, light cyan, the window background, light green).
PaneLook designLook(Pane pane);

// One pane's stored look; an attribute is absent when its field is null, missing, of the wrong
// type or out of range, and the window then keeps the design-time attribute. By SQLite's
// storage class: a colour needs an INTEGER within 32 bits (signed, or the same bits unsigned);
// a size an INTEGER or REAL above 0 and at most 32767; a flag an INTEGER (non-zero is true);
// a font name TEXT (a number reads as its decimal text). A BLOB is never usable.
struct StoredPaneLook {
    std::optional<StoredColour> background; // fond_<pane>, negative = system colour
    std::optional<StoredColour> text;       // police_<pane>
    // font_name_<pane>, font_size_<pane> (points), font_bold_<pane>, font_italic_<pane>
    StoredFontFields font;

    bool operator==(const StoredPaneLook&) const = default;
};

// The stored looks of the four panes, in the order of kPanes.
struct StoredAppearance {
    std::array<StoredPaneLook, 4> panes;

    const StoredPaneLook& lookFor(Pane pane) const { return panes[static_cast<std::size_t>(pane)]; }

    bool operator==(const StoredAppearance&) const = default;
};

// The pane's look with each stored attribute in place of the given one; an absent stored
// attribute leaves it.
PaneLook lookOver(PaneLook look, const StoredPaneLook& stored);

// One couleurs field to write.
struct FieldValue {
    QString column;
    QVariant value;
};

// Each pane's six couleurs fields at their design-time values, the font size in whole points as
// the font menus store it: the couleurs row of a new game.
QList<FieldValue> designLookFields();
