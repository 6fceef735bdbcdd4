// Plays N whole 600-character turns; run under callgrind with two values of N to count the
// instructions of one turn without start-up costs (see bench/count_turn_instructions.sh).
#include "ForumPost.h"
#include "PuzzleEngine.h"
#include "ReferenceText.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int turns = argc > 1 ? std::atoi(argv[1]) : 1;
    const QString reference = benchmarkReferenceText();

    PuzzleEngine engine;
    qsizetype total = 0;
    for (int i = 0; i < turns; ++i)
        total += playFullTurn(engine, reference, reference);
    std::printf("%lld\n", static_cast<long long>(total));
    return 0;
}
