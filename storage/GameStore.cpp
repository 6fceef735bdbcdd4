// Reading and writing plimo.mdb through Qt's SQLite driver.
#include "GameStore.h"

#include "StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <atomic>
#include <cmath>
#include <limits>
#include <variant>

namespace {

const QString kEmptyMarker = QStringLiteral("Vide");
// The history's table. Its constraints keep every value readable and numero a key, so that
// start-up can read it from its end instead of checking every row.
const QString kTurnColumns =
    QStringLiteral("(numero INTEGER PRIMARY KEY CHECK (numero >= 0), "
                   "propal TEXT NOT NULL CHECK (typeof(propal) = 'text'), "
                   "result TEXT NOT NULL CHECK (typeof(result) = 'text'), "
                   "trouvees INTEGER NOT NULL CHECK (typeof(trouvees) = 'integer'), "
                   "restantes INTEGER NOT NULL CHECK (typeof(restantes) = 'integer'), "
                   "lettres TEXT NOT NULL CHECK (typeof(lettres) = 'text'))");
const QString kCreateTurns = QStringLiteral("CREATE TABLE tours ") + kTurnColumns;
const QString kCreateTurnsIfMissing =
    QStringLiteral("CREATE TABLE IF NOT EXISTS tours ") + kTurnColumns;
const QString kTurnSelect =
    QStringLiteral("SELECT numero, propal, result, trouvees, restantes, lettres FROM tours ");
// Turns read at start-up from a table this store made (the last one ties the history to the
// game; the one before serves a first undo); earlier ones are read when an undo needs them.
constexpr qsizetype kLatestTurns = 2;

// A null QString would be stored as NULL and load back as "Vide"; an empty pane is "".
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// The four game texts: the pane whose column of données holds it, and its GameSession value.
struct TextField {
    Pane pane;
    QString GameSession::*member;
};

constexpr std::array<TextField, 4> kGameTexts = {{
    {Pane::Ref, &GameSession::ref},
    {Pane::Soluce, &GameSession::soluce},
    {Pane::Propal, &GameSession::propal},
    {Pane::Lettres, &GameSession::lettres},
}};

// The six kinds of couleurs field; each kind exists once per pane suffix.
using LookMember =
    std::variant<std::optional<std::int32_t> StoredPaneLook::*,
                 std::optional<QString> StoredPaneLook::*, std::optional<double> StoredPaneLook::*,
                 std::optional<bool> StoredPaneLook::*>;

struct LookField {
    LookKind kind;
    const char* sqlType;
    LookMember member;
};

const std::array<LookField, 6> kLookFields = {{
    {LookKind::Background, "INTEGER", &StoredPaneLook::background},
    {LookKind::TextColour, "INTEGER", &StoredPaneLook::text},
    {LookKind::FontName, "TEXT", &StoredPaneLook::fontName},
    {LookKind::FontSize, "INTEGER", &StoredPaneLook::fontSize},
    {LookKind::FontBold, "INTEGER", &StoredPaneLook::bold},
    {LookKind::FontItalic, "INTEGER", &StoredPaneLook::italic},
}};

QString quoted(const QString& identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// The driver hands SQLite's storage classes over as qlonglong, double, QString and QByteArray.
bool holdsInteger(const QVariant& value)
{
    const int type = value.typeId();
    return !value.isNull() && (type == QMetaType::LongLong || type == QMetaType::Int ||
                               type == QMetaType::ULongLong || type == QMetaType::UInt);
}

bool holdsReal(const QVariant& value)
{
    return !value.isNull() && value.typeId() == QMetaType::Double;
}

// Text fields take text; a number reads as its decimal text; a blob is not text.
std::optional<QString> textFrom(const QVariant& value)
{
    if (value.isNull() || value.typeId() == QMetaType::QByteArray) {
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QString || holdsInteger(value) || holdsReal(value)) {
        return value.toString();
    }
    return std::nullopt;
}

// A colour is any 32-bit pattern: the signed form the schema asks for, or the same bits written
// unsigned by another program. Anything wider is not a colour.
std::optional<std::int32_t> colourFrom(const QVariant& value)
{
    if (!holdsInteger(value)) {
        return std::nullopt;
    }
    const qlonglong number = value.toLongLong();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

// Sizes are whole points when the menus write them, but a fractional size is still a size; a
// size outside what a 16-bit point count can hold is no font size.
std::optional<double> fontSizeFrom(const QVariant& value)
{
    if (!holdsInteger(value) && !holdsReal(value)) {
        return std::nullopt;
    }
    const double size = value.toDouble();
    if (!std::isfinite(size) || size <= 0 || size > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return size;
}

std::optional<bool> flagFrom(const QVariant& value)
{
    if (!holdsInteger(value)) {
        return std::nullopt;
    }
    return value.toLongLong() != 0;
}

void readInto(std::optional<std::int32_t>& target, const QVariant& value)
{
    target = colourFrom(value);
}

void readInto(std::optional<QString>& target, const QVariant& value)
{
    target = textFrom(value);
}

void readInto(std::optional<double>& target, const QVariant& value)
{
    target = fontSizeFrom(value);
}

void readInto(std::optional<bool>& target, const QVariant& value)
{
    target = flagFrom(value);
}

QString firstRowQuery(const QString& table)
{
    return QStringLiteral("SELECT * FROM %1 ORDER BY rowid LIMIT 1").arg(quoted(table));
}

// The first row of the table, or an empty record when the table has no row or cannot be read.
QSqlRecord firstRow(const QString& connection, const QString& table)
{
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    if (!db.isOpen()) {
        return {};
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(firstRowQuery(table)) || !query.next()) {
        return {};
    }
    return query.record();
}

QVariant fieldOf(const QSqlRecord& row, const QString& column)
{
    const int index = row.indexOf(column);
    return index < 0 ? QVariant() : row.value(index);
}

bool isLookColumn(const QString& column)
{
    return appearanceColumns().contains(column);
}

std::optional<Pane> paneWithSuffix(const QString& suffix)
{
    for (Pane pane : kPanes) {
        if (suffix == paneSuffix(pane)) {
            return pane;
        }
    }
    return std::nullopt;
}

// The path as the file part of an SQLite URI: every byte that could end or change the path
// ('?', '#', '%', spaces, non-ASCII) is percent-encoded.
QString uriFor(const QString& path, bool readOnly)
{
    const QString absolute = QDir::fromNativeSeparators(QFileInfo(path).absoluteFilePath());
    const QByteArray encoded = QUrl::toPercentEncoding(absolute, "/");
    return QStringLiteral("file:") + QString::fromLatin1(encoded) +
           (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("plimo-game-store-%1").arg(++counter);
}

} // namespace

StoreStatus StoreStatus::failure(QString message)
{
    StoreStatus status;
    status.m_ok = false;
    status.m_message = std::move(message);
    return status;
}

const StoredPaneLook& StoredAppearance::lookFor(const QString& suffix) const
{
    if (const std::optional<Pane> pane = paneWithSuffix(suffix)) {
        return panes[static_cast<std::size_t>(*pane)];
    }
    static const StoredPaneLook none;
    return none;
}

QStringList storeSchemaStatements()
{
    QStringList gameColumns;
    for (const TextField& field : kGameTexts) {
        gameColumns << gameTextColumn(field.pane) + QStringLiteral(" TEXT");
    }
    QStringList lookColumns;
    for (const LookField& field : kLookFields) {
        for (Pane pane : kPanes) {
            lookColumns << lookColumn(field.kind, pane) + QLatin1Char(' ') +
                               QString::fromLatin1(field.sqlType);
        }
    }
    const QString create = QStringLiteral("CREATE TABLE %1 (%2)");
    return {create.arg(quoted(gameTable()), gameColumns.join(QStringLiteral(", "))),
            create.arg(quoted(countTable()), countColumn() + QStringLiteral(" INTEGER")),
            create.arg(quoted(lookTable()), lookColumns.join(QStringLiteral(", ")))};
}

QStringList appearanceColumns()
{
    QStringList columns;
    for (const LookField& field : kLookFields) {
        for (Pane pane : kPanes) {
            columns << lookColumn(field.kind, pane);
        }
    }
    return columns;
}

GameStore::GameStore(QString path, StoreOptions options)
    : m_path(std::move(path)), m_options(options), m_connectionName(nextConnectionName())
{
}

GameStore::~GameStore()
{
    close();
}

StoreStatus GameStore::open()
{
    close();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(uriFor(m_path, m_options.readOnly));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1")
                                 .arg(m_options.busyTimeoutMs));
        if (!db.open()) {
            const StoreStatus status = failure(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            return status;
        }
    }
    m_open = true;
    StoreStatus status = checkTables();
    if (!status) {
        close();
    }
    return status;
}

// SQLite opens any file lazily: only a read shows that it is a database with our tables.
StoreStatus GameStore::checkTables() const
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    for (const QString& table : {gameTable(), countTable(), lookTable()}) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(firstRowQuery(table))) {
            return failure(query.lastError());
        }
        query.next();
        if (query.lastError().isValid()) {
            return failure(query.lastError());
        }
    }
    return StoreStatus::success();
}

