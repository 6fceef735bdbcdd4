// One program per game: a lock file in the user's runtime folder, named after the game's path,
// so that a second Plimo cannot open a game that one already has open.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class GameLock {
  public:
    enum class Outcome { Taken, HeldElsewhere, Failed };

    // Takes the lock of the game at this path, which need not exist yet. The locks of one
    // program on the same game share one lock file: the lock keeps programs apart. The lock is
    // the system's lock on the file (flock), which the system drops when its holder ends however
    // it ends: the file a killed program left is taken over at once, whatever it holds and
    // whatever program now has the process id it names; a live holder's lock never is.
    Outcome take(const QString& gamePath);
    // Why the last take failed.
    const QString& failureReason() const { return m_reason; }

    // The name a game goes by, whichever path leads to it: the canonical path of the file, or
    // for a file not yet made, the canonical path of its folder and its name.
    static QString gameKey(const QString& gamePath);
    // The lock file of the game at this path.
    static QString lockFileFor(const QString& gamePath);
    // Runs `write` on a file that QSettings writes (the recent games) while no other Plimo writes
    // it, its wait lasting as long as another's write does. Qt's own lock file beside it that a
    // killed program left behind is removed first, so that QSettings does not wait out Qt's
    // half-minute stale time; no live Plimo can be making it meanwhile.
    static void writeAlone(const QString& settingsFile, const std::function<void()>& write);

    class Held;

  private:
    std::shared_ptr<Held> m_lock;
    QString m_reason;
};
