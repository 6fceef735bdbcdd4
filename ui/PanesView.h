// The four panes and the two counts bound to the game: each shows its value of the session as
// the game announces it, and the master's typing, tidy-ups and pastes go to the game.
#pragma once

#include "ControlsTable.h"
#include "PaneStyle.h"

#include <QObject>

class GameController;
class MessageSink;
class QPlainTextEdit;

class PanesView : public QObject {
    Q_OBJECT
  public:
    PanesView(GameController& game, const Controls& controls, MessageSink& messages,
              QObject* parent);

    // Selects the latest conflict's proposal word in red. The proposal may have been edited
    // since the check; the game keeps the selection inside it.
    void selectConflict();

  private:
    void setUpPanes();
    void placeReferenceLength();
    void showReferenceLength();
    void forwardEdit(QPlainTextEdit* pane, void (GameController::*edited)(const QString&));
    void show(int changed);
    void startAfresh();
    void applyStoredLook();

    GameController& m_game;
    Controls m_controls;
    MessageSink& m_messages;
    // Set while the view writes the game into the panes: their own change handling is not run.
    bool m_showing = false;
    // Another game was opened: once its texts are shown, its look and the focus follow.
    bool m_opened = false;
};

// Applies a background colour, text colour and font to one pane.
void applyPaneStyle(QWidget* pane, const PaneStyle& style);
