// Placing a window beside the main window.
#include "WindowPlacement.h"

#include <algorithm>

QRect besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea,
                       int narrowest)
{
    const int roomRight = screenArea.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - screenArea.left();
    const bool onRight =
        roomRight >= frame.width() || (roomLeft < frame.width() && roomRight >= roomLeft);
    const int room = onRight ? roomRight : roomLeft;
    const int width = room < frame.width() && room >= narrowest ? room : frame.width();
    // A frame wider than the screen keeps its left edge, and its title bar, on it.
    const auto keepOn = [](int at, int low, int high) { return std::max(low, std::min(at, high)); };
    const int x = keepOn(onRight ? mainFrame.right() + 1 : mainFrame.left() - width,
                         screenArea.left(), screenArea.right() + 1 - width);
    const int y =
        keepOn(mainFrame.top(), screenArea.top(), screenArea.bottom() + 1 - frame.height());
    return {QPoint(x, y), QSize(width, frame.height())};
}
