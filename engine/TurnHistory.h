// The game's accepted turns: turn 0 is the puzzle as initialised (or as loaded), and each
// accepted generation adds one. Undo drops the last one.
#pragma once

#include "GameSession.h"

#include <QList>
#include <QString>

struct Turn {
    QString propal;       // the proposal as evaluated; empty for turn 0
    QString result;       // the found text
    qint64 trouvees = 0;  // found count, as shown
    qint64 restantes = 0; // remaining count, as shown
    QString lettres;      // the remaining letters

    bool operator==(const Turn&) const = default;
};

// A count caption as a stored whole number; a caption that is no number counts as 0.
qint64 captionNumber(const QString& caption);

// The turn a game shows now, played with this proposal.
Turn turnOf(const GameSession& game, const QString& proposal);

// Whether a history's last turn is the state of this game: found text, remaining letters and
// remaining count agree. The proposal and the found count are not compared.
bool historyTiesWith(const QList<Turn>& turns, const GameSession& game);

class TurnHistory {
  public:
    const QList<Turn>& turns() const { return m_turns; }
    qsizetype size() const { return m_turns.size(); }
    bool isEmpty() const { return m_turns.isEmpty(); }
    const Turn& last() const { return m_turns.last(); }

    // A new history holding only this turn 0.
    void restart(const Turn& first);
    void clear();
    void append(const Turn& turn);
    // Drops the last turn; the one before it is then the last.
    void dropLast();
    // A history read back from the store, whose first `stored` turns are its rows as they are.
    void load(QList<Turn> turns, qsizetype stored);

    // How many leading turns the store already holds as they are; a save writes the rest.
    qsizetype storedCount() const { return m_stored; }
    void markStored() { m_stored = m_turns.size(); }

  private:
    QList<Turn> m_turns;
    qsizetype m_stored = 0;
};
