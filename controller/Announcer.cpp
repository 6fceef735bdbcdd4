// The controller's signals, from the state before an act and what the act did.
#include "Announcer.h"

#include "GameController.h"

Announcer::Act::Act(Announcer& announcer, ActKind kind) : m_announcer(announcer)
{
    if (m_announcer.m_acts++ != 0)
        return;
    m_announcer.m_before = m_announcer.shown();
    m_announcer.m_kind = kind;
}

Announcer::Act::~Act()
{
    if (--m_announcer.m_acts == 0)
        m_announcer.announce();
}

Announcer::Shown Announcer::shown() const
{
    return {m_game.session(),       m_game.isModified(), m_game.player(), m_game.canUndo(),
            m_game.rankingInPost(), m_game.forum(),      m_game.rules()};
}

// A view that acts on a signal starts an act of its own: the events are taken first.
void Announcer::announce()
{
    const Events events = std::exchange(m_events, {});
    const Shown& before = m_before;
    const Shown now = shown();
    const bool changed = before.session != now.session || before.modified != now.modified ||
                         before.player != now.player || before.rankingInPost != now.rankingInPost ||
                         before.forum != now.forum || before.rules != now.rules ||
                         events.historyReset || events.players || !events.turns.isEmpty() ||
                         events.conflict;
    const std::optional<Refusal> failure = m_ended(
        {changed, events.gameOpened, events.historyReset, m_kind == ActKind::Typing, events.turns});
    // Another game shows every value afresh.
    const bool all = events.gameOpened;
    if (all)
        Q_EMIT m_game.gameOpened(m_game.gamePath());
    SessionFields fields;
    const auto compare = [&](QString GameSession::*field, SessionField flag) {
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
    if (all || before.rankingInPost != now.rankingInPost)
        Q_EMIT m_game.rankingInPostChanged(now.rankingInPost);
    if (all || before.forum != now.forum)
        Q_EMIT m_game.forumChanged(now.forum);
    if (all || before.rules != now.rules)
        Q_EMIT m_game.rulesChanged(now.rules);
    if (events.players)
        Q_EMIT m_game.playersChanged();
    if (events.conflict)
        Q_EMIT m_game.conflictFound(*events.conflict);
    if (failure)
        Q_EMIT m_game.recoveryFailed(*failure);
}
