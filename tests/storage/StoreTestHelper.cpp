// Helper program for the storage tests: saves changing games in a loop until killed (the bare
// store, the whole game with its turns, or the game under a new name each time), plays random
// acts without saving until killed, or holds the write lock of a store, or the lock that keeps a
// game to one program, until told to let go.
#include "GameController.h"
#include "GameLock.h"
#include "GameStore.h"
#include "PlayOn.h"
#include "PlayedNames.h"
#include "RecoveryStore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <random>
#include <string>

namespace {

// Every save ties the two tables with n: base "PARTIE n" and nb_lettres n.
int saveLoop(const QString& path, qlonglong first)
{
    GameStore store(path);
    if (!store.open()) {
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (qlonglong n = first;; ++n) {
        const QString number = QString::number(n);
        const GameSession game{QStringLiteral("PARTIE ") + number,
                               QStringLiteral("RESULTAT ") + number,
                               QStringLiteral("PROPOSITION ") + number,
                               QStringLiteral("LETTRES ") + number,
                               n,
                               0};
        TurnHistory history;
        history.restart(turnOf(game, QString()));
        const StoreStatus status = store.saveGame(game, history);
        if (!status) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(status.message()));
            return 3;
        }
    }
}

// The number n of a game whose reference is "PARTIE n ...", or 0.
qlonglong gameNumberOf(const QString& reference)
{
    const QStringList words = reference.split(QLatin1Char(' '));
    return words.size() > 1 && words[0] == QLatin1String("PARTIE") ? words[1].toLongLong() : 0;
}

// Its accented letters are never proposed (see randomProposal): the game is never won.
bool startGame(GameController& game, qlonglong number)
{
    game.referenceEdited(
        QStringLiteral("PARTIE %1 LE VIEUX CHAT NOIR DORT SUR LE TAPIS ROUGE DÉJÀ").arg(number));
    return !game.initialise();
}

// The found text with every letter and mask replaced by a random capital: always accepted.
QString randomProposal(const QString& found)
{
    QString proposal = found;
    for (QChar& c : proposal) {
        if (c == u'*' || c.isLetter())
            c = QChar(char16_t(u'A' + QRandomGenerator::global()->bounded(26)));
    }
    return proposal;
}

// Plays an accepted turn, credited to a random player, before each save, as the master does: the
// game goes on from the
// stored history, now and then a turn is undone and played anew, and a long game gives way to
// a new one (a new history, so the table is written anew).
int turnLoop(const QString& path)
{
    constexpr qsizetype kTurnsPerGame = 70;
    GameController game;
    if (game.openGame(path)) {
        return 2;
    }
    qlonglong number = gameNumberOf(game.session().ref);
    if (number == 0 && !startGame(game, number = 1)) {
        return 4;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        if (game.turnCount() > kTurnsPerGame) {
            if (!startGame(game, ++number)) {
                return 4;
            }
        } else if (QRandomGenerator::global()->bounded(4) == 0 && game.canUndo() &&
                   !game.undoLastTurn()) {
            return 4;
        }
        const qsizetype before = game.turnCount();
        game.playerEdited(
            kPlayedNames[QRandomGenerator::global()->bounded(int(kPlayedNames.size()))]);
        game.proposalEdited(randomProposal(game.session().soluce));
        const EvaluationResult result = game.generate(playOn);
        if (result.refusal || result.conflict || game.turnCount() != before + 1) {
            std::fprintf(stderr, "turn not accepted\n");
            return 4;
        }
        if (const std::optional<Refusal> refusal = game.save()) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(refusal->text));
            return 3;
        }
    }
}

// Plays a turn before each save under a new name, as the master keeping copies does: the game in
// folder/partie-<n>.mdb goes on in partie-<n+1>.mdb, then partie-<n+2>.mdb, and so on.
int saveAsLoop(const QString& folder, qlonglong first)
{
    const auto file = [&](qlonglong n) { return folder + QStringLiteral("/partie-%1.mdb").arg(n); };
    GameController game;
    if (game.openGame(file(first))) {
        return 2;
    }
    if (gameNumberOf(game.session().ref) == 0 && !startGame(game, 1)) {
        return 4;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (qlonglong n = first + 1;; ++n) {
        game.proposalEdited(randomProposal(game.session().soluce));
        if (game.generate(playOn).conflict) {
            return 4;
        }
        // A lock file that a kill left is taken over at once.
        if (const std::optional<Refusal> refusal = game.saveGameAs(file(n))) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(refusal->text));
            return 3;
        }
    }
}

