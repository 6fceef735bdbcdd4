// The history window form_historique: one row per accepted turn, turn 0 included, whose player
// can be corrected from turn 1 on; under it, the thread's puzzles beside the rankings of the
// puzzle and of the thread. A past puzzle chosen in the list shows its turns and its ranking,
// read-only.
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
    // The players' column shows this many wide characters at most: a name of the longest length
    // the game keeps is shown whole.
    static constexpr int kPlayerColumnCharacters = int(kMaxPlayerNameLength);
    // The rows the rankings and the list of puzzles show without scrolling.
    static constexpr int kRankingRows = 8;

    // The window shows the game's turns, its puzzles and rankings, and follows them.
    explicit HistoryWindow(GameController& game, QWidget* parent = nullptr);

    // The turns, the first of them numbered firstNumber (earlier ones could not be read), and
    // the players' ranking.
    void showHistory(const QList<Turn>& turns, qsizetype firstNumber = 0,
                     const QList<PlayerStanding>& ranking = {});
    // The size the window opens at, before it is placed.
    QSize sizeHint() const override;
    // The widest the players' column grows for a long name.
    int playerColumnCap() const;
    // The lowest frame that still shows a few turns and the rankings' rows whole, where it opens
    // below the main window.
    int lowestHeight() const;

  Q_SIGNALS:
    // The master corrected the player of turn `number` (from 1) to this typed name.
    void playerCorrected(qsizetype number, const QString& typed);

  private:
    void follow();
    // The thread's puzzles may have changed, a past one shown among them.
    void followThread();
    // The puzzle whose row the master chose: a past one read-only, the current one as it plays.
    void choosePuzzle(int row);
    // The list's row of the puzzle shown, chosen without acting on it.
    void markShownPuzzle();
    // The width a cell of the turn table takes to show this text whole.
    int cellWidth(const QString& text) const;
    // The players' column as wide as its header or the longest name, up to the cap.
    void fitPlayerColumn(const QList<PlayerStanding>& ranking);

    GameController& m_game;
    TurnTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    RankingTableModel* m_rankingModel = nullptr;
    QTableView* m_ranking = nullptr;
    RankingTableModel* m_threadRankingModel = nullptr;
    PuzzleTableModel* m_puzzlesModel = nullptr;
    QTableView* m_puzzles = nullptr;
    int m_playerColumnWidth = 0;
    // The past puzzle shown by its number, or 0 for the current one.
    qsizetype m_shownPast = 0;
    bool m_marking = false;
};
