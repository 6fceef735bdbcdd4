// What the game's acts changed, told once each act is over: the controller's signals, emitted
// when the outermost of the acts that nest (a save inside a leave) ends.
#pragma once

#include "EngineTypes.h"
#include "ForumPost.h"
#include "GameSession.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class GameController;

class Announcer {
  public:
    // `ended` hears the end of each outermost act that changed the game, before the signals, and
    // whether it opened another game.
    Announcer(GameController& game, std::function<void(bool gameOpened)> ended)
        : m_game(game), m_ended(std::move(ended))
    {
    }

    // One act of the master, from its start to its end.
    class Act {
      public:
        explicit Act(Announcer& announcer);
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
    void turnPlayed(qsizetype number) { m_events.turns.append({Turn::Played, number}); }
    void turnUndone(qsizetype number) { m_events.turns.append({Turn::Undone, number}); }
    void turnCorrected(qsizetype number) { m_events.turns.append({Turn::Corrected, number}); }
    void conflictFound(const Conflict& conflict) { m_events.conflict = conflict; }

  private:
    enum class Turn { Played, Undone, Corrected };
    // What the signals tell of the game's state, as it stood when the outermost act began.
    struct Shown {
        GameSession session;
        bool modified = true;
        QString player;
        bool canUndo = false;
        bool rankingInPost = false;
        Forum forum = Forum::Origine;
    };
    struct Events {
        bool gameOpened = false;
        bool historyReset = false;
        bool players = false;
        QList<std::pair<Turn, qsizetype>> turns;
        std::optional<Conflict> conflict;
    };

    Shown shown() const;
    void announce();

    GameController& m_game;
    std::function<void(bool gameOpened)> m_ended;
    int m_acts = 0;
    Shown m_before;
    Events m_events;
};
