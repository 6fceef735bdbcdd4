// The history's table: which shape it has, reading it from its end, and rewriting its tail.
#include "TurnStore.h"

#include "Players.h"
#include "SqlValues.h"
#include "StoreNames.h"
#include "StoreSchema.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>

namespace {

// Turns read at start-up from a keyed table (the last one ties the history to the game; the
// one before serves a first undo); earlier ones are read when an undo needs them.
constexpr qsizetype kLatestTurns = 2;

// A table of an older layout has no player column until its file's next save: its turns credit
// nobody.
QString turnSelect(bool withPlayer)
{
    return QStringLiteral("SELECT %1 FROM %2 ").arg(turnColumnList(withPlayer), turnTable());
}

// What start-up and a save need to know of the tours table, whoever made it.
struct TurnTableShape {
    bool exists = false;
    // It has the six columns this version reads and writes.
    bool complete = false;
    // numero is the table's rowid (INTEGER PRIMARY KEY): always an integer, always in key order,
    // so the first and last turns are one look-up each. This is the table the store makes,
    // whatever columns a later version added to it.
    bool keyed = false;
    // It has columns this version does not know, which a later version may have added.
    bool unknownColumns = false;
    bool hasPlayer = false;
};

TurnTableShape shapeOf(const QSqlDatabase& db)
{
    TurnTableShape shape;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // SQLite names tables without regard to case: "Tours" is the table a save would write.
    query.prepare(QStringLiteral("SELECT wr FROM pragma_table_list WHERE schema = 'main' AND "
                                 "type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(turnTable());
    if (!query.exec() || !query.next()) {
        return shape;
    }
    shape.exists = true;
    const bool withoutRowid = query.value(0).toInt() != 0;
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(turnTable())))) {
        return shape;
    }
    int known = 0;
    int keyColumns = 0;
    bool numeroIsKey = false;
    while (query.next()) {
        const QString name = query.value(1).toString();
        const bool isKey = query.value(5).toInt() > 0;
        keyColumns += isKey ? 1 : 0;
        if (name.compare(turnColumn(TurnColumn::Joueur), Qt::CaseInsensitive) == 0) {
            shape.hasPlayer = true;
            continue;
        }
        const auto column = std::find_if(kTurnColumns.begin(), kTurnColumns.end(), [&](auto c) {
            return name.compare(turnColumn(c), Qt::CaseInsensitive) == 0;
        });
        if (column == kTurnColumns.end()) {
            shape.unknownColumns = true;
            continue;
        }
        ++known;
        if (*column == TurnColumn::Numero) {
            numeroIsKey = isKey && query.value(2).toString().compare(QLatin1String("INTEGER"),
                                                                     Qt::CaseInsensitive) == 0;
        }
    }
    shape.complete = known == int(kTurnColumns.size());
    shape.keyed = shape.complete && numeroIsKey && keyColumns == 1 && !withoutRowid;
    return shape;
}

} // namespace

std::optional<QList<Turn>> turnsOf(QSqlQuery& query, bool withPlayer, QList<qlonglong>& numbers)
{
    QList<Turn> turns;
    while (query.next()) {
        const QVariant numero = query.value(0);
        const QVariant found = query.value(3);
        const QVariant remaining = query.value(4);
        const std::optional<QString> propal = textFrom(query.value(1));
        const std::optional<QString> result = textFrom(query.value(2));
        const std::optional<QString> letters = textFrom(query.value(5));
        if (!holdsInteger(numero) || !holdsInteger(found) || !holdsInteger(remaining) || !propal ||
            !result || !letters) {
            return std::nullopt;
        }
        numbers.append(numero.toLongLong());
        turns.append({*propal, *result, found.toLongLong(), remaining.toLongLong(), *letters});
        // A player that another program wrote as no text, or against the name rules, is read
        // as the game would have kept it.
        if (withPlayer) {
            turns.last().joueur = cleanPlayerName(textFrom(query.value(6)).value_or(QString()));
        }
    }
    if (query.lastError().isValid()) {
        return std::nullopt;
    }
    return turns;
}

namespace {

bool numberedFrom(const QList<qlonglong>& numbers, qlonglong first)
{
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (numbers[i] != first + i) {
            return false;
        }
    }
    return true;
}

} // namespace

TurnStore::TurnStore(QString connectionName) : m_connectionName(std::move(connectionName)) {}

