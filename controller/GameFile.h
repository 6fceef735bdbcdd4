// The open game's file: the lock that keeps it to this program, its store, and the recent games;
// opening a game at start-up or from the menu, making a new one, and saving it under a new name.
#pragma once

#include "EngineTypes.h"
#include "GameLock.h"
#include "GameSession.h"
#include "PaneLook.h"
#include "RecentGames.h"
#include "Rules.h"
#include "ThreadStore.h"
#include "TurnStore.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class GameStore;
class StoreStatus;
struct StoreLocationInputs;

// The game as its file holds it, its texts with CR LF line breaks as the panes hold them.
struct StoredGame {
    GameSession session;
    bool rankingInPost = false;
    Forum forum = Forum::Origine;
    // The history of this game: nothing when it is unreadable or belongs to another game. The
    // session's found count is then 0, else the last turn's.
    std::optional<StoredHistory> history;
    // A game taken up from its recovery record also brings back the field joueur.
    QString player;
    Rules rules;
    // The file no longer holds what its last save wrote: changed by another program, or damaged.
    bool altered = false;
    // A game taken up from its recovery record: the thread's puzzles as they differed from the
    // file's.
    std::optional<ThreadChanges> thread;
};

class GameFile {
  public:
    // No game yet: a store on no file, which reports every use as a failure.
    GameFile();
    ~GameFile();
    GameFile(const GameFile&) = delete;
    GameFile& operator=(const GameFile&) = delete;

    QString path() const;
    bool isOpen() const;
    // The open game's store, for the recovery record.
    GameStore& store() { return *m_store; }

    // Takes the game's lock, then opens its store in place of the open one, whose recovery
    // record stays for that game's next opening. On failure nothing changes and the refusal holds
    // the critical box's text; `fileRefused` tells a file that would not open from a lock that
    // could not be taken.
    std::optional<Refusal> open(const QString& path, bool* fileRefused = nullptr);
    // The game the run's command line, recent games and folders pick (the user's own game is made
    // on its first run), opened. A recent game that cannot be opened is passed over as if it had
    // gone, and stays in the list for the menu to tell why; a recent game open in another
    // program fails the start-up.
    std::optional<Refusal> openAtStartUp(const StoreLocationInputs& inputs);
    // An empty game on the forum and with the ranking option given, with the design-time look, made
    // at the chosen name
    // (".mdb" added when missing), whose path it gives; an existing file is never replaced: a
    // warning says it exists.
    std::optional<Refusal> makeNew(const QString& chosen, Forum forum, bool rankingInPost,
                                   Rules rules, QString* made);
    // The open game written to a new file at the chosen name (".mdb" added when missing): a copy
    // of the open file's last save, into which the game as it stands is saved with its whole
    // history; the game then goes on with the new file. The open file is only read; on failure it
    // stays open.
    std::optional<Refusal> saveAs(const QString& chosen, const GameSession& game,
                                  const TurnHistory& history, const ThreadChanges& thread);

    // The game the open file holds, and the look it keeps for the panes.
    StoredGame load();
    StoredAppearance appearance() const;
    // The writes into the open file, each a refusal holding the critical box's text on failure:
    // the game and its history, the ranking and forum options, a pane's colour or font.
    std::optional<Refusal> save(const GameSession& game, const TurnHistory& history,
                                const ThreadChanges& thread);
    std::optional<Refusal> storeRankingInPost(bool shown);
    std::optional<Refusal> storeForum(Forum forum);
    std::optional<Refusal> storeRules(const Rules& rules);
    std::optional<Refusal> storeColour(Pane pane, PaneProperty property, StoredColour value);
    std::optional<Refusal> storeFont(Pane pane, const FontChoice& font);
    // The stored turns the history reads back, and the players' credits of stored turns.
    std::optional<QList<Turn>> loadTurns(qsizetype from, qsizetype to) const;
    std::optional<QList<TurnCredit>> loadCredits(qsizetype from, qsizetype to) const;
    std::optional<PlayedTurn> latestPlaying(const QString& proposal, qsizetype before) const;
    // The history kept its first `size` turns only, or changed one in place; the next save
    // rewrites what the file no longer holds of it.
    void historyCut(qsizetype size);
    void turnChanged(qsizetype number);

    // Where the choosers of a new game file open (see newGameFolder).
    QString newGameFolder() const;

    // The recent games, most recent first, the game opened at start-up among them even before the
    // list on disk has it.
    QStringList recentGames() const;
    // A recent game whose file has gone leaves the list; the warning says so. Nothing for a game
    // that is there.
    std::optional<Refusal> checkRecentGame(const QString& path);
    // Puts the open game first in the recent games, which a start-up leaves until the master's
    // first act, the opening of another game, leaving the game or the run's end, so that nothing
    // is written to disk before the window shows. Every other opening puts it there at once.
    void settle();

    // The master left the game: the store is closed, its recovery record left for the game's next
    // opening; the lock is kept until another game is opened or the program ends.
    void close();

  private:
    std::optional<Refusal> open(const QString& path, bool* fileRefused, bool atStartUp);
    void opened(std::unique_ptr<GameStore> store, const GameLock& lock, bool atStartUp = false);

    std::unique_ptr<GameStore> m_store;
    GameLock m_lock;
    RecentGames m_recent;
    bool m_recentPending = false;
};
