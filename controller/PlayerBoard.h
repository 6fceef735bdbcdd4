// The players' board of a game: who played, their ranking, and the spelling a turn credits.
#pragma once

#include "Players.h"
#include "TurnHistory.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

// The players and found counts of turns 1 to firstAtHand - 1, which are still in the store:
// nothing when they cannot be read, and the board then reads those turns whole through the
// history, as far as it can.
using StoredCredits = std::function<std::optional<QList<TurnCredit>>(qsizetype firstAtHand)>;

// Tallies the game's turns, read when first needed rather than at start-up, then kept with each
// turn played; a turn undone or corrected makes it read again when next needed.
class PlayerBoard {
  public:
    PlayerBoard(TurnHistory& history, StoredCredits storedCredits);

    // The history starts again: nobody has played.
    void restart();
    // The turns changed in a way the tally cannot follow: it is read again when next needed.
    void forget();

    // The name a turn `number` (from 1) credits for what the master typed: the spelling the
    // player first played under before that turn, else the name as the rules read it; empty for
    // nobody.
    QString spellingFor(const QString& typed, qsizetype number);
    // Turn `number`, just accepted, credits this player (as spellingFor gave it).
    void credit(const QString& player, qint64 points, qsizetype number);
    // Credits turn `number` (from 1, at hand) of the history to the typed player instead, or to
    // nobody for an empty name. Nothing when there is no such turn, else whether it changed.
    std::optional<bool> correct(qsizetype number, const QString& typed);

    // The players in the order they first played, and their ranking.
    QStringList players();
    const QList<PlayerStanding>& ranking();

  private:
    PlayerTally& tally();

    TurnHistory& m_history;
    StoredCredits m_storedCredits;
    std::optional<PlayerTally> m_tally;
    std::optional<QList<PlayerStanding>> m_ranking;
};
