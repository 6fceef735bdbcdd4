// The players of a game through the controller: an accepted "Générer" credits the field's player
// (its first spelling, the name rules applied) and empties the field, an empty field credits
// nobody, a conflict or a refusal leaves the field, undo brings the undone turn's player back;
// a turn's player can be corrected from turn 1 on, which leaves the game unsaved; the players and
// the ranking option survive a save and a new start-up.
#include "ControllerFixture.h"

namespace {

// One act of the master: type a player then play a proposal, or undo the last turn.
struct Act {
    const char* player; // nullptr: an undo
    QString proposal;
};

struct CreditCase {
    const char* name;
    std::vector<Act> acts;
    QStringList players; // each turn's player, turn 0 first
    QString field;       // the field joueur afterwards
};

class PlayerCredit : public ControllerTest, public testing::WithParamInterface<CreditCase> {};

TEST_P(PlayerCredit, FollowsTheTurns)
{
    newPuzzle(dort::kReference);
    for (const Act& act : GetParam().acts) {
        if (!act.player) {
            ASSERT_TRUE(m_game.undoLastTurn());
            continue;
        }
        m_game.playerEdited(QString::fromUtf8(act.player));
        m_game.proposalEdited(act.proposal);
        m_game.generate();
    }
    QStringList players;
    for (const Turn& turn : m_game.turns())
        players << turn.joueur;
    EXPECT_EQ(players, GetParam().players);
    EXPECT_EQ(m_game.player(), GetParam().field);
}

const CreditCase kCreditCases[] = {
    {"AcceptedTurnCreditsTheCleanNameAndEmptiesTheField",
     {{" Alice\t ", dort::kFirst}},
     {"", "Alice"},
     ""},
    {"EmptyFieldCreditsNobody", {{"", dort::kFirst}, {"Bob", dort::kSecond}}, {"", "", "Bob"}, ""},
    {"ConflictLeavesTheField", {{"Bob", dort::kTooLong}}, {""}, "Bob"},
    {"RefusalLeavesTheField", {{"Bob", QString()}}, {""}, "Bob"},
    {"FirstSpellingKept",
     {{"alice", dort::kFirst}, {"ALICE", dort::kSecond}},
     {"", "alice", "alice"},
     ""},
    {"UndoBringsThePlayerBack", {{"Alice", dort::kFirst}, {nullptr, {}}}, {""}, "Alice"},
    {"UndoOfATurnWithoutPlayerEmptiesTheField",
     {{"", dort::kFirst}, {"Bob", dort::kTooLong}, {nullptr, {}}},
     {""},
     ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, PlayerCredit, testing::ValuesIn(kCreditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControllerTest, InitialisedTurnZeroCreditsNobody)
{
    m_game.playerEdited(QStringLiteral("Zoé"));
    newPuzzle(dort::kReference);
    EXPECT_EQ(m_game.turns().first().joueur, QString());
    EXPECT_FALSE(m_game.setTurnPlayer(0, QStringLiteral("Zoé")));
    EXPECT_TRUE(m_game.ranking().isEmpty());
}

TEST_F(ControllerTest, CorrectedPlayerMovesTheRankingAndLeavesTheGameUnsaved)
{
    startOnSample();
    newPuzzle(dort::kReference);
    m_game.playerEdited(QStringLiteral("Alice"));
    play(dort::kFirst);
    m_game.playerEdited(QStringLiteral("Bob"));
    play(dort::kSecond);
    ASSERT_FALSE(m_game.save());
    EXPECT_EQ(m_game.ranking(), (QList<PlayerStanding>{{QStringLiteral("Alice"), 7, 1},
                                                       {QStringLiteral("Bob"), 3, 1}}));

    EXPECT_TRUE(m_game.setTurnPlayer(2, QStringLiteral("ALICE")));
    EXPECT_FALSE(m_game.isSaved());
    EXPECT_EQ(m_game.turns()[2].joueur, QStringLiteral("Alice"));
    EXPECT_EQ(m_game.ranking(), (QList<PlayerStanding>{{QStringLiteral("Alice"), 10, 2}}));

    ASSERT_FALSE(m_game.save());
    EXPECT_TRUE(m_game.setTurnPlayer(1, QString()));
    EXPECT_EQ(m_game.ranking(), (QList<PlayerStanding>{{QStringLiteral("Alice"), 3, 1}}));
    EXPECT_FALSE(m_game.setTurnPlayer(3, QStringLiteral("Bob")));
}

TEST_F(ControllerTest, PlayersAndTheRankingOptionComeBackWithTheGame)
{
    startOnSample();
    EXPECT_FALSE(m_game.rankingInPost());
    newPuzzle(dort::kReference);
    m_game.playerEdited(QStringLiteral("[Zoé]"));
    play(dort::kFirst);
    const QString plainPost = m_game.forumPost();
    ASSERT_TRUE(m_game.setRankingInPost(true));
    EXPECT_EQ(m_game.forumPost(),
              plainPost + QStringLiteral("\r[b]Classement[/b]\r1. (Zoé) : 7 lettres\r"));
    ASSERT_FALSE(m_game.save());

    GameController again;
    ASSERT_TRUE(again.startUp(m_path));
    EXPECT_TRUE(again.rankingInPost());
    EXPECT_EQ(again.players(), QStringList{QStringLiteral("[Zoé]")});
    EXPECT_EQ(again.forumPost(), m_game.forumPost());
}

TEST_F(ControllerTest, PostWithoutAPlayerStaysAsItIs)
{
    startOnSample();
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    const QString plainPost = m_game.forumPost();
    ASSERT_TRUE(m_game.setRankingInPost(true));
    EXPECT_EQ(m_game.forumPost(), plainPost);
}

} // namespace
