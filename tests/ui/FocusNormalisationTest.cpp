// The reference and proposal panes are tidied when the focus really moves to another control (a
// click, Tab), before the clicked button acts, and not when the window is deactivated. What they
// hold reaches the game as typed: line breaks as CR LF, non-breaking spaces unchanged.
#include "UiFixture.h"

#include <QApplication>
#include <QTest>

using FocusNormalisationTest = UiFixture;

TEST_F(FocusNormalisationTest, AClickOrTabTidiesThePaneLeft)
{
    typeInto(ref(), QStringLiteral("la nuit\ntombe"));
    click(lettres());
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("LA NUIT TOMBE"));

    typeInto(propal(), QStringLiteral("c'est\nvrai?"));
    QTest::keyClick(propal(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), propal());
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("C'EST VRAI"));
}

TEST_F(FocusNormalisationTest, ReferenceIsTidiedBeforeInitialiserActs)
{
    typeInto(ref(), QStringLiteral("le   chat"));
    clickButton(QStringLiteral("init"));
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("LE CHAT"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** ****"));
}

TEST_F(FocusNormalisationTest, DeactivatingTheWindowDoesNotTidy)
{
    typeInto(ref(), QStringLiteral("le chat"));
    typeInto(propal(), QStringLiteral("la chatte"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("la chatte"));
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("LE CHAT")); // left earlier by a click
}

// Only the ordinary space is trimmed or collapsed, and only it shields a "?": a non-breaking
// space, common before "?" in French posts, reaches the game as typed.
TEST_F(FocusNormalisationTest, NonBreakingSpacesReachTheGameUnchanged)
{
    typeInto(ref(), QStringLiteral("\u00A0a\u00A0\u00A0b "));
    typeInto(propal(), QStringLiteral("\u00A0vrai\u00A0?  "));
    click(lettres());
    EXPECT_EQ(m_game->session().ref, QStringLiteral("\u00A0A\u00A0\u00A0B"));
    EXPECT_EQ(m_game->session().propal, QStringLiteral("\u00A0VRAI\u00A0"));
}
