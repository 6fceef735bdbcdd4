// Reading and writing plimo.mdb through Qt's SQLite driver.
#include "GameStore.h"

#include "SqlValues.h"
#include "StoreError.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <limits>

namespace {

const QString kEmptyMarker = QStringLiteral("Vide");


// The six kinds of couleurs field, each read into its place in a pane's look; each kind exists
// once per pane suffix.
struct LookField {
    LookKind kind;
    void (*read)(StoredPaneLook& look, const QVariant& value);
};

const std::array<LookField, 6> kLookFields = {{
    {LookKind::Background,
     [](StoredPaneLook& look, const QVariant& value) { look.background = colourFrom(value); }},
    {LookKind::TextColour,
     [](StoredPaneLook& look, const QVariant& value) { look.text = colourFrom(value); }},
    {LookKind::FontName,
     [](StoredPaneLook& look, const QVariant& value) { look.font.name = textFrom(value); }},
    {LookKind::FontSize,
     [](StoredPaneLook& look, const QVariant& value) { look.font.size = fontSizeFrom(value); }},
    {LookKind::FontBold,
     [](StoredPaneLook& look, const QVariant& value) { look.font.bold = flagFrom(value); }},
    {LookKind::FontItalic,
     [](StoredPaneLook& look, const QVariant& value) { look.font.italic = flagFrom(value); }},
}};

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

// How long a write waits for another program's lock on the file before it fails.
constexpr int kBusyTimeoutMs = 3000;

} // namespace

StoreStatus StoreStatus::failure(QString message)
{
    StoreStatus status;
    status.m_ok = false;
    status.m_message = std::move(message);
    return status;
}

GameStore::GameStore(QString path)
    : m_path(std::move(path)), m_connectionName(nextConnectionName()), m_turns(m_connectionName),
      m_thread(m_connectionName), m_recovery(m_connectionName, m_path)
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
        db.setDatabaseName(sqliteUri(m_path, "rw"));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
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
    game.lettres_restantes = holdsInteger(count) ? count.toLongLong() : 0;
    return game;
}

StoredAppearance GameStore::loadAppearance() const
{
    StoredAppearance appearance;
    const QSqlRecord row = firstRow(m_connectionName, lookTable());
    for (Pane pane : kPanes) {
        StoredPaneLook& look = appearance.panes[static_cast<std::size_t>(pane)];
        for (const LookField& field : kLookFields) {
            field.read(look, fieldOf(row, lookColumn(field.kind, pane)));
        }
    }
    return appearance;
}

StoreStatus GameStore::saveGame(const GameSession& game, const TurnHistory& history,
                               const ThreadChanges& thread)
{
    QList<FieldValue> texts;
    for (const TextField& field : kGameTexts) {
        texts.append({gameTextColumn(field.pane), notNull(game.*field.member)});
    }
    const StoreStatus saved = runInTransaction([&] {
        StoreStatus status = updateFirstRow(gameTable(), texts);
        if (status) {
            status = updateFirstRow(countTable(), {{countColumn(), game.lettres_restantes}});
        }
        if (status) {
            if (const std::optional<QSqlError> error = m_turns.write(history)) {
                status = failure(*error);
            }
        }
        if (status) {
            if (const std::optional<QSqlError> error = m_thread.write(thread)) {
                status = failure(*error);
            }
        }
        if (status) {
            if (const std::optional<QSqlError> error = m_recovery.empty()) {
                status = failure(*error);
            }
        }
        // A file of a later layout without the column is saved without the check.
        if (status && firstRow(m_connectionName, countTable()).indexOf(saveCheckColumn()) >= 0) {
            status = updateFirstRow(countTable(), {{saveCheckColumn(), savedGameMark(false)}});
        }
        return status;
    });
    if (saved) {
        m_turns.written(history);
    }
    if (saved) {
        m_recovery.drop();
    }
    return saved;
}

bool GameStore::loadRankingInPost() const
{
    const QSqlRecord row = firstRow(m_connectionName, optionsTable());
    return flagFrom(fieldOf(row, rankingColumn())).value_or(false);
}

StoreStatus GameStore::storeRankingInPost(bool shown)
{
    return runInTransaction([&] {
        return updateFirstRow(optionsTable(), {{rankingColumn(), int(shown)}});
    });
}

Forum GameStore::loadForum() const
{
    const QString stored =
        textFrom(fieldOf(firstRow(m_connectionName, optionsTable()), forumColumn()))
            .value_or(QString());
    for (Forum forum : kForums) {
        if (forumValue(forum) == stored)
            return forum;
    }
    return Forum::Origine;
}

