// The forum post of the game as it stands, built again only when what it shows or its forum has
// changed.
#pragma once

#include "ForumPost.h"
#include "GameSession.h"
#include "Players.h"

#include <QList>
#include <QString>

#include <optional>

class PostCache {
  public:
    // The post of the found text, the two counts and the remaining letters, then the ranking
    // when it is given, for the forum.
    const ForumPost& post(const GameSession& game, Forum forum,
                          const std::optional<QList<PlayerStanding>>& ranking);

  private:
    struct Inputs {
        Forum forum;
        QString foundText, foundCount, remainingCount, remainingLetters;
        std::optional<QList<PlayerStanding>> ranking;
        bool operator==(const Inputs&) const = default;
    };
    std::optional<Inputs> m_inputs;
    ForumPost m_post;
};
