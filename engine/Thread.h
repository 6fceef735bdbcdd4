// A forum thread of plimo: the puzzles played one after another with the same players, and the
// thread's ranking over all of them.
#pragma once

#include "GameSession.h"
#include "Players.h"
#include "TurnHistory.h"

#include <QList>
#include <QString>

// The longest start of a puzzle's reference a list of the thread's puzzles shows.
inline constexpr qsizetype kPuzzleTitleLength = 40;

// One puzzle of the thread as its list shows it.
struct PuzzleSummary {
    qsizetype number = 0;    // from 1, in the order the puzzles were started
    QString reference;       // the reference's first kPuzzleTitleLength characters
    qsizetype turns = 0;     // the turns played after turn 0
    bool won = false;        // nothing was left to place at its last turn
    QString lastLetterBy;    // the player credited with the winning turn; empty for nobody

    bool operator==(const PuzzleSummary&) const = default;
};

// A puzzle closed into the thread: the game as it stood, and its turns from `first` (0, unless
// its earliest turns could not be read back), the last one its state.
struct ClosedPuzzle {
    GameSession session;
    QList<Turn> turns;
    qsizetype first = 0;

    bool operator==(const ClosedPuzzle&) const = default;
};

// A puzzle of the thread before the current one, as its history shows it.
struct PastPuzzle {
    QList<Turn> turns;                 // turn 0 first
    QList<PlayerStanding> ranking;     // the puzzle's own ranking
    qsizetype first = 0;               // the number of turns' first one
};

// One line of the thread's ranking.
struct ThreadStanding {
    QString name;        // the spelling first used in the thread
    qint64 points = 0;   // the letters credited to the player in every puzzle, added up
    qint64 puzzles = 0;  // how many puzzles credit the player with at least one turn

    bool operator==(const ThreadStanding&) const = default;
};

// The thread's ranking from each puzzle's credits (its turns from 1, in the order played),
// earliest puzzle first: by points, highest first; between equal points the player who reached
// that total earlier in the thread comes first. Names are matched as in a puzzle's ranking.
QList<ThreadStanding> threadRanking(const QList<QList<TurnCredit>>& puzzles);

// What turns numbered from `first` credit, in order; turn 0 credits nobody and is left out.
QList<TurnCredit> creditsOf(const QList<Turn>& turns, qsizetype first);

// The puzzle's line in the list, from its reference and turns (turn 0 first).
PuzzleSummary summaryOf(qsizetype number, const QString& reference, const QList<Turn>& turns);
