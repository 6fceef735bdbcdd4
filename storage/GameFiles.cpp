// Game files written aside and renamed into place, the way the user's first game is copied.
#include "GameFiles.h"
#include "SqlValues.h"
#include "StoreError.h"
#include "StoreNames.h"
#include "StoreSchema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kSuffix = QStringLiteral(".mdb");

// This machine in scratch names: a process number only tells a process of the machine that ran
// it, and a folder may be shared between machines.
const QString& machineTag()
{
    static const QString tag = QString::fromLatin1(
        QCryptographicHash::hash(QSysInfo::machineHostName().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(8));
    return tag;
}

// A scratch file, and the files SQLite keeps beside it while it writes.
const QRegularExpression kScratchName(
    QStringLiteral(R"(^\..+\.plimo-([0-9a-f]{8})-([0-9]+)\.[A-Za-z0-9]{6}(-journal|-wal|-shm)?$)"));

bool processRuns(qint64 pid)
{
    // Another user's process may not be signalled, yet it runs.
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

StoreStatus failed(const QString& reason, const QString& path)
{
    return StoreStatus::failure(notMadeMessage(reason, path));
}

// A store failure on the file `written`, told with the path the user chose.
StoreStatus failedOn(const StoreStatus& status, const QString& written, const QString& path)
{
    return StoreStatus::failure(
        QString(status.message()).replace(nativePath(written), nativePath(path)));
}

// So that the new name, not only the file's content, survives a power cut.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Lets `fill` write an empty scratch file of the target's folder, syncs it, and gives it the
// target's name without replacing anything. The scratch file goes on any failure.
StoreStatus writeAside(const QString& target,
                       const std::function<StoreStatus(const QString& scratch)>& fill)
{
    const QString path = QFileInfo(target).absoluteFilePath();
    if (nameTaken(path))
        return StoreStatus::failure(nameTakenMessage(path));
    const QFileInfo info(path);
    sweepScratchFiles(info.absolutePath());
    // Private to the user like every game: the hidden text is not for others.
    QTemporaryFile scratch(scratchTemplate(path, QCoreApplication::applicationPid()));
    if (!scratch.open())
        return failed(scratch.errorString(), path);
    const QString scratchPath = scratch.fileName();
    StoreStatus status = fill(scratchPath);
    if (status && ::fsync(scratch.handle()) != 0)
        status = failed(systemError(), path);
    // The rename refuses an existing name, even one made since the check above.
    if (status && !scratch.rename(path))
        status = nameTaken(path) ? StoreStatus::failure(nameTakenMessage(path))
                                 : failed(scratch.errorString(), path);
    if (!status) {
        QFile::remove(scratchPath + QStringLiteral("-journal"));
        return status;
    }
    scratch.setAutoRemove(false);
    syncFolder(info.absolutePath());
    return status;
}

QString insertStatement(const QString& table, const QList<FieldValue>& fields)
{
    QStringList columns;
    QStringList marks;
    for (const FieldValue& field : fields) {
        columns << QLatin1Char('"') + field.column + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
        .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

// The empty game's tables and rows in this version's layout, in one transaction; the
// database's error, if any.
QSqlError fillEmptyGame(QSqlDatabase& db, const QList<FieldValue>& look, Forum forum,
                        bool rankingInPost, Rules rules)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN")))
        return query.lastError();
    for (const QString& statement : storeSchemaStatements()) {
        if (!query.exec(statement))
            return query.lastError();
    }
    QList<FieldValue> texts;
    for (Pane pane : kPanes)
        texts.append({gameTextColumn(pane), QStringLiteral("")});
    const QList<std::pair<QString, QList<FieldValue>>> rows = {
        {gameTable(), texts}, {countTable(), {{countColumn(), 0}}}, {lookTable(), look}};
    for (const auto& [table, fields] : rows) {
        if (fields.isEmpty()) {
            if (!query.exec(QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(table)))
                return query.lastError();
            continue;
        }
        if (!query.prepare(insertStatement(table, fields)))
            return query.lastError();
        for (const FieldValue& field : fields)
            query.addBindValue(field.value);
        if (!query.exec())
            return query.lastError();
    }
    // The tables of later versions, and the version, come from the steps an older file takes.
    if (const std::optional<QSqlError> error = upgradeLayout(db))
        return *error;
    if (!query.prepare(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ?, %4 = ?, %5 = ?")
                           .arg(quoted(optionsTable()), quoted(forumColumn()),
                                quoted(rankingColumn()), quoted(allLettersColumn()),
                                quoted(optionalAccentsColumn()))))
        return query.lastError();
    query.addBindValue(forumValue(forum));
    query.addBindValue(int(rankingInPost));
    query.addBindValue(int(rules.allLetters));
    query.addBindValue(int(rules.optionalAccents));
    if (!query.exec())
        return query.lastError();
    query.exec(QStringLiteral("COMMIT"));
    return query.lastError();
}

} // namespace

QString scratchTemplate(const QString& target, qint64 owner)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() +
           QStringLiteral(".plimo-%1-%2.XXXXXX").arg(machineTag()).arg(owner);
}

void sweepScratchFiles(const QString& folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = kScratchName.match(name);
        if (!match.hasMatch() || match.captured(1) != machineTag())
            continue;
        const qint64 owner = match.captured(2).toLongLong();
        if (processRuns(owner))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat file {};
        if (::lstat(path.constData(), &file) == 0 && S_ISREG(file.st_mode) &&
            file.st_uid == ::geteuid())
            ::unlink(path.constData());
    }
}

bool nameTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString nameTakenMessage(const QString& path)
{
    return QStringLiteral("Le fichier existe déjà.\r") + nativePath(path);
}

QString notMadeMessage(const QString& reason, const QString& path)
{
    return QStringLiteral("La partie n'a pas pu être créée : ") + reason + QLatin1Char('\r') +
           QDir::toNativeSeparators(path);
}

QString withGameSuffix(const QString& path)
{
    return path.endsWith(kSuffix, Qt::CaseInsensitive) ? path : path + kSuffix;
}

StoreStatus createEmptyGame(const QString& path, const QList<FieldValue>& look, Forum forum,
                            bool rankingInPost, Rules rules)
{
    if (const std::optional<QString> refused = unknownLookColumn(look))
        return StoreStatus::failure(*refused + QLatin1Char('\r') + nativePath(path));
    return writeAside(path, [&](const QString& scratch) {
        const QString name = nextConnectionName();
        QSqlError error;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(scratch);
            error = db.open() ? fillEmptyGame(db, look, forum, rankingInPost, rules)
                              : db.lastError();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (!error.isValid())
            return StoreStatus::success();
        return StoreStatus::failure(storeErrorMessage(classifyStoreError(scratch, error), path));
    });
}

StoreStatus copyGame(const GameStore& source, const QString& path,
                     const std::function<StoreStatus(GameStore&)>& finish)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    return writeAside(target, [&](const QString& scratch) {
        // The source reports the failure of a write into the copy with its own path.
        StoreStatus status = source.copyInto(scratch);
        if (!status)
            return failedOn(status, source.path(), target);
        GameStore copy(scratch);
        status = copy.open();
        copy.holds(source.storedTurns());
        if (status)
            status = finish(copy);
        copy.close();
        return status ? status : failedOn(status, scratch, target);
    });
}
