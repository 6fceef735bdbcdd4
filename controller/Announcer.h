// What the game's acts changed, told once each act is over: the controller's signals, emitted
// when the outermost of the acts that nest (a save inside a leave) ends, after the game has
// heard how the act ended.
#pragma once

#include "EngineTypes.h"
#include "ForumPost.h"
#include "GameSession.h"
#include "Rules.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class GameController;

class Announcer {
  public:
    // The master's typing in a pane is an act of its own, which a later act keeps: the
    // recovery record is written after every other act.
    enum class ActKind { Kept, Typing };
    enum class TurnChange { Played, Undone, Corrected };
    // How an outermost act ended: whether it changed the game, opened another game, started the
    // history again or changed its turns, and whether it was typing.
    struct Ending {
        bool changed = false;
        bool gameOpened = false;
        bool historyReset = false;
        bool typing = false;
        QList<std::pair<TurnChange, qsizetype>> turns;
    };
    // `ended` hears the end of each outermost act, before the signals; a failure it gives back
    // is announced after them.
    using Ended = std::function<std::optional<Refusal>(const Ending& ending)>;
    Announcer(GameController& game, Ended ended) : m_game(game), m_ended(std::move(ended)) {}

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

    // What the acts did beyond what the game's state shows.
    void gameOpened() { m_events.gameOpened = m_events.historyReset = m_events.players = true; }
    void historyReset() { m_events.historyReset = m_events.players = true; }
    void playersChanged() { m_events.players = true; }
    void turnPlayed(qsizetype number) { m_events.turns.append({TurnChange::Played, number}); }
    void turnUndone(qsizetype number) { m_events.turns.append({TurnChange::Undone, number}); }
    void turnCorrected(qsizetype number) { m_events.turns.append({TurnChange::Corrected, number}); }
    void conflictFound(const Conflict& conflict) { m_events.conflict = conflict; }

  private:
    // What the signals tell of the game's state, as it stood when the outermost act began.
    struct Shown {
        GameSession session;
        bool modified = true;
        QString player;
        bool canUndo = false;
        bool rankingInPost = false;
        Forum forum = Forum::Origine;
        Rules rules;
    };
    struct Events {
        bool gameOpened = false;
        bool historyReset = false;
        bool players = false;
        QList<std::pair<TurnChange, qsizetype>> turns;
        std::optional<Conflict> conflict;
    };

    Shown shown() const;
    void announce();

    GameController& m_game;
    Ended m_ended;
    int m_acts = 0;
    ActKind m_kind = ActKind::Kept;
    Shown m_before;
    Events m_events;
};
