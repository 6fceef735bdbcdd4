// The field joueur bound to the game: an editable list of the game's players, read when the
// master first comes to the field so that start-up reads no turn, then following the game.
#pragma once

#include <QObject>

class GameController;
class QComboBox;
class QLabel;
class QListWidget;
class QStringListModel;
class QWidget;

class PlayerField : public QObject {
    Q_OBJECT
  public:
    // The field is placed between its caption and the proposal pane's right edge.
    PlayerField(GameController& game, QComboBox* field, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    void showPlayer(const QString& player);
    void listPlayers();
    void offerLookalikes();

    GameController& m_game;
    QComboBox* m_field;
    QStringListModel* m_players;
    QListWidget* m_offers = nullptr;
    bool m_listed = false;
    // Set while the view writes into the field: what it writes is already the game's.
    bool m_showing = false;
};
