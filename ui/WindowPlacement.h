// Where a second window of the program opens so that the main window stays in sight.
#pragma once

#include <QRect>
#include <QSize>

// The frame of a window of this size beside the main window's frame, level with its top: on its
// right where the screen area has room, else on its left. Where neither side has room for the
// whole frame, it is narrowed to the room on the wider side, down to narrowest; past that it
// keeps its width on the side with more room. It is always kept on the screen area.
QRect besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea,
                       int narrowest);
