// Writes the benchmarks' stores: the game is played through the controller, as a master would,
// then the history is dropped from the store when it is not wanted.
#include "BenchStores.h"

#include "SqlValues.h"
#include "StoreNames.h"

#include "GameController.h"
#include "ReferenceText.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

bool dropHistory(const QString& path)
{
    bool ok = false;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-stores"));
        db.setDatabaseName(path);
        // Without its save's check, as a file saved before the check existed: the history's
        // going would otherwise be told as a change made outside Plimo.
        ok = db.open() && QSqlQuery(db).exec(QStringLiteral("DROP TABLE tours")) &&
             QSqlQuery(db).exec(QStringLiteral("UPDATE %1 SET %2 = NULL")
                                    .arg(quoted(countTable()), quoted(saveCheckColumn()))) &&
             QSqlQuery(db).exec(QStringLiteral("VACUUM"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-stores"));
    return ok;
}

} // namespace

namespace {

// Plays `puzzles` puzzles of the 600-character game in a new store at `path`, each for `turns`
// turns after its turn 0, the turns going to `players` players in turn (nobody when 0), and
// saves it.
bool playBenchGame(const QString& path, int puzzles, int turns, int players)
{
    QFile::remove(path);
    if (QProcess::execute(QStringLiteral(PLIMO_DEFAULT_STORE_TOOL), {path}) != 0)
        return false;
    GameController game;
    if (game.openGame(path))
        return false;
    for (int puzzle = 0; puzzle < puzzles; ++puzzle) {
        game.referenceEdited(benchmarkReferenceText());
        if (game.initialise())
            return false;
        for (int turn = 1; turn <= turns; ++turn) {
            if (players > 0)
                game.playerEdited(QStringLiteral("Joueur n°%1").arg(turn % players));
            game.proposalEdited(benchmarkProposal(turn));
            game.generate([](const Question&) { return Answer::Yes; });
        }
    }
    return game.turnCount() == turns + 1 && game.puzzles().size() == puzzles && !game.save();
}

} // namespace

bool writeBenchStore(const QString& path, bool history, int players)
{
    return playBenchGame(path, 1, kBenchTurns - 1, players) && (history || dropHistory(path));
}

bool writeThreadStore(const QString& path, int puzzles, int turns)
{
    return playBenchGame(path, puzzles, turns, 3);
}

QString benchStore(bool history, int players)
{
    const QString path = scratch().filePath(
        QStringLiteral("%1-%2.mdb").arg(history ? "history" : "alone").arg(players));
    if (!QFile::exists(path) && !writeBenchStore(path, history, players))
        std::abort();
    return path;
}

QString benchStoreCopy(const QString& name, bool history, int players)
{
    const QString path = scratch().filePath(name);
    QFile::remove(path);
    if (!QFile::copy(benchStore(history, players), path))
        std::abort();
    return path;
}
