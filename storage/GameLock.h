// One program per game: a lock file in the user's runtime folder, named after the game's path,
// so that a second Plimo cannot open a game that one already has open.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

class GameLock {
  public:
    enum class Outcome { Taken, HeldElsewhere, Failed };

    GameLock();
    ~GameLock();
    GameLock(const GameLock&) = delete;
    GameLock& operator=(const GameLock&) = delete;

    // Takes the lock of the game at this path, which need not exist yet. A lock left by a
    // program that ended without letting go (killed, crashed) is taken over. On success the
    // lock held before, if any, is let go; otherwise it is kept.
    Outcome take(const QString& gamePath);
    // Why the last take failed, in the system's words.
    const QString& failureReason() const { return m_reason; }
    void release();
    bool isHeld() const { return m_lock != nullptr; }

    // The name a game goes by, whichever path leads to it: the canonical path of the file, or
    // for a file not yet made, the canonical path of its folder and its name.
    static QString gameKey(const QString& gamePath);
    // The lock file of the game at this path.
    static QString lockFileFor(const QString& gamePath);

  private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_reason;
};
