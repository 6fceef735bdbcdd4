// The thread's earlier puzzles: those the game file holds, read when first needed, and those
// closed since its last save, held whole until the next one writes them.
#pragma once

#include "Thread.h"
#include "ThreadStore.h"
#include "TurnStore.h"

#include <QList>

#include <optional>
#include <utility>

class GameFile;

class PuzzleThread {
  public:
    explicit PuzzleThread(GameFile& file) : m_file(file) {}

    // Another game file is open: its earlier puzzles are its own, read when first needed.
    void opened();
    // The game was taken up from its recovery record, whose thread this is.
    void recovered(const ThreadChanges& thread);
    // The game's file holds the thread as it is.
    void saved();

    // How many puzzles came before the current one.
    qsizetype pastCount() const;
    // A puzzle closed into the thread, after the others, with what the game file's table of
    // turns held of it (the puzzle saved last, as it was saved).
    void close(ClosedPuzzle puzzle, StoredTurns held);
    // The last earlier puzzle, taken out of the thread to be played on, and what the game
    // file's table of turns holds of it; nothing when there is none or it cannot be read back.
    std::optional<std::pair<ClosedPuzzle, StoredTurns>> takeLast();

    // The list's line of each earlier puzzle, and one of them whole (from 1).
    QList<PuzzleSummary> summaries() const;
    std::optional<ClosedPuzzle> puzzle(qsizetype number) const;
    // The credits of each earlier puzzle's turns from 1: a puzzle that cannot be read counts
    // for nobody.
    const QList<QList<TurnCredit>>& credits() const;

    // What a save or the recovery record writes of the thread: the file's puzzles that stay, and
    // those closed since; nothing beyond the file's when the thread did not change.
    ThreadChanges changes() const;

  private:
    // The file's earlier puzzles, counted when first needed: 0 when they cannot be read.
    qsizetype fileCount() const;
    // The file's first puzzles still in the thread.
    qsizetype keptCount() const;

    GameFile& m_file;
    mutable std::optional<qsizetype> m_fileCount;
    // The file's first puzzles still in the thread, when some were taken out of it.
    std::optional<qsizetype> m_kept;
    QList<ClosedPuzzle> m_closed;
    QList<StoredTurns> m_held;
    mutable std::optional<QList<PuzzleSummary>> m_fileSummaries;
    mutable std::optional<QList<QList<TurnCredit>>> m_credits;
};
