// «Règles du fil» comes back as last stored, each rule in its own column. A file of the layout
// before them keeps its forum and plays by the usual rules; a new game holds the rules it was made
// with.
#include "GameFiles.h"
#include "GameStore.h"
#include "StoreFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RulesOption, ComesBackAsLastStored)
{
    const struct {
        std::optional<Rules> newGame; // else a file of the layout before the rules
        std::optional<Rules> stored;
        Rules loaded;
    } cases[] = {
        {std::nullopt, std::nullopt, {}},
        {std::nullopt, Rules{true, false}, {true, false}},
        {Rules{false, true}, std::nullopt, {false, true}},
    };
    QTemporaryDir dir;
    int file = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("partie-%1.mdb").arg(++file));
        SCOPED_TRACE(path.toStdString());
        if (c.newGame)
            ASSERT_TRUE(createEmptyGame(path, {}, Forum::Mybb, false, *c.newGame));
        else
            makeSampleStore(
                path, {QStringLiteral("CREATE TABLE options (classement INTEGER, forum TEXT)"),
                       QStringLiteral("INSERT INTO options VALUES (0, 'mybb')"),
                       QStringLiteral("PRAGMA user_version = 4")});
        if (c.stored) {
            GameStore store(path);
            ASSERT_TRUE(store.open());
            ASSERT_TRUE(store.storeRules(*c.stored));
        }
        GameStore reopened(path);
        ASSERT_TRUE(reopened.open());
        EXPECT_EQ(reopened.loadRules(), c.loaded);
        EXPECT_EQ(reopened.loadForum(), Forum::Mybb);
    }
}

} // namespace
