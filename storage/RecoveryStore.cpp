// The recovery record's file: attached beside the game, read back and checked, written a few rows
// at a time, emptied by a save, removed, or put aside untouched when it cannot be taken up.
#include "RecoveryStore.h"

#include "SqlValues.h"
#include "StoreNames.h"
#include "StoreSchema.h"
#include "TurnStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The record's layout, recorded in its PRAGMA user_version: the second adds the column of a game
// left on purpose, the third the thread's puzzles closed since the save (how many of the file's
// stay, and the tables of those closed). A record of an older layout is read and written on,
// brought up to date.
constexpr int kRecordVersion = 3;
constexpr int kFirstLeftVersion = 2;
constexpr int kFirstThreadVersion = 3;

const QString kDamaged = QStringLiteral("elle est abîmée");
const QString kEmpty = QStringLiteral("elle est vide");
const QString kOtherVersion = QStringLiteral("elle a été écrite par une autre version de Plimo");
const QString kNotARecord = QStringLiteral("ce fichier n'est pas une copie de secours");
const QString kOtherSave = QStringLiteral("la partie a été enregistrée ou remplacée depuis");

QString qualified(const QString& table)
{
    return recoverySchema() + QLatin1Char('.') + table;
}

bool isCount(RecoveryColumn column)
{
    return column == RecoveryColumn::TurnCount || column == RecoveryColumn::SavedTurns;
}

QString recoveryColumnList()
{
    QStringList names;
    for (RecoveryColumn column : kRecoveryColumns)
        names << recoveryColumn(column);
    return names.join(QStringLiteral(", "));
}

// The text a column keeps of the game; nothing for the counts and the saved game's mark.
template <typename Record>
auto textOf(Record& game, RecoveryColumn column) -> decltype(&game.player)
{
    switch (column) {
    case RecoveryColumn::Ref:
        return &game.session.ref;
    case RecoveryColumn::Soluce:
        return &game.session.soluce;
    case RecoveryColumn::Propal:
        return &game.session.propal;
    case RecoveryColumn::Lettres:
        return &game.session.lettres;
    case RecoveryColumn::Player:
        return &game.player;
    case RecoveryColumn::RemainingCount:
    case RecoveryColumn::FoundCount:
    case RecoveryColumn::Generation:
    case RecoveryColumn::TurnCount:
    case RecoveryColumn::SavedTurns:
    case RecoveryColumn::SavedMark:
        break;
    }
    return nullptr;
}

// Files beside a game hold its hidden text: readable by their owner only.
void keepPrivate(const QString& path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// SQLite's codes for a folder that cannot be written and for a full disk.
constexpr int kSqliteReadOnlyDirectory = 8 | (6 << 8);
constexpr int kSqliteFull = 13;

// Makes the record's empty file, readable by its owner only from the start; SQLite's journal
// beside it takes the same mode. Why not, as SQLite would tell it.
std::optional<QSqlError> makePrivateFile(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return std::nullopt;
    }
    const int error = errno;
    const int code =
        error == ENOSPC || error == EFBIG || error == EDQUOT
            ? kSqliteFull
            : (error == EACCES || error == EROFS || error == EPERM ? kSqliteReadOnlyDirectory : 14);
    return QSqlError(QString::fromLocal8Bit(std::strerror(error)),
                     QString::fromLocal8Bit(std::strerror(error)), QSqlError::ConnectionError,
                     QString::number(code));
}

// The session's counts, which the record keeps as their decimal text.
template <typename Record>
auto shownCountOf(Record& game, RecoveryColumn column) -> decltype(&game.session.lettres_trouvees)
{
    if (column == RecoveryColumn::RemainingCount)
        return &game.session.lettres_restantes;
    if (column == RecoveryColumn::FoundCount)
        return &game.session.lettres_trouvees;
    return nullptr;
}

} // namespace

RecoveryStore::RecoveryStore(QString connectionName, const QString& gamePath)
    : m_connectionName(std::move(connectionName)), m_path(fileFor(gamePath)),
      m_thread(m_connectionName, recoverySchema())
{
}

