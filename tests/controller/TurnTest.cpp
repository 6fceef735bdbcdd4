// "Générer" and "Copier" through the controller: a refusal or a conflict adds no turn and
// changes nothing the conflict does not roll back; an accepted turn records the proposal as
// evaluated, the found text, both counts and the remaining letters; the conflict's selection
// names the proposal word and stays inside the proposal; the post is built from what is shown.
#include "ControllerFixture.h"

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
    const QString generationBefore = m_game.markers().generation;

    const EvaluationResult result = m_game.generate();

    ASSERT_TRUE(result.refusal);
    EXPECT_EQ(*result.refusal, GetParam().refusal);
    EXPECT_FALSE(result.conflict);
    EXPECT_EQ(m_game.session(), before);
    EXPECT_EQ(m_game.turns(), turnsBefore);
    EXPECT_EQ(m_game.markers().generation, generationBefore);
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

    const EvaluationResult result = m_game.generate();

    ASSERT_FALSE(result.refusal);
    ASSERT_FALSE(result.conflict);
    EXPECT_EQ(m_game.session().propal, QStringLiteral("L'ARBRE VRAI"));
    const Turn expected{QStringLiteral("L'ARBRE VRAI"), QStringLiteral("L'ARBRE V***"), 7, 3,
                        QStringLiteral("E R T ")};
    EXPECT_EQ(m_game.turns().last(), expected);
}

TEST_F(TurnTest, TurnThatRevealsNothingIsStillATurn)
{
    newPuzzle(dort::kReference);
    play(dort::kFirst);

    play(dort::kFirst);

    ASSERT_EQ(m_game.turns().size(), 3);
    EXPECT_EQ(m_game.turns().last(),
              (Turn{dort::kFirst, QStringLiteral("L* CHA* DOR*"), 0, 3, QStringLiteral("E TT ")}));
    EXPECT_EQ(m_game.markers().generation, QStringLiteral("0"));
}

TEST_F(TurnTest, ConflictAddsNoTurnAndRollsBackToTheLastTurn)
{
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    m_game.proposalEdited(dort::kTooLong);

    const EvaluationResult result = m_game.generate();

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

    const EvaluationResult result = m_game.generate();

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

    ASSERT_TRUE(m_game.generate().conflict);

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
    ASSERT_TRUE(m_game.generate().conflict);

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
    ASSERT_TRUE(m_game.generate().conflict);

    play(dort::kFirst);

    const TextRange range = m_game.conflictSelection();
    EXPECT_EQ(range.end, range.start);
}

TEST_F(TurnTest, ForumPostOfAPlayedTurn)
{
    newPuzzle(QStringLiteral("LE CHAT"));
    play(QStringLiteral("LA CHAR"));

    EXPECT_EQ(m_game.forumPost(),
              QStringLiteral("[font=Courier New][size=5]L* CHA*[/size][/font]\r"
                             "[b][color=#FF0000]4[/color][/b] lettre(s) trouvée(s). \r"
                             "[b][color=#FF0000]2[/color][/b] lettres à placer \r"
                             "[font=Courier New][size=5][color=#4132F5]E T "
                             "[/color][/size][/font]\r"));

    play(QStringLiteral("LE CHAT"));

    EXPECT_EQ(m_game.forumPost(),
              QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r"
                             "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r"));
}

TEST_F(TurnTest, ForumPostBeforeAnyGameIsTheVictoryFormAroundNothing)
{
    EXPECT_EQ(m_game.forumPost(),
              QStringLiteral("[font=Courier New][size=5][/size][/font]\r\r"
                             "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r"));
}

} // namespace
