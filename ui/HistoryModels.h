// The history window's tables as models: the turns, whose player can be corrected from turn 1
// on, the rankings of a puzzle and of the thread, and the thread's puzzles.
#pragma once

#include "Players.h"
#include "Thread.h"
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
    // Whether the players can be corrected: a past puzzle's turns are only read.
    void setEditable(bool editable) { m_editable = editable; }

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
    bool m_editable = true;
};

// A ranking as a table: Rang, Joueur, Lettres, and what each player's count counts: Tours in a
// puzzle's ranking, Énigmes jouées in the thread's.
class RankingTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit RankingTableModel(QObject* parent = nullptr,
                               QString countHeader = QStringLiteral("Tours"));

    void setRanking(const QList<PlayerStanding>& ranking);
    void setRanking(const QList<ThreadStanding>& ranking);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    struct Row {
        QString name;
        qint64 points = 0;
        qint64 count = 0;
        bool operator==(const Row&) const = default;
    };
    void setRows(const QList<Row>& rows);

    QString m_countHeader;
    QList<Row> m_rows;
};

// The thread's puzzles as a table: Numéro, Référence, Tours, Gagnée, Dernière lettre par.
class PuzzleTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // A list of as many puzzles changes its cells and keeps the rows chosen; another count makes
    // a new table.
    void setPuzzles(const QList<PuzzleSummary>& puzzles);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QList<PuzzleSummary> m_puzzles;
};
