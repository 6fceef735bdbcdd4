// The recent games as an array in an INI file, read afresh at each use because another Plimo of
// the same user may have changed it meanwhile.
#include "RecentGames.h"

#include "GameLock.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kArray = QStringLiteral("parties_recentes");
const QString kPathKey = QStringLiteral("chemin");

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentGames::RecentGames(QString configFile) : m_file(std::move(configFile)) {}

QString RecentGames::userConfigFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/plimo/plimo.conf");
}

QStringList RecentGames::paths() const
{
    QSettings settings(m_file, QSettings::IniFormat);
    QStringList paths;
    const int size = settings.beginReadArray(kArray);
    for (int i = 0; i < size && paths.size() < kMaxGames; ++i) {
        settings.setArrayIndex(i);
        // A file edited by hand may hold blanks, relative paths or the same game twice.
        const QString path = settings.value(kPathKey).toString();
        if (!path.isEmpty() && QDir::isAbsolutePath(path) && !paths.contains(absolute(path)))
            paths << absolute(path);
    }
    settings.endArray();
    return paths;
}

void RecentGames::add(const QString& gamePath)
{
    QStringList paths = this->paths();
    const QString path = absolute(gamePath);
    paths.removeAll(path);
    paths.prepend(path);
    write(paths.mid(0, kMaxGames));
}

void RecentGames::remove(const QString& gamePath)
{
    QStringList paths = this->paths();
    if (paths.removeAll(absolute(gamePath)) > 0)
        write(paths);
}

// A list that cannot be written (read-only configuration) is only a lost convenience.
void RecentGames::write(const QStringList& paths)
{
    GameLock::writeAlone(m_file, [&] {
        QSettings settings(m_file, QSettings::IniFormat);
        settings.remove(kArray);
        settings.beginWriteArray(kArray, int(paths.size()));
        for (int i = 0; i < paths.size(); ++i) {
            settings.setArrayIndex(i);
            settings.setValue(kPathKey, paths[i]);
        }
        settings.endArray();
        settings.sync();
    });
}
