// "Générer" and "Copier" through the controller: a refusal or a conflict adds no turn and
// changes nothing the conflict does not roll back; a proposal played before is skipped or asked
// about, and a won game takes no turn; there is no post without a puzzle; an accepted turn records
// the proposal as evaluated, the found text, both counts and the remaining letters; the conflict's
// selection names the proposal word and stays inside the proposal; the post is built from what is
// shown.
#include "ControllerFixture.h"
#include "PlayOn.h"

namespace {

struct GenerateRefusalCase {
    const char* name;
    bool initialised;
    QString proposal;
    Refusal refusal;
};

class GenerateRefusalTest : public ControllerTest,
                            public ::testing::WithParamInterface<GenerateRefusalCase> {};

TEST_P(GenerateRefusalTest, AddsNoTurnAndChangesNothing)
{
    if (GetParam().initialised) {
        newPuzzle(dort::kReference);
        play(dort::kFirst);
    }
    m_game.proposalEdited(GetParam().proposal);
    const GameSession before = m_game.session();
    const QList<Turn> turnsBefore = m_game.turns();

    const EvaluationResult result = m_game.generate(playOn);

    ASSERT_TRUE(result.refusal);
    EXPECT_EQ(*result.refusal, GetParam().refusal);
    EXPECT_FALSE(result.conflict);
    EXPECT_EQ(m_game.session(), before);
    EXPECT_EQ(m_game.turns(), turnsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, GenerateRefusalTest,
    ::testing::Values(GenerateRefusalCase{"NotInitialised",
                                          false,
                                          QStringLiteral("LE CHAT"),
                                          {messages::kNotInitialised, MessageIcon::Warning}},
                      GenerateRefusalCase{"EmptyProposal",
                                          true,
                                          QString(),
                                          {messages::kNoProposal, MessageIcon::Warning}},
                      GenerateRefusalCase{"Over600",
                                          true,
                                          QString(601, QLatin1Char('A')),
                                          {messages::kTooLong, MessageIcon::Critical}}),
    [](const ::testing::TestParamInfo<GenerateRefusalCase>& info) { return info.param.name; });

using TurnTest = ControllerTest;

using dort::kNothingNew;

TEST_F(TurnTest, AcceptedTurnsAreRecordedAsShown)
{
    newPuzzle(dort::kReference);

    play(dort::kFirst);
    expectShows(m_game, dort::kTurn1);
    play(dort::kSecond);
    expectShows(m_game, dort::kTurn2);

    const QList<Turn> expected{dort::kTurn0, dort::kTurn1, dort::kTurn2};
    EXPECT_EQ(m_game.turns(), expected);
    EXPECT_TRUE(m_game.canUndo());
}

TEST_F(TurnTest, TurnRecordsTheProposalAfterTheApostropheTidyUp)
{
    newPuzzle(QStringLiteral("L'ARBRE VERT"));
    m_game.proposalEdited(QStringLiteral("L' ARBRE VRAI"));

    const EvaluationResult result = m_game.generate(playOn);

    ASSERT_FALSE(result.refusal);
    ASSERT_FALSE(result.conflict);
    EXPECT_EQ(m_game.session().propal, QStringLiteral("L'ARBRE VRAI"));
    const Turn expected{QStringLiteral("L'ARBRE VRAI"), QStringLiteral("L'ARBRE V***"), 7, 3,
                        QStringLiteral("E R T ")};
    EXPECT_EQ(m_game.turns().last(), expected);
}

// A proposal that reveals nothing new, and plays no earlier turn's, is still a turn.
TEST_F(TurnTest, TurnThatRevealsNothingIsStillATurn)
{
    newPuzzle(dort::kReference);
    play(dort::kFirst);

    play(kNothingNew);

    ASSERT_EQ(m_game.turns().size(), 3);
    EXPECT_EQ(m_game.turns().last(),
              (Turn{kNothingNew, QStringLiteral("L* CHA* DOR*"), 0, 3, QStringLiteral("E TT ")}));
}

// A proposal played before: the last turn's again (a second click, a second Ctrl+Entrée) is no act
// at all; an earlier turn's is asked about, Non the default; a won game takes no turn.
struct RepeatCase {
    const char* name;
    QStringList played; // the accepted turns after the puzzle, "player|proposal"
    QString proposal;
    Answer answer;
    QString question; // asked, or "" for none
    std::optional<Refusal> refusal;
    bool played_ = false; // a turn is added
    QString typed = {};   // the field joueur before «Générer», kept as typed
};

class RepeatTest : public ControllerTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatTest, PlaysAskedOrSkips)
{
    newPuzzle(dort::kReference);
    for (const QString& turn : GetParam().played) {
        m_game.playerEdited(turn.section(u'|', 0, 0));
        play(turn.section(u'|', 1));
    }
    m_game.proposalEdited(GetParam().proposal);
    m_game.playerEdited(GetParam().typed);
    const GameSession before = m_game.session();
    const QList<Turn> turns = m_game.turns();
    const bool modified = m_game.isModified();
    QStringList asked;
    const EvaluationResult result = m_game.generate([&](const Question& question) {
        EXPECT_TRUE(question.noByDefault);
        EXPECT_EQ(question.buttons, Question::Buttons::YesNo);
        asked << question.text;
        return GetParam().answer;
    });
    EXPECT_EQ(asked,
              GetParam().question.isEmpty() ? QStringList() : QStringList{GetParam().question});
    EXPECT_EQ(result.refusal, GetParam().refusal);
    if (GetParam().played_) {
        EXPECT_EQ(m_game.turnCount(), turns.size() + 1);
        return;
    }
    EXPECT_EQ(result.skipped, !GetParam().refusal);
    EXPECT_EQ(m_game.player(), GetParam().typed);
    EXPECT_EQ(m_game.session(), before);
    EXPECT_EQ(m_game.turns(), turns);
    EXPECT_EQ(m_game.isModified(), modified);
}

const QString kAskedAlice =
    QStringLiteral("Cette proposition a déjà été jouée au tour 1 (Alice). La jouer quand même ?");

INSTANTIATE_TEST_SUITE_P(
    Repeats, RepeatTest,
    ::testing::Values(
        RepeatCase{"SecondClick", {"Alice|" + dort::kFirst}, dort::kFirst, Answer::Yes, {}, {}},
        RepeatCase{"SecondClickWithTheSamePlayer",
                   {"Alice|" + dort::kFirst},
                   dort::kFirst,
                   Answer::Yes,
                   {},
                   {},
                   false,
                   QStringLiteral("Alice")},
        RepeatCase{
            "LastTurnAgainWithAnotherPlayer",
            {"Alice|" + dort::kFirst},
            dort::kFirst,
            Answer::Yes,
            {},
            Refusal{QStringLiteral("Cette proposition vient d'être jouée au tour 1 (Alice)."),
                    MessageIcon::Information},
            false,
            QStringLiteral("Bob")},
        RepeatCase{"SecondClickOnTheWinningTurn",
                   {"|" + dort::kFirst, "|" + dort::kSecond},
                   dort::kSecond,
                   Answer::Yes,
                   {},
                   {}},
        RepeatCase{"WonGameTakesNoTurn",
                   {"|" + dort::kFirst, "|" + dort::kSecond},
                   kNothingNew,
                   Answer::Yes,
                   {},
                   Refusal{messages::kGameWon, MessageIcon::Information}},
        RepeatCase{"EarlierTurnNotPlayedAgain",
                   {"Alice|" + dort::kFirst, "Bob|" + kNothingNew},
                   dort::kFirst,
                   Answer::No,
                   kAskedAlice,
                   {}},
        RepeatCase{"EarlierTurnPlayedAgain",
                   {"Alice|" + dort::kFirst, "Bob|" + kNothingNew},
                   dort::kFirst,
                   Answer::Yes,
                   kAskedAlice,
                   {},
                   true},
        RepeatCase{
            "EarlierTurnOfNobody",
            {"|" + dort::kFirst, "Bob|" + kNothingNew},
            dort::kFirst,
            Answer::No,
            QStringLiteral("Cette proposition a déjà été jouée au tour 1. La jouer quand même ?"),
            {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Turns still in the file, which start-up did not read, are asked about too.
TEST_F(TurnTest, AStoredTurnPlayedAgainIsAskedAbout)
{
    startOnSample();
    newPuzzle(dort::kReference);
    m_game.playerEdited(QStringLiteral("Alice"));
    play(dort::kFirst);
    play(kNothingNew);
    play(dort::kNothingNewEither);
    ASSERT_FALSE(m_game.save());
    GameController again;
    ASSERT_FALSE(again.openGame(m_path));
    ASSERT_GT(again.firstTurnNumber(), 1);
    again.proposalEdited(dort::kFirst);
    QStringList asked;
    const EvaluationResult result = again.generate([&](const Question& question) {
        asked << question.text;
        return Answer::No;
    });
    EXPECT_TRUE(result.skipped);
    EXPECT_EQ(asked, QStringList{kAskedAlice});
}

TEST_F(TurnTest, ConflictAddsNoTurnAndRollsBackToTheLastTurn)
{
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    m_game.proposalEdited(dort::kTooLong);

    const EvaluationResult result = m_game.generate(playOn);

    ASSERT_TRUE(result.conflict);
    EXPECT_EQ(result.conflict->proposalWord, QStringLiteral("CHATS"));
    EXPECT_EQ(result.conflict->wordNumber, 2);
    expectShows(m_game, dort::kTurn1);
    EXPECT_EQ(m_game.session().propal, dort::kTooLong);
    const QList<Turn> expected{dort::kTurn0, dort::kTurn1};
    EXPECT_EQ(m_game.turns(), expected);
}

TEST_F(TurnTest, ConflictKeepsTheApostropheTidyUpAndIsNoTurn)
{
    newPuzzle(QStringLiteral("L'ARBRE VERT"));
    m_game.proposalEdited(QStringLiteral("L' ARBRES VERT"));

    const EvaluationResult result = m_game.generate(playOn);

    ASSERT_TRUE(result.conflict);
    EXPECT_EQ(m_game.session().propal, QStringLiteral("L'ARBRES VERT"));
    EXPECT_EQ(m_game.turns().size(), 1);
}

// The selection counts the proposal's characters from 0, line breaks as CR LF.
struct SelectionCase {
    const char* name;
    QString reference;
    QString proposal;
    qsizetype start;
    qsizetype end;
};

class ConflictSelectionTest : public ControllerTest,
                              public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(ConflictSelectionTest, NamesTheProposalWord)
{
    newPuzzle(GetParam().reference);
    m_game.proposalEdited(GetParam().proposal);

    ASSERT_TRUE(m_game.generate(playOn).conflict);

    const TextRange range = m_game.conflictSelection();
    EXPECT_EQ(range.start, GetParam().start);
    EXPECT_EQ(range.end, GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Conflicts, ConflictSelectionTest,
    ::testing::Values(SelectionCase{"FirstWord", QStringLiteral("MAIS LE"),
                                    QStringLiteral("MAI SLE"), 0, 3},
                      SelectionCase{"LaterWord", dort::kReference, dort::kTooLong, 3, 8},
                      // A reference typed with a line break keeps it until the pane is left.
                      SelectionCase{"AfterALineBreak", QStringLiteral("UN\r\nLE CHAT DORT"),
                                    QStringLiteral("UN\r\nLE CHATS DORT"), 7, 12},
                      SelectionCase{"EmptyWordAtALineBreak", dort::kReference,
                                    QStringLiteral("LE\r\nCHAT DORT"), 3, 3}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return info.param.name; });

TEST_F(TurnTest, ConflictSelectionStaysInsideAShortenedProposal)
{
    newPuzzle(dort::kReference);
    m_game.proposalEdited(dort::kTooLong);
    ASSERT_TRUE(m_game.generate(playOn).conflict);

    m_game.proposalEdited(QStringLiteral("LE CH"));
    TextRange range = m_game.conflictSelection();
    EXPECT_EQ(range.start, 3);
    EXPECT_EQ(range.end, 5);

    m_game.proposalEdited(QStringLiteral("LE"));
    range = m_game.conflictSelection();
    EXPECT_EQ(range.start, 2);
    EXPECT_EQ(range.end, 2);

    m_game.clearProposal();
    range = m_game.conflictSelection();
    EXPECT_EQ(range.start, 0);
    EXPECT_EQ(range.end, 0);
}

TEST_F(TurnTest, AcceptedTurnAfterAConflictSelectsNothing)
{
    newPuzzle(dort::kReference);
    m_game.proposalEdited(dort::kTooLong);
    ASSERT_TRUE(m_game.generate(playOn).conflict);

    play(dort::kFirst);

    const TextRange range = m_game.conflictSelection();
    EXPECT_EQ(range.end, range.start);
}

TEST_F(TurnTest, ForumPostOfAPlayedTurn)
{
    newPuzzle(QStringLiteral("LE CHAT"));
    play(QStringLiteral("LA CHAR"));

    EXPECT_EQ(m_game.forumPost().text,
              QStringLiteral("[font=Courier New][size=5]L* CHA*[/size][/font]\r"
                             "[b][color=#FF0000]4[/color][/b] lettre(s) trouvée(s). \r"
                             "[b][color=#FF0000]2[/color][/b] lettres à placer \r"
                             "[font=Courier New][size=5][color=#4132F5]E T "
                             "[/color][/size][/font]\r"));

    play(QStringLiteral("LE CHAT"));

    EXPECT_EQ(m_game.forumPost().text,
              QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r"
                             "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r"));
}

// The engine's post of no puzzle would announce a victory: «Copier» has none to give.
TEST_F(TurnTest, NoPostWithoutAPuzzle)
{
    const Refusal noGame{messages::kNoGame, MessageIcon::Warning};
    EXPECT_EQ(m_game.refusePost(), noGame) << "before any game";
    m_game.referenceEdited(dort::kReference);
    EXPECT_EQ(m_game.refusePost(), noGame) << "reference typed, not initialised";
    ASSERT_FALSE(m_game.initialise());
    EXPECT_EQ(m_game.refusePost(), std::nullopt);
    m_game.clearPage();
    EXPECT_EQ(m_game.refusePost(), noGame) << "after the page was cleared";
}

} // namespace
