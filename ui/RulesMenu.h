// The submenu «Règles du fil» of «Fichier»: the thread's two rules, each a checkable item.
#pragma once

#include "Rules.h"

#include <QObject>

class GameController;
class MessageSink;
class QAction;
class QMenu;

class RulesMenu : public QObject {
    Q_OBJECT
  public:
    // Adds the submenu at the end of the menu as it stands.
    RulesMenu(GameController& game, QMenu* file, MessageSink& messages);

  private:
    void choose(bool Rules::*rule, bool chosen);
    void check(const Rules& rules);

    GameController& m_game;
    MessageSink& m_messages;
    QAction* m_allLetters = nullptr;
    QAction* m_optionalAccents = nullptr;
};
