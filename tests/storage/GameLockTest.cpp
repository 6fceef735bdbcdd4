// One program per game: while another program holds a game's lock, it cannot be taken by
// whatever path names the game; once that program is killed, its lock is taken over, even when
// it was killed before it could write its lock file.
#include "GameLock.h"
#include "StoreFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/file.h>
#include <unistd.h>

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

// A lock file that names no holder is taken at once when it is older than a write takes, and
// never while a live holder keeps it locked or while it may still be being written.
TEST(GameLockTest, LockFileLeftUnwrittenIsTakenOverOnlyWhenNobodyWritesIt)
{
    enum class Holder { None, OpenFile, Program };
    struct Case {
        const char* name;
        QByteArray content;
        qint64 ageSeconds; // negative: dated ahead, as a file made this instant may seem
        Holder holder;
        Outcome expected;
    };
    const Case cases[] = {
        {"empty, left by a kill", "", 5, Holder::None, Outcome::Taken},
        {"cut short", "12", 5, Holder::None, Outcome::Taken},
        {"empty, being written", "", -5, Holder::None, Outcome::HeldElsewhere},
        {"empty, kept locked", "", 5, Holder::OpenFile, Outcome::HeldElsewhere},
        {"emptied under a live program", "", 5, Holder::Program, Outcome::HeldElsewhere},
    };
    QTemporaryDir games;
    const QString game = games.filePath(QStringLiteral("partie.mdb"));
    makeSampleStore(game);
    const QString lockFile = GameLock::lockFileFor(game);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(lockFile);
        QProcess holder;
        if (c.holder == Holder::Program) {
            holder.start(QStringLiteral(STORE_TEST_HELPER),
                         {QStringLiteral("hold-game-lock"), game});
            ASSERT_TRUE(holder.waitForReadyRead(10000));
            ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));
        }
        QFile file(lockFile);
        ASSERT_TRUE(file.open(c.holder == Holder::Program
                                  ? QIODevice::ReadWrite
                                  : QIODevice::NewOnly | QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(0));
        ASSERT_EQ(file.write(c.content), c.content.size());
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-c.ageSeconds),
                                     QFileDevice::FileModificationTime));
        if (c.holder == Holder::OpenFile)
            ASSERT_EQ(::flock(file.handle(), LOCK_EX | LOCK_NB), 0);
        else
            file.close();

        GameLock lock;
        EXPECT_EQ(lock.take(game), c.expected);
        // A refused lock leaves the file as it was; a taken one holds its new holder.
        if (c.expected == Outcome::Taken)
            EXPECT_TRUE(fileBytes(lockFile).startsWith(QByteArray::number(getpid()) + '\n'));
        else
            EXPECT_EQ(fileBytes(lockFile), c.content);
        file.close();
        holder.kill();
        holder.waitForFinished(10000);
    }
}

} // namespace
