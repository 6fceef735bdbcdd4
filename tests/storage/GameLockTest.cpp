// One program per game: while another program holds a game's lock, it cannot be taken by
// whatever path names the game; once that program is killed, its lock is taken over.
#include "GameLock.h"
#include "StoreFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = GameLock::Outcome;

TEST(GameLockTest, GameHeldByAnotherProgramIsRefusedUntilItIsKilled)
{
    struct Case {
        const char* held;
        const char* taken;
        Outcome expected;
    };
    QTemporaryDir games;
    const auto game = [&](const char* name) { return games.filePath(QLatin1String(name)); };
    ASSERT_TRUE(QDir().mkpath(game("dossier")));
    ASSERT_TRUE(QFile::link(games.path(), game("lien")));
    makeSampleStore(game("partie.mdb"));
    makeSampleStore(game("autre.mdb"));
    const Case cases[] = {
        {"partie.mdb", "partie.mdb", Outcome::HeldElsewhere},
        {"partie.mdb", "dossier/../lien/partie.mdb", Outcome::HeldElsewhere},
        // Locked while it is being made, then reached through the link.
        {"nouvelle.mdb", "lien/nouvelle.mdb", Outcome::HeldElsewhere},
        {"partie.mdb", "autre.mdb", Outcome::Taken},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taken);
        QProcess holder;
        holder.start(QStringLiteral(STORE_TEST_HELPER),
                     {QStringLiteral("hold-game-lock"), game(c.held)});
        ASSERT_TRUE(holder.waitForStarted(10000));
        ASSERT_TRUE(holder.waitForReadyRead(10000)) << qPrintable(holder.readAllStandardError());
        ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
        if (!QFile::exists(game(c.held)))
            makeSampleStore(game(c.held));

        EXPECT_EQ(GameLock().take(game(c.taken)), c.expected);
        holder.kill();
        ASSERT_TRUE(holder.waitForFinished(10000));
        EXPECT_EQ(GameLock().take(game(c.taken)), Outcome::Taken);
    }
}

} // namespace
