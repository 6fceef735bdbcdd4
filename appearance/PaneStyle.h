// The four text panes, the look each has before any stored choice applies, and the stored look
// laid over it.
#pragma once

#include "FontChoice.h"
#include "StoreNames.h"
#include "StoredColour.h"

#include <QString>

class QFont;
struct StoredPaneLook;

// A pane's background colour, text colour and font, in their stored forms.
struct PaneStyle {
    StoredColour background = 0;
    StoredColour text = 0;
    FontChoice font;

    bool operator==(const PaneStyle&) const = default;
};

inline constexpr StoredColour kSystemWindowText = static_cast<StoredColour>(0x80000008u);

// Design-time look: Courier New 14.25 pt regular in window-text colour on each pane's own
// background (light yellow, light cyan, the window background, light green).
inline PaneStyle designStyle(Pane pane)
{
    PaneStyle style;
    style.text = kSystemWindowText;
    style.font = {QStringLiteral("Courier New"), 14.25, false, false};
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

// The pane's look with each stored attribute in place of the design-time one; an absent stored
// attribute leaves it.
PaneStyle styleOver(PaneStyle style, const StoredPaneLook& look);

// The font the pane shows for this look.
QFont paneFont(const PaneStyle& style);
