// The other games of the menu «Fichier»: «Nouvelle partie…», «Ouvrir une partie…», «Parties
// récentes» and «Enregistrer la partie sous…», with Qt's own file choosers.
#pragma once

#include "EngineTypes.h"

#include <QObject>
#include <QString>

#include <optional>

class GameController;
class MessageSink;
class QMenu;
class QWidget;

class FileMenu : public QObject {
    Q_OBJECT
  public:
    // Adds the items at the top of the menu, then a filler; the choosers open over the window.
    FileMenu(GameController& game, QMenu* file, QWidget* window, MessageSink& messages);

  private:
    void newGame();
    void openGame();
    void saveGameAs();
    void listRecentGames();
    void openRecentGame(const QString& path);
    // Whether the current game may be left, once the master has answered what leaving needs.
    bool mayLeave();
    // The game file the master picks in Qt's own chooser, opened in the current game's folder,
    // or "" when cancelled. Saving never offers to replace a file.
    QString chooseGameFile(const QString& title, bool saving);
    // Shows the refusal's box, if any; true when there was one.
    bool refused(const std::optional<Refusal>& refusal);

    GameController& m_game;
    QWidget* m_window;
    MessageSink& m_messages;
    QMenu* m_recent = nullptr;
};
