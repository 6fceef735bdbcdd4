// Test support: store files made with raw SQL, and a plain connection to look inside them.
#pragma once

#include "GameStore.h"
#include "TurnHistory.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

#include <sys/resource.h>

// The schema plus one sample row per table (the game "LE CHAT", count 4, a full couleurs row).
QStringList sampleStoreStatements();

// Creates the file by running the statements; fails the calling test on any error.
void makeStore(const QString& path, const QStringList& statements);

// The sample store with these statements run after it.
void makeSampleStore(const QString& path, const QStringList& changes = {});

// Replaces the file's content with these bytes.
void writeBytes(const QString& path, const QByteArray& bytes);

// A maker of the sample store with these statements run after it.
std::function<void(const QString&)> sampleWith(QStringList changes);

// The file's permission bits (0600 for a file its owner alone may read and write); -1 when it is
// missing.
int fileMode(const QString& path);

// The file's bytes, or an empty array when it is missing.
QByteArray fileBytes(const QString& path);

// The scratch file that a Plimo of this machine, ended since, left while writing `target`.
QString endedScratchFile(const QString& target);

// A connection of its own on an existing file, outside GameStore.
class RawStore {
  public:
    explicit RawStore(const QString& path);
    ~RawStore();
    RawStore(const RawStore&) = delete;
    RawStore& operator=(const RawStore&) = delete;

    bool isOpen() const;
    // The first column of the first row of the query, or an invalid QVariant.
    QVariant value(const QString& sql) const;
    bool exec(const QString& sql);

  private:
    QString m_name;
};

// While it lives, the calling thread is refused what file permissions refuse, even when it runs
// as root: the capabilities that override them are set aside, and given back at the end.
class PermissionsBind {
  public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;

  private:
    bool m_lowered = false;
};

// While it lives, the files of this process may not grow past this size, as if the disk were
// full; a write past it fails instead of killing the process.
class DiskFull {
  public:
    explicit DiskFull(rlim_t bytes);
    ~DiskFull();
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

  private:
    void (*m_previous)(int);
    rlimit m_saved{};
};

// The game saved with a history of its turn 0 alone, as a game just initialised is.
inline StoreStatus saveWithTurnZero(GameStore& store, const GameSession& game)
{
    TurnHistory history;
    history.restart(turnOf(game, QString()));
    return store.saveGame(game, history);
}
