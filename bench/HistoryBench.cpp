// Costs of the turn history, each against the same work without it, side by side in one run:
// start-up (the game alone, and the whole window) on a store holding 10,000 turns or none,
// "Enregistrer" after one more turn, and one undo.
#include "BenchStores.h"
#include "Form1.h"
#include "GameController.h"
#include "GameStore.h"
#include "ReferenceText.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kTurns = kBenchTurns;

void playTurn(GameController& game, int turn)
{
    game.proposalEdited(benchmarkProposal(turn));
    game.generate([](const Question&) { return Answer::Yes; });
}

// The game played for kBenchTurns turns, with its history (Arg kBenchTurns) or without (Arg 0).
QString storeWith(int turns)
{
    return benchStore(turns != 0);
}

void BM_GameStartUp(benchmark::State& state)
{
    const QString path = storeWith(int(state.range(0)));
    for (auto _ : state) {
        GameController game;
        if (game.openGame(path))
            state.SkipWithError("start-up failed");
        benchmark::DoNotOptimize(game.turnCount());
    }
}
BENCHMARK(BM_GameStartUp)->Arg(0)->Arg(kTurns)->Unit(benchmark::kMillisecond);

// The whole window: the game's start-up, the panes filled, the stored look applied, shown.
void BM_WindowStartUp(benchmark::State& state)
{
    const QString path = storeWith(int(state.range(0)));
    for (auto _ : state) {
        GameController game;
        Form1 window(game);
        if (!window.startUp(commandLineNaming(path)))
            state.SkipWithError("start-up failed");
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowStartUp)->Arg(0)->Arg(kTurns)->Unit(benchmark::kMillisecond);

// Saves, each after one more accepted turn that is not timed, on a copy of the store.
template <typename Save> void timeSaves(benchmark::State& state, int turns, Save save)
{
    const QString path = benchStoreCopy(QStringLiteral("save-%1.mdb").arg(turns), turns != 0);
    GameController game;
    if (game.openGame(path))
        state.SkipWithError("start-up failed");
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        playTurn(game, ++turn);
        state.ResumeTiming();
        if (!save(game))
            state.SkipWithError("save failed");
    }
    state.counters["turns"] = double(game.turnCount());
}

// "Enregistrer": données, compteurs and the turns not yet stored.
void BM_SaveAfterTurn(benchmark::State& state)
{
    timeSaves(state, int(state.range(0)), [](GameController& game) { return !game.save(); });
}
BENCHMARK(BM_SaveAfterTurn)->Arg(0)->Arg(kTurns)->Unit(benchmark::kMillisecond);

// The save as it was before the history: données and compteurs only.
// One undo on a 10,000-turn history; the turn that puts it back is not timed.
void BM_Undo(benchmark::State& state)
{
    GameController game;
    if (game.openGame(storeWith(kTurns)))
        state.SkipWithError("start-up failed");
    int turn = 0;
    for (auto _ : state) {
        if (!game.undoLastTurn())
            state.SkipWithError("nothing to undo");
        state.PauseTiming();
        playTurn(game, ++turn);
        state.ResumeTiming();
    }
    state.counters["turns"] = double(game.turnCount());
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMicrosecond);

// The undo that goes past the turns read at start-up, which reads earlier turns back from the
// store: the slowest undo there is.
void BM_UndoReadingBack(benchmark::State& state)
{
    const QString path = storeWith(kTurns);
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<GameController>();
        if (!game->openGame(path))
            state.SkipWithError("start-up failed");
        // Down to the last turn at hand: the next undo drops it and reads earlier ones back.
        while (game->turnCount() - 1 > game->firstTurnNumber())
            game->undoLastTurn();
        state.ResumeTiming();
        if (!game->undoLastTurn())
            state.SkipWithError("nothing to undo");
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoReadingBack)->Unit(benchmark::kMicrosecond);

} // namespace
