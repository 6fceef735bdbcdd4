// Which focus losses count as leaving a pane.
#pragma once

#include <Qt>

// True for a focus move to another control of the program; a window deactivation or a popup
// menu is not one, so the panes do not rewrite themselves behind a menu or another program.
inline bool isFocusMove(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}
