// The thread's puzzles between the game file and the game.
#include "PuzzleThread.h"

#include "GameFile.h"
#include "GameStore.h"

void PuzzleThread::opened()
{
    m_fileCount.reset();
    m_kept.reset();
    m_closed.clear();
    m_held.clear();
    m_fileSummaries.reset();
    m_credits.reset();
}

void PuzzleThread::recovered(const ThreadChanges& thread)
{
    opened();
    m_kept = thread.kept;
    if (m_kept)
        m_kept = std::min(*m_kept, fileCount());
    m_closed = thread.closed;
    m_held = QList<StoredTurns>(m_closed.size());
}

void PuzzleThread::saved()
{
    const qsizetype count = pastCount();
    std::optional<QList<PuzzleSummary>> held;
    if (m_fileSummaries)
        held = summaries();
    m_fileCount = count;
    m_kept.reset();
    m_closed.clear();
    m_held.clear();
    m_fileSummaries = std::move(held);
}

qsizetype PuzzleThread::fileCount() const
{
    if (!m_fileCount)
        m_fileCount = m_file.store().threadCount().value_or(0);
    return *m_fileCount;
}

qsizetype PuzzleThread::keptCount() const
{
    return m_kept.value_or(fileCount());
}

qsizetype PuzzleThread::pastCount() const
{
    return keptCount() + m_closed.size();
}

void PuzzleThread::close(ClosedPuzzle puzzle, StoredTurns held)
{
    m_credits.reset();
    m_closed.append(std::move(puzzle));
    m_held.append(std::move(held));
}

std::optional<std::pair<ClosedPuzzle, StoredTurns>> PuzzleThread::takeLast()
{
    if (!m_closed.isEmpty()) {
        m_credits.reset();
        return std::pair{m_closed.takeLast(), m_held.takeLast()};
    }
    const qsizetype kept = keptCount();
    if (kept == 0)
        return std::nullopt;
    std::optional<ClosedPuzzle> last = m_file.store().loadPuzzle(kept);
    if (!last)
        return std::nullopt;
    m_kept = kept - 1;
    m_credits.reset();
    return std::pair{std::move(*last), StoredTurns{}};
}

QList<PuzzleSummary> PuzzleThread::summaries() const
{
    if (!m_fileSummaries)
        m_fileSummaries = m_file.store().puzzleSummaries().value_or(QList<PuzzleSummary>());
    QList<PuzzleSummary> list = m_fileSummaries->mid(0, keptCount());
    for (const ClosedPuzzle& puzzle : m_closed)
        list.append(summaryOf(list.size() + 1, puzzle.session.ref, puzzle.turns));
    return list;
}

std::optional<ClosedPuzzle> PuzzleThread::puzzle(qsizetype number) const
{
    const qsizetype kept = keptCount();
    if (number < 1 || number > pastCount())
        return std::nullopt;
    if (number > kept)
        return m_closed[number - kept - 1];
    return m_file.store().loadPuzzle(number);
}

const QList<QList<TurnCredit>>& PuzzleThread::credits() const
{
    if (m_credits)
        return *m_credits;
    const qsizetype kept = keptCount();
    m_credits = m_file.store().threadCredits(kept).value_or(QList<QList<TurnCredit>>(kept));
    for (const ClosedPuzzle& puzzle : m_closed)
        m_credits->append(creditsOf(puzzle.turns, puzzle.first));
    return *m_credits;
}

ThreadChanges PuzzleThread::changes() const
{
    return {m_kept, m_closed};
}
