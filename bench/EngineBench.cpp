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
    for (auto _ : state) {
        GameSession session;
        session.ref = reference;
        engine.initialisePuzzle(session);
        session.propal = reference;
        engine.evaluateProposal(session);
        QString post = forumPost(Forum::Origine, session.soluce, session.lettres_trouvees,
                                 session.lettres_restantes, session.lettres)
                           .text;
        benchmark::DoNotOptimize(post);
    }
}
BENCHMARK(BM_FullTurn600);

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
    session.propal = benchmarkProposal(1);
    engine.evaluateProposal(session);
    const Forum forum = Forum(state.range(0));
    for (auto _ : state) {
        QString post = forumPost(forum, session.soluce, session.lettres_trouvees,
                                 session.lettres_restantes, session.lettres)
                           .text;
        benchmark::DoNotOptimize(post);
    }
}
BENCHMARK(BM_Post600)->DenseRange(0, 4);

} // namespace

BENCHMARK_MAIN();
