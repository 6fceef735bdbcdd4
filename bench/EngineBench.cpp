// Engine benchmarks: a whole 600-character turn and the alignment check alone.
#include "PuzzleEngine.h"

#include <benchmark/benchmark.h>

namespace {

// 600 characters of French text with accents, apostrophes and punctuation.
QString referenceText()
{
    const QString sentence = QStringLiteral(
        "L'ÉTÉ, À NOËL, LE PETIT CHAT GRIS DORT PRÈS DU FEU ; ÇA SENT LE PAIN ET LE CŒUR ! ");
    QString text;
    while (text.size() < 600)
        text += sentence;
    text.truncate(600);
    return text;
}

void BM_FullTurn600(benchmark::State& state)
{
    PuzzleEngine engine;
    const QString reference = referenceText();
    for (auto _ : state) {
        GameSession session;
        session.ref = reference;
        engine.initialisePuzzle(session);
        session.propal = reference;
        engine.evaluateProposal(session);
        QString post = buildForumPost(session.soluce, session.lettres_trouvees,
                                      session.lettres_restantes, session.lettres);
        benchmark::DoNotOptimize(post);
    }
}
BENCHMARK(BM_FullTurn600);

void BM_CheckAlignment600(benchmark::State& state)
{
    PuzzleEngine engine;
    GameSession session;
    session.ref = referenceText();
    engine.initialisePuzzle(session);
    session.propal = session.ref;
    for (auto _ : state) {
        AlignmentResult result = engine.checkAlignment(session);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_CheckAlignment600);

} // namespace

BENCHMARK_MAIN();
