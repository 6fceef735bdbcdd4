// Reading the thread's earlier puzzles and writing those closed since the last save.
#include "ThreadStore.h"

#include "Players.h"
#include "SqlValues.h"
#include "StoreNames.h"
#include "TurnStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

QString turnNumber()
{
    return turnColumn(TurnColumn::Numero);
}

// The texts of a puzzle's row, in the order of kGameTexts, then its count and first turn.
QString puzzleColumns()
{
    QStringList columns;
    for (const TextField& field : kGameTexts)
        columns << gameTextColumn(field.pane);
    columns << countColumn() << threadFirstTurnColumn();
    return columns.join(QStringLiteral(", "));
}

bool tablesExist(const QSqlDatabase& db, const QString& schema)
{
    if (!db.isOpen())
        return false;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type = 'table' AND "
                                 "name IN (?, ?) COLLATE NOCASE")
                      .arg(schema));
    query.addBindValue(threadPuzzleTable());
    query.addBindValue(threadTurnTable());
    return query.exec() && query.next() && query.value(0).toInt() == 2;
}

} // namespace

std::optional<qsizetype> ThreadStore::count() const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!tablesExist(db, m_schema))
        return 0;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT count(*), max(%1) FROM %2")
                        .arg(turnNumber(), table(threadPuzzleTable()))) ||
        !query.next())
        return std::nullopt;
    const qsizetype rows = query.value(0).toLongLong();
    // Numbered 1 to the count without a gap, as a save writes them.
    if (rows > 0 && query.value(1).toLongLong() != rows)
        return std::nullopt;
    return rows;
}

std::optional<QList<PuzzleSummary>> ThreadStore::summaries() const
{
    const std::optional<qsizetype> rows = count();
    if (!rows)
        return std::nullopt;
    QList<PuzzleSummary> list;
    if (*rows == 0)
        return list;
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // The last turn of each puzzle is one look-up in the key of its turns.
    const QString last = QStringLiteral("(SELECT %1 FROM %2 t WHERE t.%3 = e.%4 ORDER BY t.%4 "
                                        "DESC LIMIT 1)");
    const auto lastTurn = [&](const QString& column) {
        return last.arg(column, table(threadTurnTable()), threadPuzzleColumn(), turnNumber());
    };
    if (!query.exec(QStringLiteral("SELECT e.%1, e.%2, %3, %4, %5 FROM %6 e ORDER BY e.%1")
                        .arg(turnNumber(), gameTextColumn(Pane::Ref), lastTurn(turnNumber()),
                             lastTurn(turnColumn(TurnColumn::Restantes)),
                             lastTurn(turnColumn(TurnColumn::Joueur)), table(threadPuzzleTable()))))
        return std::nullopt;
    while (query.next()) {
        PuzzleSummary summary;
        summary.number = query.value(0).toLongLong();
        summary.reference = textFrom(query.value(1)).value_or(QString()).left(kPuzzleTitleLength);
        summary.turns = query.value(2).toLongLong();
        summary.won = summary.turns > 0 && holdsInteger(query.value(3)) &&
                      query.value(3).toLongLong() == 0;
        if (summary.won)
            summary.lastLetterBy = cleanPlayerName(textFrom(query.value(4)).value_or(QString()));
        list.append(summary);
    }
    if (query.lastError().isValid() || list.size() != *rows)
        return std::nullopt;
    return list;
}

