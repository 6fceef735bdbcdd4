// Shortcuts that move the focus to a button, click it and give the focus back.
#include "ButtonShortcuts.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace {

void pressLikeAClick(QWidget* window, QPushButton* button)
{
    // A click would have brought the window to the front, the keyboard with it: the pane it
    // gives back the focus to is the one that had it there.
    if (QApplication::activeWindow() != window) {
        window->raise();
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
    const QPointer<QWidget> before = QApplication::focusWidget();
    const QPointer<QPushButton> pressed = button;
    button->setFocus(Qt::OtherFocusReason);
    button->click();
    // A message box answered inside the action leaves the button as the window's focus, though
    // the platform may hand the activation back to the window only later. A dialog left active,
    // a focus set on purpose or a closed window keep theirs.
    const QWidget* active = QApplication::activeWindow();
    if (!pressed || !before || before == pressed || !window->isVisible() ||
        window->focusWidget() != pressed || (active && active != window))
        return;
    before->setFocus(Qt::OtherFocusReason);
}

} // namespace

void installButtonShortcuts(QWidget* window, std::initializer_list<ButtonShortcut> shortcuts)
{
    for (const ButtonShortcut& entry : shortcuts) {
        entry.button->setToolTip(entry.tooltip);
        for (const QKeySequence& key : entry.keys) {
            auto* shortcut = new QShortcut(key, window);
            shortcut->setContext(entry.fromEveryWindow ? Qt::ApplicationShortcut
                                                       : Qt::WindowShortcut);
            // Holding the keys down must not run the action again and again.
            shortcut->setAutoRepeat(false);
            QObject::connect(shortcut, &QShortcut::activated, entry.button,
                             [window, button = entry.button] { pressLikeAClick(window, button); });
        }
    }
}
