// Keyboard shortcuts that press the window's command buttons.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <initializer_list>

class QPushButton;
class QWidget;

struct ButtonShortcut {
    QPushButton* button;
    QList<QKeySequence> keys;
    // The shortcut as the button's tooltip names it.
    QString tooltip;
    // Whether the keys also work while another window of the program is active.
    bool fromEveryWindow = true;
};

// Installs each shortcut on window. A shortcut presses its button as a click does: the window
// comes to the front when another of the program's windows had the keyboard, the focus moves to
// the button (so a pane left behind tidies its text), the button's action runs, then the focus
// goes back to the control that had it, unless the action sent it elsewhere or the window is
// gone. A modal box blocks every shortcut.
void installButtonShortcuts(QWidget* window, std::initializer_list<ButtonShortcut> shortcuts);
