// Crash safety: a program saving changing games in a loop is killed (SIGKILL) at random moments,
// 200 times; after each kill the file opens, passes SQLite's integrity check, and its two tables
// hold one whole saved game (the texts and the count of the same save), never older than the
// game found after the previous kill. The same holds when each save follows an accepted turn
// of the whole game: the last stored turn is always the saved game's, and every stored turn's
// player is one of those played. A program playing without saving, killed, gives back at its
// next start the game as it showed after its last act.
#include "GameController.h"
#include "GameStore.h"
#include "PlayOn.h"
#include "PlayedNames.h"
#include "Players.h"
#include "StoreFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

constexpr int kKills = 200;

// The n that ties the stored game together, or -1 when the tables disagree.
qlonglong wholeGameNumber(const GameSession& game)
{
    const QString n = QString::number(game.lettres_restantes);
    const GameSession expected{QStringLiteral("PARTIE ") + n,
                               QStringLiteral("RESULTAT ") + n,
                               QStringLiteral("PROPOSITION ") + n,
                               QStringLiteral("LETTRES ") + n,
                               game.lettres_restantes,
                               0};
    return game == expected ? game.lettres_restantes : -1;
}

// Runs the store helper's write loop and kills it a random while after its first line; the seed
// is recorded so that a failing run can be replayed.
class RandomKiller {
  public:
    explicit RandomKiller(int maxDelayMs)
        : m_seed(std::random_device{}()), m_random(m_seed), m_delayMs(0, maxDelayMs)
    {
        ::testing::Test::RecordProperty("seed", std::to_string(m_seed));
    }

    // Starts the loop with these arguments and kills it while it still runs; `output` gets
    // what it wrote until then.
    ::testing::AssertionResult killMidRun(const QStringList& arguments, int readyMs = 10000,
                                          QByteArray* output = nullptr)
    {
        QProcess helper;
        helper.start(QStringLiteral(STORE_TEST_HELPER), arguments);
        if (!helper.waitForStarted(10000))
            return ::testing::AssertionFailure() << "the helper did not start";
        if (!helper.waitForReadyRead(readyMs))
            return ::testing::AssertionFailure()
                   << "the helper said nothing, code " << helper.exitCode() << ": "
                   << qPrintable(helper.readAllStandardError());
        QThread::msleep(static_cast<unsigned long>(m_delayMs(m_random)));
        if (helper.state() != QProcess::Running)
            return ::testing::AssertionFailure()
                   << "the helper ended with code " << helper.exitCode() << ": "
                   << qPrintable(helper.readAllStandardError());
        helper.kill();
        if (!helper.waitForFinished(10000) || helper.exitStatus() != QProcess::CrashExit)
            return ::testing::AssertionFailure() << "the helper did not end killed";
        if (output)
            *output = helper.readAllStandardOutput();
        return ::testing::AssertionSuccess();
    }

    unsigned seed() const { return m_seed; }

  private:
    unsigned m_seed;
    std::mt19937 m_random;
    std::uniform_int_distribution<int> m_delayMs;
};

TEST(CrashSafetyTest, KilledSavesLeaveOneWholeGame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeSampleStore(path, {QStringLiteral("UPDATE \"données\" SET base = 'PARTIE 0', "
                                          "result = 'RESULTAT 0', propal = 'PROPOSITION 0', "
                                          "lettres = 'LETTRES 0'"),
                           QStringLiteral("UPDATE compteurs SET nb_lettres = 0")});
    RandomKiller killer(25);

    qlonglong last = 0;
    int killedMidSave = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(
            killer.killMidRun({QStringLiteral("save-loop"), path, QString::number(last + 1)}));
        if (QFileInfo(path + QStringLiteral("-journal")).size() > 0) {
            ++killedMidSave;
        }

        {
            RawStore raw(path);
            ASSERT_TRUE(raw.isOpen()) << "kill " << kill;
            ASSERT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                      QStringLiteral("ok"))
                << "kill " << kill;
        }
        GameStore store(path);
        const StoreStatus opened = store.open();
        ASSERT_TRUE(opened) << "kill " << kill << ": " << qPrintable(opened.message());
        const GameSession game = store.loadGame();
        const qlonglong n = wholeGameNumber(game);
        ASSERT_GE(n, last) << "kill " << kill << ": torn or older game, base "
                           << qPrintable(game.ref) << ", count "
                           << game.lettres_restantes;
        last = n;
    }
    ::testing::Test::RecordProperty("kills", kKills);
    ::testing::Test::RecordProperty("killedMidSave", killedMidSave);
    ::testing::Test::RecordProperty("saves", std::to_string(last));
    std::printf("%d kills, %d left a hot journal, %lld saves in all\n", kKills, killedMidSave,
                last);
}