std::optional<StoredHistory> TurnStore::load()
{
    m_stored = {};
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen()) {
        return std::nullopt;
    }
    const TurnTableShape shape = shapeOf(db);
    if (!shape.complete) {
        return std::nullopt;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Each of min and max alone is one look-up in the key; together they would scan the table.
    const auto keyEnd = [&query](const QString& end) {
        const bool found = query.exec(QStringLiteral("SELECT %1(%2) FROM %3")
                                          .arg(end, turnColumn(TurnColumn::Numero), turnTable())) &&
                           query.next();
        const QVariant value = found ? query.value(0) : QVariant();
        query.finish();
        return value;
    };
    std::optional<StoredHistory> history;
    if (shape.keyed && keyEnd(QStringLiteral("min")) == QVariant(0LL)) {
        const qlonglong last = keyEnd(QStringLiteral("max")).toLongLong();
        const qsizetype first = std::max<qlonglong>(0, last - kLatestTurns + 1);
        std::optional<QList<Turn>> latest = loadTurns(first, last + 1);
        if (!latest) {
            return std::nullopt;
        }
        history = StoredHistory{*latest, first, true};
    } else {
        // A table made elsewhere is read and checked whole.
        if (!query.exec(turnSelect(shape.hasPlayer) + QStringLiteral("ORDER BY ") +
                        turnColumn(TurnColumn::Numero))) {
            return std::nullopt;
        }
        QList<qlonglong> numbers;
        std::optional<QList<Turn>> turns = turnsOf(query, shape.hasPlayer, numbers);
        if (!turns) {
            return std::nullopt;
        }
        history = StoredHistory{*turns, 0, numberedFrom(numbers, 0)};
    }
    if (history->numberedFromZero) {
        m_stored.count = history->first + history->latest.size();
    }
    return history;
}

std::optional<QList<Turn>> TurnStore::loadTurns(qsizetype from, qsizetype to) const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    // A save since start-up may have brought the table up to date.
    const bool withPlayer = shapeOf(db).hasPlayer;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        turnSelect(withPlayer) +
        QStringLiteral("WHERE %1 >= ? AND %1 < ? ORDER BY %1").arg(turnColumn(TurnColumn::Numero)));
    query.addBindValue(qlonglong(from));
    query.addBindValue(qlonglong(to));
    if (!query.exec()) {
        return std::nullopt;
    }
    QList<qlonglong> numbers;
    std::optional<QList<Turn>> turns = turnsOf(query, withPlayer, numbers);
    if (!turns || turns->size() != to - from || !numberedFrom(numbers, from)) {
        return std::nullopt;
    }
    return turns;
}

// SQLite's typeof() tells what the driver would hand over, so each row is checked as turnsOf
// checks it without its texts being read.
std::optional<QList<TurnCredit>> TurnStore::loadCredits(qsizetype from, qsizetype to) const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const bool withPlayer = shapeOf(db).hasPlayer;
    const auto isInteger = [](TurnColumn column) {
        return QStringLiteral("typeof(%1) = 'integer'").arg(turnColumn(column));
    };
    const auto isText = [](TurnColumn column) {
        return QStringLiteral("typeof(%1) IN ('text', 'integer', 'real')").arg(turnColumn(column));
    };
    const QString numero = turnColumn(TurnColumn::Numero);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1, %2, %3 AND %4 AND %5 AND %6 AND %7 AND %8, %9 FROM %10 "
                       "WHERE %1 >= ? AND %1 < ? ORDER BY %1")
            .arg(numero, turnColumn(TurnColumn::Trouvees), isInteger(TurnColumn::Numero),
                 isInteger(TurnColumn::Trouvees), isInteger(TurnColumn::Restantes),
                 isText(TurnColumn::Propal), isText(TurnColumn::Result),
                 isText(TurnColumn::Lettres),
                 withPlayer ? turnColumn(TurnColumn::Joueur) : QStringLiteral("''"), turnTable()));
    query.addBindValue(qlonglong(from));
    query.addBindValue(qlonglong(to));
    if (!query.exec()) {
        return std::nullopt;
    }
    QList<TurnCredit> credits;
    credits.reserve(to - from);
    while (query.next()) {
        if (query.value(0).toLongLong() != from + credits.size() || query.value(2).toInt() != 1) {
            return std::nullopt;
        }
        // Read as turnsOf reads the player.
        credits.append({cleanPlayerName(textFrom(query.value(3)).value_or(QString())),
                        query.value(1).toLongLong()});
    }
    if (query.lastError().isValid() || credits.size() != to - from) {
        return std::nullopt;
    }
    return credits;
}

std::optional<PlayedTurn> TurnStore::latestPlaying(const QString& proposal, qsizetype before) const
{
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const QString numero = turnColumn(TurnColumn::Numero);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 = ? AND %1 >= 1 AND %1 < ? "
                       "ORDER BY %1 DESC LIMIT 1")
            .arg(numero,
                 shapeOf(db).hasPlayer ? turnColumn(TurnColumn::Joueur) : QStringLiteral("''"),
                 turnTable(), turnColumn(TurnColumn::Propal)));
    query.addBindValue(proposal);
    query.addBindValue(qlonglong(before));
    if (!query.exec() || !query.next() || !holdsInteger(query.value(0)))
        return std::nullopt;
    return PlayedTurn{qsizetype(query.value(0).toLongLong()),
                      cleanPlayerName(textFrom(query.value(1)).value_or(QString()))};
}