// What the window shows of the game, its whole history included, hashed.
QByteArray shownDigest(GameController& game)
{
    const GameSession& s = game.session();
    QStringList shown{s.ref,
                      s.soluce,
                      s.propal,
                      s.lettres,
                      QString::number(s.lettres_restantes),
                      QString::number(s.lettres_trouvees),
                      QString::number(game.isModified()),
                      game.player(),
                      QString::number(game.canUndo())};
    for (const Turn& turn : game.turns()) {
        shown << turn.propal << turn.result << QString::number(turn.trouvees)
              << QString::number(turn.restantes) << turn.lettres << turn.joueur;
    }
    return QCryptographicHash::hash(shown.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1)
        .toHex();
}

// One of the master's acts, drawn at random: what it does and with what.
struct RandomAct {
    enum Kind {
        Turn,
        Conflict,
        Undo,
        Correction,
        ClearProposal,
        Tidy,
        ClearPage,
        NewPuzzle,
        // The game left without saving («Quitter» or the frame answered Oui, Non before another
        // game), and the program started again on it.
        QuitUnsaved,
    };
    Kind kind = Turn;
    LeaveWay way = LeaveWay::Quit;
    QString text;
    QString player;
    qsizetype number = 0;
};

// In a quitting campaign, about one act in four is an unsaved quit.
RandomAct drawAct(GameController& game, std::mt19937& random, bool quitting)
{
    const auto pick = [&random](int n) {
        return int(std::uniform_int_distribution(0, n - 1)(random));
    };
    RandomAct act;
    act.player = kPlayedNames[pick(int(kPlayedNames.size()))];
    QString proposal = game.session().soluce;
    for (QChar& c : proposal) {
        if (c == u'*' || c.isLetter())
            c = QChar(char16_t(u'A' + pick(26)));
    }
    if (game.session().soluce.isEmpty()) {
        act.kind = RandomAct::NewPuzzle;
        act.text = QStringLiteral("PARTIE %1 LE VIEUX CHAT NOIR DORT SUR LE TAPIS").arg(pick(1000));
        return act;
    }
    const int draw = quitting && pick(4) == 0 ? 99 : pick(100);
    act.kind = draw < 45   ? RandomAct::Turn
               : draw < 55 ? RandomAct::Conflict
               : draw < 70 ? RandomAct::Undo
               : draw < 80 ? RandomAct::Correction
               : draw < 85 ? RandomAct::ClearProposal
               : draw < 92 ? RandomAct::Tidy
               : draw < 96 ? RandomAct::ClearPage
               : draw < 98 ? RandomAct::NewPuzzle
                           : RandomAct::QuitUnsaved;
    act.text = proposal;
    if (act.kind == RandomAct::Conflict)
        act.text.insert(std::max<qsizetype>(0, proposal.indexOf(u' ')), u'X');
    if (act.kind == RandomAct::Tidy)
        act.text = QStringLiteral("  ") + proposal.toLower() + QStringLiteral("? ");
    if (act.kind == RandomAct::NewPuzzle)
        act.text = QStringLiteral("PARTIE %1 LE CHAT DORT").arg(pick(1000));
    act.number = 1 + pick(int(std::max<qsizetype>(1, game.turnCount())));
    act.way = std::array{LeaveWay::Quit, LeaveWay::Close, LeaveWay::OtherGame}[pick(3)];
    return act;
}

void perform(GameController& game, const RandomAct& act)
{
    switch (act.kind) {
    case RandomAct::Turn:
    case RandomAct::Conflict:
        game.playerEdited(act.player);
        game.proposalEdited(act.text);
        game.generate(playOn);
        break;
    case RandomAct::Undo:
        game.undoLastTurn();
        break;
    case RandomAct::Correction:
        // As the history window does, which reads every turn.
        game.turns();
        game.setTurnPlayer(act.number, act.player);
        break;
    case RandomAct::ClearProposal:
        game.clearProposal();
        break;
    case RandomAct::Tidy:
        game.proposalEdited(act.text);
        game.proposalLeft();
        break;
    case RandomAct::ClearPage:
        game.clearPage();
        break;
    case RandomAct::NewPuzzle:
        // Typed as it would be tidied, since leaving the pane is an act of its own.
        game.referenceEdited(act.text);
        game.initialise();
        break;
    case RandomAct::QuitUnsaved:
        break;
    }
}

