// Opening a game of 10,000 turns from the menu, the program being on another game, against the
// controller's start-up on the same file, side by side; prints the ratio of the medians.
#include "BenchStores.h"
#include "GameController.h"
#include "MedianReporter.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRepetitions = 9;

// Times `open` on a controller that `prepare` readies first; neither the readying nor the end
// of the controller is timed.
template <typename Prepare, typename Open>
void timeOpening(benchmark::State& state, Prepare prepare, Open open)
{
    const QString path = benchStore(true);
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<GameController>();
        prepare(*game);
        state.ResumeTiming();
        if (!open(*game, path))
            state.SkipWithError("the game did not open");
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
}

void BM_StartUp(benchmark::State& state)
{
    timeOpening(
        state, [](GameController&) {},
        [](GameController& game, const QString& path) { return !game.openGame(path); });
}

// "Ouvrir une partie…" while the game without history is open.
void BM_OpenFromMenu(benchmark::State& state)
{
    const QString other = benchStore(false);
    timeOpening(
        state,
        [&](GameController& game) {
            if (game.openGame(other))
                state.SkipWithError("the other game did not open");
        },
        [](GameController& game, const QString& path) { return !game.openGame(path); });
}

} // namespace

BENCHMARK(BM_StartUp)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenFromMenu)
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
    reporter.printRatio("open from the menu / start-up", "BM_OpenFromMenu", "BM_StartUp");
    benchmark::Shutdown();
    return 0;
}
