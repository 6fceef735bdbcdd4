// The tables of plimo.mdb and the steps from one layout version to the next.
#include "StoreSchema.h"

#include "SqlValues.h"
#include "StoreNames.h"

#include <QList>
#include <QSqlQuery>

#include <iterator>

namespace {

// The SQL type of each kind of couleurs column.
QString lookSqlType(LookKind kind)
{
    return kind == LookKind::FontName ? QStringLiteral("TEXT") : QStringLiteral("INTEGER");
}

// The turn's player: '' for a turn that credits nobody, which is what every turn of an older
// table becomes.
QString playerColumnType()
{
    return QStringLiteral("TEXT NOT NULL DEFAULT '' CHECK (typeof(%1) = 'text')")
        .arg(turnColumn(TurnColumn::Joueur));
}

QString playerColumnDefinition()
{
    return turnColumn(TurnColumn::Joueur) + QLatin1Char(' ') + playerColumnType();
}

// The forum of a file that had no forum yet is the forum of origin.
QString forumType()
{
    return QStringLiteral("TEXT DEFAULT '%1'").arg(forumValue(Forum::Origine));
}

// A column a layout step brings: its name, then its type and constraints. A table constraint
// has its whole text as its name and no type: it only goes into a table the step makes.
struct StepColumn {
    QString name;
    QString type;
};

// The columns of a table of turns shaped as tours, with the player's, after `leading`.
QList<StepColumn> turnStepColumns(QList<StepColumn> leading)
{
    const QString typed = QStringLiteral("%1 NOT NULL CHECK (typeof(%2) = '%3')");
    const auto column = [&](TurnColumn turn, const char* type, const char* stored) {
        return StepColumn{turnColumn(turn), typed.arg(QLatin1String(type), turnColumn(turn),
                                                      QLatin1String(stored))};
    };
    leading << column(TurnColumn::Numero, "INTEGER", "integer")
            << column(TurnColumn::Propal, "TEXT", "text")
            << column(TurnColumn::Result, "TEXT", "text")
            << column(TurnColumn::Trouvees, "INTEGER", "integer")
            << column(TurnColumn::Restantes, "INTEGER", "integer")
            << column(TurnColumn::Lettres, "TEXT", "text")
            << StepColumn{turnColumn(TurnColumn::Joueur), playerColumnType()};
    return leading;
}

// What a layout step does to its table.
enum class StepTable {
    // Adds its columns where the table exists; a table made later is made in the newest layout.
    Widened,
    // Makes the table where it is missing. Where another version made it, adds the columns it
    // lacks and touches nothing else.
    Made,
    // The same, and gives the table a row when it has none: its values are read and updated in
    // that first row.
    MadeWithOneRow,
};

// The thread's earlier puzzles: their number from 1, the texts and count the game tables keep
// for the current puzzle, and the number of their first turn.
QList<StepColumn> threadPuzzleColumns()
{
    QList<StepColumn> columns{{turnColumn(TurnColumn::Numero),
                               QStringLiteral("INTEGER PRIMARY KEY CHECK (%1 >= 1)")
                                   .arg(turnColumn(TurnColumn::Numero))}};
    for (Pane pane : kPanes)
        columns.append({gameTextColumn(pane), QStringLiteral("TEXT NOT NULL")});
    columns.append({countColumn(), QStringLiteral("INTEGER NOT NULL")});
    columns.append({threadFirstTurnColumn(), QStringLiteral("INTEGER NOT NULL DEFAULT 0")});
    return columns;
}

// Their turns, keyed on the puzzle and the turn.
QList<StepColumn> threadTurnColumns()
{
    QList<StepColumn> columns =
        turnStepColumns({{threadPuzzleColumn(), QStringLiteral("INTEGER NOT NULL")}});
    columns.append({QStringLiteral("PRIMARY KEY (%1, %2)")
                        .arg(threadPuzzleColumn(), turnColumn(TurnColumn::Numero)),
                    QString()});
    return columns;
}

QString createStatement(const QString& table, const QList<StepColumn>& columns)
{
    QStringList definitions;
    for (const StepColumn& column : columns) {
        definitions << (column.name + QLatin1Char(' ') + column.type).trimmed();
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table, definitions.join(QStringLiteral(", ")));
}

// One step of the layout: what turns a file of the version before into one of this version. A
// step without a table only records its version.
struct LayoutStep {
    int version;
    StepTable shape;
    QString (*table)();
    QList<StepColumn> (*columns)();
};

// The steps in order; the last one's version is the layout this version writes.
constexpr LayoutStep kLayoutSteps[] = {
    // Version 1: the tables of the first Plimo that kept its history; the version recorded.
    {1, StepTable::Widened, nullptr, nullptr},
    // Version 2: each turn names its player.
    {2, StepTable::Widened, turnTable,
     [] {
         return QList<StepColumn>{{turnColumn(TurnColumn::Joueur), playerColumnType()}};
     }},
    // Version 3: the game's options, the ranking in the post first (1 shown, 0 not).
    {3, StepTable::MadeWithOneRow, optionsTable,
     [] {
         return QList<StepColumn>{{rankingColumn(), QStringLiteral("INTEGER DEFAULT 0")}};
     }},
    // Version 4: the forum the post is written for.
    {4, StepTable::Widened, optionsTable,
     [] {
         return QList<StepColumn>{{forumColumn(), forumType()}};
     }},
    // Version 5: the thread's rules, both off in a file that had none.
    {5, StepTable::Widened, optionsTable,
     [] {
         return QList<StepColumn>{{allLettersColumn(), QStringLiteral("INTEGER DEFAULT 0")},
                                  {optionalAccentsColumn(), QStringLiteral("INTEGER DEFAULT 0")}};
     }},
    // Version 6 (the save's check): each save records the mark of what it wrote, which an
    // opening compares with what the file holds.
    {6, StepTable::Widened, countTable,
     [] {
         return QList<StepColumn>{{saveCheckColumn(), QStringLiteral("TEXT")}};
     }},
    // Version 7 (the thread): the earlier puzzles of the thread and their turns, in tables of
    // their own that an older version neither reads nor writes.
    {7, StepTable::Made, threadPuzzleTable, threadPuzzleColumns},
    {7, StepTable::Made, threadTurnTable, threadTurnColumns},
};

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

bool tableIsEmpty(const QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    return query.exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(quoted(table))) &&
           !query.next();
}