GameSession GameStore::loadGame() const
{
    GameSession game;
    const QSqlRecord texts = firstRow(m_connectionName, gameTable());
    for (const TextField& field : kGameTexts) {
        game.*field.member =
            textFrom(fieldOf(texts, gameTextColumn(field.pane))).value_or(kEmptyMarker);
    }
    const QVariant count = fieldOf(firstRow(m_connectionName, countTable()), countColumn());
    game.lettres_restantes =
        holdsInteger(count) ? QString::number(count.toLongLong()) : QStringLiteral("0");
    game.lettres_trouvees = QStringLiteral("0");
    return game;
}

StoredAppearance GameStore::loadAppearance() const
{
    StoredAppearance appearance;
    const QSqlRecord row = firstRow(m_connectionName, lookTable());
    for (Pane pane : kPanes) {
        StoredPaneLook& look = appearance.panes[static_cast<std::size_t>(pane)];
        for (const LookField& field : kLookFields) {
            const QVariant value = fieldOf(row, lookColumn(field.kind, pane));
            std::visit([&](auto member) { readInto(look.*member, value); }, field.member);
        }
    }
    return appearance;
}

StoreStatus GameStore::saveGame(const GameSession& game)
{
    return saveGame(game, nullptr);
}

StoreStatus GameStore::saveGame(const GameSession& game, const TurnHistory& history)
{
    return saveGame(game, &history);
}

