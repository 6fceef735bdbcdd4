// The tables of plimo.mdb and the steps from one layout version to the next.
#include "StoreSchema.h"

#include "SqlValues.h"
#include "StoreNames.h"

#include <QSqlQuery>

#include <array>

namespace {

// The SQL type of each kind of couleurs column.
QString lookSqlType(LookKind kind)
{
    return kind == LookKind::FontName ? QStringLiteral("TEXT") : QStringLiteral("INTEGER");
}

// The turn's player: '' for a turn that credits nobody, which is what every turn of an older
// table becomes.
QString playerColumnDefinition()
{
    return QStringLiteral("%1 TEXT NOT NULL DEFAULT '' CHECK (typeof(%1) = 'text')")
        .arg(turnColumn(TurnColumn::Joueur));
}

QString playerColumnName()
{
    return turnColumn(TurnColumn::Joueur);
}

// One step of the layout: what turns a file of the version before into one of this version, a
// column added to a table. It is added only to a table that exists and lacks it; a table made
// later is made in the newest layout. A step with no column only records its version.
struct LayoutStep {
    int version;
    QString (*table)();
    QString (*column)();
    QString (*definition)(); // the column's name, type and constraints
};

const std::array<LayoutStep, 2> kLayoutSteps = {{
    // Version 1: the tables of the first Plimo that kept its history; the version recorded.
    {1, nullptr, nullptr, nullptr},
    // Version 2: each turn names its player.
    {2, turnTable, playerColumnName, playerColumnDefinition},
}};

bool tableExists(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? "
                                 "COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

bool columnExists(const QSqlDatabase& db, const QString& table, const QString& column)
{
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    query.addBindValue(column);
    return query.exec() && query.next();
}

} // namespace

QStringList storeSchemaStatements()
{
    QStringList gameColumns;
    for (Pane pane : kPanes) {
        gameColumns << gameTextColumn(pane) + QStringLiteral(" TEXT");
    }
    QStringList lookColumns;
    for (LookKind kind : kLookKinds) {
        for (Pane pane : kPanes) {
            lookColumns << lookColumn(kind, pane) + QLatin1Char(' ') + lookSqlType(kind);
        }
    }
    const QString create = QStringLiteral("CREATE TABLE %1 (%2)");
    return {create.arg(quoted(gameTable()), gameColumns.join(QStringLiteral(", "))),
            create.arg(quoted(countTable()), countColumn() + QStringLiteral(" INTEGER")),
            create.arg(quoted(lookTable()), lookColumns.join(QStringLiteral(", ")))};
}

QString turnTableStatement()
{
    const auto name = [](TurnColumn column) { return turnColumn(column); };
    const QString typed = QStringLiteral("%1 %2 NOT NULL CHECK (typeof(%1) = '%3')");
    return QStringLiteral("CREATE TABLE %1 (%2 INTEGER PRIMARY KEY CHECK (%2 >= 0), %3, %4, %5, "
                          "%6, %7, %8)")
        .arg(turnTable(), name(TurnColumn::Numero),
             typed.arg(name(TurnColumn::Propal), QStringLiteral("TEXT"), QStringLiteral("text")),
             typed.arg(name(TurnColumn::Result), QStringLiteral("TEXT"), QStringLiteral("text")),
             typed.arg(name(TurnColumn::Trouvees), QStringLiteral("INTEGER"),
                       QStringLiteral("integer")),
             typed.arg(name(TurnColumn::Restantes), QStringLiteral("INTEGER"),
                       QStringLiteral("integer")),
             typed.arg(name(TurnColumn::Lettres), QStringLiteral("TEXT"), QStringLiteral("text")),
             playerColumnDefinition());
}

QStringList appearanceColumns()
{
    QStringList columns;
    for (LookKind kind : kLookKinds) {
        for (Pane pane : kPanes) {
            columns << lookColumn(kind, pane);
        }
    }
    return columns;
}

std::optional<QString> unknownLookColumn(const QList<FieldValue>& fields)
{
    const QStringList known = appearanceColumns();
    for (const FieldValue& field : fields) {
        if (!known.contains(field.column)) {
            return QStringLiteral("no such column: %1").arg(field.column);
        }
    }
    return std::nullopt;
}

std::optional<int> storedLayoutVersion(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return std::nullopt;
    }
    return query.value(0).toInt();
}

std::optional<QSqlError> upgradeLayout(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return query.lastError();
    }
    const int stored = query.value(0).toInt();
    query.finish();
    if (stored >= kStoreVersion) {
        return std::nullopt;
    }
    for (const LayoutStep& step : kLayoutSteps) {
        if (step.version <= stored || !step.table) {
            continue;
        }
        const QString table = step.table();
        if (!tableExists(db, table) || columnExists(db, table, step.column())) {
            continue;
        }
        if (!query.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                            .arg(quoted(table), step.definition()))) {
            return query.lastError();
        }
    }
    // PRAGMA takes no bound value; the version is this program's own number.
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kStoreVersion))) {
        return query.lastError();
    }
    return std::nullopt;
}