QString RecoveryStore::fileFor(const QString& gamePath)
{
    if (gamePath.isEmpty())
        return QString();
    const QFileInfo info(gamePath);
    const QString canonical = info.canonicalFilePath();
    const QFileInfo game(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
    return game.absolutePath() + QStringLiteral("/.") + game.fileName() +
           QStringLiteral(".reprise");
}

RecoveryReading RecoveryStore::read(const std::function<QString()>& savedMark)
{
    detach();
    m_ours = m_made = false;
    RecoveryReading reading;
    const QFileInfo file(m_path);
    if (m_path.isEmpty() || !file.exists())
        return reading;
    // Its maker was killed in its first write, before anything was committed.
    const bool killedInFirstWrite =
        file.size() == 0 && QFileInfo::exists(m_path + QStringLiteral("-journal"));
    const bool tooSmall = file.size() <= 1;
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    const auto unreadable = [&](const QString& reason) {
        query.finish();
        detach();
        reading.kind = RecoveryReading::Kind::Unreadable;
        reading.reason = reason;
        return reading;
    };
    if (attach("rw"))
        return unreadable(kDamaged);
    // A file that is no database fails here, at its first read.
    if (!query.exec(QStringLiteral("PRAGMA %1.user_version").arg(recoverySchema())) ||
        !query.next())
        return unreadable(kDamaged);
    const int version = query.value(0).toInt();
    query.finish();
    query.prepare(QStringLiteral("SELECT count(*), count(CASE name WHEN '%2' THEN 1 END) FROM "
                                 "%1.sqlite_master WHERE type = 'table'")
                      .arg(recoverySchema(), recoveryGameTable()));
    if (!query.exec() || !query.next())
        return unreadable(kDamaged);
    const bool hasTables = query.value(0).toInt() > 0;
    const bool hasGameTable = query.value(1).toInt() > 0;
    query.finish();
    if (version == 0 && !hasTables) {
        // Emptied by a save that could not remove its file afterwards, or never written.
        if (killedInFirstWrite || !tooSmall) {
            drop();
            return reading;
        }
        return unreadable(kEmpty);
    }
    // Another file of Plimo's, such as a game, put in the record's place.
    if (!hasGameTable)
        return unreadable(hasTables ? kNotARecord : kDamaged);
    if (version < 1 || version > kRecordVersion)
        return unreadable(version > kRecordVersion ? kOtherVersion : kDamaged);
    m_version = version;

    QString laterColumns;
    if (version >= kFirstLeftVersion)
        laterColumns += QStringLiteral(", ") + recoveryLeftColumn();
    if (version >= kFirstThreadVersion)
        laterColumns += QStringLiteral(", ") + recoveryThreadKeptColumn();
    if (!query.exec(QStringLiteral("SELECT %1%2 FROM %3")
                        .arg(recoveryColumnList(), laterColumns, qualified(recoveryGameTable()))))
        return unreadable(kDamaged);
    if (!query.next())
        return unreadable(kDamaged);
    RecoveryRecord& game = reading.game;
    QString mark;
    for (qsizetype i = 0; i < qsizetype(kRecoveryColumns.size()); ++i) {
        const RecoveryColumn column = kRecoveryColumns[std::size_t(i)];
        const QVariant value = query.value(int(i));
        if (isCount(column)) {
            if (!holdsInteger(value))
                return unreadable(kDamaged);
            (column == RecoveryColumn::TurnCount ? game.turnCount : game.savedTurns) =
                value.toLongLong();
            continue;
        }
        const std::optional<QString> text = textFrom(value);
        if (!text)
            return unreadable(kDamaged);
        bool number = true;
        if (QString* field = textOf(game, column))
            *field = *text;
        else if (qint64* count = shownCountOf(game, column))
            *count = text->toLongLong(&number);
        else if (column == RecoveryColumn::SavedMark)
            mark = *text;
        if (!number)
            return unreadable(kDamaged);
    }
    if (version >= kFirstLeftVersion) {
        const QVariant left = query.value(int(kRecoveryColumns.size()));
        if (!holdsInteger(left))
            return unreadable(kDamaged);
        game.left = left.toLongLong() != 0;
    }
    if (version >= kFirstThreadVersion) {
        const QVariant kept = query.value(int(kRecoveryColumns.size()) + 1);
        if (!kept.isNull() && (!holdsInteger(kept) || kept.toLongLong() < 0))
            return unreadable(kDamaged);
        if (!kept.isNull())
            game.thread.kept = kept.toLongLong();
    }
    if (query.next() || game.savedTurns < 0 || game.savedTurns > game.turnCount)
        return unreadable(kDamaged);
    query.finish();
    if (mark != savedMark())
        return unreadable(kOtherSave);

    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                        .arg(turnColumnList(true), qualified(recoveryTurnTable()),
                             turnColumn(TurnColumn::Numero))))
        return unreadable(kDamaged);
    QList<qlonglong> numbers;
    const std::optional<QList<Turn>> turns = turnsOf(query, true, numbers);
    if (!turns)
        return unreadable(kDamaged);
    qsizetype past = 0;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (numbers[i] < 0 || numbers[i] >= game.turnCount)
            return unreadable(kDamaged);
        past += numbers[i] >= game.savedTurns ? 1 : 0;
        reading.turns.insert(numbers[i], turns->at(i));
    }
    // Every turn past the saved ones is the record's own.
    if (past != game.turnCount - game.savedTurns)
        return unreadable(kDamaged);
    query.finish();
    // The puzzles closed since the save follow the file's that stay.
    if (version >= kFirstThreadVersion) {
        const std::optional<qsizetype> closed = m_thread.count();
        if (!closed)
            return unreadable(kDamaged);
        for (qsizetype number = 1; number <= *closed; ++number) {
            std::optional<ClosedPuzzle> puzzle = m_thread.puzzle(number);
            if (!puzzle)
                return unreadable(kDamaged);
            game.thread.closed.append(std::move(*puzzle));
        }
    }
    reading.kind = RecoveryReading::Kind::Readable;
    m_made = true;
    m_savedMark = mark;
    return reading;
}

