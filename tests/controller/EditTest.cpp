// The master's edits and "Initialiser": only a real change of the proposal clears the save
// marker and turns a generation marker "1" into "0"; the tidy-ups run when a pane is left; the
// right-click paste fills an empty proposal only. An initialisation is refused without a
// reference or beyond 600 characters, and otherwise starts a new history at its turn 0.
#include "ControllerFixture.h"

#include <functional>

namespace {

struct EditCase {
    const char* name;
    std::function<void(GameController&)> edit;
    QString proposalAfter;
    bool changesTheProposal;
};

class EditMarkersTest : public ControllerTest, public ::testing::WithParamInterface<EditCase> {};

// From a saved game whose last turn revealed letters: save marker "Y", generation marker "1",
// proposal "LA CHAR DORS".
TEST_P(EditMarkersTest, OnlyARealChangeOfTheProposalTouchesTheMarkers)
{
    startOnSample();
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    ASSERT_FALSE(m_game.save());
    ASSERT_FALSE(m_game.isModified());

    GetParam().edit(m_game);

    EXPECT_EQ(m_game.session().propal, GetParam().proposalAfter);
    if (GetParam().changesTheProposal) {
        EXPECT_TRUE(m_game.isModified());
    } else {
        EXPECT_FALSE(m_game.isModified());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditMarkersTest,
    ::testing::Values(
        EditCase{"SameProposal", [](GameController& g) { g.proposalEdited(dort::kFirst); },
                 dort::kFirst, false},
        EditCase{"OneMoreCharacter",
                 [](GameController& g) { g.proposalEdited(dort::kFirst + QLatin1Char('S')); },
                 dort::kFirst + QLatin1Char('S'), true},
        EditCase{"ProposalLeftAlreadyTidy", [](GameController& g) { g.proposalLeft(); },
                 dort::kFirst, false},
        EditCase{"ClearProposal", [](GameController& g) { g.clearProposal(); }, QString(), true},
        EditCase{"PasteOnAFilledProposal",
                 [](GameController& g) { g.pasteIntoEmptyProposal(QStringLiteral("BONJOUR")); },
                 dort::kFirst, false},
        EditCase{"ReferenceTyped",
                 [](GameController& g) { g.referenceEdited(QStringLiteral("autre")); },
                 dort::kFirst, false},
        EditCase{"ReferenceLeft", [](GameController& g) { g.referenceLeft(); }, dort::kFirst,
                 false},
        EditCase{"RemainingLettersTyped",
                 [](GameController& g) { g.remainingLettersEdited(QStringLiteral("Z ")); },
                 dort::kFirst, false}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

using EditTest = ControllerTest;

TEST_F(EditTest, LeavingTheProposalTidiesItAsAChange)
{
    startSaved({QStringLiteral(
        "UPDATE \"données\" SET propal = '  c''est' || char(13, 10) || 'vrai?  '")});

    m_game.proposalLeft();

    EXPECT_EQ(m_game.session().propal, QStringLiteral("C'EST VRAI"));
    EXPECT_TRUE(m_game.isModified());
}

TEST_F(EditTest, LeavingAnEmptyProposalChangesNothing)
{
    startSaved({QStringLiteral("UPDATE \"données\" SET propal = ''")});

    m_game.proposalLeft();

    EXPECT_EQ(m_game.session().propal, QString());
    EXPECT_FALSE(m_game.isModified());
}

TEST_F(EditTest, LeavingTheReferenceTidiesItAndNothingElse)
{
    startSaved({QStringLiteral("UPDATE \"données\" SET propal = 'x ', "
                               "base = '  la nuit' || char(13, 10) || 'tombe  '")});

    m_game.referenceLeft();

    EXPECT_EQ(m_game.session().ref, QStringLiteral("LA NUIT TOMBE"));
    EXPECT_EQ(m_game.session().propal, QStringLiteral("x "));
    EXPECT_FALSE(m_game.isModified());
}

TEST_F(EditTest, RightClickPasteFillsAnEmptyProposalOnly)
{
    m_game.pasteIntoEmptyProposal(QStringLiteral("BONJOUR"));
    EXPECT_EQ(m_game.session().propal, QStringLiteral("BONJOUR"));

    m_game.clearProposal();
    m_game.proposalEdited(QStringLiteral(" "));
    m_game.pasteIntoEmptyProposal(QStringLiteral("BONJOUR"));
    EXPECT_EQ(m_game.session().propal, QStringLiteral(" "));
}

TEST_F(EditTest, PastingAnEmptyClipboardIsNoChange)
{
    startSaved({QStringLiteral("UPDATE \"données\" SET propal = ''")});

    m_game.pasteIntoEmptyProposal(QString());

    EXPECT_EQ(m_game.session().propal, QString());
    EXPECT_FALSE(m_game.isModified());
}

struct InitialiseRefusalCase {
    const char* name;
    QString reference;
    QString message;
};

class InitialiseRefusalTest : public ControllerTest,
                              public ::testing::WithParamInterface<InitialiseRefusalCase> {};

// A refusal leaves the game, its markers and its history as they were, mid-game included.
TEST_P(InitialiseRefusalTest, ChangesNothing)
{
    startOnSample();
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    ASSERT_FALSE(m_game.save());
    m_game.referenceEdited(GetParam().reference);
    const GameSession before = m_game.session();

    const std::optional<Refusal> refusal = m_game.initialise();

    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (Refusal{GetParam().message, MessageIcon::Critical}));
    EXPECT_EQ(m_game.session(), before);
    EXPECT_FALSE(m_game.isModified());
    const QList<Turn> expected{dort::kTurn0, dort::kTurn1};
    EXPECT_EQ(m_game.turns(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, InitialiseRefusalTest,
    ::testing::Values(InitialiseRefusalCase{"Empty", QString(), messages::kNoReference},
                      InitialiseRefusalCase{"Over600", QString(601, QLatin1Char('A')),
                                            messages::kTooLong}),
    [](const ::testing::TestParamInfo<InitialiseRefusalCase>& info) { return info.param.name; });

TEST_F(EditTest, InitialiseAcceptsSixHundredCharacters)
{
    m_game.referenceEdited(QString(600, QLatin1Char('A')));

    EXPECT_FALSE(m_game.initialise());
    EXPECT_EQ(m_game.session().soluce, QString(600, QLatin1Char('*')));
}

TEST_F(EditTest, InitialiseStartsANewHistoryAtTurnZero)
{
    newPuzzle(dort::kReference);

    const QList<Turn> expected{dort::kTurn0};
    EXPECT_EQ(m_game.turns(), expected);
    EXPECT_FALSE(m_game.canUndo());
}

TEST_F(EditTest, InitialisingAgainShowsAndRecordsNoLetterFound)
{
    // A new puzzle has revealed nothing, whatever the last turn of the old one found.
    newPuzzle(dort::kReference);
    play(dort::kFirst);

    newPuzzle(QStringLiteral("LE CHAT"));

    EXPECT_EQ(m_game.session().lettres_trouvees, 0);
    const QList<Turn> expected{
        {QString(), QStringLiteral("** ****"), 0, 6, QStringLiteral("A C E H L T ")}};
    EXPECT_EQ(m_game.turns(), expected);
    EXPECT_EQ(m_game.session().propal, QString());
}

} // namespace
