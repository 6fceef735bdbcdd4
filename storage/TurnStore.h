// The turn history's rows in the table tours, on the game store's connection and inside its
// transactions.
#pragma once

#include "TurnHistory.h"

#include <QList>
#include <QSqlError>
#include <QString>

#include <algorithm>
#include <optional>
#include <set>

class QSqlQuery;

// The turns of a query's rows, each its numero, propal, result, trouvees, restantes and lettres,
// then its joueur when asked, in that order; nothing when a value is unreadable. `numbers` gets
// each numero.
std::optional<QList<Turn>> turnsOf(QSqlQuery& query, bool withPlayer, QList<qlonglong>& numbers);
// Binds a turn to a prepared insert of those columns in that order, and runs it.
std::optional<QSqlError> insertTurn(QSqlQuery& query, qsizetype number, const Turn& turn,
                                    bool withPlayer);

// The turns read back from the table tours, in numero order: the latest ones, and how many
// earlier ones TurnStore::loadTurns can still read.
struct StoredHistory {
    QList<Turn> latest;
    qsizetype first = 0;
    // The rows are numbered 0, 1, 2, ... without a gap, so a save can append to them.
    bool numberedFromZero = false;
};

// What the table tours holds of the game's history: its leading turns by number, and those of
// them changed in place since (their player corrected). The one account of it, which a save
// reads to write only the rest, and the recovery record to keep only the rest.
struct StoredTurns {
    qsizetype count = 0;
    std::set<qsizetype> changed;

    bool operator==(const StoredTurns&) const = default;
};

// Reads tours and rewrites what changed in it, keeping the account of what it holds.
class TurnStore {
  public:
    explicit TurnStore(QString connectionName);

    // The history of the table; nothing when the table is missing, lacks one of its six
    // columns, or holds a value of the wrong type. A table keyed on numero, as this store
    // makes it, is read from its end: only the latest turns are read now. Columns this version
    // does not know are left aside.
    std::optional<StoredHistory> load();
    // Turns numbered [from, to) of a keyed table; nothing when one is missing or unreadable.
    std::optional<QList<Turn>> loadTurns(qsizetype from, qsizetype to) const;
    // The players and found counts of the same turns, without their texts: nothing exactly when
    // loadTurns(from, to) would give nothing.
    std::optional<QList<TurnCredit>> loadCredits(qsizetype from, qsizetype to) const;
    // The latest turn from 1 and before `before` of a keyed table that played this proposal.
    std::optional<PlayedTurn> latestPlaying(const QString& proposal, qsizetype before) const;

    // Inside the store's transaction: writes the turns past those already stored, after
    // deleting the rows past them. With none stored, the table's rows are all rewritten. The
    // database's error, or nothing.
    std::optional<QSqlError> write(const TurnHistory& history) const;
    // The transaction that wrote this history is committed.
    void written(const TurnHistory& history) { m_stored = {history.size(), {}}; }
    // The history kept its first `size` turns only: the rows past them are no longer its own.
    void historyCut(qsizetype size)
    {
        m_stored.count = std::min(m_stored.count, size);
        m_stored.changed.erase(m_stored.changed.lower_bound(size), m_stored.changed.end());
    }
    // The history's turn `number` changed in place: its row, if the table holds it, is
    // rewritten by the next save.
    void turnChanged(qsizetype number)
    {
        if (number < m_stored.count)
            m_stored.changed.insert(number);
    }
    // What the table holds of the history.
    const StoredTurns& stored() const { return m_stored; }
    // The table holds this of the history: a copy of another file's, or a game taken up from
    // its recovery record.
    void holds(StoredTurns stored) { m_stored = std::move(stored); }

  private:
    std::optional<QSqlError> prepareTable() const;

    QString m_connectionName;
    StoredTurns m_stored;
};
