// The list of accepted turns, read back from the store as undo reaches them.
#include "TurnHistory.h"

#include <algorithm>

Turn turnOf(const GameSession& game, const QString& proposal)
{
    return {proposal, game.soluce, game.lettres_trouvees, game.lettres_restantes, game.lettres};
}

void showTurn(GameSession& game, const Turn& turn)
{
    game.soluce = turn.result;
    game.lettres = turn.lettres;
    game.lettres_trouvees = turn.trouvees;
    game.lettres_restantes = turn.restantes;
}

bool historyTiesWith(const QList<Turn>& turns, const GameSession& game)
{
    if (turns.isEmpty())
        return false;
    const Turn& last = turns.last();
    return last.result == game.soluce && last.lettres == game.lettres &&
           last.restantes == game.lettres_restantes;
}

namespace {

// Turns read back from the store at a time when an undo reaches them.
constexpr qsizetype kReadBackTurns = 64;

} // namespace

const QList<Turn>& TurnHistory::all()
{
    readBackTo(0);
    return m_turns;
}

void TurnHistory::restart(const Turn& first)
{
    clear();
    m_turns = {first};
}

void TurnHistory::clear()
{
    m_turns.clear();
    m_first = 0;
    m_earlier = {};
    m_unreadable = false;
    if (m_cut)
        m_cut(0);
}

void TurnHistory::append(const Turn& turn)
{
    m_turns.append(turn);
}

qsizetype TurnHistory::latestPlaying(const QString& proposal, qsizetype before) const
{
    for (qsizetype i = std::min(before, size()) - 1; i >= std::max<qsizetype>(1, m_first); --i) {
        if (atHand(i).propal == proposal)
            return i;
    }
    return -1;
}

bool TurnHistory::dropLast()
{
    if (!canDropLast())
        return false;
    if (m_turns.size() == 1 && !readBackTo(std::max<qsizetype>(0, m_first - kReadBackTurns)))
        return false;
    m_turns.removeLast();
    if (m_cut)
        m_cut(size());
    return true;
}

void TurnHistory::setPlayer(qsizetype number, const QString& player)
{
    m_turns[number - m_first].joueur = player;
    if (m_changed)
        m_changed(number);
}

void TurnHistory::load(QList<Turn> latest, qsizetype first, TurnLoader earlier)
{
    m_turns = std::move(latest);
    m_first = first;
    m_earlier = std::move(earlier);
    m_unreadable = false;
}

// A read that fails is not tried again: the rows stay in the store as they are, and the
// history ends where they begin.
bool TurnHistory::readBackTo(qsizetype first)
{
    if (first >= m_first)
        return true;
    if (m_unreadable)
        return false;
    std::optional<QList<Turn>> earlier;
    if (m_earlier)
        earlier = m_earlier(first, m_first);
    if (!earlier || earlier->size() != m_first - first) {
        m_unreadable = true;
        return false;
    }
    m_turns = *earlier + m_turns;
    m_first = first;
    return true;
}
