// The forum post of the game as it stands, built again only when the game has changed since.
#pragma once

#include "ForumPost.h"

#include <functional>
#include <optional>

class PostCache {
  public:
    // The post kept for this revision of the game, or the one `build` makes for it.
    const ForumPost& post(quint64 revision, const std::function<ForumPost()>& build)
    {
        if (m_revision != revision) {
            m_post = build();
            m_revision = revision;
        }
        return m_post;
    }

  private:
    std::optional<quint64> m_revision;
    ForumPost m_post;
};
