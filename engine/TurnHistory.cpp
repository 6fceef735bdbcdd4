// The list of accepted turns and what of it the store already holds.
#include "TurnHistory.h"

#include <algorithm>

qint64 captionNumber(const QString& caption)
{
    bool ok = false;
    const qint64 value = caption.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

Turn turnOf(const GameSession& game, const QString& proposal)
{
    return {proposal, game.soluce, captionNumber(game.lettres_trouvees),
            captionNumber(game.lettres_restantes), game.lettres};
}

bool historyTiesWith(const QList<Turn>& turns, const GameSession& game)
{
    if (turns.isEmpty())
        return false;
    const Turn& last = turns.last();
    bool countIsNumber = false;
    const qint64 count = game.lettres_restantes.toLongLong(&countIsNumber);
    return countIsNumber && last.result == game.soluce && last.lettres == game.lettres &&
           last.restantes == count;
}

void TurnHistory::restart(const Turn& first)
{
    m_turns = {first};
    m_stored = 0;
}

void TurnHistory::clear()
{
    m_turns.clear();
    m_stored = 0;
}

void TurnHistory::append(const Turn& turn)
{
    m_turns.append(turn);
}

void TurnHistory::dropLast()
{
    if (m_turns.isEmpty())
        return;
    m_turns.removeLast();
    m_stored = std::min(m_stored, m_turns.size());
}

void TurnHistory::load(QList<Turn> turns, qsizetype stored)
{
    m_turns = std::move(turns);
    m_stored = std::clamp<qsizetype>(stored, 0, m_turns.size());
}
