// Building the post, and keeping it while the game shows the same.
#include "PostCache.h"

#include "ForumPost.h"

const QString& PostCache::post(const GameSession& game,
                               const std::optional<QList<PlayerStanding>>& ranking)
{
    Inputs inputs{game.soluce, game.lettres_trouvees, game.lettres_restantes, game.lettres,
                  ranking};
    if (m_inputs != inputs) {
        m_post = buildForumPost(inputs.foundText, inputs.foundCount, inputs.remainingCount,
                                inputs.remainingLetters);
        if (ranking)
            m_post += rankingBlock(*ranking);
        m_inputs = std::move(inputs);
    }
    return m_post;
}
