// The players of a game: how a typed name is read, who is the same player, and the ranking.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The longest name a player can have, in UTF-16 units as a text field counts them.
inline constexpr qsizetype kMaxPlayerNameLength = 40;

// A typed name as the game keeps it: control characters dropped, every run of blanks, tabs and
// line breaks made one space, trimmed, and cut to kMaxPlayerNameLength. Empty means no player.
QString cleanPlayerName(const QString& typed);

// What two spellings of the same player share: names that differ only in case are one player.
QString playerKey(const QString& name);
// What two names that look alike share: case and accents set aside («Zoe», «ZOÉ», «Zoé»). They
// may be two players; the field joueur offers the one who played when the other is typed.
QString lookalikeKey(const QString& name);
// The players whose names look like the typed one but are spelled otherwise, in their order.
QStringList lookalikes(const QString& typed, const QStringList& players);

// One line of the ranking.
struct PlayerStanding {
    QString name;      // the spelling first used in the game
    qint64 points = 0; // the found counts of the player's turns, added up
    qint64 turns = 0;  // how many turns the player is credited with

    bool operator==(const PlayerStanding&) const = default;
};

// The players' scores, turn by turn. The ranking orders them by points, highest first; between
// equal points the player who reached that total at the earlier turn comes first, a player still
// at 0 having reached it at their first turn, so that no two players share a rank.
class PlayerTally {
  public:
    // Credits a turn to a player: turns are added in the order they were played, and an empty
    // name credits nobody.
    void add(const QString& player, qint64 points, qsizetype turn);
    void clear();
    bool isEmpty() const { return m_entries.isEmpty(); }

    // The spelling the game keeps for this name at turn `before`: the first one used before that
    // turn, or the name itself for a player who had not played yet.
    QString spelling(const QString& name, qsizetype before) const;
    // The players in the order they first played.
    QStringList players() const;
    // The players in ranking order; the rank of each is its place in the list, from 1.
    QList<PlayerStanding> ranking() const;

  private:
    struct Entry {
        PlayerStanding standing;
        qsizetype firstTurn = 0;
        qsizetype reachedAt = 0; // the turn at which the player's total last changed
    };
    QHash<QString, qsizetype> m_index; // playerKey -> position in m_entries
    QList<Entry> m_entries;
};
