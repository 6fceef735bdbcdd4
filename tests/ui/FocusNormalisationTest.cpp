// The reference and proposal panes normalise when the focus really moves to another control
// (mouse click, Tab), before the clicked button acts, and not when the window is deactivated.
// Line breaks typed in a pane reach the engine as CR LF, so two typed lines join with one space.
#include "UiFixture.h"

#include <QApplication>
#include <QTest>

namespace {

struct FocusCase {
    const char* typed; // "\n" is the Enter key
    const char* refResult;
    const char* propalResult;
};

class FocusNormalisationTest : public UiFixture, public ::testing::WithParamInterface<FocusCase> {};

const FocusCase kCases[] = {
    {"  le chat  ", "LE CHAT", "LE CHAT"},
    {"la nuit\ntombe", "LA NUIT TOMBE", "LA NUIT TOMBE"},
    {"c'est vrai?", "C'EST VRAI?", "C'EST VRAI"},
    {"  bonjour  les  amis  ", "BONJOUR  LES  AMIS", "BONJOUR LES AMIS"},
    {"LE  CHAT", "LE  CHAT", "LE CHAT"},
    {"a??", "A??", "A?"},
    {"l'été", "L'ÉTÉ", "L'ÉTÉ"},
    {"   ", "", ""},
};

} // namespace

TEST_P(FocusNormalisationTest, ReferenceNormalisesWhenAClickTakesTheFocus)
{
    typeInto(ref(), QString::fromUtf8(GetParam().typed));
    click(lettres());
    EXPECT_EQ(ref()->toPlainText(), QString::fromUtf8(GetParam().refResult));
}

TEST_P(FocusNormalisationTest, ProposalNormalisesWhenTabTakesTheFocus)
{
    typeInto(propal(), QString::fromUtf8(GetParam().typed));
    QTest::keyClick(propal(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), propal());
    EXPECT_EQ(propal()->toPlainText(), QString::fromUtf8(GetParam().propalResult));
}

INSTANTIATE_TEST_SUITE_P(Texts, FocusNormalisationTest, ::testing::ValuesIn(kCases));

using FocusReasonTest = UiFixture;

TEST_F(FocusReasonTest, ReferenceIsNormalisedBeforeInitialiserActs)
{
    typeInto(ref(), QStringLiteral("le   chat"));
    clickButton(QStringLiteral("init"));
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("LE CHAT"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** ****"));
}

TEST_F(FocusReasonTest, DeactivatingTheWindowDoesNotNormalise)
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

TEST_F(FocusReasonTest, EmptyProposalLosingTheFocusChangesNothing)
{
    m_engine->markers().save = QStringLiteral("Y");
    click(propal());
    click(ref());
    EXPECT_EQ(propal()->toPlainText(), QString());
    EXPECT_EQ(m_engine->markers().save, QStringLiteral("Y"));
}

TEST_F(FocusReasonTest, TrailingLineBreakLeavesASpaceThatTheNextPassRemoves)
{
    typeInto(propal(), QStringLiteral("fin\n"));
    click(ref());
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("FIN "));
    click(propal());
    click(ref());
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("FIN"));
}

// Only the ordinary space is trimmed or collapsed, and only it shields a "?": a non-breaking
// space, common before "?" in French posts, reaches the engine as typed.
TEST_F(FocusReasonTest, NonBreakingSpacesReachTheEngineUnchanged)
{
    typeInto(ref(), QStringLiteral("\u00A0a\u00A0\u00A0b "));
    typeInto(propal(), QStringLiteral("\u00A0vrai\u00A0?  "));
    click(lettres());
    const GameSession game = m_window->currentGame();
    EXPECT_EQ(game.ref, QStringLiteral("\u00A0A\u00A0\u00A0B"));
    EXPECT_EQ(game.propal, QStringLiteral("\u00A0VRAI\u00A0"));
}
