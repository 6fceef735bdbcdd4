// The players of a game through the controller: an accepted "Générer" credits the field's player
// (its first spelling, the name rules applied) and empties the field, an empty field and turn 0
// credit nobody, a conflict or a refusal leaves the field, undo brings the undone turn's player
// back; a turn's player can be corrected from turn 1 on, which leaves the game unsaved; the
// ranking and the post follow each change, and the players and the ranking option survive a save
// and a new start-up.
#include "ControllerFixture.h"
#include "PlayOn.h"

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
Act play(const char* player, const QString& proposal)
{
    return {Act::Play, player, proposal};
}
Act correct(qsizetype turn, const char* player, bool taken = true)
{
    return {Act::Correct, player, {}, turn, taken};
}
const Act kInitialise{Act::Initialise}, kUndo{Act::Undo}, kRankingOn{Act::RankingOn},
    kSave{Act::Save}, kReopen{Act::Reopen};

struct PlayerCase {
    const char* name;
    std::vector<Act> acts;
    QStringList players; // each turn's player, turn 0 first
    QList<PlayerStanding> ranking;
    QString field = {};                // the field joueur afterwards
    std::optional<bool> saved = false; // nothing: not checked
    QString block = {};                // what the post holds after the game's lines
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
            game->generate(playOn);
            break;
        case Act::Undo:
            ASSERT_TRUE(game->undoLastTurn());
            break;
        case Act::Correct:
            ASSERT_EQ(game->setTurnPlayer(act.turn, QString::fromUtf8(act.player)), act.taken);
            break;
        case Act::RankingOn:
            ASSERT_FALSE(game->setRankingInPost(true));
            break;
        case Act::Save:
            ASSERT_FALSE(game->save());
            break;
        case Act::Reopen:
            reopened = std::make_unique<GameController>();
            ASSERT_FALSE(reopened->openGame(m_path));
            game = reopened.get();
            break;
        }
        // Each act is followed by a "Copier", so that a post kept from before the act shows.
        game->forumPost();
    }
    // The ranking first: reading every turn for the table below would bring the stored ones in.
    EXPECT_EQ(game->ranking(), GetParam().ranking);
    QStringList players;
    for (const Turn& turn : game->turns())
        players << turn.joueur;
    EXPECT_EQ(players, GetParam().players);
    EXPECT_EQ(game->player(), GetParam().field);
    if (GetParam().saved)
        EXPECT_EQ(!game->isModified(), *GetParam().saved);
    // The ranking follows the game's lines, after an empty line.
    const QString post = game->forumPost().text;
    const qsizetype ranking = post.indexOf(QStringLiteral("\r\r[b]Classement[/b]\r"));
    EXPECT_EQ(ranking < 0 ? QString() : post.sliced(ranking + 1), GetParam().block);
}

const QString kAliceFirst = QStringLiteral("\r[b]Classement[/b]\r1. Alice : 7 lettres\r");
// A game read at start-up counts as changed, whatever its store holds.
constexpr std::nullopt_t kReadBack = std::nullopt;

const PlayerCase kPlayerCases[] = {
    {"AcceptedTurnCreditsTheCleanNameAndEmptiesTheField",
     {kInitialise, play(" Alice\t ", dort::kFirst)},
     {"", "Alice"},
     {standing("Alice", 7, 1)}},
    {"InitialisedTurnZeroCreditsNobody",
     {type("Zoé"), kInitialise, correct(0, "Zoé", false)},
     {""},
     {},
     "Zoé"},
    {"EmptyFieldCreditsNobody",
     {kInitialise, play("", dort::kFirst), play("Bob", dort::kSecond)},
     {"", "", "Bob"},
     {standing("Bob", 3, 1)}},
    {"ConflictLeavesTheField", {kInitialise, play("Bob", dort::kTooLong)}, {""}, {}, "Bob"},
    {"RefusalLeavesTheField", {kInitialise, play("Bob", QString())}, {""}, {}, "Bob"},
    {"FirstSpellingKept",
     {kInitialise, play("alice", dort::kFirst), play("ALICE", dort::kSecond)},
     {"", "alice", "alice"},
     {standing("alice", 10, 2)}},
    {"UndoBringsThePlayerBackAndTakesThemOutOfThePost",
     {kRankingOn, kInitialise, play("Alice", dort::kFirst), kUndo},
     {""},
     {},
     "Alice"},
    {"UndoOfATurnWithoutPlayerEmptiesTheField",
     {kInitialise, play("", dort::kFirst), play("Bob", dort::kTooLong), kUndo},
     {""},
     {}},
    {"UndoMovesThePost",
     {kRankingOn, kInitialise, play("Alice", dort::kFirst), play("Bob", dort::kSecond), kUndo},
     {"", "Alice"},
     {standing("Alice", 7, 1)},
     "Bob",
     false,
     kAliceFirst},
    {"CorrectionKeepsTheFirstSpellingMovesThePostAndLeavesTheGameUnsaved",
     {kRankingOn, kInitialise, play("Alice", dort::kFirst), play("Bob", dort::kSecond), kSave,
      correct(2, "ALICE")},
     {"", "Alice", "Alice"},
     {standing("Alice", 10, 2)},
     "",
     false,
     QStringLiteral("\r[b]Classement[/b]\r1. Alice : 10 lettres\r")},
    // The first turn has no earlier spelling to keep: its own is corrected.
    {"FirstTurnRespelled",
     {kInitialise, play("alice", dort::kFirst), play("ALICE", dort::kSecond), kSave,
      correct(1, "Alice")},
     {"", "Alice", "alice"},
     {standing("Alice", 10, 2)}},
    {"EmptiedCellRemovesTheCredit",
     {kInitialise, play("Alice", dort::kFirst), play("Bob", dort::kSecond), kSave, correct(1, "")},
     {"", "", "Bob"},
     {standing("Bob", 3, 1)}},
    {"NoCorrectionPastTheLastTurn",
     {kInitialise, play("Alice", dort::kFirst), kSave, correct(2, "Bob", false)},
     {"", "Alice"},
     {standing("Alice", 7, 1)},
     "",
     true},
    {"PlayersAndTheRankingOptionComeBackWithTheGame",
     {kRankingOn, kInitialise, play("[Zoé]", dort::kFirst), kSave, kReopen},
     {"", "[Zoé]"},
     {standing("[Zoé]", 7, 1)},
     "",
     kReadBack,
     QStringLiteral("\r[b]Classement[/b]\r1. (Zoé) : 7 lettres\r")},
    // More turns than start-up reads: the ranking reads the earlier ones from the store.
    {"RankingOfAGameReadBack",
     {kInitialise, play("Alice", dort::kFirst), play("Bob", dort::kNothingNew),
      play("Chloé", dort::kNothingNewEither), play("bob", dort::kSecond), kSave, kReopen},
     {"", "Alice", "Bob", "Chloé", "Bob"},
     {standing("Alice", 7, 1), standing("Bob", 3, 2), standing("Chloé", 0, 1)},
     "",
     kReadBack},
};

INSTANTIATE_TEST_SUITE_P(Cases, PlayerActs, testing::ValuesIn(kPlayerCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
