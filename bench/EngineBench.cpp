// Engine benchmarks: a whole 600-character turn and the alignment check alone.
#include "ForumPost.h"
#include "PuzzleEngine.h"
#include "ReferenceText.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FullTurn600(benchmark::State& state)
{
    PuzzleEngine engine;
    const QString reference = benchmarkReferenceText();
    for (auto _ : state)
        benchmark::DoNotOptimize(playFullTurn(engine, reference, reference));
}
BENCHMARK(BM_FullTurn600);

// A whole turn on a reference with other capitals (Ë, Ï, Ÿ, Æ, Ñ, Ü): under the usual rules (0),
// played with the reference itself as BM_FullTurn600 is; and under both rules of the thread (1),
// every letter hidden and accents optional, played with the reference typed without accents.
// Beside BM_FullTurn600 for the ratios.
void BM_FullTurn600OtherCapitals(benchmark::State& state)
{
    PuzzleEngine engine;
    const bool rules = state.range(0) != 0;
    engine.setRules({rules, rules});
    const QString reference = benchmarkReferenceTextWithOtherCapitals();
    QString proposal = reference;
    for (QChar& c : proposal)
        c = rules ? alphabet::baseLetter(c) : c;
    for (auto _ : state)
        benchmark::DoNotOptimize(playFullTurn(engine, reference, proposal));
}
BENCHMARK(BM_FullTurn600OtherCapitals)->DenseRange(0, 1);

void BM_CheckAlignment600(benchmark::State& state)
{
    PuzzleEngine engine;
    GameSession session;
    session.ref = benchmarkReferenceText();
    engine.initialisePuzzle(session);
    session.propal = session.ref;
    for (auto _ : state) {
        AlignmentResult result = engine.checkAlignment(session);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CheckAlignment600);

// The post of a 600-character turn, by forum: the forum of origin (0), phpBB 3, MyBB, Discourse,
// Markdown.
void BM_Post600(benchmark::State& state)
{
    PuzzleEngine engine;
    GameSession session;
    session.ref = benchmarkReferenceText();
    engine.initialisePuzzle(session);
    const Turn initialised = turnOf(session, QString());
    session.propal = benchmarkProposal(1);
    engine.evaluateProposal(session, initialised);
    const Forum forum = Forum(state.range(0));
    for (auto _ : state) {
        QString post = forumPost(forum, session).text;
        benchmark::DoNotOptimize(post);
    }
}
BENCHMARK(BM_Post600)->DenseRange(0, 4);

} // namespace

BENCHMARK_MAIN();