std::optional<QString> RecoveryStore::setAside(QString* why)
{
    detach();
    m_ours = m_made = false;
    const QString canonical =
        QFileInfo(m_path).absolutePath() + QLatin1Char('/') + QFileInfo(m_path).fileName().mid(1);
    for (int n = 1;; ++n) {
        const QString aside = canonical + QStringLiteral("-illisible") +
                              (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        const QFileInfo taken(aside);
        if (taken.exists() || taken.isSymLink())
            continue;
        QFile file(m_path);
        if (!file.rename(aside)) {
            *why = file.errorString();
            return std::nullopt;
        }
        // A journal the record's writer left goes with it, so that SQLite still finds it there.
        QFile::rename(m_path + QStringLiteral("-journal"), aside + QStringLiteral("-journal"));
        keepPrivate(aside);
        keepPrivate(aside + QStringLiteral("-journal"));
        return aside;
    }
}

std::optional<QSqlError> RecoveryStore::prepare(const std::function<QString()>& savedMark)
{
    if (m_attached && m_ours)
        return std::nullopt;
    detach();
    if (m_path.isEmpty())
        return QSqlError(QString(), QStringLiteral("no game file"), QSqlError::ConnectionError);
    const QFileInfo existing(m_path);
    QString why;
    if ((existing.exists() || existing.isSymLink()) && !setAside(&why))
        return QSqlError(QString(), why, QSqlError::ConnectionError);
    if (std::optional<QSqlError> error = makePrivateFile(m_path))
        return error;
    if (std::optional<QSqlError> error = attach("rw"))
        return error;
    m_ours = true;
    m_made = false;
    m_version = kRecordVersion;
    m_savedMark = savedMark();
    return std::nullopt;
}

std::optional<QSqlError> RecoveryStore::write(const RecoveryChanges& changes) const
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    const QString turns = qualified(recoveryTurnTable());
    if (!m_made) {
        QStringList columns;
        for (RecoveryColumn column : kRecoveryColumns)
            columns << recoveryColumn(column) + (isCount(column)
                                                     ? QStringLiteral(" INTEGER NOT NULL")
                                                     : QStringLiteral(" TEXT NOT NULL"));
        columns << recoveryLeftColumn() + QStringLiteral(" INTEGER NOT NULL DEFAULT 0")
                << recoveryThreadKeptColumn() + QStringLiteral(" INTEGER");
        QStringList statements{QStringLiteral("CREATE TABLE %1 (%2)")
                                   .arg(qualified(recoveryGameTable()),
                                        columns.join(QStringLiteral(", "))),
                               turnTableStatement(turns)};
        statements << threadTableStatements(recoverySchema());
        for (const QString& statement : statements) {
            if (std::optional<QSqlError> error = run(query, statement))
                return error;
        }
    }
    // A record of an older layout gains what it lacks.
    QStringList upgrades;
    if (m_made && m_version < kFirstLeftVersion)
        upgrades << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER NOT NULL DEFAULT 0")
                        .arg(qualified(recoveryGameTable()), recoveryLeftColumn());
    if (m_made && m_version < kFirstThreadVersion)
        upgrades << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INTEGER")
                        .arg(qualified(recoveryGameTable()), recoveryThreadKeptColumn())
                 << threadTableStatements(recoverySchema());
    if (!m_made || m_version < kRecordVersion)
        upgrades << QStringLiteral("PRAGMA %1.user_version = %2")
                        .arg(recoverySchema())
                        .arg(kRecordVersion);
    for (const QString& statement : upgrades) {
        if (std::optional<QSqlError> error = run(query, statement))
            return error;
    }
    // The puzzles closed since the save, numbered from 1 in the record.
    if (changes.thread || !m_made) {
        if (std::optional<QSqlError> error =
                m_thread.write({0, changes.game.thread.closed}))
            return error;
    }
    if (changes.wipe) {
        if (std::optional<QSqlError> error = run(query, QStringLiteral("DELETE FROM ") + turns))
            return error;
    }
    query.prepare(
        QStringLiteral("DELETE FROM %1 WHERE %2 >= ?").arg(turns, turnColumn(TurnColumn::Numero)));
    query.addBindValue(qlonglong(changes.game.turnCount));
    if (!query.exec())
        return query.lastError();

    const RecoveryRecord& game = changes.game;
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO %1 (rowid, %2, %3, %4) VALUES (1%5)")
                      .arg(qualified(recoveryGameTable()), recoveryColumnList(),
                           recoveryLeftColumn(), recoveryThreadKeptColumn(),
                           QStringLiteral(", ?").repeated(qsizetype(kRecoveryColumns.size()) + 2)));
    for (RecoveryColumn column : kRecoveryColumns) {
        if (const QString* text = textOf(game, column))
            query.addBindValue(notNull(*text));
        else if (const qint64* count = shownCountOf(game, column))
            query.addBindValue(QString::number(*count));
        else if (column == RecoveryColumn::Generation)
            query.addBindValue(QStringLiteral(""));
        else if (column == RecoveryColumn::SavedMark)
            query.addBindValue(notNull(m_savedMark));
        else
            query.addBindValue(
                qlonglong(column == RecoveryColumn::TurnCount ? game.turnCount : game.savedTurns));
    }
    query.addBindValue(int(game.left));
    query.addBindValue(game.thread.kept ? QVariant(qlonglong(*game.thread.kept)) : QVariant());
    if (!query.exec())
        return query.lastError();

    if (changes.turns.isEmpty())
        return std::nullopt;
    if (!query.prepare(QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (?, ?, ?, ?, ?, ?, ?)")
                           .arg(turns, turnColumnList(true))))
        return query.lastError();
    for (const auto& [number, turn] : changes.turns)
        if (std::optional<QSqlError> error = insertTurn(query, number, turn, true))
            return error;
    return std::nullopt;
}

