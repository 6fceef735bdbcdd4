// The history window form_historique: one read-only row per accepted turn, turn 0 included.
#pragma once

#include "TurnHistory.h"

#include <QAbstractTableModel>
#include <QDialog>

class QTableView;

// The turns as a table: Tour, Proposition, Lettres trouvées, Lettres restantes, Texte trouvé.
class TurnTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Follows the history: turns added or dropped at its end become rows inserted or removed,
    // anything else a new table.
    void setTurns(const QList<Turn>& turns, qsizetype firstNumber = 0);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QList<Turn> m_turns;
    qsizetype m_firstNumber = 0;
};

class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    // The narrowest frame that still shows the counts and the start of both texts, where the
    // window is narrowed to open beside the main window.
    static constexpr int kNarrowestWidth = 480;

    explicit HistoryWindow(QWidget* parent = nullptr);

    // The turns, the first of them numbered firstNumber (earlier ones could not be read).
    void showHistory(const QList<Turn>& turns, qsizetype firstNumber = 0);

  private:
    TurnTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
};
