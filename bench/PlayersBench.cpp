// Costs of the players, side by side in one run: the window's start-up on a store holding
// 10,000 turns played by 200 players against the same game without history, and "Copier" with
// the ranking (once it is known, and the first one after start-up) against "Copier" without it,
// and "Copier" after each change of the game for each forum against the forum of origin; and, on
// a thread of 50 puzzles, "Copier" of the last puzzle's win, with the thread's ranking, against
// "Copier" of its turn before.
#include "BenchStores.h"
#include "Form1.h"
#include "GameController.h"
#include "ReferenceText.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPlayers = 200;

// The game played for kBenchTurns turns by kPlayers players, or the same game without history.
QString storeWith(bool history)
{
    return history ? benchStore(true, kPlayers) : benchStore(false);
}

// The game's start-up, the panes filled, the stored look applied, the window shown.
void BM_WindowStartUp(benchmark::State& state)
{
    const QString path = storeWith(state.range(0) != 0);
    for (auto _ : state) {
        GameController game;
        Form1 window(game);
        if (!window.startUp(commandLineNaming(path)))
            state.SkipWithError("start-up failed");
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowStartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A window on a copy of the 10,000-turn store, the ranking in the post or not, on a forum; or
// on the game at `path`.
struct CopyWindow {
    explicit CopyWindow(bool ranking, Forum forum = Forum::Origine)
        : CopyWindow(
              benchStoreCopy(QStringLiteral("copy-%1-%2.mdb").arg(int(ranking)).arg(int(forum)),
                             true, kPlayers),
              ranking, forum)
    {
    }
    CopyWindow(const QString& game, bool ranking, Forum forum = Forum::Origine) : path(game)
    {
        {
            GameController setUp;
            if (setUp.openGame(path) || setUp.setRankingInPost(ranking) || setUp.setForum(forum))
                std::abort();
        }
        if (!window.startUp(commandLineNaming(path)))
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
    // The post's length shows the benchmark copied what it means to.
    state.counters["chars"] = double(QGuiApplication::clipboard()->text().size());
}
BENCHMARK(BM_Copy)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// "Copier" with the ranking after each change of the remaining letters, so that each click
// writes the post anew, by forum: the forum of origin (0), phpBB 3, MyBB, Discourse, Markdown.
void BM_CopyAfterAChange(benchmark::State& state)
{
    CopyWindow copy(true, Forum(state.range(0)));
    const QString letters[2] = {copy.game.session().lettres,
                                copy.game.session().lettres + QStringLiteral("A ")};
    qsizetype changes = 0;
    copy.copier->click();
    for (auto _ : state) {
        copy.game.remainingLettersEdited(letters[++changes % 2]);
        copy.copier->click();
    }
    state.counters["chars"] = double(QGuiApplication::clipboard()->text().size());
}
BENCHMARK(BM_CopyAfterAChange)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

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
// Each round sets a window up on a fresh copy of the store, which takes far longer than the
// timed click: a fixed count keeps the run short.
BENCHMARK(BM_FirstCopyAfterStartUp)->Arg(0)->Arg(1)->Iterations(20)->Unit(benchmark::kMillisecond);

constexpr int kThreadPuzzles = 50;
constexpr int kPuzzleTurns = 200;
constexpr int kThreadPlayers = 20;

// A thread of kThreadPuzzles puzzles of kPuzzleTurns turns each after turn 0, played by
// kThreadPlayers players in turn, each puzzle won at its last turn: the game saved at the last
// puzzle's turn before its win, or won. Both are written once, at the first use.
QString threadStore(bool won)
{
    static QTemporaryDir dir;
    const QString turn = dir.filePath(QStringLiteral("thread-turn.mdb"));
    const QString win = dir.filePath(QStringLiteral("thread-won.mdb"));
    if (!QFile::exists(win)) {
        GameController game;
        const auto play = [&game](int number, const QString& proposal) {
            game.playerEdited(QStringLiteral("Joueur n°%1").arg(number % kThreadPlayers));
            game.proposalEdited(proposal);
            game.generate([](const Question&) { return Answer::Yes; });
        };
        if (game.newGame(win))
            std::abort();
        for (int puzzle = 1; puzzle <= kThreadPuzzles; ++puzzle) {
            game.referenceEdited(benchmarkReferenceText());
            game.initialise();
            for (int turn = 1; turn < kPuzzleTurns; ++turn)
                play(turn + puzzle, benchmarkProposal(turn));
            if (puzzle == kThreadPuzzles && (game.save() || !QFile::copy(win, turn)))
                std::abort();
            play(kPuzzleTurns + puzzle, benchmarkReferenceText());
        }
        if (game.save() || game.session().lettres_restantes != 0)
            std::abort();
    }
    return won ? win : turn;
}

// "Copier" with the ranking in the post, on the thread's last puzzle: its turn before the win
// (0) and its win, which adds the winner and the thread's ranking (1); each click once the post
// is known, or after each change of the game, so that each click writes the post anew.
void BM_CopyThread(benchmark::State& state)
{
    CopyWindow copy(threadStore(state.range(0) != 0), true);
    const bool changing = state.range(1) != 0;
    const QString letters[2] = {copy.game.session().lettres,
                                copy.game.session().lettres + QStringLiteral("A ")};
    qsizetype changes = 0;
    copy.copier->click();
    for (auto _ : state) {
        if (changing)
            copy.game.remainingLettersEdited(letters[++changes % 2]);
        copy.copier->click();
    }
    state.counters["chars"] = double(QGuiApplication::clipboard()->text().size());
}
BENCHMARK(BM_CopyThread)
    ->ArgNames({"won", "changing"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