void RecoveryStore::committed()
{
    m_made = true;
    m_version = kRecordVersion;
}

std::optional<QSqlError> RecoveryStore::empty() const
{
    if (!m_ours || !m_made)
        return std::nullopt;
    // Without tables or version, as a record never written: one whose file the save could not
    // remove afterwards is then told from one whose game is gone.
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    for (const QString& statement :
         {QStringLiteral("DROP TABLE ") + qualified(recoveryGameTable()),
          QStringLiteral("DROP TABLE ") + qualified(recoveryTurnTable()),
          QStringLiteral("DROP TABLE IF EXISTS ") + qualified(threadTurnTable()),
          QStringLiteral("DROP TABLE IF EXISTS ") + qualified(threadPuzzleTable()),
          QStringLiteral("PRAGMA %1.user_version = 0").arg(recoverySchema())}) {
        if (std::optional<QSqlError> error = run(query, statement))
            return error;
    }
    return std::nullopt;
}

void RecoveryStore::drop()
{
    const bool known = m_attached || m_ours;
    detach();
    m_ours = m_made = false;
    if (!known || m_path.isEmpty())
        return;
    QFile::remove(m_path);
    QFile::remove(m_path + QStringLiteral("-journal"));
}

std::optional<QSqlError> RecoveryStore::attach(const char* mode)
{
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(recoverySchema()));
    query.addBindValue(sqliteUri(m_path, mode));
    if (!query.exec())
        return query.lastError();
    m_attached = true;
    // Each write is on disk before the window takes the next input.
    return run(query, QStringLiteral("PRAGMA %1.synchronous = FULL").arg(recoverySchema()));
}

void RecoveryStore::detach()
{
    if (!m_attached)
        return;
    m_attached = false;
    QSqlQuery(QSqlDatabase::database(m_connectionName, false))
        .exec(QStringLiteral("DETACH DATABASE %1").arg(recoverySchema()));
}
