// The submenu «Forum du fil» of «Fichier»: one checkable item per forum, the game's forum checked.
#pragma once

#include "ForumPost.h"

#include <QObject>

#include <array>

class GameController;
class MessageSink;
class QAction;
class QMenu;

class ForumMenu : public QObject {
    Q_OBJECT
  public:
    // Adds the submenu at the end of the menu as it stands.
    ForumMenu(GameController& game, QMenu* file, MessageSink& messages);

  private:
    void choose(Forum forum);
    void check(Forum forum);

    GameController& m_game;
    MessageSink& m_messages;
    std::array<QAction*, kForums.size()> m_items{};
};
