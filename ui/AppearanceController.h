// The twelve items of the menu "Couleurs  et  Police": choose, apply at once, store at once.
#pragma once

#include "AppearanceItems.h"

#include <QObject>

#include <array>
#include <map>

class Choosers;
class GameController;
class MessageSink;
class QAction;
class QWidget;

// What the menu drives: the four panes, and the twelve items' actions in the order of
// appearanceItems().
struct AppearanceTargets {
    std::map<Pane, QWidget*> panes;
    std::array<QAction*, kAppearanceItemCount> actions{};
};

class AppearanceController : public QObject {
    Q_OBJECT
  public:
    // Connects each item's action to its handler; the choosers open over the window, the
    // game stores each choice, and its errors go to the given message sink. Every pane and action
    // must be given: a missing one stops the program here rather than leaving an item that does
    // nothing.
    AppearanceController(QWidget& window, const AppearanceTargets& targets, GameController& game,
                         Choosers& choosers, MessageSink& messages);

    // One item's handler: the chooser, then the pane, then the couleurs record. A cancelled
    // chooser changes nothing; a failed write is reported and the pane keeps its new look.
    void choose(const AppearanceItem& item);

  private:
    void chooseColour(const AppearanceItem& item, QWidget* pane);
    void chooseFont(const AppearanceItem& item, QWidget* pane);

    QWidget& m_window;
    std::map<Pane, QWidget*> m_panes;
    GameController& m_game;
    Choosers* m_choosers;
    MessageSink* m_messages;
};