// Reading the game and the last stored turn with raw SQL, so that nothing of the program's own
// reading hides a torn write.
struct StoredState {
    QString base, result, propal, lettres;
    qlonglong count = 0;
    qlonglong turns = 0, minNumero = -1, maxNumero = -1;
    QString lastPropal, lastResult, lastLettres;
    qlonglong lastRestantes = -1;
    QStringList players; // the distinct players of the stored turns
};

StoredState storedState(const RawStore& raw)
{
    StoredState state;
    state.base = raw.value(QStringLiteral("SELECT base FROM \"données\"")).toString();
    state.result = raw.value(QStringLiteral("SELECT result FROM \"données\"")).toString();
    state.propal = raw.value(QStringLiteral("SELECT propal FROM \"données\"")).toString();
    state.lettres = raw.value(QStringLiteral("SELECT lettres FROM \"données\"")).toString();
    state.count = raw.value(QStringLiteral("SELECT nb_lettres FROM compteurs")).toLongLong();
    if (!raw.value(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'tours'")).isValid()) {
        return state;
    }
    state.turns = raw.value(QStringLiteral("SELECT count(*) FROM tours")).toLongLong();
    state.minNumero = raw.value(QStringLiteral("SELECT min(numero) FROM tours")).toLongLong();
    state.maxNumero = raw.value(QStringLiteral("SELECT max(numero) FROM tours")).toLongLong();
    const QString last = QStringLiteral(" FROM tours ORDER BY numero DESC LIMIT 1");
    state.lastPropal = raw.value(QStringLiteral("SELECT propal") + last).toString();
    state.lastResult = raw.value(QStringLiteral("SELECT result") + last).toString();
    state.lastLettres = raw.value(QStringLiteral("SELECT lettres") + last).toString();
    state.lastRestantes = raw.value(QStringLiteral("SELECT restantes") + last).toLongLong();
    state.players = raw.value(QStringLiteral("SELECT group_concat(joueur, char(10)) FROM "
                                             "(SELECT DISTINCT joueur FROM tours)"))
                        .toString()
                        .split(QLatin1Char('\n'));
    return state;
}

qlonglong gameNumberOf(const QString& reference)
{
    const QStringList words = reference.split(QLatin1Char(' '));
    return words.size() > 1 && words[0] == QLatin1String("PARTIE") ? words[1].toLongLong() : 0;
}

TEST(CrashSafetyTest, KilledTurnSavesLeaveTheLastTurnTiedToTheGame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeSampleStore(path);
    RandomKiller killer(50);

    // Progress never goes back: a later game, or the same game with at least as many turns.
    std::tuple<qlonglong, qlonglong> last{0, 0};
    int killedMidSave = 0;
    QStringList played;
    for (const QString& name : kPlayedNames)
        played << cleanPlayerName(name);
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_TRUE(killer.killMidRun({QStringLiteral("turn-loop"), path}));
        if (QFileInfo(path + QStringLiteral("-journal")).size() > 0) {
            ++killedMidSave;
        }

        StoredState state;
        {
            RawStore raw(path);
            ASSERT_TRUE(raw.isOpen()) << "kill " << kill;
            ASSERT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                      QStringLiteral("ok"))
                << "kill " << kill;
            state = storedState(raw);
        }
        const std::tuple<qlonglong, qlonglong> progress{gameNumberOf(state.base), state.turns};
        if (progress == std::tuple<qlonglong, qlonglong>{0, 0}) {
            // Killed before its first save: the sample game is still there, with no turns.
            ASSERT_EQ(state.base, QStringLiteral("LE CHAT")) << "kill " << kill;
            continue;
        }
        ASSERT_EQ(state.minNumero, 0) << "kill " << kill;
        ASSERT_EQ(state.maxNumero, state.turns - 1) << "kill " << kill;
        ASSERT_EQ(state.lastResult, state.result) << "kill " << kill;
        ASSERT_EQ(state.lastLettres, state.lettres) << "kill " << kill;
        ASSERT_EQ(state.lastRestantes, state.count) << "kill " << kill;
        // Each save follows an accepted turn, whose proposal is the one the game shows.
        ASSERT_EQ(state.lastPropal, state.propal) << "kill " << kill;
        for (const QString& player : state.players)
            ASSERT_TRUE(played.contains(player)) << "kill " << kill << ": " << qPrintable(player);
        ASSERT_GE(progress, last) << "kill " << kill << ": older game or shorter history, game "
                                  << std::get<0>(progress) << ", " << state.turns << " turns";
        last = progress;

        // The program takes the history up at start-up.
        GameController game;
        const std::optional<Refusal> refused = game.openGame(path);
        ASSERT_FALSE(refused) << "kill " << kill << ": " << qPrintable(refused->text);
        ASSERT_EQ(game.turnCount(), state.turns) << "kill " << kill;
    }
    ::testing::Test::RecordProperty("kills", kKills);
    ::testing::Test::RecordProperty("killedMidSave", killedMidSave);
    std::printf("%d kills, %d left a hot journal, game %lld with %lld turns at the end\n", kKills,
                killedMidSave, std::get<0>(last), std::get<1>(last));
}

