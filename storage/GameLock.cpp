// The per-game lock files, kept where the system keeps the user's run-time files.
#include "GameLock.h"
#include "StoreError.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// A lock file held: its name and the open file that carries the system's lock. Letting go
// removes the file while still holding it, so that the name never names a file that a holder
// let go of, then closes it.
class GameLock::Held {
  public:
    Held(QByteArray name, int fd) : m_name(std::move(name)), m_fd(fd) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held()
    {
        ::unlink(m_name.constData());
        ::close(m_fd);
    }
    int fd() const { return m_fd; }

  private:
    QByteArray m_name;
    int m_fd;
};

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
QHash<QString, std::weak_ptr<GameLock::Held>>& heldLocks()
{
    static QHash<QString, std::weak_ptr<GameLock::Held>> held;
    return held;
}

bool sameFile(int fd, const QByteArray& name)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

// Opens (or makes) the lock file and locks it, waiting for its holder or not; `error` tells why
// nothing is held (EWOULDBLOCK: a live program holds it). A file whose holder let go of it and
// removed it between the open and the lock is left for the one now at its name.
std::shared_ptr<GameLock::Held> hold(const QString& file, bool wait, int* error)
{
    const QByteArray name = QFile::encodeName(file);
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            *error = errno;
            return nullptr;
        }
        int locked = 0;
        do
            locked = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
        while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            *error = errno;
            ::close(fd);
            return nullptr;
        }
        if (sameFile(fd, name))
            return std::make_shared<GameLock::Held>(name, fd);
        ::close(fd);
    }
}

// What Qt's own lock files say of their holder (process id, program, host, machine, boot), so
// that an older Plimo, which reads them so, sees a live holder.
QByteArray holderLines()
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QFileInfo(program).fileName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() +
           '\n' + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n';
}

} // namespace

void GameLock::writeAlone(const QString& settingsFile, const std::function<void()>& write)
{
    int error = 0;
    [[maybe_unused]] const std::shared_ptr<Held> alone =
        hold(lockFileFor(settingsFile), true, &error);
    // Qt's lock file: one nobody holds was left by a killed program.
    const QByteArray qtLock = QFile::encodeName(settingsFile + QStringLiteral(".lock"));
    const int fd = ::open(qtLock.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, qtLock))
            ::unlink(qtLock.constData());
        ::close(fd);
    }
    // Without the lock (a runtime folder that cannot be written) the write is still made.
    write();
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
    if (std::shared_ptr<Held> held = heldLocks().value(key).lock()) {
        m_lock = std::move(held);
        return Outcome::Taken;
    }
    const QString file = lockFileFor(gamePath);
    int error = 0;
    std::shared_ptr<Held> lock = hold(file, false, &error);
    if (!lock && error == EWOULDBLOCK)
        return Outcome::HeldElsewhere;
    if (!lock) {
        m_reason = QStringLiteral("Le verrou %1 n'a pas pu être pris.").arg(nativePath(file));
        return Outcome::Failed;
    }
    // Names its holder in place of whatever a killed one left; like every file beside a game,
    // readable by its owner only. What it says is for people: the lock is held either way.
    const QByteArray lines = holderLines();
    const bool named =
        ::ftruncate(lock->fd(), 0) == 0 &&
        ::pwrite(lock->fd(), lines.constData(), size_t(lines.size()), 0) == lines.size();
    Q_UNUSED(named)
    ::fchmod(lock->fd(), 0600);
    heldLocks().insert(key, lock);
    m_lock = std::move(lock);
    return Outcome::Taken;
}
