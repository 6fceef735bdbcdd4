// Where a second window of the program opens so that the main window stays in sight.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The top-left corner of a window frame of this size beside the main window's frame, level with
// its top: on its right where the screen area has room, else on its left, else on the side with
// more room, kept on the screen area.
QPoint besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea);
