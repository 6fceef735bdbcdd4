// The twelve items of the menu "Couleurs  et  Police": choose, apply at once, store at once.
#pragma once

#include "AppearanceItems.h"

#include <QObject>

class Choosers;
class GameStore;
class MessageSink;
class QMainWindow;

class AppearanceController : public QObject {
    Q_OBJECT
  public:
    // Connects each item's action (found in the window by its objectName). Panes are found
    // by their objectNames too; errors of the store go to the given message sink.
    AppearanceController(QMainWindow& window, GameStore& store, Choosers& choosers,
                         MessageSink& messages);

    void setMessageSink(MessageSink& messages) { m_messages = &messages; }
    void setChoosers(Choosers& choosers) { m_choosers = &choosers; }

    // One item's handler: the chooser, then the pane, then the couleurs record. A cancelled
    // chooser changes nothing; a failed write is reported and the pane keeps its new look.
    void choose(const AppearanceItem& item);

  private:
    void chooseColour(const AppearanceItem& item, QWidget* pane);
    void chooseFont(const AppearanceItem& item, QWidget* pane);

    QMainWindow& m_window;
    GameStore& m_store;
    Choosers* m_choosers;
    MessageSink* m_messages;
};