std::optional<ClosedPuzzle> ThreadStore::puzzle(qsizetype number) const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!tablesExist(db, m_schema))
        return std::nullopt;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                      .arg(puzzleColumns(), table(threadPuzzleTable()), turnNumber()));
    query.addBindValue(qlonglong(number));
    if (!query.exec() || !query.next())
        return std::nullopt;
    ClosedPuzzle puzzle;
    for (int i = 0; i < int(kGameTexts.size()); ++i) {
        const std::optional<QString> text = textFrom(query.value(i));
        if (!text)
            return std::nullopt;
        puzzle.session.*kGameTexts[i].member = *text;
    }
    if (!holdsInteger(query.value(4)) || !holdsInteger(query.value(5)))
        return std::nullopt;
    puzzle.session.lettres_restantes = query.value(4).toLongLong();
    puzzle.first = query.value(5).toLongLong();
    query.finish();
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %4")
                      .arg(turnColumnList(true), table(threadTurnTable()), threadPuzzleColumn(),
                           turnNumber()));
    query.addBindValue(qlonglong(number));
    if (!query.exec())
        return std::nullopt;
    QList<qlonglong> numbers;
    std::optional<QList<Turn>> turns = turnsOf(query, true, numbers);
    if (!turns || turns->isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (numbers[i] != puzzle.first + i)
            return std::nullopt;
    }
    puzzle.turns = std::move(*turns);
    puzzle.session.lettres_trouvees = puzzle.turns.last().trouvees;
    return puzzle;
}

std::optional<QList<QList<TurnCredit>>> ThreadStore::credits(qsizetype count) const
{
    QList<QList<TurnCredit>> puzzles(count);
    if (count == 0)
        return puzzles;
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %1 <= ? AND %5 >= 1 ORDER BY "
                                 "%1, %5")
                      .arg(threadPuzzleColumn(), turnColumn(TurnColumn::Joueur),
                           turnColumn(TurnColumn::Trouvees), table(threadTurnTable()), turnNumber()));
    query.addBindValue(qlonglong(count));
    if (!query.exec())
        return std::nullopt;
    while (query.next()) {
        const qlonglong puzzle = query.value(0).toLongLong();
        if (puzzle < 1 || puzzle > count)
            return std::nullopt;
        puzzles[puzzle - 1].append({cleanPlayerName(textFrom(query.value(1)).value_or(QString())),
                                    query.value(2).toLongLong()});
    }
    if (query.lastError().isValid())
        return std::nullopt;
    return puzzles;
}

std::optional<QSqlError> ThreadStore::write(const ThreadChanges& changes) const
{
    if (changes.changesNothing())
        return std::nullopt;
    std::optional<qsizetype> kept = changes.kept;
    if (!kept && !(kept = count()))
        return QSqlError(QStringLiteral("the thread's puzzles cannot be read"), QString(),
                         QSqlError::UnknownError);
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    for (const QString& statement :
         {QStringLiteral("DELETE FROM %1 WHERE %2 > ?").arg(table(threadTurnTable()), threadPuzzleColumn()),
          QStringLiteral("DELETE FROM %1 WHERE %2 > ?").arg(table(threadPuzzleTable()), turnNumber())}) {
        query.prepare(statement);
        query.addBindValue(qlonglong(*kept));
        if (!query.exec())
            return query.lastError();
    }
    QSqlQuery turns(QSqlDatabase::database(m_connectionName, false));
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?, ?, ?, ?, ?, ?)")
                           .arg(table(threadPuzzleTable()), turnNumber(), puzzleColumns())) ||
        !turns.prepare(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                           .arg(table(threadTurnTable()), turnColumnList(true), threadPuzzleColumn())))
        return query.lastError().isValid() ? query.lastError() : turns.lastError();
    qsizetype number = *kept;
    for (const ClosedPuzzle& puzzle : changes.closed) {
        ++number;
        query.bindValue(0, qlonglong(number));
        for (int i = 0; i < int(kGameTexts.size()); ++i)
            query.bindValue(i + 1, notNull(puzzle.session.*kGameTexts[i].member));
        query.bindValue(5, qlonglong(puzzle.session.lettres_restantes));
        query.bindValue(6, qlonglong(puzzle.first));
        if (!query.exec())
            return query.lastError();
        turns.bindValue(7, qlonglong(number));
        for (qsizetype i = 0; i < puzzle.turns.size(); ++i) {
            if (std::optional<QSqlError> error =
                    insertTurn(turns, puzzle.first + i, puzzle.turns[i], true))
                return error;
        }
    }
    return std::nullopt;
}
