// The per-game lock files, kept where the system keeps the user's run-time files.
#include "GameLock.h"
#include "StoreError.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A holder writes its lock file right after making it; a file still without its holder after
// this long was left by a holder killed in between.
constexpr qint64 kWriteMomentMs = 1000;

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

// Removes a lock file whose holder is gone; true when the lock may be tried again. A holder locks
// its lock file (flock) from the moment it makes it until it lets go, and the system drops that
// lock when the holder ends however it ends: a file nobody locks has no live holder, whatever
// process now has the process id it names. Qt's own check trusts that id, and waits out a lock
// whose id another program has taken since. A file that names no holder may be one being made
// right now, before its maker locked it: it goes only once it is older than a write takes.
bool removeAbandonedLock(const QLockFile& lock, const QString& file)
{
    qint64 pid = 0;
    QString host;
    QString application;
    const QByteArray name = QFile::encodeName(file);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    bool removed = false;
    struct stat opened {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::stat(name.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
        opened.st_dev == named.st_dev) {
        const QDateTime written = QFileInfo(file).lastModified();
        removed = (lock.getLockInfo(&pid, &host, &application) ||
                   written.msecsTo(QDateTime::currentDateTime()) >= kWriteMomentMs) &&
                  ::unlink(name.constData()) == 0;
    }
    ::close(fd);
    return removed;
}

// Whether a live program holds the lock file (its flock).
bool heldByLiveProgram(const QString& file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

} // namespace

void GameLock::clearAbandoned(const QString& lockFile)
{
    const QLockFile lock(lockFile);
    QElapsedTimer waited;
    waited.start();
    // A file without holder nor content may be one being made this very moment: it is looked at
    // again until it is older than a write takes.
    while (QFileInfo::exists(lockFile) && !removeAbandonedLock(lock, lockFile) &&
           !heldByLiveProgram(lockFile) && waited.elapsed() < kWriteMomentMs + 100)
        QThread::msleep(20);
}

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
    if (lock->tryLock(0) || (lock->error() == QLockFile::LockFailedError &&
                             removeAbandonedLock(*lock, file) && lock->tryLock(0))) {
        // Like every file beside a game, readable by its owner only.
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        heldLocks().insert(key, lock);
        m_lock = std::move(lock);
        return Outcome::Taken;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return Outcome::HeldElsewhere;
    m_reason = QStringLiteral("Le verrou %1 n'a pas pu être pris.").arg(nativePath(file));
    return Outcome::Failed;
}
