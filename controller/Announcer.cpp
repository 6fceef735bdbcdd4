// The controller's signals, from the state before an act and what the act did.
#include "Announcer.h"

#include "GameController.h"

Announcer::Act::Act(Announcer& announcer, ActKind kind) : m_announcer(announcer)
{
    if (m_announcer.m_acts++ == 0) {
        m_announcer.m_before = m_announcer.shown();
        m_announcer.m_kind = kind;
    } else if (kind == ActKind::Kept) {
        m_announcer.m_kind = kind;
    }
}

Announcer::Act::~Act()
{
    if (--m_announcer.m_acts == 0)
        m_announcer.announce();
}

Announcer::Shown Announcer::shown() const
{
    return {m_game.session(), m_game.isModified(), m_game.player(), m_game.canUndo()};
}

// The signals' slots may act on the game: their acts nest in this one, and each round tells what
// the round before left, until a round leaves nothing new. Those who keep the game hear the
// whole act last.
void Announcer::announce()
{
    ++m_acts;
    Ending ending;
    ending.typing = m_kind == ActKind::Typing;
    for (;;) {
        const Events events = std::exchange(m_events, {});
        const Shown before = std::exchange(m_before, shown());
        if (events == Events{} && before == m_before)
            break;
        const Shown now = m_before;
        ending.changed = tell(before, now, events) || ending.changed;
        ending.gameOpened = ending.gameOpened || events.gameOpened;
        ending.historyReset = ending.historyReset || events.historyReset;
        ending.threadChanged = ending.threadChanged || events.thread;
        ending.turns += events.turns;
    }
    ending.typing = ending.typing && m_kind == ActKind::Typing;
    --m_acts;
    Q_EMIT m_game.actEnded(ending);
}

bool Announcer::tell(const Shown& before, const Shown& now, const Events& events)
{
    const bool changed = before.session != now.session || before.modified != now.modified ||
                         before.player != now.player || events.historyReset || events.players || events.thread ||
                         events.rankingInPost || events.forum || events.rules ||
                         !events.turns.isEmpty() || events.conflict;
    if (changed)
        ++m_revision;
    if (events.players)
        ++m_creditsRevision;
    // Another game shows every value afresh.
    const bool all = events.gameOpened;
    if (all)
        Q_EMIT m_game.gameOpened(m_game.gamePath());
    SessionFields fields;
    const auto compare = [&](auto GameSession::*field, SessionField flag) {
        if (all || before.session.*field != now.session.*field)
            fields |= flag;
    };
    compare(&GameSession::ref, SessionField::Ref);
    compare(&GameSession::soluce, SessionField::Soluce);
    compare(&GameSession::propal, SessionField::Propal);
    compare(&GameSession::lettres, SessionField::Lettres);
    compare(&GameSession::lettres_restantes, SessionField::RemainingCount);
    compare(&GameSession::lettres_trouvees, SessionField::FoundCount);
    if (fields)
        Q_EMIT m_game.sessionChanged(fields);
    if (before.modified != now.modified)
        Q_EMIT m_game.modifiedChanged(now.modified);
    if (all || before.player != now.player)
        Q_EMIT m_game.playerChanged(now.player);
    if (events.historyReset)
        Q_EMIT m_game.historyReset();
    for (const auto& [turn, number] : events.turns) {
        if (turn == TurnChange::Played)
            Q_EMIT m_game.turnPlayed(number);
        else if (turn == TurnChange::Undone)
            Q_EMIT m_game.turnUndone(number);
        else
            Q_EMIT m_game.turnCorrected(number);
    }
    if (all || before.canUndo != now.canUndo)
        Q_EMIT m_game.undoAvailableChanged(now.canUndo);
    if (all || events.rankingInPost)
        Q_EMIT m_game.rankingInPostChanged(m_game.rankingInPost());
    if (all || events.forum)
        Q_EMIT m_game.forumChanged(m_game.forum());
    if (all || events.rules)
        Q_EMIT m_game.rulesChanged(m_game.rules());
    if (events.thread)
        Q_EMIT m_game.threadChanged();
    if (events.players)
        Q_EMIT m_game.playersChanged();
    if (events.conflict && m_game.conflict())
        Q_EMIT m_game.conflictFound(*m_game.conflict());
    return changed;
}
