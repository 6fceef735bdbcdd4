// The keyboard reaches the menus and never types into a pane: Alt+F and F10 open «Fichier»,
// Alt+C «Couleurs  et  Police», and no Alt+letter, a menu's or not, adds a character to a pane.
#include "UiFixture.h"

using MenuKeysTest = UiFixture;

TEST_F(MenuKeysTest, MenuKeysOpenTheirMenuAndNoAltLetterIsTyped)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* menu;
    } menus[] = {{Qt::Key_F, Qt::AltModifier, "menu_Fichier"},
                 {Qt::Key_F10, Qt::NoModifier, "menu_Fichier"},
                 {Qt::Key_C, Qt::AltModifier, "mnu_couleur"}};
    for (const auto& c : menus) {
        click(propal());
        QTest::keyClick(propal(), c.key, c.modifiers);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << c.menu;
        EXPECT_EQ(popup->objectName(), QString::fromUtf8(c.menu));
        popup->close();
    }
    QTest::keyClick(propal(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(propal()->toPlainText(), QString());

    for (QPlainTextEdit* pane : {ref(), lettres()}) {
        typeInto(pane, QStringLiteral("AB"));
        QTest::keyClick(pane, Qt::Key_X, Qt::AltModifier);
        QTest::keyClick(pane, Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_EQ(pane->toPlainText(), QStringLiteral("AB")) << pane->objectName().toStdString();
    }
}
