// The per-game lock files, kept where the system keeps the user's run-time files.
#include "GameLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// The user's runtime folder; the temporary folder when the system names none, so that the lock
// still binds every Plimo of the machine.
QString lockFolder()
{
    // Asked only when it is set: otherwise Qt warns on the console and makes a folder of its own.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
    return QDir::tempPath();
}

// The locks this program holds, by game key.
QHash<QString, std::weak_ptr<QLockFile>>& heldLocks()
{
    static QHash<QString, std::weak_ptr<QLockFile>> held;
    return held;
}

} // namespace

QString GameLock::gameKey(const QString& gamePath)
{
    const QFileInfo info(gamePath);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') +
                           info.fileName());
}

QString GameLock::lockFileFor(const QString& gamePath)
{
    // A hash, because the path may be longer than a file name can be, and holds slashes.
    const QByteArray hash =
        QCryptographicHash::hash(gameKey(gamePath).toUtf8(), QCryptographicHash::Sha256);
    return lockFolder() + QStringLiteral("/plimo-") + QString::fromLatin1(hash.toHex().left(32)) +
           QStringLiteral(".lock");
}

GameLock::Outcome GameLock::take(const QString& gamePath)
{
    m_reason.clear();
    const QString key = gameKey(gamePath);
    if (std::shared_ptr<QLockFile> held = heldLocks().value(key).lock()) {
        m_lock = std::move(held);
        return Outcome::Taken;
    }
    const QString file = lockFileFor(gamePath);
    auto lock = std::make_shared<QLockFile>(file);
    // Qt's own stale time stays: a holder that is alive keeps its lock file, old as it may be,
    // locked against removal; only a file left half-written by a killed holder needs the age.
    if (lock->tryLock(0)) {
        heldLocks().insert(key, lock);
        m_lock = std::move(lock);
        return Outcome::Taken;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return Outcome::HeldElsewhere;
    m_reason =
        QStringLiteral("Le verrou %1 n'a pas pu être pris.").arg(QDir::toNativeSeparators(file));
    return Outcome::Failed;
}
