// The history window's two tables as models: the turns, whose player can be corrected from
// turn 1 on, and the players' ranking.
#pragma once

#include "Players.h"
#include "TurnHistory.h"

#include <QAbstractTableModel>

// The turns as a table: Tour, Joueur, Proposition, Lettres trouvées, Lettres restantes, Texte
// trouvé. The player of a turn from 1 on is editable; the model only reports the edit.
class TurnTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kNumber, kPlayer, kProposal, kFound, kRemaining, kFoundText };

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
