// The games the user opened last, most recent first, kept in the user's plimo.conf so that any
// Plimo of that user offers them.
#pragma once

#include <QString>
#include <QStringList>

class RecentGames {
  public:
    static constexpr qsizetype kMaxGames = 8;

    // The list in this INI file; by default the user's $XDG_CONFIG_HOME/plimo/plimo.conf.
    explicit RecentGames(QString configFile = userConfigFile());

    static QString userConfigFile();

    // The absolute paths, most recent first, at most kMaxGames of them.
    QStringList paths() const;
    // Puts the game first; its earlier place goes, and the oldest beyond kMaxGames drops off.
    void add(const QString& gamePath);
    void remove(const QString& gamePath);

  private:
    void write(const QStringList& paths);

    QString m_file;
};
