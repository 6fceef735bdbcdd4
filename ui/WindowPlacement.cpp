// Placing a window beside the main window.
#include "WindowPlacement.h"

#include <algorithm>

QPoint besideMainWindow(const QRect& mainFrame, const QSize& frame, const QRect& screenArea)
{
    const int roomRight = screenArea.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - screenArea.left();
    const int right = mainFrame.right() + 1;
    const int left = mainFrame.left() - frame.width();
    int x = right;
    if (roomRight < frame.width())
        x = roomLeft >= frame.width() || roomLeft > roomRight ? left : right;
    // A frame wider than the screen keeps its left edge, and its title bar, on it.
    const auto keepOn = [](int at, int low, int high) { return std::max(low, std::min(at, high)); };
    x = keepOn(x, screenArea.left(), screenArea.right() + 1 - frame.width());
    const int y =
        keepOn(mainFrame.top(), screenArea.top(), screenArea.bottom() + 1 - frame.height());
    return {x, y};
}
