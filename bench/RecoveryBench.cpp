// The recovery record's cost: "Générer" with its write on a game of 500 turns, against the same
// turn once the game's file is closed (nothing written), side by side, and with its write on a
// game of 10,000 turns, so that the write's cost is seen not to follow the history's length.
// Prints the ratios of the medians.
#include "BenchStores.h"
#include "GameController.h"
#include "MedianReporter.h"
#include "ReferenceText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRepetitions = 9;

// The benchmarks' game saved with its whole history of kBenchTurns turns, or with 500 turns
// played on it once for all; each call opens a fresh copy.
std::unique_ptr<GameController> savedGame(benchmark::State& state, int turns)
{
    static QTemporaryDir folder;
    static int copies = 0;
    const QString base = folder.filePath(QStringLiteral("base-%1.mdb").arg(turns));
    if (!QFileInfo::exists(base)) {
        GameController game;
        if (!QFile::copy(benchStore(turns == kBenchTurns), base) || game.openGame(base))
            state.SkipWithError("the game was not made");
        for (int turn = int(game.turnCount()); turn < turns; ++turn) {
            game.proposalEdited(benchmarkProposal(turn));
            game.generate([](const Question&) { return Answer::Yes; });
        }
        if (game.save() || game.turnCount() != turns)
            state.SkipWithError("the game was not saved");
    }
    const QString copy = folder.filePath(QStringLiteral("partie-%1.mdb").arg(++copies));
    auto game = std::make_unique<GameController>();
    if (!QFile::copy(base, copy) || game->openGame(copy))
        state.SkipWithError("start-up failed");
    return game;
}

// One accepted "Générer" per iteration; pasting its proposal, which writes nothing, is not timed.
void timeTurns(benchmark::State& state, GameController& game)
{
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        game.proposalEdited(benchmarkProposal(++turn));
        state.ResumeTiming();
        game.generate([](const Question&) { return Answer::Yes; });
    }
    state.counters["turns"] = double(game.turnCount());
}

void BM_Generate500WithRecord(benchmark::State& state)
{
    timeTurns(state, *savedGame(state, 500));
}

// The same turns once a quit has closed the game's file: the game goes on in memory alone.
void BM_Generate500WithoutRecord(benchmark::State& state)
{
    std::unique_ptr<GameController> game = savedGame(state, 500);
    if (!game->leave(LeaveWay::Quit, [](const Question&) { return Answer::Yes; }))
        state.SkipWithError("the game was not left");
    timeTurns(state, *game);
}

void BM_Generate10000WithRecord(benchmark::State& state)
{
    timeTurns(state, *savedGame(state, kBenchTurns));
}

} // namespace

BENCHMARK(BM_Generate500WithRecord)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Generate500WithoutRecord)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Generate10000WithRecord)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    // The recent games each opening writes go to a scratch configuration, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("Générer, 500 turns: with the record / without", "BM_Generate500WithRecord",
                        "BM_Generate500WithoutRecord");
    reporter.printRatio("with the record: 10,000 turns / 500", "BM_Generate10000WithRecord",
                        "BM_Generate500WithRecord");
    benchmark::Shutdown();
    return 0;
}
