// The turn table and the ranking table.
#include "HistoryModels.h"

#include "LineBreaks.h"

#include <algorithm>
#include <array>

namespace {

const std::array<QString, 6> kHeaders = {QStringLiteral("Tour"),
                                         QStringLiteral("Joueur"),
                                         QStringLiteral("Proposition"),
                                         QStringLiteral("Lettres trouvées"),
                                         QStringLiteral("Lettres restantes"),
                                         QStringLiteral("Texte trouvé")};

const std::array<QString, 4> kRankingHeaders = {QStringLiteral("Rang"), QStringLiteral("Joueur"),
                                                QStringLiteral("Lettres"), QStringLiteral("Tours")};

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
    if (index.isValid() && index.column() == kPlayer && m_firstNumber + index.row() >= 1)
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
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= int(kHeaders.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return kHeaders[section];
}

void RankingTableModel::setRanking(const QList<PlayerStanding>& ranking)
{
    if (ranking == m_ranking)
        return;
    beginResetModel();
    m_ranking = ranking;
    endResetModel();
}

int RankingTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_ranking.size());
}

int RankingTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kRankingHeaders.size());
}

QVariant RankingTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_ranking.size())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() != 1)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const PlayerStanding& player = m_ranking[index.row()];
    switch (index.column()) {
    case 0:
        return index.row() + 1;
    case 1:
        return player.name;
    case 2:
        return player.points;
    default:
        return player.turns;
    }
}

QVariant RankingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= int(kRankingHeaders.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return kRankingHeaders[section];
}