// Takes up the game's recovery record, says "R <digest>" of the game taken up, then plays random
// acts, never saving, until killed; "Q" says that the game's unsaved quit begins. Each act is first
// played on a shadow game (a copy of the game and its record, taken up the same way), whose digest
// "P <digest>" is said before the act is played on the game; "D" follows once it has. The game
// recovered after a kill must be the last one said, or the one before when the kill fell inside the
// act's write.
int recoveryLoop(const QString& path, unsigned seed, bool quitting)
{
    const Asker takeUp = [](const Question& question) {
        if (question.buttons == Question::Buttons::Ok) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(question.text));
            std::exit(6);
        }
        return Answer::Yes;
    };
    const auto start = [&takeUp](GameController& played, const QString& at) {
        QObject::connect(&played, &GameController::recoveryFailed, [](const Refusal& warning) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(warning.text));
            std::exit(7);
        });
        const std::optional<Refusal> refused = played.openGame(at, takeUp);
        if (refused)
            std::fprintf(stderr, "%s\n", qUtf8Printable(refused->text));
        return !refused;
    };
    auto game = std::make_unique<GameController>();
    if (!start(*game, path))
        return 2;
    // Copied once the game has taken its record up, which rolls back a write the kill cut short.
    const QString shadowFolder = path + QStringLiteral(".ombre");
    QDir(shadowFolder).removeRecursively();
    const QString shadowPath = shadowFolder + QStringLiteral("/plimo.mdb");
    auto shadow = std::make_unique<GameController>();
    if (!QDir().mkpath(shadowFolder) || !QFile::copy(path, shadowPath) ||
        (QFileInfo::exists(RecoveryStore::fileFor(path)) &&
         !QFile::copy(RecoveryStore::fileFor(path), RecoveryStore::fileFor(shadowPath))) ||
        !start(*shadow, shadowPath))
        return 2;
    const QByteArray recovered = shownDigest(*game);
    if (shownDigest(*shadow) != recovered)
        return 5;
    // Quits without saving when the game lets it, and starts again, Oui taking the game up: it
    // must come back as it was.
    // Oui leaves without saving, but before another game, where it saves.
    const auto quitUnsaved = [&start](std::unique_ptr<GameController>& played, const QString& at,
                                      LeaveWay way) {
        const QByteArray before = shownDigest(*played);
        const Answer unsaved = way == LeaveWay::OtherGame ? Answer::No : Answer::Yes;
        if (!played->leave(way, [unsaved](const Question&) { return unsaved; }))
            return true;
        played = std::make_unique<GameController>();
        return start(*played, at) && shownDigest(*played) == before;
    };
    std::printf("R %s\n", recovered.constData());
    std::fflush(stdout);
    std::mt19937 random(seed);
    for (;;) {
        const RandomAct act = drawAct(*shadow, random, quitting);
        if (act.kind == RandomAct::QuitUnsaved && !quitUnsaved(shadow, shadowPath, act.way)) {
            std::fprintf(stderr, "the game quit without saving came back otherwise\n");
            return 8;
        }
        perform(*shadow, act);
        const QByteArray expected = shownDigest(*shadow);
        std::printf("P %s\n", expected.constData());
        std::fflush(stdout);
        if (act.kind == RandomAct::QuitUnsaved) {
            std::printf("Q\n");
            std::fflush(stdout);
            if (!quitUnsaved(game, path, act.way))
                return 8;
        }
        perform(*game, act);
        if (shownDigest(*game) != expected) {
            std::fprintf(stderr, "the game and its shadow differ after act %d\n", int(act.kind));
            return 5;
        }
        std::printf("D\n");
        std::fflush(stdout);
    }
}

// Takes the write lock with an uncommitted change, then rolls back once a line comes in.
int holdLock(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(path);
    if (!db.open()) {
        return 2;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
        !query.exec(QStringLiteral("UPDATE \"données\" SET base = 'VERROU'"))) {
        return 3;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    query.exec(QStringLiteral("ROLLBACK"));
    return 0;
}

// Takes the game's lock as the program does, says what came of it, and keeps it until a line
// comes in or the helper is killed.
int holdGameLock(const QString& path)
{
    // The program's own name, which differs from the executable's as the program's does.
    QCoreApplication::setApplicationName(QStringLiteral("Plimo"));
    GameLock lock;
    const GameLock::Outcome outcome = lock.take(path);
    std::printf("%s\n", outcome == GameLock::Outcome::Taken           ? "locked"
                        : outcome == GameLock::Outcome::HeldElsewhere ? "held"
                                                                      : "failed");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "save-loop") == 0) {
        return saveLoop(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    }
    if (argc == 3 && std::strcmp(argv[1], "turn-loop") == 0) {
        return turnLoop(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && std::strcmp(argv[1], "hold-lock") == 0) {
        return holdLock(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 4 && std::strcmp(argv[1], "save-as-loop") == 0) {
        return saveAsLoop(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    }
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "recovery-loop") == 0) {
        return recoveryLoop(QString::fromLocal8Bit(argv[2]), unsigned(std::stoul(argv[3])),
                            argc == 5 && std::strcmp(argv[4], "quitting") == 0);
    }
    if (argc == 3 && std::strcmp(argv[1], "hold-game-lock") == 0) {
        return holdGameLock(QString::fromLocal8Bit(argv[2]));
    }
    std::fprintf(stderr, "usage: storage_test_helper save-loop <path> <n> | turn-loop <path> | "
                         "save-as-loop <folder> <n> | recovery-loop <path> <seed> [quitting] | "
                         "hold-lock <path> | "
                         "hold-game-lock <path>\n");
    return 1;
}
