// Building the post, and keeping it while the game shows the same.
#include "PostCache.h"

const ForumPost& PostCache::post(const GameSession& game, Forum forum,
                                 const std::optional<QList<PlayerStanding>>& ranking)
{
    Inputs inputs{forum,        game.soluce, game.lettres_trouvees, game.lettres_restantes,
                  game.lettres, ranking};
    if (m_inputs != inputs) {
        m_post = forumPost(forum, inputs.foundText, inputs.foundCount, inputs.remainingCount,
                           inputs.remainingLetters, ranking ? &*ranking : nullptr);
        m_inputs = std::move(inputs);
    }
    return m_post;
}