StoreStatus GameStore::storeForum(Forum forum)
{
    return runInTransaction([&] {
        return updateFirstRow(optionsTable(), {{forumColumn(), forumValue(forum)}});
    });
}

Rules GameStore::loadRules() const
{
    const QSqlRecord row = firstRow(m_connectionName, optionsTable());
    return {flagFrom(fieldOf(row, allLettersColumn())).value_or(false),
            flagFrom(fieldOf(row, optionalAccentsColumn())).value_or(false)};
}

StoreStatus GameStore::storeRules(const Rules& rules)
{
    return runInTransaction([&] {
        return updateFirstRow(optionsTable(),
                              {{allLettersColumn(), int(rules.allLetters)},
                               {optionalAccentsColumn(), int(rules.optionalAccents)}});
    });
}

StoreStatus GameStore::writeFields(const QList<FieldValue>& fields)
{
    if (fields.isEmpty()) {
        return StoreStatus::success();
    }
    if (const std::optional<QString> refused = unknownLookColumn(fields)) {
        return failure(*refused);
    }
    return runInTransaction([&] { return updateFirstRow(lookTable(), fields); });
}

StoreStatus GameStore::writeColour(Pane pane, PaneProperty property, StoredColour value)
{
    if (property == PaneProperty::Font) {
        return failure(QStringLiteral("Une police n'est pas une couleur."));
    }
    const LookKind kind =
        property == PaneProperty::Background ? LookKind::Background : LookKind::TextColour;
    return writeFields({{lookColumn(kind, pane), value}});
}

StoreStatus GameStore::writeFont(Pane pane, const FontChoice& font)
{
    return writeFields({{lookColumn(LookKind::FontName, pane), font.name},
                        {lookColumn(LookKind::FontSize, pane), qRound(font.size)},
                        {lookColumn(LookKind::FontBold, pane), int(font.bold)},
                        {lookColumn(LookKind::FontItalic, pane), int(font.italic)}});
}

StoreStatus GameStore::writeRecovery(const RecoveryChanges& changes)
{
    if (!m_open) {
        return failure(QStringLiteral("La base de données est fermée."));
    }
    const auto recordFailure = [this](const QSqlError& error) {
        return StoreStatus::failure(recoveryErrorMessage(error, m_recovery.path()));
    };
    if (const std::optional<QSqlError> error =
            m_recovery.prepare([this] { return savedGameMark(); })) {
        return recordFailure(*error);
    }
    const StoreStatus status = runInTransaction(
        [&] {
            const std::optional<QSqlError> error = m_recovery.write(changes);
            return error ? recordFailure(*error) : StoreStatus::success();
        },
        false, recordFailure);
    if (status) {
        m_recovery.committed();
    }
    return status;
}

bool GameStore::matchesItsSave() const
{
    const std::optional<QString> check =
        textFrom(fieldOf(firstRow(m_connectionName, countTable()), saveCheckColumn()));
    return !check || check->isEmpty() || *check == savedGameMark(false);
}

GameStore::ReadTogether::ReadTogether(const GameStore& store)
    : m_connectionName(store.m_connectionName),
      m_begun(
          store.m_open &&
          QSqlQuery(QSqlDatabase::database(m_connectionName, false)).exec(QStringLiteral("BEGIN")))
{
}

GameStore::ReadTogether::~ReadTogether()
{
    if (!m_begun)
        return;
    // Nothing was written: the end of the transaction only lets go of the file.
    QSqlQuery control(QSqlDatabase::database(m_connectionName, false));
    if (!control.exec(QStringLiteral("COMMIT")))
        control.exec(QStringLiteral("ROLLBACK"));
}

