// One program per game: while one holder has a game's lock, no other can take it, by whatever
// path it names the game; a program killed while holding it leaves a lock that is taken over.
#include "GameLock.h"
#include "StoreFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = GameLock::Outcome;

// Games in a scratch folder, and the lock files in a runtime folder of the test's own.
class GameLockTest : public ::testing::Test {
  protected:
    void SetUp() override { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())); }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

    QString game(const QString& name) const { return m_games.filePath(name); }

    QTemporaryDir m_games;
    QTemporaryDir m_runtime;
};

TEST_F(GameLockTest, SecondHolderIsRefusedTheSameGameByAnyPath)
{
    struct Case {
        const char* first;
        const char* second;
        Outcome expected;
    };
    ASSERT_TRUE(QDir().mkpath(game("dossier")));
    ASSERT_TRUE(QFile::link(m_games.path(), game("lien")));
    makeSampleStore(game("autre.mdb"));
    const Case cases[] = {
        {"partie.mdb", "partie.mdb", Outcome::HeldElsewhere},
        {"partie.mdb", "dossier/../lien/partie.mdb", Outcome::HeldElsewhere},
        // Locked while it is being made, then reached through the link.
        {"nouvelle.mdb", "lien/nouvelle.mdb", Outcome::HeldElsewhere},
        {"partie.mdb", "autre.mdb", Outcome::Taken},
    };
    makeSampleStore(game("partie.mdb"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        GameLock first;
        ASSERT_EQ(first.take(game(QLatin1String(c.first))), Outcome::Taken);
        if (!QFile::exists(game(QLatin1String(c.first))))
            makeSampleStore(game(QLatin1String(c.first)));
        EXPECT_EQ(GameLock().take(game(QLatin1String(c.second))), c.expected);
    }
}

TEST_F(GameLockTest, LockOfAKilledProgramIsTakenOver)
{
    makeSampleStore(game("partie.mdb"));
    QProcess holder;
    holder.start(QStringLiteral(STORE_TEST_HELPER),
                 {QStringLiteral("hold-game-lock"), game("partie.mdb")});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << qPrintable(holder.readAllStandardError());
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));

    GameLock lock;
    EXPECT_EQ(lock.take(game("partie.mdb")), Outcome::HeldElsewhere);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(GameLock::lockFileFor(game("partie.mdb"))));
    EXPECT_EQ(lock.take(game("partie.mdb")), Outcome::Taken);
}

} // namespace
