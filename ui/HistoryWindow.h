// The history window form_historique: one row per accepted turn, turn 0 included, whose player
// can be corrected from turn 1 on, and the players' ranking.
#pragma once

#include "Players.h"
#include "TurnHistory.h"

#include <QAbstractTableModel>
#include <QDialog>

class QTableView;

// The turns as a table: Tour, Joueur, Proposition, Lettres trouvées, Lettres restantes, Texte
// trouvé. The player of a turn from 1 on is editable; the model only reports the edit.
class TurnTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Follows the history: turns added or dropped at its end become rows inserted or removed,
    // corrected players changed cells, anything else a new table.
    void setTurns(const QList<Turn>& turns, qsizetype firstNumber = 0);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  Q_SIGNALS:
    // The master typed this player for turn `number`.
    void playerTyped(qsizetype number, const QString& typed);

  private:
    QList<Turn> m_turns;
    qsizetype m_firstNumber = 0;
};

// The ranking as a table: Rang, Joueur, Lettres, Tours.
class RankingTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRanking(const QList<PlayerStanding>& ranking);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QList<PlayerStanding> m_ranking;
};

class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    // The narrowest frame that still shows the counts and the start of both texts, where the
    // window is narrowed to open beside the main window.
    static constexpr int kNarrowestWidth = 480;
    // The players' column shows this many wide characters at most; longer names are elided.
    static constexpr int kPlayerColumnCharacters = 16;

    explicit HistoryWindow(QWidget* parent = nullptr);

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
    // The width a cell of the turn table takes to show this text whole.
    int cellWidth(const QString& text) const;
    // The players' column as wide as its header or the longest name, up to the cap.
    void fitPlayerColumn(const QList<PlayerStanding>& ranking);

    TurnTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    RankingTableModel* m_rankingModel = nullptr;
    QTableView* m_ranking = nullptr;
    int m_playerColumnWidth = 0;
};
