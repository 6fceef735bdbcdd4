// One program per game: a lock file in the user's runtime folder, named after the game's path,
// so that a second Plimo cannot open a game that one already has open.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

class GameLock {
  public:
    enum class Outcome { Taken, HeldElsewhere, Failed };

    // Takes the lock of the game at this path, which need not exist yet. The locks of one
    // program on the same game share one lock file: the lock keeps programs apart. A lock left
    // by a program that ended without letting go (killed, crashed) is taken over at once, even
    // when another program now has the process id it names; a live holder's lock never is.
    Outcome take(const QString& gamePath);
    // Why the last take failed.
    const QString& failureReason() const { return m_reason; }

    // The name a game goes by, whichever path leads to it: the canonical path of the file, or
    // for a file not yet made, the canonical path of its folder and its name.
    static QString gameKey(const QString& gamePath);
    // The lock file of the game at this path.
    static QString lockFileFor(const QString& gamePath);
    // Removes the Qt lock file at this path (any, such as QSettings' own) when the program that
    // made it ended without letting go, so that a lock() on it does not wait out Qt's stale time.
    static void clearAbandoned(const QString& lockFile);

  private:
    std::shared_ptr<QLockFile> m_lock;
    QString m_reason;
};