QString GameStore::savedGameMark(bool everyTurn) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    QStringList texts;
    for (Pane pane : kPanes) {
        texts << QStringLiteral("quote(%1)").arg(gameTextColumn(pane));
    }
    QStringList turnValues;
    for (TurnColumn column : kTurnColumns) {
        turnValues << QStringLiteral("quote(%1)").arg(turnColumn(column));
    }
    const QString separator = QStringLiteral(" || ',' || ");
    const QString numero = turnColumn(TurnColumn::Numero);
    // Every turn, or the last one and the first and last numbers, which a keyed table gives
    // without reading the others (min and max each in its own query: together SQLite reads every
    // row). A table of an older layout, without players, is read without them.
    const QString turns =
        everyTurn ? QStringLiteral("SELECT group_concat(turn, char(10)) FROM (SELECT %1 AS turn "
                                   "FROM main.%2 ORDER BY %3)")
                  : QStringLiteral("SELECT %1 || ',' || (SELECT quote(min(%3)) FROM main.%2) || "
                                   "',' || (SELECT quote(max(%3)) FROM main.%2) FROM main.%2 "
                                   "ORDER BY %3 DESC LIMIT 1");
    const QString withPlayers =
        turns.arg(turnValues.join(separator) + separator +
                      QStringLiteral("quote(%1)").arg(turnColumn(TurnColumn::Joueur)),
                  turnTable(), numero);
    // Each part alone, so that a file without tours still has the mark of its game.
    const QStringList parts[] = {
        {QStringLiteral("SELECT %1 FROM main.%2 ORDER BY rowid LIMIT 1")
             .arg(texts.join(separator), quoted(gameTable()))},
        {QStringLiteral("SELECT quote(%1) FROM main.%2 ORDER BY rowid LIMIT 1")
             .arg(countColumn(), quoted(countTable()))},
        {withPlayers, turns.arg(turnValues.join(separator), turnTable(), numero)},
    };
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QStringList& part : parts) {
        for (const QString& statement : part) {
            const bool read = query.exec(statement) && query.next();
            if (read) {
                hash.addData(query.value(0).toString().toUtf8());
            }
            query.finish();
            if (read) {
                break;
            }
        }
        hash.addData("|");
    }
    // The thread's earlier puzzles, which only a save of the whole game writes: a file without
    // them keeps the mark it had before the thread.
    if (everyTurn) {
        QStringList puzzleValues{QStringLiteral("quote(%1)").arg(turnColumn(TurnColumn::Numero))};
        for (Pane pane : kPanes)
            puzzleValues << QStringLiteral("quote(%1)").arg(gameTextColumn(pane));
        puzzleValues << QStringLiteral("quote(%1)").arg(countColumn())
                     << QStringLiteral("quote(%1)").arg(threadFirstTurnColumn());
        const QString rows = QStringLiteral("SELECT group_concat(row, char(10)) FROM (SELECT %1 "
                                            "AS row FROM main.%2 ORDER BY %3)");
        const QString puzzleTurns =
            rows.arg(QStringLiteral("quote(%1) || ',' || ").arg(threadPuzzleColumn()) +
                         turnValues.join(separator) + separator +
                         QStringLiteral("quote(%1)").arg(turnColumn(TurnColumn::Joueur)),
                     threadTurnTable(), threadPuzzleColumn() + QStringLiteral(", ") + numero);
        for (const QString& statement :
             {rows.arg(puzzleValues.join(separator), threadPuzzleTable(), numero), puzzleTurns}) {
            if (query.exec(statement) && query.next() && !query.value(0).isNull())
                hash.addData(query.value(0).toString().toUtf8());
            query.finish();
        }
    }
    return QString::fromLatin1(hash.result().toHex());
}

StoreStatus GameStore::copyInto(const QString& emptyFile) const
{
    if (!m_open) {
        return failure(QStringLiteral("La base de données est fermée."));
    }
    // The open connection reads the file even when its name has gone meanwhile.
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.prepare(QStringLiteral("VACUUM INTO ?"))) {
        return failure(query.lastError());
    }
    query.addBindValue(emptyFile);
    if (!query.exec()) {
        return failure(query.lastError());
    }
    return StoreStatus::success();
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
    m_recovery.closed();
    m_open = false;
}

StoreStatus GameStore::failure(const QSqlError& error) const
{
    return StoreStatus::failure(storeErrorMessage(classifyStoreError(m_path, error), m_path));
}

StoreStatus GameStore::failure(const QString& sentence) const
{
    return StoreStatus::failure(sentence + QLatin1Char('\r') + nativePath(m_path));
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

StoreStatus GameStore::runInTransaction(const std::function<StoreStatus()>& body, bool upgradeFirst,
                                        const std::function<StoreStatus(const QSqlError&)>& failed)
{
    if (!m_open) {
        return failure(QStringLiteral("La base de données est fermée."));
    }
    const auto failure = [&](const QSqlError& error) {
        return failed ? failed(error) : this->failure(error);
    };
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery control(db);
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return failure(control.lastError());
    }
    StoreStatus status = StoreStatus::success();
    if (const std::optional<QSqlError> error = upgradeFirst ? upgradeLayout(db) : std::nullopt) {
        status = failure(*error);
    } else {
        status = body();
    }
    if (status && !control.exec(QStringLiteral("COMMIT"))) {
        status = failure(control.lastError());
    }
    if (!status) {
        // After a failed COMMIT the transaction is still open and must be undone too.
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    }
    return status;
}
