// The recovery record of a game's unsaved work: a small SQLite file beside the game file, hidden
// and named after it (.fil-42.mdb.reprise), attached to the game store's connection so that a
// save empties it in its own transaction. The game file itself is never written here.
#pragma once

#include "GameSession.h"
#include "ThreadStore.h"
#include "TurnHistory.h"

#include <QList>
#include <QMap>
#include <QSqlError>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

// The game as the window shows it, as the record keeps it: its texts and counts, the generation
// marker, the field joueur, and its history's size. The history's first `savedTurns` turns are
// those of the saved history, but for the ones the record holds itself (corrected since); the
// record holds every later one.
struct RecoveryRecord {
    GameSession session;
    QString player;
    qsizetype turnCount = 0;
    qsizetype savedTurns = 0;
    // The master left the game without saving it; otherwise the program ended without a word.
    bool left = false;
    // The thread's earlier puzzles as they differ from the file's.
    ThreadChanges thread;

    bool operator==(const RecoveryRecord&) const = default;
};

// What the record beside a game holds: nothing, a game to take up, or a record this version
// cannot take up, and why (a French phrase).
struct RecoveryReading {
    enum class Kind { None, Readable, Unreadable };
    Kind kind = Kind::None;
    RecoveryRecord game;
    QMap<qsizetype, Turn> turns;
    QString reason;
};

// What one write brings to the record: the game, and the turns that changed. With `wipe`, the
// turns it held are no longer the game's. Turns past the game's history go.
struct RecoveryChanges {
    RecoveryRecord game;
    bool wipe = false;
    QList<std::pair<qsizetype, Turn>> turns;
    // The thread's puzzles are written anew.
    bool thread = false;
};

class RecoveryStore {
  public:
    RecoveryStore(QString connectionName, const QString& gamePath);

    // The record's file for the game file at this path: beside it, whichever path names it.
    static QString fileFor(const QString& gamePath);
    const QString& path() const { return m_path; }

    // The record beside the game, read with the mark of the saved game as the file now holds it,
    // worked out only when there is a record: a record made from another save is one this
    // version cannot take up. A readable record stays attached, for resume() or drop().
    RecoveryReading read(const std::function<QString()>& savedMark);
    // The record read is the one this run goes on writing.
    void resume() { m_ours = m_attached; }
    // Puts the record's file aside, byte for byte, under a free name beside the game
    // (fil-42.mdb.reprise-illisible, then -2, ...): the new name, or nothing and why not.
    std::optional<QString> setAside(QString* why);

    // Before a write's transaction: attaches the record this run writes, making its file when it
    // has none; a file this run did not take up is first put aside, never written over.
    // `savedMark` gives the mark of the saved game a new record goes on from.
    std::optional<QSqlError> prepare(const std::function<QString()>& savedMark);
    // Inside the store's transaction: the changes, into the record prepared.
    std::optional<QSqlError> write(const RecoveryChanges& changes) const;
    // The transaction that wrote it is committed.
    void committed();
    // Inside a save's transaction: the record, if this run has one, is emptied.
    std::optional<QSqlError> empty() const;
    // The record goes: its file is detached and removed.
    void drop();
    // The connection is closed, the record with it.
    void closed() { m_attached = m_ours = false; }

  private:
    std::optional<QSqlError> attach(const char* mode);
    void detach();

    QString m_connectionName;
    QString m_path;
    // The record's file is attached to the connection.
    bool m_attached = false;
    // It is this run's record, which it writes.
    bool m_ours = false;
    // Its tables are made and hold a game.
    bool m_made = false;
    // The layout of the record this run goes on writing: an older one gains what it lacks at
    // the next write.
    int m_version = 0;
    ThreadStore m_thread;
    QString m_savedMark;
};
