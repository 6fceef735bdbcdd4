// What the controller announces after each act, which the windows repaint from: each act tells
// once, at its end, exactly what changed (the session's values it touched, the saved state, the
// field's player, the turns, the players, the open file, a conflict), acts inside another act
// (a save before another game) tell nothing of their own, and a refused act tells nothing.
#include "ControllerFixture.h"
#include "PlayOn.h"

namespace {

// The signals an act emitted, in order; a session change names the values it flags.
QStringList listen(GameController& game, const std::function<void()>& act)
{
    QStringList heard;
    QObject context;
    const auto hear = [&](const char* name) {
        return [&heard, name] { heard << QString::fromLatin1(name); };
    };
    QObject::connect(&game, &GameController::sessionChanged, &context, [&](SessionFields fields) {
        heard << QStringLiteral("session:%1").arg(int(fields), 2, 16, QLatin1Char('0'));
    });
    QObject::connect(&game, &GameController::modifiedChanged, &context,
                     [&](bool modified) { heard << QStringLiteral("modified:%1").arg(modified); });
    QObject::connect(&game, &GameController::playerChanged, &context,
                     [&](const QString& player) { heard << QStringLiteral("player:") + player; });
    QObject::connect(&game, &GameController::historyReset, &context, hear("reset"));
    QObject::connect(&game, &GameController::turnPlayed, &context,
                     [&](qsizetype n) { heard << QStringLiteral("played:%1").arg(n); });
    QObject::connect(&game, &GameController::turnUndone, &context,
                     [&](qsizetype n) { heard << QStringLiteral("undone:%1").arg(n); });
    QObject::connect(&game, &GameController::turnCorrected, &context,
                     [&](qsizetype n) { heard << QStringLiteral("corrected:%1").arg(n); });
    QObject::connect(&game, &GameController::undoAvailableChanged, &context,
                     [&](bool can) { heard << QStringLiteral("undo:%1").arg(can); });
    QObject::connect(&game, &GameController::playersChanged, &context, hear("players"));
    QObject::connect(&game, &GameController::rankingInPostChanged, &context,
                     [&](bool shown) { heard << QStringLiteral("ranking:%1").arg(shown); });
    QObject::connect(&game, &GameController::gameOpened, &context, hear("opened"));
    QObject::connect(&game, &GameController::conflictFound, &context, hear("conflict"));
    act();
    return heard;
}

struct AnnouncementCase {
    const char* name;
    std::function<void(GameController&)> before;
    std::function<void(GameController&)> act;
    QStringList heard;
};

const auto kNothing = [](GameController&) {};
const auto kSaved = [](GameController& g) {
    g.referenceEdited(dort::kReference);
    ASSERT_FALSE(g.initialise());
    ASSERT_FALSE(g.save());
};
const auto kPlayedByAlice = [](GameController& g) {
    kSaved(g);
    g.playerEdited(QStringLiteral("Alice"));
    g.proposalEdited(dort::kFirst);
    ASSERT_FALSE(g.generate(playOn).conflict);
};

class Announcements : public ControllerTest,
                      public ::testing::WithParamInterface<AnnouncementCase> {};

TEST_P(Announcements, TellOnceWhatTheActChanged)
{
    startOnSample();
    GetParam().before(m_game);
    EXPECT_EQ(listen(m_game, [this] { GetParam().act(m_game); }), GetParam().heard);
}

// Session flags: 01 ref, 02 soluce, 04 propal, 08 lettres, 10 remaining count, 20 found count.
INSTANTIATE_TEST_SUITE_P(
    Acts, Announcements,
    ::testing::Values(
        AnnouncementCase{
            "StartUpShowsEverything",
            kNothing,
            [](GameController& g) { ASSERT_FALSE(g.openGame(g.gamePath())); },
            {"opened", "session:3f", "player:", "reset", "undo:0", "ranking:0", "players"}},
        AnnouncementCase{"TypingTheProposalLeavesTheGameUnsaved",
                         kSaved,
                         [](GameController& g) { g.proposalEdited(QStringLiteral("LE")); },
                         {"session:04", "modified:1"}},
        AnnouncementCase{"TypingTheSameTextIsNoChange",
                         kSaved,
                         [](GameController& g) { g.referenceEdited(g.session().ref); },
                         {}},
        AnnouncementCase{
            "AnAcceptedTurn",
            kPlayedByAlice,
            [](GameController& g) {
                g.playerEdited(QStringLiteral("Bob"));
                g.proposalEdited(dort::kSecond);
                g.generate(playOn);
            },
            // The field's edit and the proposal's are acts of their own.
            {"player:Bob", "session:04", "session:3a", "player:", "played:2", "players"}},
        AnnouncementCase{"AConflictRollsBackAndTellsIt",
                         kSaved,
                         [](GameController& g) {
                             g.proposalEdited(dort::kTooLong);
                             g.generate(playOn);
                         },
                         {"session:04", "modified:1", "conflict"}},
        AnnouncementCase{
            "ARefusalTellsNothing", kSaved, [](GameController& g) { g.generate(playOn); }, {}},
        AnnouncementCase{"AnUndo",
                         kPlayedByAlice,
                         [](GameController& g) { ASSERT_TRUE(g.undoLastTurn()); },
                         {"session:3a", "player:Alice", "undone:1", "undo:0", "players"}},
        AnnouncementCase{"ACorrection",
                         [](GameController& g) {
                             kPlayedByAlice(g);
                             ASSERT_FALSE(g.save());
                         },
                         [](GameController& g) { ASSERT_TRUE(g.setTurnPlayer(1, "Bob")); },
                         {"modified:1", "corrected:1", "players"}},
        AnnouncementCase{"ASaveBeforeAnotherGameIsOneAct",
                         kPlayedByAlice,
                         [](GameController& g) {
                             ASSERT_TRUE(g.leave(LeaveWay::OtherGame,
                                                 [](const Question&) { return Answer::Yes; }));
                         },
                         {"modified:0"}},
        AnnouncementCase{"ClearingThePage",
                         kSaved,
                         [](GameController& g) { g.clearPage(); },
                         {"session:1b", "reset", "players"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// A view that acts on the game from a slot (here: the first session change of an accepted turn
// empties the proposal) must not take the outer act's later signals away: they come in full, and
// the nested act's own signals follow them.
TEST_F(ControllerTest, AnActFromASlotKeepsEverySignalOfTheActThatWokeIt)
{
    startOnSample();
    kPlayedByAlice(m_game);
    m_game.playerEdited(QStringLiteral("Bob"));
    m_game.proposalEdited(dort::kSecond);
    QObject context;
    bool once = true;
    QObject::connect(&m_game, &GameController::sessionChanged, &context, [&] {
        if (std::exchange(once, false))
            m_game.clearProposal();
    });
    EXPECT_EQ(listen(m_game, [this] { m_game.generate(playOn); }),
              QStringList({"session:3a", "player:", "played:2", "players", "session:04"}));
    EXPECT_TRUE(m_game.session().propal.isEmpty());
}

} // namespace