// With no turn stored, every row is rewritten. A table this version can replace whole (another
// program's, with only columns this version knows, in a file of this layout or an older one) is
// made anew in the store's shape. A keyed table, or one holding columns or a layout of a later
// version, keeps its shape and only loses its rows: a later version's columns are never dropped.
// A table of a later version that lacks one of the six columns then fails the save whole.
std::optional<QSqlError> TurnStore::prepareTable() const
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery query(db);
    const TurnTableShape shape = shapeOf(db);
    if (!shape.exists) {
        return run(query, turnTableStatement());
    }
    const bool newerLayout = storedLayoutVersion(db).value_or(0) > kStoreVersion;
    if (!shape.keyed && !shape.unknownColumns && !newerLayout) {
        if (std::optional<QSqlError> error =
                run(query, QStringLiteral("DROP TABLE %1").arg(turnTable()))) {
            return error;
        }
        return run(query, turnTableStatement());
    }
    return run(query, QStringLiteral("DELETE FROM %1").arg(turnTable()));
}

std::optional<QSqlError> TurnStore::write(const TurnHistory& history) const
{
    // A table of a later layout without players rewrites a corrected turn's row whole.
    const bool withPlayer = shapeOf(QSqlDatabase::database(m_connectionName, false)).hasPlayer;
    qsizetype stored = std::min(m_stored.count, history.size());
    if (!withPlayer && !m_stored.changed.empty())
        stored = std::min(stored, *m_stored.changed.begin());
    // The turns past those stored are always at hand; a gap would be a fault of the caller.
    if (stored < history.firstAtHand()) {
        return QSqlError(QStringLiteral("turns %1 to %2 are not at hand")
                             .arg(stored)
                             .arg(history.firstAtHand() - 1),
                         QString(), QSqlError::UnknownError);
    }
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (stored == 0) {
        if (std::optional<QSqlError> error = prepareTable()) {
            return error;
        }
    } else {
        // Rows past the stored turns are undone ones, or those of another program's save on the
        // same game: this save's turns replace them. Another program may have dropped the table.
        QString create = turnTableStatement();
        create.replace(QLatin1String("CREATE TABLE"), QLatin1String("CREATE TABLE IF NOT EXISTS"));
        if (std::optional<QSqlError> error = run(query, create)) {
            return error;
        }
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 >= ?")
                          .arg(turnTable(), turnColumn(TurnColumn::Numero)));
        query.addBindValue(qlonglong(stored));
        if (!query.exec()) {
            return query.lastError();
        }
        // The turns changed in place: only their player can have changed.
        if (withPlayer && !m_stored.changed.empty()) {
            query.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                              .arg(turnTable(), turnColumn(TurnColumn::Joueur),
                                   turnColumn(TurnColumn::Numero)));
            for (qsizetype number : m_stored.changed) {
                if (number >= stored)
                    break;
                query.addBindValue(notNull(history.atHand(number).joueur));
                query.addBindValue(qlonglong(number));
                if (!query.exec())
                    return query.lastError();
            }
        }
    }
    if (stored == history.size()) {
        return std::nullopt;
    }
    // A table of a later layout that has no player column still takes the turns.
    const bool insertsPlayer =
        shapeOf(QSqlDatabase::database(m_connectionName, false)).hasPlayer;
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?, ?%3)")
                           .arg(turnTable(), turnColumnList(insertsPlayer),
                                insertsPlayer ? QStringLiteral(", ?") : QString()))) {
        return query.lastError();
    }
    for (qsizetype i = stored; i < history.size(); ++i) {
        if (std::optional<QSqlError> error =
                insertTurn(query, i, history.atHand(i), insertsPlayer)) {
            return error;
        }
    }
    return std::nullopt;
}

std::optional<QSqlError> insertTurn(QSqlQuery& query, qsizetype number, const Turn& turn,
                                    bool withPlayer)
{
    query.bindValue(0, qlonglong(number));
    query.bindValue(1, notNull(turn.propal));
    query.bindValue(2, notNull(turn.result));
    query.bindValue(3, qlonglong(turn.trouvees));
    query.bindValue(4, qlonglong(turn.restantes));
    query.bindValue(5, notNull(turn.lettres));
    if (withPlayer) {
        query.bindValue(6, notNull(turn.joueur));
    }
    if (!query.exec()) {
        return query.lastError();
    }
    return std::nullopt;
}
