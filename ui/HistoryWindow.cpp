// The history window: the turn table above the thread's puzzles and the two rankings, following
// the game.
#include "HistoryWindow.h"

#include "GameController.h"
#include "WindowDesign.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

using Column = TurnTableModel::Column;

// The window opens this wide, and high enough for a few turns more than the least above the
// rankings, before it is placed beside the main window.
constexpr int kOpeningWidth = 1100;
constexpr int kOpeningHeight = 420;
constexpr int kOpeningTurnRows = 3;
// The turns shown at the least.
constexpr int kTurnRows = 3;

// The height a table takes to show its header and this many rows whole, a horizontal scroll bar
// under them.
int tableHeight(const QTableView* table, int rows)
{
    return table->horizontalHeader()->sizeHint().height() +
           rows * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth() +
           table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
}

// A table that is only read, a row a line, its second column taking the room the others leave,
// high enough for the rows a ranking shows.
QTableView* listTable(const QString& name, QAbstractItemModel* model)
{
    auto* table = new QTableView;
    table->setObjectName(name);
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->setMinimumHeight(tableHeight(table, HistoryWindow::kRankingRows));
    return table;
}

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
    m_ranking = listTable(QStringLiteral("classement"), m_rankingModel);
    m_threadRankingModel = new RankingTableModel(this, QStringLiteral("Énigmes jouées"));
    auto* rankings = new QTabWidget(this);
    rankings->setObjectName(QStringLiteral("classements"));
    rankings->addTab(m_ranking, QStringLiteral("Énigme"));
    rankings->addTab(listTable(QStringLiteral("classement_fil"), m_threadRankingModel),
                     QStringLiteral("Fil"));
    m_puzzlesModel = new PuzzleTableModel(this);
    m_puzzles = listTable(QStringLiteral("enigmes"), m_puzzlesModel);
    m_puzzles->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_puzzles->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { choosePuzzle(current.row()); });

    // The turns take the height the rankings and the list of puzzles leave; the master may move
    // the line between them, never hiding either.
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(m_puzzles, 3);
    lowerLayout->addWidget(rankings, 2);
    m_table->setMinimumHeight(tableHeight(m_table, kTurnRows));
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_table);
    splitter->addWidget(lower);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(sizeHint());

    connect(this, &HistoryWindow::playerCorrected, &m_game, &GameController::setTurnPlayer);
    for (auto turnChanged :
         {&GameController::turnPlayed, &GameController::turnUndone, &GameController::turnCorrected})
        connect(&m_game, turnChanged, this, &HistoryWindow::follow);
    connect(&m_game, &GameController::historyReset, this, &HistoryWindow::followThread);
    connect(&m_game, &GameController::threadChanged, this, &HistoryWindow::followThread);
    connect(&m_game, &GameController::playersChanged, this, &HistoryWindow::follow);
    follow();
}

// Reading the turns may read earlier ones back, which moves the first one at hand.
void HistoryWindow::follow()
{
    const QList<PuzzleSummary> puzzles = m_game.puzzles();
    m_puzzlesModel->setPuzzles(puzzles);
    m_threadRankingModel->setRanking(m_game.threadRanking());
    // A past puzzle is kept while the thread has it before the current one.
    if (m_shownPast >= puzzles.size())
        m_shownPast = 0;
    if (m_shownPast == 0) {
        m_model->setEditable(true);
        const QList<Turn>& turns = m_game.turns();
        showHistory(turns, m_game.firstTurnNumber(), m_game.ranking());
    }
    markShownPuzzle();
}

void HistoryWindow::followThread()
{
    follow();
    // The puzzle under the number shown may be another one now: it is read again.
    if (m_shownPast > 0)
        choosePuzzle(int(m_shownPast - 1));
}

void HistoryWindow::choosePuzzle(int row)
{
    if (m_marking || row < 0)
        return;
    const qsizetype number = row + 1;
    std::optional<PastPuzzle> past;
    if (number < m_puzzlesModel->rowCount())
        past = m_game.pastPuzzle(number);
    if (!past) {
        const bool wasPast = m_shownPast > 0;
        m_shownPast = 0;
        if (wasPast)
            follow();
        else
            markShownPuzzle();
        return;
    }
    m_shownPast = number;
    m_model->setEditable(false);
    showHistory(past->turns, 0, past->ranking);
    markShownPuzzle();
}

void HistoryWindow::markShownPuzzle()
{
    const int rows = m_puzzlesModel->rowCount();
    const int row = m_shownPast > 0 ? int(m_shownPast - 1) : rows - 1;
    if (row < 0 || m_puzzles->currentIndex().row() == row)
        return;
    const QScopedValueRollback marking(m_marking, true);
    m_puzzles->selectionModel()->setCurrentIndex(m_puzzlesModel->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
}

QSize HistoryWindow::sizeHint() const
{
    const int turnRow = m_table->verticalHeader()->defaultSectionSize();
    return {kOpeningWidth,
            std::max(kOpeningHeight, minimumSizeHint().height() + kOpeningTurnRows * turnRow)};
}

int HistoryWindow::lowestHeight() const
{
    // Room for a title bar, which the frame adds.
    return minimumSizeHint().height() + style()->pixelMetric(QStyle::PM_TitleBarHeight);
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
    // The item's text margins, one focus-frame margin and a pixel on either side, and the grid's
    // line, which the column's width includes; the text is laid out to a fraction of a pixel.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1;
    return int(std::ceil(QFontMetricsF(m_table->font()).horizontalAdvance(text))) + 2 * margin +
           (m_table->showGrid() ? 1 : 0);
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
