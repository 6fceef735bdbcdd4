// The tally of the game's turns, read from the store and the history when first needed.
#include "PlayerBoard.h"

#include <algorithm>

PlayerBoard::PlayerBoard(TurnHistory& history, StoredCredits storedCredits)
    : m_history(history), m_storedCredits(std::move(storedCredits))
{
}

void PlayerBoard::restart()
{
    m_tally.emplace();
    m_ranking.reset();
}

void PlayerBoard::forget()
{
    m_tally.reset();
    m_ranking.reset();
}

QString PlayerBoard::spellingFor(const QString& typed, qsizetype number)
{
    const QString player = cleanPlayerName(typed);
    return player.isEmpty() ? player : tally().spelling(player, number);
}

void PlayerBoard::credit(const QString& player, qint64 points, qsizetype number)
{
    if (player.isEmpty() || !m_tally)
        return;
    m_tally->add(player, points, number);
    m_ranking.reset();
}

std::optional<bool> PlayerBoard::correct(qsizetype number, const QString& typed)
{
    if (number < std::max<qsizetype>(1, m_history.firstAtHand()) || number >= m_history.size())
        return std::nullopt;
    const QString player = spellingFor(typed, number);
    if (m_history.atHand(number).joueur == player)
        return false;
    m_history.setPlayer(number, player);
    forget();
    return true;
}

QStringList PlayerBoard::players()
{
    return tally().players();
}

const QList<PlayerStanding>& PlayerBoard::ranking()
{
    if (!m_ranking)
        m_ranking = tally().ranking();
    return *m_ranking;
}

PlayerTally& PlayerBoard::tally()
{
    if (m_tally)
        return *m_tally;
    m_tally.emplace();
    // Turn 0 is the puzzle as initialised: it credits nobody.
    const qsizetype stored = m_history.firstAtHand();
    std::optional<QList<TurnCredit>> credits;
    if (stored > 1)
        credits = m_storedCredits(stored);
    if (credits) {
        for (qsizetype i = 0; i < credits->size(); ++i)
            m_tally->add((*credits)[i].joueur, (*credits)[i].trouvees, i + 1);
    } else {
        m_history.all();
    }
    for (qsizetype i = std::max<qsizetype>(1, m_history.firstAtHand()); i < m_history.size(); ++i)
        m_tally->add(m_history.atHand(i).joueur, m_history.atHand(i).trouvees, i);
    return *m_tally;
}
