// The forum items: a choice is stored with the game at once, and the item checked is always the
// game's forum.
#include "ForumMenu.h"

#include "GameController.h"
#include "MessageSink.h"

#include <QActionGroup>
#include <QMenu>

namespace {

// By Forum: the item's objectName and caption.
constexpr std::array<std::pair<const char*, const char*>, kForums.size()> kItems = {{
    {"mnu_forum_origine", "Forum d'origine (SMF, XenForo, vBulletin)"},
    {"mnu_forum_phpbb3", "phpBB 3"},
    {"mnu_forum_mybb", "MyBB"},
    {"mnu_forum_discourse", "Discourse"},
    {"mnu_forum_markdown", "Markdown (Discord, Reddit)"},
}};

} // namespace

ForumMenu::ForumMenu(GameController& game, QMenu* file, MessageSink& messages)
    : QObject(file), m_game(game), m_messages(messages)
{
    QMenu* menu = file->addMenu(QStringLiteral("Forum du fil"));
    menu->setObjectName(QStringLiteral("mnu_forum"));
    menu->menuAction()->setObjectName(QStringLiteral("mnu_forum"));
    auto* group = new QActionGroup(menu);
    for (Forum forum : kForums) {
        const auto& [name, caption] = kItems[std::size_t(forum)];
        QAction* item = menu->addAction(QString::fromUtf8(caption));
        item->setObjectName(QString::fromUtf8(name));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, forum] { choose(forum); });
        m_items[std::size_t(forum)] = item;
    }
    connect(&m_game, &GameController::forumChanged, this, &ForumMenu::check);
    check(m_game.forum());
}

void ForumMenu::choose(Forum forum)
{
    if (const std::optional<Refusal> refused = m_game.setForum(forum))
        m_messages.inform(refused->text, refused->icon);
    // A refused choice leaves the item of the game's forum checked.
    check(m_game.forum());
}

void ForumMenu::check(Forum forum)
{
    m_items[std::size_t(forum)]->setChecked(true);
}