StoreStatus GameStore::saveGame(const GameSession& game, const TurnHistory* history)
{
    bool isNumber = false;
    const qlonglong count = game.lettres_restantes.trimmed().toLongLong(&isNumber);
    if (!isNumber) {
        return failure(QStringLiteral("Le nombre de lettres restantes « %1 » n'est pas un nombre.")
                           .arg(game.lettres_restantes));
    }
    QList<FieldValue> texts;
    for (const TextField& field : kGameTexts) {
        texts.append({gameTextColumn(field.pane), notNull(game.*field.member)});
    }
    return runInTransaction([&] {
        StoreStatus status = updateFirstRow(gameTable(), texts);
        if (status) {
            status = updateFirstRow(countTable(), {{countColumn(), count}});
        }
        if (status && history) {
            status = writeHistory(*history);
        }
        return status;
    });
}

// With turns already stored, the rows past them go and the new turns are appended; with none,
// the table is made anew, which also replaces a table of another shape.
StoreStatus GameStore::writeHistory(const TurnHistory& history)
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const qsizetype stored = history.storedCount();
    QSqlQuery query(db);
    const QStringList statements =
        stored == 0 ? QStringList{QStringLiteral("DROP TABLE IF EXISTS tours"), kCreateTurns}
                    : QStringList{kCreateTurnsIfMissing};
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            return failure(query.lastError());
        }
    }
    // Rows past the stored turns are undone ones, or those of another program's save on the
    // same game: this save's turns replace them.
    if (stored > 0) {
        query.prepare(QStringLiteral("DELETE FROM tours WHERE numero >= ?"));
        query.addBindValue(qlonglong(stored));
        if (!query.exec()) {
            return failure(query.lastError());
        }
    }
    if (stored == history.size()) {
        return StoreStatus::success();
    }
    if (!query.prepare(QStringLiteral("INSERT INTO tours (numero, propal, result, trouvees, "
                                      "restantes, lettres) VALUES (?, ?, ?, ?, ?, ?)"))) {
        return failure(query.lastError());
    }
    for (qsizetype i = stored; i < history.size(); ++i) {
        const Turn& turn = history.atHand(i);
        query.bindValue(0, qlonglong(i));
        query.bindValue(1, notNull(turn.propal));
        query.bindValue(2, notNull(turn.result));
        query.bindValue(3, qlonglong(turn.trouvees));
        query.bindValue(4, qlonglong(turn.restantes));
        query.bindValue(5, notNull(turn.lettres));
        if (!query.exec()) {
            return failure(query.lastError());
        }
    }
    return StoreStatus::success();
}

namespace {

// The turns of a query's rows; nothing when a value is unreadable. `numbers` gets each numero.
std::optional<QList<Turn>> turnsOf(QSqlQuery& query, QList<qlonglong>& numbers)
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
    }
    if (query.lastError().isValid()) {
        return std::nullopt;
    }
    return turns;
}

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

