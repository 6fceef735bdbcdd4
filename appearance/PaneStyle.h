// The four text panes and the look each has before any stored choice applies.
#pragma once

#include "StoreNames.h"
#include "StoredColour.h"

#include <QString>

// A pane's background colour, text colour and font, in their stored forms.
struct PaneStyle {
    StoredColour background = 0;
    StoredColour text = 0;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;

    bool operator==(const PaneStyle&) const = default;
};

inline constexpr StoredColour kSystemWindowText = static_cast<StoredColour>(0x80000008u);

// Design-time look: Courier New 14.25 pt regular in window-text colour on each pane's own
// background (light yellow, light cyan, the window background, light green).
inline PaneStyle designStyle(Pane pane)
{
    PaneStyle style;
    style.text = kSystemWindowText;
    style.fontName = QStringLiteral("Courier New");
    style.fontSize = 14.25;
    switch (pane) {
    case Pane::Ref:
        style.background = 0x00C0FFFF;
        break;
    case Pane::Soluce:
        style.background = 0x00FFFFC0;
        break;
    case Pane::Propal:
        style.background = kSystemWindowBackground;
        break;
    case Pane::Lettres:
        style.background = 0x00C0FFC0;
        break;
    }
    return style;
}
