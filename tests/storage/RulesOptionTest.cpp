// «Règles du fil» comes back as last stored, each rule in its own column. A file of the layout
// before them keeps its forum and plays by the usual rules, as does a value that is no integer; a
// new game holds the rules it was made with.
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
        const char* written;          // values another version wrote there, in SQL
        std::optional<Rules> stored;
        Rules loaded;
    } cases[] = {
        {std::nullopt, nullptr, std::nullopt, {}},
        {std::nullopt, nullptr, Rules{true, false}, {true, false}},
        {Rules{false, true}, nullptr, std::nullopt, {false, true}},
        {Rules{true, true}, "toutes_lettres = 'oui', accents_facultatifs = NULL", std::nullopt, {}},
    };
    QTemporaryDir dir;
    int file = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("partie-%1.mdb").arg(++file));
        SCOPED_TRACE(path.toStdString());
        if (c.newGame)
            ASSERT_TRUE(createEmptyGame(path, {}, Forum::Mybb, *c.newGame));
        else
            makeSampleStore(
                path, {QStringLiteral("CREATE TABLE options (classement INTEGER, forum TEXT)"),
                       QStringLiteral("INSERT INTO options VALUES (0, 'mybb')"),
                       QStringLiteral("PRAGMA user_version = 4")});
        if (c.written)
            ASSERT_TRUE(RawStore(path).exec(QStringLiteral("UPDATE options SET ") +
                                            QLatin1String(c.written)));
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
