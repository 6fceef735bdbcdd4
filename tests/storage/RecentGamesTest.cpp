// The recent games: most recent first, each game once, at most eight, kept from one program to
// the next in an INI file.
#include "RecentGames.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RecentGamesTest, ListFollowsTheGamesOpened)
{
    struct Case {
        const char* name;
        QStringList added;
        QString removed;
        QStringList expected;
    };
    const auto games = [](std::initializer_list<int> numbers) {
        QStringList paths;
        for (int n : numbers)
            paths << QStringLiteral("/parties/fil-%1.mdb").arg(n);
        return paths;
    };
    const QString quoted = QStringLiteral("/parties/Été, hiver ; « fil » = \"42\\\".mdb");
    const Case cases[] = {
        {"reopened game moves to the front", games({1, 2, 3, 2}), {}, games({2, 3, 1})},
        {"same game by another spelling",
         games({1, 2}) << QStringLiteral("/parties/./autres/../fil-1.mdb"),
         {},
         games({1, 2})},
        {"the ninth pushes the oldest out",
         games({1, 2, 3, 4, 5, 6, 7, 8, 9}),
         {},
         games({9, 8, 7, 6, 5, 4, 3, 2})},
        {"reopening one of eight drops none",
         games({1, 2, 3, 4, 5, 6, 7, 8, 3}),
         {},
         games({3, 8, 7, 6, 5, 4, 2, 1})},
        {"removed game", games({1, 2, 3}), games({2})[0], games({3, 1})},
        {"characters INI files quote", games({1}) << quoted, {}, QStringList{quoted} + games({1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir config;
        // The file's folder is made by the first write.
        const QString file = config.filePath(QStringLiteral("plimo/plimo.conf"));
        for (const QString& path : c.added)
            RecentGames(file).add(path);
        RecentGames(file).remove(c.removed);
        EXPECT_EQ(RecentGames(file).paths(), c.expected);
    }
}

} // namespace