// Runs the statement; the database's error, or nothing.
std::optional<QSqlError> run(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    return ::run(query, statement);
}

std::optional<QSqlError> applyStep(const QSqlDatabase& db, const LayoutStep& step)
{
    const QString table = step.table();
    const QList<StepColumn> columns = step.columns();
    if (!tableExists(db, table)) {
        if (step.shape == StepTable::Widened) {
            return std::nullopt;
        }
        if (auto error = run(db, createStatement(quoted(table), columns))) {
            return error;
        }
    } else {
        for (const StepColumn& column : columns) {
            if (column.type.isEmpty() || columnExists(db, table, column.name)) {
                continue;
            }
            if (auto error = run(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                         .arg(quoted(table), column.name, column.type))) {
                return error;
            }
        }
    }
    if (step.shape == StepTable::MadeWithOneRow && tableIsEmpty(db, table)) {
        return run(db, QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table)));
    }
    return std::nullopt;
}

} // namespace

// Constant-initialised, so that another file's static tables may read it.
extern constinit const int kStoreVersion = std::end(kLayoutSteps)[-1].version;

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

QString turnTableStatement(const QString& table)
{
    const auto name = [](TurnColumn column) { return turnColumn(column); };
    const QString typed = QStringLiteral("%1 %2 NOT NULL CHECK (typeof(%1) = '%3')");
    return QStringLiteral("CREATE TABLE %1 (%2 INTEGER PRIMARY KEY CHECK (%2 >= 0), %3, %4, %5, "
                          "%6, %7, %8)")
        .arg(table, name(TurnColumn::Numero),
             typed.arg(name(TurnColumn::Propal), QStringLiteral("TEXT"), QStringLiteral("text")),
             typed.arg(name(TurnColumn::Result), QStringLiteral("TEXT"), QStringLiteral("text")),
             typed.arg(name(TurnColumn::Trouvees), QStringLiteral("INTEGER"),
                       QStringLiteral("integer")),
             typed.arg(name(TurnColumn::Restantes), QStringLiteral("INTEGER"),
                       QStringLiteral("integer")),
             typed.arg(name(TurnColumn::Lettres), QStringLiteral("TEXT"), QStringLiteral("text")),
             playerColumnDefinition());
}

QStringList threadTableStatements(const QString& schema)
{
    const QString prefix = schema + QLatin1Char('.');
    return {createStatement(prefix + threadPuzzleTable(), threadPuzzleColumns()),
            createStatement(prefix + threadTurnTable(), threadTurnColumns())};
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
        if (const std::optional<QSqlError> error = applyStep(db, step)) {
            return error;
        }
    }
    // PRAGMA takes no bound value; the version is this program's own number.
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kStoreVersion))) {
        return query.lastError();
    }
    return std::nullopt;
}
