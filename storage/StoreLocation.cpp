// The choice of the game store and the first copy of the user's game.
#include "StoreLocation.h"
#include "GameFiles.h"
#include "RecentGames.h"
#include "StoreNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The user's folder keeps this name whatever the application's name.
const QString kDataFolder = QStringLiteral("plimo");

StoreLocation found(const QString& path)
{
    return StoreLocation{QFileInfo(path).absoluteFilePath(), QString()};
}

StoreLocation failed(const QString& reason, const QString& path)
{
    return StoreLocation{QString(), notMadeMessage(reason, path)};
}

// The XDG data home: $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
QString dataHome(const StoreLocationInputs& inputs)
{
    if (!inputs.xdgDataHome.isEmpty() && QDir::isAbsolutePath(inputs.xdgDataHome))
        return inputs.xdgDataHome;
    if (inputs.home.isEmpty())
        return QString();
    return inputs.home + QStringLiteral("/.local/share");
}

// Makes the folder and its missing parents; returns the folders made, deepest first, so that
// a failure further on can take them away again.
QStringList makeFolders(const QString& folder, QString* error)
{
    QStringList missing;
    for (QString path = QDir::cleanPath(folder); !nameTaken(path); path = QFileInfo(path).path()) {
        missing.prepend(path);
        if (QFileInfo(path).path() == path)
            break;
    }
    QStringList made;
    for (const QString& path : missing) {
        if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0) {
            made.prepend(path);
            continue;
        }
        const int reason = errno;
        // A folder that another start has just made is used as it is.
        if (reason == EEXIST && QFileInfo(path).isDir())
            continue;
        *error = QString::fromLocal8Bit(std::strerror(reason));
        break;
    }
    return made;
}

void removeFolders(const QStringList& made)
{
    for (const QString& path : made)
        QDir().rmdir(path);
}

// Copies the default into a temporary file of the target's folder, synced to disk, then gives
// it the target's name; an existing target is never replaced.
bool copyDefault(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    sweepScratchFiles(QFileInfo(target).absolutePath());
    QTemporaryFile out(scratchTemplate(target, QCoreApplication::applicationPid()));
    if (!out.open()) {
        *error = out.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty()) {
            if (in.error() == QFileDevice::NoError)
                break;
            *error = in.errorString();
            return false;
        }
        // Written past Qt's buffer, so that a failure gives the system's own reason (a full
        // disk); a short write is retried and the next one reports it.
        for (qsizetype done = 0; done < block.size();) {
            const ssize_t written = ::write(out.handle(), block.constData() + done,
                                            static_cast<size_t>(block.size() - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                *error = QString::fromLocal8Bit(std::strerror(errno));
                return false;
            }
            done += written;
        }
    }
    if (::fsync(out.handle()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // The game is the user's to write, and the hidden text is not for other accounts to read,
    // whatever the packaged file's mode.
    if (!out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        *error = out.errorString();
        return false;
    }
    if (!out.rename(target)) {
        // Another start made the game in the meantime: that one is kept.
        if (nameTaken(target))
            return true;
        *error = out.errorString();
        return false;
    }
    out.setAutoRemove(false);
    return true;
}

StoreLocation userGame(const StoreLocationInputs& inputs, const QString& packaged)
{
    const QString home = dataHome(inputs);
    if (home.isEmpty())
        return failed(QStringLiteral("ni XDG_DATA_HOME ni HOME ne sont définis."),
                      QStringLiteral("$HOME/.local/share/") + kDataFolder + QLatin1Char('/') +
                          usualGameFileName());
    const QString folder = QDir::cleanPath(home + QLatin1Char('/') + kDataFolder);
    const QString target = folder + QLatin1Char('/') + usualGameFileName();
    if (nameTaken(target))
        return found(target);

    QString error;
    const QStringList made = makeFolders(folder, &error);
    if (!error.isEmpty()) {
        removeFolders(made);
        return failed(error, target);
    }
    if (!copyDefault(packaged, target, &error)) {
        removeFolders(made);
        return failed(error, target);
    }
    return found(target);
}

} // namespace

StoreLocation locateStore(const StoreLocationInputs& inputs)
{
    if (inputs.arguments.size() > 2)
        return StoreLocation{QString(), QStringLiteral("Plimo ouvre un seul fichier de partie : "
                                                       "plimo [FICHIER]\r") +
                                            inputs.arguments.mid(1).join(QLatin1Char(' '))};
    if (inputs.arguments.size() == 2)
        return found(QDir(inputs.currentDir).absoluteFilePath(inputs.arguments[1]));

    for (qsizetype i = 0; i < inputs.recentGames.size(); ++i) {
        if (QFileInfo::exists(inputs.recentGames[i])) {
            StoreLocation location = found(inputs.recentGames[i]);
            location.recent = i;
            return location;
        }
    }
    const QDir executableDir(inputs.executableDir);
    const QString beside = executableDir.absoluteFilePath(usualGameFileName());
    if (nameTaken(beside))
        return found(beside);
    const QString packaged = QDir::cleanPath(executableDir.absoluteFilePath(
        QStringLiteral("../share/") + kDataFolder + QLatin1Char('/') + usualGameFileName()));
    if (QFileInfo::exists(packaged))
        return userGame(inputs, packaged);
    return found(beside);
}

QString newGameFolder(const QString& gamePath, const StoreLocationInputs& inputs,
                      const QString& documents)
{
    if (gamePath.isEmpty())
        return documents;
    const QString folder = QFileInfo(gamePath).absolutePath();
    const QString home = dataHome(inputs);
    if (home.isEmpty())
        return folder;
    const QString dataFolder = QDir::cleanPath(home + QLatin1Char('/') + kDataFolder);
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    const bool own = QDir::cleanPath(folder) == dataFolder ||
                     (!canonical.isEmpty() && QFileInfo(folder).canonicalFilePath() == canonical);
    return own ? documents : folder;
}

StoreLocationInputs applicationStoreInputs()
{
    return StoreLocationInputs{
        QCoreApplication::arguments(), QCoreApplication::applicationDirPath(),
        QDir::currentPath(),           qEnvironmentVariable("XDG_DATA_HOME"),
        qEnvironmentVariable("HOME"),  RecentGames().paths()};
}
