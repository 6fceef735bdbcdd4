// Keymaps whose AltGr sends Ctrl+Alt type @ # [ ] { } € with it: the filter that keeps
// Alt+letter out of the panes lets Ctrl+Alt through.
#include "PaneKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

TEST(PaneKeysTest, CtrlAltTypesTheCharacterItsKeymapSends)
{
    QPlainTextEdit pane;
    keepAltLettersOut(&pane);
    const QString typed = QStringLiteral("@#[]{}€");
    for (const QChar c : typed) {
        // The key event carries the character, as the platform sends it for such a keymap.
        QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::ControlModifier | Qt::AltModifier,
                        QString(c));
        QApplication::sendEvent(&pane, &press);
    }
    EXPECT_EQ(pane.toPlainText(), typed);
}

} // namespace
