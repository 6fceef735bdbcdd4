// The history window form_historique: one row per accepted turn, turn 0 included, whose player
// can be corrected from turn 1 on, and the players' ranking.
#pragma once

#include "HistoryModels.h"

#include <QDialog>

class GameController;
class QTableView;

class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    // The narrowest frame that still shows the counts and the start of both texts, where the
    // window is narrowed to open beside the main window.
    static constexpr int kNarrowestWidth = 480;
    // The lowest frame that still shows a few turns and the ranking, where it opens below the
    // main window.
    static constexpr int kLowestHeight = 240;
    // The players' column shows this many wide characters at most; longer names are elided.
    static constexpr int kPlayerColumnCharacters = 16;

    // The window shows the game's turns and ranking, and follows them.
    explicit HistoryWindow(GameController& game, QWidget* parent = nullptr);

    // The turns, the first of them numbered firstNumber (earlier ones could not be read), and
    // the players' ranking.
    void showHistory(const QList<Turn>& turns, qsizetype firstNumber = 0,
                     const QList<PlayerStanding>& ranking = {});
    // The widest the players' column grows for a long name.
    int playerColumnCap() const;

  Q_SIGNALS:
    // The master corrected the player of turn `number` (from 1) to this typed name.
    void playerCorrected(qsizetype number, const QString& typed);

  private:
    void follow();
    // The width a cell of the turn table takes to show this text whole.
    int cellWidth(const QString& text) const;
    // The players' column as wide as its header or the longest name, up to the cap.
    void fitPlayerColumn(const QList<PlayerStanding>& ranking);

    GameController& m_game;
    TurnTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    RankingTableModel* m_rankingModel = nullptr;
    QTableView* m_ranking = nullptr;
    int m_playerColumnWidth = 0;
};
