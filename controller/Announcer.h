// What the game's acts changed, told once each act is over: the controller's signals, emitted
// when the outermost of the acts that nest (a save inside a leave) ends. An act that a slot starts
// while they are emitted is folded in: its own signals follow those of the act that woke it.
#pragma once

#include "EngineTypes.h"
#include "GameSession.h"
#include "Rules.h"

#include <QList>
#include <QString>

#include <utility>

class GameController;

class Announcer {
  public:
    // The master's typing in a pane is an act of its own, which a later act keeps: the
    // recovery record is written after every other act.
    enum class ActKind { Kept, Typing };
    enum class TurnChange { Played, Undone, Corrected };
    // How an outermost act ended, for those who keep the game (the recovery record, the recent
    // games): whether it changed the game, opened another game, started the history again or
    // changed its turns, and whether it was typing alone.
    struct Ending {
        bool changed = false;
        bool gameOpened = false;
        bool historyReset = false;
        bool threadChanged = false;
        bool typing = false;
        QList<std::pair<TurnChange, qsizetype>> turns;
    };

    explicit Announcer(GameController& game) : m_game(game) {}

    // One act of the master, from its start to its end.
    class Act {
      public:
        explicit Act(Announcer& announcer, ActKind kind = ActKind::Kept);
        ~Act();
        Act(const Act&) = delete;
        Act& operator=(const Act&) = delete;

      private:
        Announcer& m_announcer;
    };

    // Counts the acts that changed the game: what is built from the game (the post) is built
    // again when it moves.
    quint64 revision() const { return m_revision; }
    // Counts the acts that may have changed who is credited with what (those that tell the
    // players changed): the thread's ranking is tallied again when it moves.
    quint64 creditsRevision() const { return m_creditsRevision; }
    // Whether an act is under way, its signals still to come.
    bool acting() const { return m_acts > 0; }

    // What the acts did beyond what the game's state shows.
    void gameOpened()
    {
        m_events.gameOpened = m_events.historyReset = m_events.players = m_events.thread = true;
    }
    // A puzzle was closed into the thread or brought back from it.
    void threadChanged() { m_events.thread = m_events.historyReset = m_events.players = true; }
    void historyReset() { m_events.historyReset = m_events.players = true; }
    void playersChanged() { m_events.players = true; }
    void turnPlayed(qsizetype number) { m_events.turns.append({TurnChange::Played, number}); }
    void turnUndone(qsizetype number) { m_events.turns.append({TurnChange::Undone, number}); }
    void turnCorrected(qsizetype number) { m_events.turns.append({TurnChange::Corrected, number}); }
    void conflictFound() { m_events.conflict = true; }
    void rankingInPostChanged() { m_events.rankingInPost = true; }
    void forumChanged() { m_events.forum = true; }
    void rulesChanged() { m_events.rules = true; }

  private:
    // What the signals tell of the game's state, as it stood when the act began.
    struct Shown {
        GameSession session;
        bool modified = true;
        QString player;
        bool canUndo = false;
        bool operator==(const Shown&) const = default;
    };
    struct Events {
        bool gameOpened = false;
        bool historyReset = false;
        bool players = false;
        bool thread = false;
        bool rankingInPost = false;
        bool forum = false;
        bool rules = false;
        bool conflict = false;
        QList<std::pair<TurnChange, qsizetype>> turns;
        bool operator==(const Events&) const = default;
    };

    Shown shown() const;
    void announce();
    // One round of signals, from the state before to the state now; whether it told a change.
    bool tell(const Shown& before, const Shown& now, const Events& events);

    GameController& m_game;
    int m_acts = 0;
    ActKind m_kind = ActKind::Kept;
    Shown m_before;
    Events m_events;
    quint64 m_revision = 0;
    quint64 m_creditsRevision = 0;
};
