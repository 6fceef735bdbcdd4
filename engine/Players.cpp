// Reading a player's name, keeping the players' scores and ranking them.
#include "Players.h"

#include <algorithm>

QString cleanPlayerName(const QString& typed)
{
    QString name;
    name.reserve(typed.size());
    bool pendingSpace = false;
    for (const QChar c : typed) {
        // Tabs and line breaks are control characters too, but they separate words.
        if (c.isSpace()) {
            pendingSpace = !name.isEmpty();
            continue;
        }
        if (c.category() == QChar::Other_Control)
            continue;
        if (pendingSpace)
            name += QLatin1Char(' ');
        pendingSpace = false;
        name += c;
    }
    if (name.size() > kMaxPlayerNameLength) {
        qsizetype length = kMaxPlayerNameLength;
        // Never half of a character written as a surrogate pair.
        if (name.at(length - 1).isHighSurrogate())
            --length;
        name.truncate(length);
        while (name.endsWith(QLatin1Char(' ')))
            name.chop(1);
    }
    return name;
}

QString playerKey(const QString& name)
{
    return name.toCaseFolded();
}

QString lookalikeKey(const QString& name)
{
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            key += c;
    }
    return key.toCaseFolded();
}

QStringList lookalikes(const QString& typed, const QStringList& players)
{
    const QString name = cleanPlayerName(typed);
    const QString key = lookalikeKey(name);
    QStringList found;
    for (const QString& player : players) {
        if (!name.isEmpty() && player != name && lookalikeKey(player) == key)
            found << player;
    }
    return found;
}

void PlayerTally::add(const QString& player, qint64 points, qsizetype turn)
{
    if (player.isEmpty())
        return;
    const QString key = playerKey(player);
    auto found = m_index.constFind(key);
    if (found == m_index.constEnd()) {
        found = m_index.insert(key, m_entries.size());
        m_entries.append({{player, 0, 0}, turn, turn});
    }
    Entry& entry = m_entries[*found];
    entry.standing.points += points;
    entry.standing.turns += 1;
    if (points != 0)
        entry.reachedAt = turn;
}

void PlayerTally::clear()
{
    m_index.clear();
    m_entries.clear();
}

QString PlayerTally::spelling(const QString& name, qsizetype before) const
{
    const auto found = m_index.constFind(playerKey(name));
    if (found == m_index.constEnd() || m_entries[*found].firstTurn >= before)
        return name;
    return m_entries[*found].standing.name;
}

QStringList PlayerTally::players() const
{
    QStringList names;
    names.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        names.append(entry.standing.name);
    return names;
}

QList<PlayerStanding> PlayerTally::ranking() const
{
    QList<const Entry*> order;
    order.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        order.append(&entry);
    std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
        if (a->standing.points != b->standing.points)
            return a->standing.points > b->standing.points;
        return a->reachedAt < b->reachedAt;
    });
    QList<PlayerStanding> standings;
    standings.reserve(order.size());
    for (const Entry* entry : order)
        standings.append(entry->standing);
    return standings;
}
