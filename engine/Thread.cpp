// The thread's ranking and the list of its puzzles.
#include "Thread.h"

#include <QHash>
#include <QSet>

QList<ThreadStanding> threadRanking(const QList<QList<TurnCredit>>& puzzles)
{
    // One tally over the whole thread, its turns numbered one after another, so that the tie
    // rule of a puzzle's ranking holds across puzzles.
    PlayerTally tally;
    QHash<QString, qint64> played;
    qsizetype sequence = 0;
    for (const QList<TurnCredit>& credits : puzzles) {
        QSet<QString> inPuzzle;
        for (const TurnCredit& credit : credits) {
            tally.add(credit.joueur, credit.trouvees, ++sequence);
            if (!credit.joueur.isEmpty())
                inPuzzle.insert(playerKey(credit.joueur));
        }
        for (const QString& key : inPuzzle)
            ++played[key];
    }
    QList<ThreadStanding> standings;
    for (const PlayerStanding& standing : tally.ranking())
        standings.append({standing.name, standing.points, played.value(playerKey(standing.name))});
    return standings;
}

QList<TurnCredit> creditsOf(const QList<Turn>& turns, qsizetype first)
{
    QList<TurnCredit> credits;
    for (qsizetype i = first > 0 ? 0 : 1; i < turns.size(); ++i)
        credits.append({turns[i].joueur, turns[i].trouvees});
    return credits;
}

PuzzleSummary summaryOf(qsizetype number, const QString& reference, const QList<Turn>& turns)
{
    PuzzleSummary summary;
    summary.number = number;
    summary.reference = reference.left(kPuzzleTitleLength);
    summary.turns = std::max<qsizetype>(0, turns.size() - 1);
    summary.won = turns.size() > 1 && turns.last().restantes == 0;
    if (summary.won)
        summary.lastLetterBy = turns.last().joueur;
    return summary;
}
