// The turn table and the window that shows it.
#include "HistoryWindow.h"

#include "LineBreaks.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace {

const std::array<QString, 5> kHeaders = {
    QStringLiteral("Tour"), QStringLiteral("Proposition"), QStringLiteral("Lettres trouvées"),
    QStringLiteral("Lettres restantes"), QStringLiteral("Texte trouvé")};

// A text shown on one table line: each line break, CR LF included, one blank.
QString oneLine(const QString& text)
{
    return withLineBreaks(text, u" ");
}

// A history only grows or shrinks at its end, so the last common turn tells whether the rest
// is still the same.
bool samePrefix(const QList<Turn>& a, const QList<Turn>& b, qsizetype length)
{
    return length == 0 || a[length - 1] == b[length - 1];
}

} // namespace

void TurnTableModel::setTurns(const QList<Turn>& turns, qsizetype firstNumber)
{
    if (firstNumber != m_firstNumber) {
        beginResetModel();
        m_turns = turns;
        m_firstNumber = firstNumber;
        endResetModel();
        return;
    }
    const qsizetype before = m_turns.size();
    const qsizetype after = turns.size();
    if (after > before && samePrefix(m_turns, turns, before)) {
        beginInsertRows({}, int(before), int(after - 1));
        m_turns = turns;
        endInsertRows();
    } else if (after < before && samePrefix(m_turns, turns, after)) {
        beginRemoveRows({}, int(after), int(before - 1));
        m_turns = turns;
        endRemoveRows();
    } else if (m_turns != turns) {
        beginResetModel();
        m_turns = turns;
        endResetModel();
    }
}

int TurnTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_turns.size());
}

int TurnTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kHeaders.size());
}

QVariant TurnTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_turns.size())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() != 1 && index.column() != 4)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const Turn& turn = m_turns[index.row()];
    switch (index.column()) {
    case 0:
        return qlonglong(m_firstNumber + index.row());
    case 1:
        return oneLine(turn.propal);
    case 2:
        return turn.trouvees;
    case 3:
        return turn.restantes;
    default:
        return oneLine(turn.result);
    }
}

QVariant TurnTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= int(kHeaders.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return kHeaders[section];
}

HistoryWindow::HistoryWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("form_historique"));
    setWindowTitle(QStringLiteral("Historique des tours"));
    setModal(false);
    resize(1100, 420);

    m_model = new TurnTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("historique"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    // The numbers take what they need; the proposal and the found text share the rest.
    QHeaderView* header = m_table->horizontalHeader();
    for (int column : {0, 2, 3})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (int column : {1, 4})
        header->setSectionResizeMode(column, QHeaderView::Stretch);
    m_table->setWordWrap(false);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    m_table->setFont(mono);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
}

void HistoryWindow::showHistory(const QList<Turn>& turns, qsizetype firstNumber)
{
    // A table scrolled to its last row (or not filled to its bottom) follows new turns.
    const int lastShown = m_table->indexAt(m_table->viewport()->rect().bottomLeft()).row();
    const bool atEnd = lastShown < 0 || lastShown >= m_model->rowCount() - 1;
    m_model->setTurns(turns, firstNumber);
    if (atEnd)
        m_table->scrollToBottom();
}
