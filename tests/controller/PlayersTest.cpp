// The players of a game through the controller: an accepted "Générer" credits the field's player
// (its first spelling, the name rules applied) and empties the field, an empty field and turn 0
// credit nobody, a conflict or a refusal leaves the field, undo brings the undone turn's player
// back; a turn's player can be corrected from turn 1 on, which leaves the game unsaved; the
// ranking and the post follow each change, and the players and the ranking option survive a save
// and a new start-up.
#include "ControllerFixture.h"

#include "ForumPost.h"

#include <memory>
#include <optional>

namespace {

// One act of the master.
struct Act {
    enum Kind { Type, Initialise, Play, Undo, Correct, RankingOn, Save, Reopen } kind;
    const char* player = ""; // Type, Play: typed into joueur; Correct: typed into the cell
    QString proposal = {};   // Play
    qsizetype turn = 0;      // Correct: the turn's number
    bool taken = true;       // Correct: whether the turn can be corrected
};

Act type(const char* player)
{
    return {Act::Type, player};
}
Act initialise()
{
    return {Act::Initialise};
}
Act play(const char* player, const QString& proposal)
{
    return {Act::Play, player, proposal};
}
Act undo()
{
    return {Act::Undo};
}
Act correct(qsizetype turn, const char* player, bool taken = true)
{
    return {Act::Correct, player, {}, turn, taken};
}
Act rankingOn()
{
    return {Act::RankingOn};
}
Act save()
{
    return {Act::Save};
}
Act reopen()
{
    return {Act::Reopen};
}

struct PlayerCase {
    const char* name;
    std::vector<Act> acts;
    QStringList players; // each turn's player, turn 0 first
    QString field;       // the field joueur afterwards
    QList<PlayerStanding> ranking;
    std::optional<bool> saved; // nothing: not checked
    QString block;             // what the post holds after the game's lines
};

PlayerStanding standing(const char* name, qint64 points, qint64 turns)
{
    return {QString::fromUtf8(name), points, turns};
}

class PlayerActs : public ControllerTest, public testing::WithParamInterface<PlayerCase> {};

TEST_P(PlayerActs, FollowTheTurns)
{
    startOnSample();
    GameController* game = &m_game;
    std::unique_ptr<GameController> reopened;
    for (const Act& act : GetParam().acts) {
        switch (act.kind) {
        case Act::Type:
            game->playerEdited(QString::fromUtf8(act.player));
            break;
        case Act::Initialise:
            game->referenceEdited(dort::kReference);
            ASSERT_FALSE(game->initialise());
            break;
        case Act::Play:
            game->playerEdited(QString::fromUtf8(act.player));
            game->proposalEdited(act.proposal);
            game->generate();
            break;
        case Act::Undo:
            ASSERT_TRUE(game->undoLastTurn());
            break;
        case Act::Correct:
            ASSERT_EQ(game->setTurnPlayer(act.turn, QString::fromUtf8(act.player)), act.taken);
            break;
        case Act::RankingOn:
            ASSERT_TRUE(game->setRankingInPost(true));
            break;
        case Act::Save:
            ASSERT_FALSE(game->save());
            break;
        case Act::Reopen:
            reopened = std::make_unique<GameController>();
            ASSERT_TRUE(reopened->startUp(m_path));
            game = reopened.get();
            break;
        }
        // Each act is followed by a "Copier", so that a post kept from before the act shows.
        game->forumPost();
    }
    QStringList players;
    for (const Turn& turn : game->turns())
        players << turn.joueur;
    EXPECT_EQ(players, GetParam().players);
    EXPECT_EQ(game->player(), GetParam().field);
    EXPECT_EQ(game->ranking(), GetParam().ranking);
    if (GetParam().saved)
        EXPECT_EQ(game->isSaved(), *GetParam().saved);
    const GameSession& s = game->session();
    EXPECT_EQ(game->forumPost(),
              buildForumPost(s.soluce, s.lettres_trouvees, s.lettres_restantes, s.lettres) +
                  GetParam().block);
}

const QString kAliceFirst = QStringLiteral("\r[b]Classement[/b]\r1. Alice : 7 lettres\r");
// A game read at start-up counts as changed, whatever its store holds.
constexpr std::nullopt_t kReadBack = std::nullopt;

const PlayerCase kPlayerCases[] = {
    {"AcceptedTurnCreditsTheCleanNameAndEmptiesTheField",
     {initialise(), play(" Alice\t ", dort::kFirst)},
     {"", "Alice"},
     "",
     {standing("Alice", 7, 1)},
     false,
     ""},
    {"InitialisedTurnZeroCreditsNobody",
     {type("Zoé"), initialise(), correct(0, "Zoé", false)},
     {""},
     "Zoé",
     {},
     false,
     ""},
    {"EmptyFieldCreditsNobody",
     {initialise(), play("", dort::kFirst), play("Bob", dort::kSecond)},
     {"", "", "Bob"},
     "",
     {standing("Bob", 3, 1)},
     false,
     ""},
    {"ConflictLeavesTheField",
     {initialise(), play("Bob", dort::kTooLong)},
     {""},
     "Bob",
     {},
     false,
     ""},
    {"RefusalLeavesTheField", {initialise(), play("Bob", QString())}, {""}, "Bob", {}, false, ""},
    {"FirstSpellingKept",
     {initialise(), play("alice", dort::kFirst), play("ALICE", dort::kSecond)},
     {"", "alice", "alice"},
     "",
     {standing("alice", 10, 2)},
     false,
     ""},
    {"UndoBringsThePlayerBackAndTakesThemOutOfThePost",
     {rankingOn(), initialise(), play("Alice", dort::kFirst), undo()},
     {""},
     "Alice",
     {},
     false,
     ""},
    {"UndoOfATurnWithoutPlayerEmptiesTheField",
     {initialise(), play("", dort::kFirst), play("Bob", dort::kTooLong), undo()},
     {""},
     "",
     {},
     false,
     ""},
    {"UndoMovesThePost",
     {rankingOn(), initialise(), play("Alice", dort::kFirst), play("Bob", dort::kSecond), undo()},
     {"", "Alice"},
     "Bob",
     {standing("Alice", 7, 1)},
     false,
     kAliceFirst},
    {"CorrectionKeepsTheFirstSpellingMovesThePostAndLeavesTheGameUnsaved",
     {rankingOn(), initialise(), play("Alice", dort::kFirst), play("Bob", dort::kSecond), save(),
      correct(2, "ALICE")},
     {"", "Alice", "Alice"},
     "",
     {standing("Alice", 10, 2)},
     false,
     QStringLiteral("\r[b]Classement[/b]\r1. Alice : 10 lettres\r")},
    {"EmptiedCellRemovesTheCredit",
     {initialise(), play("Alice", dort::kFirst), play("Bob", dort::kSecond), save(),
      correct(1, "")},
     {"", "", "Bob"},
     "",
     {standing("Bob", 3, 1)},
     false,
     ""},
    {"NoCorrectionPastTheLastTurn",
     {initialise(), play("Alice", dort::kFirst), save(), correct(2, "Bob", false)},
     {"", "Alice"},
     "",
     {standing("Alice", 7, 1)},
     true,
     ""},
    {"PlayersAndTheRankingOptionComeBackWithTheGame",
     {rankingOn(), initialise(), play("[Zoé]", dort::kFirst), save(), reopen()},
     {"", "[Zoé]"},
     "",
     {standing("[Zoé]", 7, 1)},
     kReadBack,
     QStringLiteral("\r[b]Classement[/b]\r1. (Zoé) : 7 lettres\r")},
    {"RankingOptionStaysOffWithTheGame",
     {initialise(), play("Alice", dort::kFirst), save(), reopen()},
     {"", "Alice"},
     "",
     {standing("Alice", 7, 1)},
     kReadBack,
     ""},
    {"PostWithoutAPlayerStaysAsItIs",
     {rankingOn(), initialise(), play("", dort::kFirst)},
     {"", ""},
     "",
     {},
     false,
     ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, PlayerActs, testing::ValuesIn(kPlayerCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
