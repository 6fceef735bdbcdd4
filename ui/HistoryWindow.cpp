// The history window: the turn table above the ranking, following the game.
#include "HistoryWindow.h"

#include "GameController.h"
#include "WindowDesign.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using Column = TurnTableModel::Column;

// The window opens at this size, before it is placed beside the main window.
constexpr QSize kOpeningSize(1100, 420);

// The player's cell takes no more characters than the field joueur.
class PlayerDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(int(kMaxPlayerNameLength));
        return editor;
    }
};

} // namespace

HistoryWindow::HistoryWindow(GameController& game, QWidget* parent) : QDialog(parent), m_game(game)
{
    setObjectName(QStringLiteral("form_historique"));
    setWindowTitle(QStringLiteral("Historique des tours"));
    setModal(false);
    resize(kOpeningSize);

    m_model = new TurnTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("historique"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setItemDelegateForColumn(Column::kPlayer, new PlayerDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    // The numbers take what they need; the proposal and the found text share the rest. The
    // players' column fits the players' names (see fitPlayerColumn).
    QHeaderView* header = m_table->horizontalHeader();
    for (int column : {Column::kNumber, Column::kFound, Column::kRemaining})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (int column : {Column::kProposal, Column::kFoundText})
        header->setSectionResizeMode(column, QHeaderView::Stretch);
    m_table->setWordWrap(false);
    QFont mono(design::monospaceFamily());
    mono.setStyleHint(QFont::TypeWriter);
    m_table->setFont(mono);
    fitPlayerColumn({});
    connect(m_model, &TurnTableModel::playerTyped, this, &HistoryWindow::playerCorrected);

    m_rankingModel = new RankingTableModel(this);
    m_ranking = new QTableView(this);
    m_ranking->setObjectName(QStringLiteral("classement"));
    m_ranking->setModel(m_rankingModel);
    m_ranking->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ranking->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ranking->verticalHeader()->hide();
    m_ranking->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_ranking->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 2);
    layout->addWidget(m_ranking, 1);

    connect(this, &HistoryWindow::playerCorrected, &m_game, &GameController::setTurnPlayer);
    for (auto turnChanged :
         {&GameController::turnPlayed, &GameController::turnUndone, &GameController::turnCorrected})
        connect(&m_game, turnChanged, this, &HistoryWindow::follow);
    connect(&m_game, &GameController::historyReset, this, &HistoryWindow::follow);
    connect(&m_game, &GameController::playersChanged, this, &HistoryWindow::follow);
    follow();
}

// Reading the turns may read earlier ones back, which moves the first one at hand.
void HistoryWindow::follow()
{
    const QList<Turn>& turns = m_game.turns();
    showHistory(turns, m_game.firstTurnNumber(), m_game.ranking());
}

void HistoryWindow::showHistory(const QList<Turn>& turns, qsizetype firstNumber,
                                const QList<PlayerStanding>& ranking)
{
    // A table scrolled to its last row (or not filled to its bottom) follows new turns.
    const int lastShown = m_table->indexAt(m_table->viewport()->rect().bottomLeft()).row();
    const bool atEnd = lastShown < 0 || lastShown >= m_model->rowCount() - 1;
    m_model->setTurns(turns, firstNumber);
    if (atEnd)
        m_table->scrollToBottom();
    m_rankingModel->setRanking(ranking);
    fitPlayerColumn(ranking);
}

int HistoryWindow::playerColumnCap() const
{
    return cellWidth(QString(kPlayerColumnCharacters, QLatin1Char('M')));
}

int HistoryWindow::cellWidth(const QString& text) const
{
    // The item's text margins, one focus-frame margin and a pixel on either side.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1;
    return QFontMetrics(m_table->font()).horizontalAdvance(text) + 2 * margin;
}

// Every turn credited to a player has that player in the ranking, so the longest name is found
// there, without measuring the turns.
void HistoryWindow::fitPlayerColumn(const QList<PlayerStanding>& ranking)
{
    int widest = 0;
    for (const PlayerStanding& player : ranking)
        widest = std::max(widest, cellWidth(player.name));
    QHeaderView* header = m_table->horizontalHeader();
    const int width =
        std::max(header->sectionSizeHint(Column::kPlayer), std::min(widest, playerColumnCap()));
    // A width the master dragged stays until the names call for another one.
    if (width == m_playerColumnWidth)
        return;
    m_playerColumnWidth = width;
    header->resizeSection(Column::kPlayer, width);
}
