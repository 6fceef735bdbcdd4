// The game store: plimo.mdb, an SQLite file with the tables données, compteurs, couleurs, tours
// and options.
#pragma once

#include "FontChoice.h"
#include "GameSession.h"
#include "PaneLook.h"
#include "RecoveryStore.h"
#include "StoreNames.h"
#include "StoreSchema.h"
#include "TurnHistory.h"
#include "ThreadStore.h"
#include "TurnStore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QSqlError;

// What an operation on the store reports: success, or the text for the window's critical box
// (the cause, then the file's path on a second line).
class StoreStatus {
  public:
    static StoreStatus success() { return StoreStatus(); }
    static StoreStatus failure(QString message);

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& message() const { return m_message; }

  private:
    bool m_ok = true;
    QString m_message;
};

// The open store. It never creates the file or a row of données, compteurs or couleurs: it reads
// and updates their first row (lowest rowid); the history's rows are TurnStore's. Each write
// first brings an older file's layout up to date, in the same transaction. Every failure comes
// back as a StoreStatus; none aborts.
class GameStore {
  public:
    explicit GameStore(QString path);
    ~GameStore();
    GameStore(const GameStore&) = delete;
    GameStore& operator=(const GameStore&) = delete;

    // Opens the existing file and checks that it is a database holding the three tables.
    [[nodiscard]] StoreStatus open();
    bool isOpen() const { return m_open; }
    const QString& path() const { return m_path; }

    // The stored game: each text, or "Vide" when it is null, missing, without a row or a BLOB;
    // the remaining count as decimal text when it is a non-zero INTEGER, else "0" (a REAL or a
    // text is the wrong type); the found count "0".
    GameSession loadGame() const;

    // The stored look of the four panes; unusable values are left absent.
    StoredAppearance loadAppearance() const;

    // Writes the four texts, the remaining count and the turn history (the table tours, made
    // when the store lacks it) in one transaction: all or nothing. Only the turns past those the
    // table already holds are written (see TurnStore). The recovery record this run keeps is
    // emptied in the same transaction, then removed.
    // The thread's earlier puzzles are written with them (see ThreadChanges).
    [[nodiscard]] StoreStatus saveGame(const GameSession& game, const TurnHistory& history,
                                       const ThreadChanges& thread = {});

    // The thread's earlier puzzles (see ThreadStore).
    std::optional<qsizetype> threadCount() const { return m_thread.count(); }
    std::optional<QList<PuzzleSummary>> puzzleSummaries() const { return m_thread.summaries(); }
    std::optional<ClosedPuzzle> loadPuzzle(qsizetype number) const
    {
        return m_thread.puzzle(number);
    }
    std::optional<QList<QList<TurnCredit>>> threadCredits(qsizetype count) const
    {
        return m_thread.credits(count);
    }

    // The turn history of the table tours (see TurnStore::load).
    std::optional<StoredHistory> loadHistory() { return m_turns.load(); }
    // Turns numbered [from, to) of a keyed tours table; nothing when one is missing.
    std::optional<QList<Turn>> loadTurns(qsizetype from, qsizetype to) const
    {
        return m_turns.loadTurns(from, to);
    }
    // Their players and found counts only (see TurnStore::loadCredits).
    std::optional<QList<TurnCredit>> loadCredits(qsizetype from, qsizetype to) const
    {
        return m_turns.loadCredits(from, to);
    }
    // The latest stored turn before `before` that played this proposal (see TurnStore).
    std::optional<PlayedTurn> latestPlaying(const QString& proposal, qsizetype before) const
    {
        return m_turns.latestPlaying(proposal, before);
    }
    // The history kept its first `size` turns only, or changed one in place: the next save
    // rewrites what the table no longer holds of it.
    void historyCut(qsizetype size) { m_turns.historyCut(size); }
    void turnChanged(qsizetype number) { m_turns.turnChanged(number); }
    // What the table tours holds of the history (see StoredTurns).
    const StoredTurns& storedTurns() const { return m_turns.stored(); }
    // The table holds this of the history: the file is a copy of another, or the game was
    // taken up from its recovery record.
    void holds(StoredTurns stored) { m_turns.holds(std::move(stored)); }

