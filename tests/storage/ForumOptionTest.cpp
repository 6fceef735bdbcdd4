// «Forum du fil» comes back as last stored. A file of the layout before it keeps its options and
// reads as the forum of origin, as do a value this version does not know and no value; a new
// game holds the forum it was made with.
#include "GameFiles.h"
#include "GameStore.h"
#include "StoreFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ForumOption, ComesBackAsLastStored)
{
    const struct {
        std::optional<Forum> newGame; // else a file of the layout before the forum
        const char* written;          // a value another version wrote there, in SQL
        QList<Forum> stored;
        Forum loaded;
    } cases[] = {
        {std::nullopt, nullptr, {}, Forum::Origine},
        {std::nullopt, nullptr, {Forum::Phpbb3, Forum::Markdown}, Forum::Markdown},
        {Forum::Discourse, nullptr, {}, Forum::Discourse},
        {Forum::Mybb, "'vbulletin5'", {}, Forum::Origine},
        {Forum::Phpbb3, "NULL", {}, Forum::Origine},
    };
    QTemporaryDir dir;
    int file = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("partie-%1.mdb").arg(++file));
        SCOPED_TRACE(path.toStdString());
        if (c.newGame)
            ASSERT_TRUE(createEmptyGame(path, {}, *c.newGame));
        else
            makeSampleStore(path, {QStringLiteral("CREATE TABLE options (classement INTEGER)"),
                                   QStringLiteral("INSERT INTO options VALUES (1)"),
                                   QStringLiteral("PRAGMA user_version = 3")});
        if (c.written)
            ASSERT_TRUE(RawStore(path).exec(QStringLiteral("UPDATE options SET forum = ") +
                                            QLatin1String(c.written)));
        {
            GameStore store(path);
            ASSERT_TRUE(store.open());
            for (const Forum forum : c.stored)
                ASSERT_TRUE(store.storeForum(forum));
        }
        GameStore reopened(path);
        ASSERT_TRUE(reopened.open());
        EXPECT_EQ(reopened.loadForum(), c.loaded);
        EXPECT_EQ(reopened.loadRankingInPost(), !c.newGame);
    }
}

} // namespace
