// The thread's earlier puzzles in the tables fil_enigmes and fil_tours, on the game store's
// connection and inside its transactions. A version that does not know the thread never writes
// them, so they outlive its saves.
#pragma once

#include "Thread.h"

#include <QList>
#include <QSqlError>
#include <QString>

#include <optional>

// What a save brings to the thread's earlier puzzles: the file's first `kept` stay as they are
// (all of them when it is not given), and the puzzles closed since follow them.
struct ThreadChanges {
    std::optional<qsizetype> kept;
    QList<ClosedPuzzle> closed;

    bool changesNothing() const { return !kept && closed.isEmpty(); }
    bool operator==(const ThreadChanges&) const = default;
};

class ThreadStore {
  public:
    // The tables of the database attached under `schema`: the game file's own, or the recovery
    // record's, which keeps the puzzles closed since the last save in tables of the same shape.
    explicit ThreadStore(QString connectionName, QString schema = QStringLiteral("main"))
        : m_connectionName(std::move(connectionName)), m_schema(std::move(schema))
    {
    }

    // How many earlier puzzles the file holds, numbered 1 to that count; 0 without the tables.
    // Nothing when they cannot be read.
    std::optional<qsizetype> count() const;
    // The list's line of each earlier puzzle, in order.
    std::optional<QList<PuzzleSummary>> summaries() const;
    // Earlier puzzle `number`, whole.
    std::optional<ClosedPuzzle> puzzle(qsizetype number) const;
    // The credits of the turns from 1 of puzzles 1 to `count`, puzzle by puzzle.
    std::optional<QList<QList<TurnCredit>>> credits(qsizetype count) const;

    // Inside the store's transaction: keeps the first `kept` puzzles and writes `closed` after
    // them, numbered from kept + 1. The database's error, or nothing.
    std::optional<QSqlError> write(const ThreadChanges& changes) const;

  private:
    QString table(const QString& name) const { return m_schema + QLatin1Char('.') + name; }

    QString m_connectionName;
    QString m_schema;
};
