// The appearance menu items: which pane, which property, which stored fields.
#pragma once

#include "PaneStyle.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <array>

struct AppearanceItem {
    const char* objectName; // UTF-8, accents kept ("mnu_fond_trouvé")
    const char* caption;    // UTF-8, typos kept ("Couleur du fonf de référence")
    Pane pane;
    PaneProperty property;
};

inline constexpr std::size_t kAppearanceItemCount = 12;

// In menu order: four backgrounds, four text colours, four fonts.
const std::array<AppearanceItem, kAppearanceItemCount>& appearanceItems();

// Whether the menu separates the item at this index from the one before: each kind of property
// (backgrounds, text colours, fonts) is a group of its own.
bool startsGroup(std::size_t index);

// A chooser's point size as a whole number of points, an exact half going to the even one.
int roundPointSize(double pointSize);

// The font a chooser can open on for a requested one: the family the system really shows in
// its place (a chooser lists installed families only, and opens on some other family when
// asked for a missing one), at the requested size, weight and slant.
QFont shownFont(const QFont& requested);

// The family to keep for a chosen font. A chooser that starts from a family the system lacks
// shows its substitute; unless the user picked another family, the requested one is kept.
QString chosenFamily(const QFont& chosen, const QFont& initial);

// A chosen font as the store keeps it, the size in whole points.
FontChoice fontChoice(const QFont& chosen, const QFont& initial);
QFont fontFromChoice(const FontChoice& choice);
