// The four text panes and the look each has before any stored choice applies.
#pragma once

#include "StoredColour.h"

#include <QString>

#include <array>

enum class Pane { Ref, Soluce, Propal, Lettres };

inline constexpr std::array<Pane, 4> kPanes = {Pane::Ref, Pane::Soluce, Pane::Propal,
                                               Pane::Lettres};

// Suffix of the pane's fields in the couleurs table (fond_ref, font_size_lettres, ...).
inline QString paneSuffix(Pane pane)
{
    switch (pane) {
    case Pane::Ref:
        return QStringLiteral("ref");
    case Pane::Soluce:
        return QStringLiteral("soluce");
    case Pane::Propal:
        return QStringLiteral("propal");
    case Pane::Lettres:
        break;
    }
    return QStringLiteral("lettres");
}

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