    // Whether the file holds what its last save wrote, as the check that save recorded tells; a
    // file saved before there was a check holds it.
    bool matchesItsSave() const;
    // While it lives, the store's reads run in one read transaction: they see one state of the
    // file, and SQLite locks and checks the file once for all of them instead of at each one.
    class ReadTogether {
      public:
        explicit ReadTogether(const GameStore& store);
        ReadTogether(const ReadTogether&) = delete;
        ReadTogether& operator=(const ReadTogether&) = delete;
        ~ReadTogether();

      private:
        QString m_connectionName;
        bool m_begun = false;
    };

    // Whether the post ends with the ranking: the first row's classement in the table options,
    // false when the table, its row or its value is missing or not an integer (a file of an
    // older layout not written since).
    bool loadRankingInPost() const;
    // Stores it at once, in the row the file's layout gives the options.
    [[nodiscard]] StoreStatus storeRankingInPost(bool shown);
    // The forum the post is written for: the first row's forum in the table options, the forum
    // of origin when it is missing or holds a value this version does not know.
    Forum loadForum() const;
    [[nodiscard]] StoreStatus storeForum(Forum forum);
    // The thread's rules: the first row's toutes_lettres and accents_facultatifs in the table
    // options, each off when it is missing or not an integer.
    Rules loadRules() const;
    [[nodiscard]] StoreStatus storeRules(const Rules& rules);

    // Writes couleurs fields in one statement; only the 24 known columns are accepted.
    [[nodiscard]] StoreStatus writeFields(const QList<FieldValue>& fields);

    // Writes one colour of the pane: its background or its text colour.
    [[nodiscard]] StoreStatus writeColour(Pane pane, PaneProperty property, StoredColour value);

    // Writes the four font fields of the pane, the size in whole points.
    [[nodiscard]] StoreStatus writeFont(Pane pane, const FontChoice& font);

    // The recovery record of the game's unsaved work, beside the file (see RecoveryStore): read
    // back against the game the file holds now, taken up, put aside, written in a transaction of
    // its own that leaves the game file as it is, or dropped.
    RecoveryReading readRecovery()
    {
        return m_recovery.read([this] { return savedGameMark(); });
    }
    void resumeRecovery() { m_recovery.resume(); }
    std::optional<QString> setRecoveryAside(QString* why) { return m_recovery.setAside(why); }
    [[nodiscard]] StoreStatus writeRecovery(const RecoveryChanges& changes);
    void dropRecovery() { m_recovery.drop(); }
    const QString& recoveryPath() const { return m_recovery.path(); }

    // Writes the store's last committed state into this empty file, whole: every table and row,
    // those this version does not know included, and the layout version.
    [[nodiscard]] StoreStatus copyInto(const QString& emptyFile) const;

    // Closes the connection; later operations report that the store is closed.
    void close();

  private:
    // A database error, told in French with the file's path.
    StoreStatus failure(const QSqlError& error) const;
    // A failure this store found itself, already a sentence.
    StoreStatus failure(const QString& sentence) const;
    StoreStatus checkTables() const;
    StoreStatus updateFirstRow(const QString& table, const QList<FieldValue>& fields);
    // Runs the body under one write lock taken up front (BEGIN IMMEDIATE), so a busy database
    // fails before anything is written and a later failure rolls every table back. The game
    // file's layout is first brought up to date, unless the body writes the recovery record only.
    // Its failures are told by `failed` when given (those of the recovery record's writes).
    StoreStatus runInTransaction(const std::function<StoreStatus()>& body, bool upgradeFirst = true,
                                 const std::function<StoreStatus(const QSqlError&)>& failed = {});
    // What tells the saved game apart from any other: its texts, its count and its turns as
    // the file holds them, hashed. Without `everyTurn`, of the turns only what an opening reads:
    // the last one, and the first and last numbers.
    QString savedGameMark(bool everyTurn = true) const;
    QString m_path;
    QString m_connectionName;
    TurnStore m_turns;
    ThreadStore m_thread;
    RecoveryStore m_recovery;
    bool m_open = false;
};
