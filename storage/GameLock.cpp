// The per-game lock files, kept where the system keeps the user's run-time files.
#include "GameLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// The user's runtime folder; the temporary folder when the system offers none, so that the
// lock still binds every Plimo of the machine.
QString lockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

GameLock::GameLock() = default;

GameLock::~GameLock() = default;

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
    auto lock = std::make_unique<QLockFile>(lockFileFor(gamePath));
    // A game stays open for hours: only a holder that has ended leaves a stale lock, never age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_reason.clear();
        return Outcome::Taken;
    }
    switch (lock->error()) {
    case QLockFile::LockFailedError:
        m_reason.clear();
        return Outcome::HeldElsewhere;
    case QLockFile::PermissionError:
        m_reason = QStringLiteral("permission refusée pour le verrou %1")
                       .arg(QDir::toNativeSeparators(lockFileFor(gamePath)));
        return Outcome::Failed;
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        break;
    }
    m_reason = QStringLiteral("le verrou %1 n'a pas pu être pris")
                   .arg(QDir::toNativeSeparators(lockFileFor(gamePath)));
    return Outcome::Failed;
}

void GameLock::release()
{
    m_lock.reset();
}