std::optional<StoredHistory> GameStore::loadHistory() const
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isOpen()) {
        return std::nullopt;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // SQLite names tables without regard to case: "Tours" is the table a save would replace.
    if (!query.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = "
                                   "'tours' COLLATE NOCASE")) ||
        !query.next()) {
        return std::nullopt;
    }
    const bool ours = query.value(0).toString() == kCreateTurns;
    query.finish();
    // Each of min and max alone is one look-up in the key; together they would scan the table.
    const auto keyEnd = [&query](const QString& sql) {
        const bool found = query.exec(sql) && query.next();
        const QVariant value = found ? query.value(0) : QVariant();
        query.finish();
        return value;
    };
    if (ours && keyEnd(QStringLiteral("SELECT min(numero) FROM tours")) == QVariant(0LL)) {
        const qlonglong last = keyEnd(QStringLiteral("SELECT max(numero) FROM tours")).toLongLong();
        const qsizetype first = std::max<qlonglong>(0, last - kLatestTurns + 1);
        std::optional<QList<Turn>> latest = loadTurns(first, last + 1);
        if (!latest) {
            return std::nullopt;
        }
        return StoredHistory{*latest, first, true};
    }
    // A table made elsewhere is read and checked whole.
    if (!query.exec(kTurnSelect + QStringLiteral("ORDER BY numero"))) {
        return std::nullopt;
    }
    QList<qlonglong> numbers;
    std::optional<QList<Turn>> turns = turnsOf(query, numbers);
    if (!turns) {
        return std::nullopt;
    }
    return StoredHistory{*turns, 0, numberedFrom(numbers, 0)};
}

std::optional<QList<Turn>> GameStore::loadTurns(qsizetype from, qsizetype to) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    query.prepare(kTurnSelect + QStringLiteral("WHERE numero >= ? AND numero < ? ORDER BY numero"));
    query.addBindValue(qlonglong(from));
    query.addBindValue(qlonglong(to));
    if (!query.exec()) {
        return std::nullopt;
    }
    QList<qlonglong> numbers;
    std::optional<QList<Turn>> turns = turnsOf(query, numbers);
    if (!turns || turns->size() != to - from || !numberedFrom(numbers, from)) {
        return std::nullopt;
    }
    return turns;
}

StoreStatus GameStore::writeFields(const QList<FieldValue>& fields)
{
    if (fields.isEmpty()) {
        return StoreStatus::success();
    }
    for (const FieldValue& field : fields) {
        // Column names go into the SQL text, so only the known ones may pass.
        if (!isLookColumn(field.column)) {
            return failure(QStringLiteral("no such column: %1").arg(field.column));
        }
    }
    return runInTransaction([&] { return updateFirstRow(lookTable(), fields); });
}

StoreStatus GameStore::writeColour(const QString& column, std::int32_t value)
{
    if (!column.startsWith(lookPrefix(LookKind::Background)) &&
        !column.startsWith(lookPrefix(LookKind::TextColour))) {
        return failure(QStringLiteral("no such colour column: %1").arg(column));
    }
    return writeFields({{column, value}});
}

StoreStatus GameStore::writeFont(const QString& suffix, const StoredFont& font)
{
    const std::optional<Pane> pane = paneWithSuffix(suffix);
    if (!pane) {
        return failure(QStringLiteral("no such pane: %1").arg(suffix));
    }
    return writeFields({{lookColumn(LookKind::FontName, *pane), font.name},
                        {lookColumn(LookKind::FontSize, *pane), int(font.size)},
                        {lookColumn(LookKind::FontBold, *pane), int(font.bold)},
                        {lookColumn(LookKind::FontItalic, *pane), int(font.italic)}});
}

void GameStore::close()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_open = false;
}

StoreStatus GameStore::failure(const QSqlError& error) const
{
    return StoreStatus::failure(storeErrorMessage(classifyStoreError(m_path, error), m_path));
}

StoreStatus GameStore::failure(const QString& sentence) const
{
    return StoreStatus::failure(sentence + QLatin1Char('\r') +
                                QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath()));
}

// Updates the first row of the table; a table without a row is a failure, not a silent no-op.
StoreStatus GameStore::updateFirstRow(const QString& table, const QList<FieldValue>& fields)
{
    QStringList assignments;
    for (const FieldValue& field : fields) {
        assignments << quoted(field.column) + QStringLiteral(" = ?");
    }
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = (SELECT min(rowid) FROM %1)")
                            .arg(quoted(table), assignments.join(QStringLiteral(", ")));
    if (!query.prepare(sql)) {
        return failure(query.lastError());
    }
    for (const FieldValue& field : fields) {
        query.addBindValue(field.value);
    }
    if (!query.exec()) {
        return failure(query.lastError());
    }
    if (query.numRowsAffected() < 1) {
        return failure(QStringLiteral("La table « %1 » n'a pas d'enregistrement.").arg(table));
    }
    return StoreStatus::success();
}

StoreStatus GameStore::runInTransaction(const std::function<StoreStatus()>& body)
{
    if (!m_open) {
        return failure(QStringLiteral("La base de données est fermée."));
    }
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery control(db);
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return failure(control.lastError());
    }
    StoreStatus status = body();
    if (status && !control.exec(QStringLiteral("COMMIT"))) {
        status = failure(control.lastError());
    }
    if (!status) {
        // After a failed COMMIT the transaction is still open and must be undone too.
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    }
    return status;
}
