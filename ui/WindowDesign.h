// The design values the program's windows share: their fonts and colours, and the main window's
// size and place, in twips (see Twips.h).
#pragma once

#include "PaneLook.h"

#include <QFont>
#include <QString>

namespace design {

// The main window's client area, its outer height with the frame, and its distance from the
// screen's top-left corner.
inline constexpr int kClientWidthTwips = 15540;
inline constexpr int kClientHeightTwips = 9795;
inline constexpr int kOuterHeightTwips = 10530;
inline constexpr int kPlacementTwips = 200;

// The room between a caption and what follows it on its row.
inline constexpr int kCaptionGapTwips = 120;

// The captions' and dialogs' face, a Windows bitmap face that LabelFit.h substitutes.
inline constexpr double kCaptionPoints = 12;
inline constexpr double kCountPoints = 15;
inline constexpr double kDialogButtonPoints = 9.75;
inline QFont captionFont(double points = kCaptionPoints)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    return font;
}

// The two counts are written in red.
inline constexpr StoredColour kCountColour = 0x000000FF;

// The monospace face of the tables and the post's masked text.
inline QString monospaceFamily()
{
    return QStringLiteral("Courier New");
}

} // namespace design