// Killed during "Enregistrer la partie sous…": the new file is absent or a whole game, and the
// file the program went on from is left byte for byte.
TEST(CrashSafetyTest, KilledSavesUnderANewNameLeaveWholeGames)
{
    constexpr int kSaveAsKills = 60;
    QTemporaryDir dir;
    const auto file = [&](qlonglong n) {
        return dir.filePath(QStringLiteral("partie-%1.mdb").arg(n));
    };
    makeSampleStore(file(0));
    RandomKiller killer(200);

    qlonglong last = 0;
    for (int kill = 0; kill < kSaveAsKills; ++kill) {
        const QByteArray before = fileBytes(file(last));
        ASSERT_TRUE(killer.killMidRun(
            {QStringLiteral("save-as-loop"), dir.path(), QString::number(last)}, 60000));

        ASSERT_EQ(fileBytes(file(last)), before) << "kill " << kill;
        for (qlonglong n = last + 1; QFileInfo::exists(file(n)); last = n++) {
            RawStore raw(file(n));
            ASSERT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                      QStringLiteral("ok"))
                << "kill " << kill << ", file " << n;
            const StoredState state = storedState(raw);
            ASSERT_EQ(state.maxNumero, state.turns - 1) << "kill " << kill << ", file " << n;
            ASSERT_EQ(state.lastResult, state.result) << "kill " << kill << ", file " << n;
            ASSERT_EQ(state.lastPropal, state.propal) << "kill " << kill << ", file " << n;
        }
    }
    // Scratch files of the copies cut short are all that a kill leaves beside the games, and
    // the next save under a new name sweeps them away, one planted for sure among them. (A kill
    // after a copy was made but before the game went on with it leaves the recovery record of
    // the turn played on the game copied, which its next opening offers back.)
    const auto scratchFiles = [&] {
        QStringList files =
            QDir(dir.path()).entryList({QStringLiteral(".partie-*")}, QDir::Files | QDir::Hidden);
        files.removeIf(
            [](const QString& name) { return name.endsWith(QLatin1String(".reprise")); });
        return files;
    };
    const qsizetype cutShort = scratchFiles().size();
    writeBytes(endedScratchFile(file(last + 1)), "copie");
    GameController game;
    ASSERT_FALSE(game.openGame(file(last)));
    // Under the killed program's next name, whose lock it may have left half made a moment ago.
    const std::optional<Refusal> refusal = game.saveGameAs(file(last + 1));
    ASSERT_FALSE(refusal) << qPrintable(refusal->text);
    EXPECT_EQ(scratchFiles(), QStringList());
    std::printf("%d kills, %lld copies made, %lld cut short\n", kSaveAsKills, last,
                qlonglong(cutShort));
}

// Killed while playing without saving: random acts (turns credited to random players, conflicts,
// undos into the saved turns, corrections of saved turns, clears, new puzzles, the game left
// without saving, by «Quitter» or the frame answered Oui or Non before another game, then a start
// answering Oui, which must give the game back as it was), a kill at a random moment, a start
// answering Oui. After every kill the game taken up is the one the helper said after its last
// act, or after the act before when the kill fell inside the last act's write; and the game
// file, never saved again, is left byte for byte. With `quitting`, one act in four is an unsaved
// quit, so that many kills fall inside a quit's write of the copy or the start after it.
struct PlayCampaign {
    int kills = 0;
    int acts = 0;
    int insideAWrite = 0;
    int insideAQuit = 0;
    int mismatches = 0;
};

