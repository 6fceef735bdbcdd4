// Costs of the players, side by side in one run: the window's start-up on a store holding
// 10,000 turns played by 200 players against the same game without history, and "Copier" with
// the ranking (once it is known, and the first one after start-up) against "Copier" without it.
#include "Form1.h"
#include "GameController.h"
#include "ReferenceText.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kTurns = 10000;
constexpr int kPlayers = 200;

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// The 600-character game played for kTurns turns by kPlayers players in turn; without history
// the same game has no tours table at all.
QString storeWith(bool history)
{
    const QString path =
        scratch().filePath(history ? QStringLiteral("players.mdb") : QStringLiteral("alone.mdb"));
    if (QFile::exists(path))
        return path;
    if (QProcess::execute(QStringLiteral(PLIMO_DEFAULT_STORE_TOOL), {path}) != 0)
        std::abort();
    {
        GameController game;
        if (!game.startUp(path))
            std::abort();
        game.referenceEdited(benchmarkReferenceText());
        game.initialise();
        for (int turn = 1; turn < kTurns; ++turn) {
            game.playerEdited(QStringLiteral("Joueur n°%1").arg(turn % kPlayers));
            game.proposalEdited(benchmarkProposal(turn));
            game.generate();
        }
        if (game.save())
            std::abort();
    }
    if (!history) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("b"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE tours"));
        QSqlQuery(db).exec(QStringLiteral("VACUUM"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("b"));
    }
    return path;
}

// The game's start-up, the panes filled, the stored look applied, the window shown.
void BM_WindowStartUp(benchmark::State& state)
{
    const QString path = storeWith(state.range(0) != 0);
    for (auto _ : state) {
        GameController game;
        Form1 window(game);
        if (!window.startUp(path))
            state.SkipWithError("start-up failed");
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowStartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A window on a copy of the 10,000-turn store, the ranking in the post or not.
struct CopyWindow {
    explicit CopyWindow(bool ranking)
        : path(scratch().filePath(QStringLiteral("copy-%1.mdb").arg(int(ranking))))
    {
        QFile::remove(path);
        QFile::copy(storeWith(true), path);
        {
            GameController setUp;
            if (!setUp.startUp(path) || !setUp.setRankingInPost(ranking))
                std::abort();
        }
        if (!window.startUp(path))
            std::abort();
        copier = window.findChild<QPushButton*>(QStringLiteral("bt_copier"));
    }
    QString path;
    GameController game;
    Form1 window{game};
    QPushButton* copier = nullptr;
};

// "Copier" once the ranking is known (a first click reads it), with it and without it.
void BM_Copy(benchmark::State& state)
{
    CopyWindow copy(state.range(0) != 0);
    copy.copier->click();
    for (auto _ : state)
        copy.copier->click();
}
BENCHMARK(BM_Copy)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The first "Copier" after start-up, which reads the turns for the ranking when it is asked for.
void BM_FirstCopyAfterStartUp(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto copy = std::make_unique<CopyWindow>(state.range(0) != 0);
        state.ResumeTiming();
        copy->copier->click();
        state.PauseTiming();
        copy.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstCopyAfterStartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
