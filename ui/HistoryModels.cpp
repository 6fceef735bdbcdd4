// The turn table, the ranking tables and the thread's puzzles.
#include "HistoryModels.h"

#include "LineBreaks.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

const std::array<QString, 6> kHeaders = {QStringLiteral("Tour"),
                                         QStringLiteral("Joueur"),
                                         QStringLiteral("Proposition"),
                                         QStringLiteral("Lettres trouvées"),
                                         QStringLiteral("Lettres restantes"),
                                         QStringLiteral("Texte trouvé")};

const std::array<QString, 3> kRankingHeaders = {QStringLiteral("Rang"), QStringLiteral("Joueur"),
                                                QStringLiteral("Lettres")};

const std::array<QString, 5> kPuzzleHeaders = {
    QStringLiteral("Numéro"), QStringLiteral("Référence"), QStringLiteral("Tours"),
    QStringLiteral("Gagnée"), QStringLiteral("Dernière lettre par")};

// The headers' text, or the base class's answer outside them.
template <std::size_t N>
QVariant headerText(const QAbstractTableModel& model, const std::array<QString, N>& headers,
                    int section, Qt::Orientation orientation, int role)
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= int(N))
        return model.QAbstractTableModel::headerData(section, orientation, role);
    return headers[std::size_t(section)];
}

// A text shown on one table line: each line break, CR LF included, one blank.
QString oneLine(const QString& text)
{
    return withLineBreaks(text, u" ");
}

// A history only grows or shrinks at its end, and only its players are corrected in place, so
// the last common turn, its player aside, tells whether the rest is still the same.
bool samePrefix(const QList<Turn>& a, const QList<Turn>& b, qsizetype length)
{
    if (length == 0)
        return true;
    Turn last = a[length - 1];
    last.joueur = b[length - 1].joueur;
    return last == b[length - 1];
}

} // namespace

void TurnTableModel::setTurns(const QList<Turn>& turns, qsizetype firstNumber)
{
    const qsizetype before = m_turns.size();
    const qsizetype after = turns.size();
    const qsizetype common = std::min(before, after);
    if (firstNumber != m_firstNumber || !samePrefix(m_turns, turns, common)) {
        beginResetModel();
        m_turns = turns;
        m_firstNumber = firstNumber;
        endResetModel();
        return;
    }
    // Names are short: comparing every common row's player stays cheap.
    qsizetype firstCorrected = common;
    qsizetype lastCorrected = -1;
    for (qsizetype i = 0; i < common; ++i) {
        if (m_turns[i].joueur != turns[i].joueur) {
            firstCorrected = std::min(firstCorrected, i);
            lastCorrected = i;
        }
    }
    if (after > before) {
        beginInsertRows({}, int(before), int(after - 1));
        m_turns = turns;
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, int(after), int(before - 1));
        m_turns = turns;
        endRemoveRows();
    } else {
        m_turns = turns;
    }
    if (lastCorrected >= 0)
        Q_EMIT dataChanged(index(int(firstCorrected), kPlayer), index(int(lastCorrected), kPlayer));
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
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && column != kPlayer && column != kProposal &&
        column != kFoundText)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::EditRole)
        return {};
    const Turn& turn = m_turns[index.row()];
    switch (column) {
    case kNumber:
        return qlonglong(m_firstNumber + index.row());
    case kPlayer:
        return turn.joueur;
    case kProposal:
        return oneLine(turn.propal);
    case kFound:
        return turn.trouvees;
    case kRemaining:
        return turn.restantes;
    default:
        return oneLine(turn.result);
    }
}

Qt::ItemFlags TurnTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid() && index.column() == kPlayer &&
        m_firstNumber + index.row() >= 1)
        flags |= Qt::ItemIsEditable;
    return flags;
}

// The game decides what the turn's player becomes; the table then shows it.
bool TurnTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    Q_EMIT playerTyped(m_firstNumber + index.row(), value.toString());
    return true;
}

QVariant TurnTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return headerText(*this, kHeaders, section, orientation, role);
}

RankingTableModel::RankingTableModel(QObject* parent, QString countHeader)
    : QAbstractTableModel(parent), m_countHeader(std::move(countHeader))
{
}

void RankingTableModel::setRanking(const QList<PlayerStanding>& ranking)
{
    QList<Row> rows;
    rows.reserve(ranking.size());
    for (const PlayerStanding& player : ranking)
        rows.append({player.name, player.points, player.turns});
    setRows(rows);
}

void RankingTableModel::setRanking(const QList<ThreadStanding>& ranking)
{
    QList<Row> rows;
    rows.reserve(ranking.size());
    for (const ThreadStanding& player : ranking)
        rows.append({player.name, player.points, player.puzzles});
    setRows(rows);
}

void RankingTableModel::setRows(const QList<Row>& rows)
{
    if (rows == m_rows)
        return;
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int RankingTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RankingTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kRankingHeaders.size()) + 1;
}

QVariant RankingTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() != 1)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const Row& player = m_rows[index.row()];
    switch (index.column()) {
    case 0:
        return index.row() + 1;
    case 1:
        return player.name;
    case 2:
        return player.points;
    default:
        return player.count;
    }
}

QVariant RankingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal &&
        section == int(kRankingHeaders.size()))
        return m_countHeader;
    return headerText(*this, kRankingHeaders, section, orientation, role);
}

void PuzzleTableModel::setPuzzles(const QList<PuzzleSummary>& puzzles)
{
    if (puzzles == m_puzzles)
        return;
    if (puzzles.size() != m_puzzles.size()) {
        beginResetModel();
        m_puzzles = puzzles;
        endResetModel();
        return;
    }
    m_puzzles = puzzles;
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int PuzzleTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_puzzles.size());
}

int PuzzleTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kPuzzleHeaders.size());
}

QVariant PuzzleTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_puzzles.size())
        return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && (column == 0 || column == 2))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const PuzzleSummary& puzzle = m_puzzles[index.row()];
    switch (column) {
    case 0:
        return qlonglong(puzzle.number);
    case 1:
        return oneLine(puzzle.reference);
    case 2:
        return qlonglong(puzzle.turns);
    case 3:
        return puzzle.won ? QStringLiteral("oui") : QStringLiteral("non");
    default:
        return puzzle.lastLetterBy;
    }
}

QVariant PuzzleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return headerText(*this, kPuzzleHeaders, section, orientation, role);
}
