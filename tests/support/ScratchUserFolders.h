// For the length of a test run, the user's configuration and runtime folders are scratch
// folders, so that the recent games and game locks of the tests never reach the user's own.
#pragma once

#include <QDir>
#include <QTemporaryDir>

class ScratchUserFolders {
  public:
    ScratchUserFolders()
    {
        // Made private to the user, as the system makes the runtime folder.
        QDir().mkdir(m_dir.filePath(QStringLiteral("runtime")));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("runtime"))));
    }

  private:
    QTemporaryDir m_dir;
};