PlayCampaign killPlay(int kills, bool quitting)
{
    PlayCampaign campaign;
    campaign.kills = kills;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeSampleStore(path);
    {
        GameController game;
        EXPECT_FALSE(game.openGame(path));
        game.referenceEdited(QStringLiteral("LE VIEUX CHAT NOIR DORT SUR LE TAPIS ROUGE"));
        EXPECT_FALSE(game.initialise());
        for (int turn = 0; turn < 30; ++turn) {
            game.playerEdited(kPlayedNames[turn % kPlayedNames.size()]);
            game.proposalEdited(turn % 2
                                    ? QStringLiteral("LA VIEUE CHAR NOIS DORS SUR LA TAPIT ROUGI")
                                    : QStringLiteral("LU VIEAX CHIT NOIT DORX SUR LU TAPOS ROUGU"));
            EXPECT_FALSE(game.generate(playOn).conflict);
        }
        EXPECT_FALSE(game.save());
    }
    const QByteArray saved = fileBytes(path);
    RandomKiller killer(300);

    QByteArrayList shown;
    for (int kill = 0; kill <= kills; ++kill) {
        QByteArray output;
        QStringList arguments{QStringLiteral("recovery-loop"), path,
                              QString::number(killer.seed() + unsigned(kill))};
        if (quitting)
            arguments << QStringLiteral("quitting");
        const ::testing::AssertionResult killed = killer.killMidRun(arguments, 10000, &output);
        EXPECT_TRUE(killed) << "kill " << kill;
        EXPECT_EQ(fileBytes(path), saved) << "kill " << kill;
        QByteArrayList lines = output.split('\n');
        if (!killed || !lines.first().startsWith("R ")) {
            ADD_FAILURE() << "kill " << kill << ": no game taken up";
            return campaign;
        }
        const QByteArray recovered = lines.first().mid(2);
        if (!shown.isEmpty() && !shown.contains(recovered)) {
            ++campaign.mismatches;
            ADD_FAILURE() << "kill " << kill - 1 << ": the game taken up is none of those shown";
        }
        if (shown.size() == 2 && shown[0] != shown[1] && recovered == shown[1])
            ++campaign.insideAWrite;
        if (kill == kills)
            break;
        // The last game said, then the one before it; whether the kill fell inside a quit.
        shown = {recovered, recovered};
        bool quitCut = false;
        for (const QByteArray& line : lines) {
            if (line.startsWith("P ")) {
                shown = {line.mid(2), shown[0]};
                ++campaign.acts;
            }
            quitCut = line == "Q" || (quitCut && line != "D");
        }
        campaign.insideAQuit += quitCut ? 1 : 0;
    }
    ::testing::Test::RecordProperty("kills", kills);
    ::testing::Test::RecordProperty("acts", campaign.acts);
    ::testing::Test::RecordProperty("insideAQuit", campaign.insideAQuit);
    ::testing::Test::RecordProperty("mismatches", campaign.mismatches);
    std::printf("%d kills, %d acts, %d kills inside an act's write, %d inside an unsaved quit, "
                "%d mismatches\n",
                kills, campaign.acts, campaign.insideAWrite, campaign.insideAQuit,
                campaign.mismatches);
    return campaign;
}

TEST(CrashSafetyTest, KilledPlayIsTakenUpAsTheLastActShowedIt)
{
    EXPECT_EQ(killPlay(150, false).mismatches, 0);
}

// Quits without saving, often, each followed by a start answering Oui to «La partie a été quittée
// sans enregistrer …», and kills in and around them. PLIMO_QUIT_KILLS sets how many kills (a
// longer campaign by hand).
TEST(CrashSafetyTest, KilledAroundUnsavedQuitsTakesTheGameUpAsItWas)
{
    const int kills = qEnvironmentVariableIsSet("PLIMO_QUIT_KILLS")
                          ? qEnvironmentVariableIntValue("PLIMO_QUIT_KILLS")
                          : 60;
    EXPECT_EQ(killPlay(kills, true).mismatches, 0);
}

} // namespace
