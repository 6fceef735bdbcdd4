// The keyboard reaches the menus and never types into a pane: Alt+F and F10 open «Fichier»,
// Alt+C «Couleurs  et  Police», Alt+V the version box, and no Alt+letter, a menu's or not, adds
// a character to any pane.
#include "UiFixture.h"

#include <QMenu>

using MenuKeysTest = UiFixture;

TEST_F(MenuKeysTest, MnemonicsAndF10OpenTheirMenu)
{
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* menu;
    } cases[] = {
        {"Alt+F", Qt::Key_F, Qt::AltModifier, "menu_Fichier"},
        {"F10", Qt::Key_F10, Qt::NoModifier, "menu_Fichier"},
        {"Alt+C", Qt::Key_C, Qt::AltModifier, "mnu_couleur"},
    };
    for (const auto& c : cases) {
        click(propal());
        QTest::keyClick(propal(), c.key, c.modifiers);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << c.name;
        EXPECT_EQ(popup->objectName(), QString::fromUtf8(c.menu)) << c.name;
        popup->close();
        EXPECT_EQ(propal()->toPlainText(), QString()) << c.name;
    }

    QTest::keyClick(ref(), Qt::Key_V, Qt::AltModifier);
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_TRUE(m_sink.shown[0].text.startsWith(QStringLiteral("Gestion des plimos.")));
    EXPECT_EQ(ref()->toPlainText(), QString());
}

TEST_F(MenuKeysTest, NoAltLetterIsTypedIntoAPane)
{
    for (QWidget* pane : {static_cast<QWidget*>(ref()), static_cast<QWidget*>(propal()),
                          static_cast<QWidget*>(lettres())}) {
        typeInto(pane, QStringLiteral("AB"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q,
                        Qt::AltModifier | Qt::ShiftModifier);
        const QString text = pane == propal() ? propal()->toPlainText()
                                              : static_cast<QPlainTextEdit*>(pane)->toPlainText();
        EXPECT_EQ(text, QStringLiteral("AB")) << pane->objectName().toStdString();
    }
}
