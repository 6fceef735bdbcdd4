// The recovery record of the open game's unsaved work: written after every act of the master but
// typing, a few rows at a time whatever the history's length; offered back when the game is next
// opened; kept when the master leaves the game unsaved, marked so; dropped by a save and by a Non
// to the offer.
#pragma once

#include "Announcer.h"
#include "EngineTypes.h"
#include "RecoveryStore.h"
#include "TurnStore.h"

#include <optional>
#include <set>

class GameFile;
struct StoredGame;

class Recovery {
  public:
    Recovery(GameFile& file, const TurnHistory& history) : m_file(file), m_history(history) {}

    // At the opening of a game whose file has a record, before the window takes input: asks
    // whether to take up the game as it was, or says why its record cannot be taken up (the
    // record is then put aside as it is). Oui puts the recovered game, its history and undo as
    // they were, in place of the saved one in `stored`; Non, or no one to ask, drops the record.
    void offer(StoredGame& stored, const Asker& ask);
    // The game is now what its file holds: the record went with the save.
    void saved() { m_reset = true; }
    // An outermost act ended, the game showing `shown` (its history's sizes left to this
    // class): unless it was typing, the record is brought up to the game. A write that fails
    // gives the warning to show, once until a write succeeds again.
    std::optional<Refusal> actEnded(const Announcer::Ending& ending, RecoveryRecord shown);
    // The master leaves the game showing `shown` without saving it: the record keeps it, as a
    // game left on purpose, for the game's next opening to offer back.
    void left(RecoveryRecord shown);

  private:
    // The history's leading turns the game file holds (those it holds changed since are the
    // record's own): the account the save keeps.
    qsizetype savedTurns() const;
    // Brings the record up to the game shown: the warning to show when the write fails.
    std::optional<Refusal> write(const RecoveryRecord& shown);
    // The recovered history: the record's turns over the saved ones; nothing when the saved
    // ones cannot be read back.
    std::optional<StoredHistory> recoveredHistory(const RecoveryReading& reading,
                                                  bool savedHistory);

    GameFile& m_file;
    const TurnHistory& m_history;
    // The game as the record holds it, or as the file does when there is none.
    RecoveryRecord m_written;
    // The turns the next write brings, and whether the turns the record held all go first.
    std::set<qsizetype> m_turns;
    bool m_wipe = false;
    // The history changed since the last write.
    bool m_behind = false;
    // The thread's puzzles changed since the last write.
    bool m_threadBehind = false;
    // The next act's end starts from the game as its file holds it.
    bool m_reset = false;
    // The record was taken up at the opening: the game is what it holds.
    bool m_taken = false;
    // The record holds the game as m_written has it (else the file does, and there is none).
    bool m_recorded = false;
    bool m_failing = false;
};
