// The game's accepted turns: turn 0 is the puzzle as initialised (or as loaded), and each
// accepted generation adds one. Undo drops the last one.
#pragma once

#include "GameSession.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

struct Turn {
    QString propal;       // the proposal as evaluated; empty for turn 0
    QString result;       // the found text
    qint64 trouvees = 0;  // found count, as shown
    qint64 restantes = 0; // remaining count, as shown
    QString lettres;      // the remaining letters
    QString joueur = {};  // the player credited with the turn; empty for nobody

    bool operator==(const Turn&) const = default;
};

// What a turn counts for in the ranking: its player and its found count.
struct TurnCredit {
    QString joueur;
    qint64 trouvees = 0;

    bool operator==(const TurnCredit&) const = default;
};

// The turn a game shows now, played with this proposal, credited to nobody.
Turn turnOf(const GameSession& game, const QString& proposal);
// The game as the turn shows it: its found text, remaining letters and two counts.
void showTurn(GameSession& game, const Turn& turn);

// Whether a history's last turn is the state of this game: found text, remaining letters and
// remaining count agree. The proposal, the found count and the player are not compared.
bool historyTiesWith(const QList<Turn>& turns, const GameSession& game);

// A turn by its number and its player, as a question about it names it.
struct PlayedTurn {
    qsizetype number = 0;
    QString joueur;

    bool operator==(const PlayedTurn&) const = default;
};

// Reads stored turns [from, to) in order, or nothing when they cannot be read whole.
using TurnLoader = std::function<std::optional<QList<Turn>>(qsizetype from, qsizetype to)>;

// Hears that the history kept its first `size` turns only, the later ones dropped; or that its
// turn `number` changed in place.
using CutListener = std::function<void(qsizetype size)>;
using ChangeListener = std::function<void(qsizetype number)>;

// The history keeps its latest turns in memory; earlier ones may stay in the store until an
// undo reaches them or the whole history is asked for. Stored turns that cannot be read back
// stay in the store as they are: the history then ends where they begin.
class TurnHistory {
  public:
    qsizetype size() const { return m_first + m_turns.size(); }
    bool isEmpty() const { return size() == 0; }
    const Turn& last() const { return m_turns.last(); }
    // Whether a turn before the last can be gone back to.
    bool canDropLast() const { return m_turns.size() > 1 || (m_first > 0 && !m_unreadable); }
    // Every turn that can be read, the stored ones read in first; they start at firstAtHand().
    const QList<Turn>& all();
    // The first turn at hand; those before it are still in the store.
    qsizetype firstAtHand() const { return m_first; }
    // Turn i of those at hand: the turns appended or read back since the history was loaded.
    const Turn& atHand(qsizetype i) const { return m_turns[i - m_first]; }
    // The latest turn at hand before turn `before` that played this proposal, or -1.
    qsizetype latestPlaying(const QString& proposal, qsizetype before) const;
    // Earlier turns were asked for and could not be read back from the store.
    bool earlierTurnsUnreadable() const { return m_unreadable; }

    // A new history holding only this turn 0.
    void restart(const Turn& first);
    void clear();
    void append(const Turn& turn);
    // Drops the last turn, so that the one before it is the last; false, with nothing
    // changed, when there is none or it cannot be read back.
    bool dropLast();
    // A history read back from the store: its latest turns, numbered from `first`, with the
    // loader for the earlier ones.
    void load(QList<Turn> latest, qsizetype first, TurnLoader earlier = {});
    // Credits turn `number`, which is at hand, to this player.
    void setPlayer(qsizetype number, const QString& player);
    // Whoever keeps a copy of the turns (the store) hears each cut (an undo, a clear, a restart)
    // and each turn changed in place.
    void setListeners(CutListener cut, ChangeListener changed)
    {
        m_cut = std::move(cut);
        m_changed = std::move(changed);
    }

  private:
    // Reads stored turns back so that `first` turns at most precede those in memory.
    bool readBackTo(qsizetype first);

    QList<Turn> m_turns;   // turns m_first, m_first + 1, ...
    qsizetype m_first = 0; // turns before m_first are still in the store
    TurnLoader m_earlier;
    CutListener m_cut;
    ChangeListener m_changed;
    bool m_unreadable = false;
};
