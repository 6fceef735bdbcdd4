// One program per game: while another program holds a game's lock, it cannot be taken by
// whatever path names the game; once that program is killed, its lock is taken over at once, even
// when it was killed before it could write its lock file, or when another live Plimo has since
// been given the process id its lock file names: only the system's lock on the file tells.
#include "GameLock.h"
#include "StoreFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>
#include <sys/file.h>
#include <unistd.h>

namespace {

using Outcome = GameLock::Outcome;

TEST(GameLockTest, GameIsRefusedWhileALiveProgramHoldsIt)
{
    // Who keeps the lock file: another program that took the lock, this test holding the file
    // open and locked, nobody, or nobody since its holder was killed while a second program of
    // the same name, alive, now has the process id the file names.
    enum class Holder { Program, OpenFile, None, KilledIdReused };
    struct Case {
        const char* name;
        Holder holder;
        const char* held;
        const char* taken;
        // Written over the lock file, dated that many seconds back (ahead when negative).
        std::optional<QByteArray> content;
        int age;
        Outcome expected;
    };
    QTemporaryDir games;
    const auto game = [&](const char* name) { return games.filePath(QLatin1String(name)); };
    ASSERT_TRUE(QDir().mkpath(game("dossier")));
    ASSERT_TRUE(QFile::link(games.path(), game("lien")));
    makeSampleStore(game("partie.mdb"));
    makeSampleStore(game("autre.mdb"));
    const Case cases[] = {
        {"same path", Holder::Program, "partie.mdb", "partie.mdb", {}, 0, Outcome::HeldElsewhere},
        {"through a link",
         Holder::Program,
         "partie.mdb",
         "dossier/../lien/partie.mdb",
         {},
         0,
         Outcome::HeldElsewhere},
        // Locked while it is being made, then reached through the link.
        {"being made",
         Holder::Program,
         "nouvelle.mdb",
         "lien/nouvelle.mdb",
         {},
         0,
         Outcome::HeldElsewhere},
        {"another game", Holder::Program, "partie.mdb", "autre.mdb", {}, 0, Outcome::Taken},
        {"emptied under a live program", Holder::Program, "partie.mdb", "partie.mdb", "", 5,
         Outcome::HeldElsewhere},
        // Killed a moment ago between making the file and writing it.
        {"empty, left by a kill", Holder::None, "partie.mdb", "partie.mdb", "", 0, Outcome::Taken},
        {"cut short", Holder::None, "partie.mdb", "partie.mdb", "12", 5, Outcome::Taken},
        {"empty, kept locked", Holder::OpenFile, "partie.mdb", "partie.mdb", "", 5,
         Outcome::HeldElsewhere},
        {"killed, its id reused",
         Holder::KilledIdReused,
         "partie.mdb",
         "partie.mdb",
         {},
         0,
         Outcome::Taken},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString lockFile = GameLock::lockFileFor(game(c.held));
        QFile::remove(lockFile);
        QProcess holder;
        QProcess reuser;
        const auto hold = [](QProcess& program, const QString& path) {
            program.start(QStringLiteral(STORE_TEST_HELPER),
                          {QStringLiteral("hold-game-lock"), path});
            ASSERT_TRUE(program.waitForReadyRead(10000))
                << qPrintable(program.readAllStandardError());
            ASSERT_EQ(program.readLine().trimmed(), QByteArray("locked"));
        };
        if (c.holder == Holder::Program || c.holder == Holder::KilledIdReused)
            ASSERT_NO_FATAL_FAILURE(hold(holder, game(c.held)));
        if (c.holder == Holder::KilledIdReused) {
            holder.kill();
            ASSERT_TRUE(holder.waitForFinished(10000));
            ASSERT_NO_FATAL_FAILURE(hold(reuser, game("autre.mdb")));
            QByteArray bytes = fileBytes(lockFile);
            bytes.replace(0, bytes.indexOf('\n'), QByteArray::number(reuser.processId()));
            writeBytes(lockFile, bytes);
        }
        if (!QFile::exists(game(c.held)))
            makeSampleStore(game(c.held));
        QFile file(lockFile);
        if (c.content) {
            writeBytes(lockFile, *c.content);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-c.age),
                                         QFileDevice::FileModificationTime));
            if (c.holder == Holder::OpenFile)
                ASSERT_EQ(::flock(file.handle(), LOCK_EX | LOCK_NB), 0);
            else
                file.close();
        }

        GameLock lock;
        EXPECT_EQ(lock.take(game(c.taken)), c.expected);
        // A refused lock leaves the file as it was; a taken one names its new holder.
        if (c.expected == Outcome::Taken)
            EXPECT_EQ(fileMode(GameLock::lockFileFor(game(c.taken))), 0600);
        if (c.content && c.expected == Outcome::Taken)
            EXPECT_TRUE(fileBytes(lockFile).startsWith(QByteArray::number(getpid()) + '\n'));
        else if (c.content)
            EXPECT_EQ(fileBytes(lockFile), *c.content);
        file.close();
        reuser.kill();
        reuser.waitForFinished(10000);
        if (c.holder == Holder::Program) {
            holder.kill();
            ASSERT_TRUE(holder.waitForFinished(10000));
            EXPECT_EQ(GameLock().take(game(c.taken)), Outcome::Taken);
        }
    }
}

// QSettings' own lock file on the recent games, left by a killed program, goes before the write,
// so that Qt does not wait out its stale time; one a live program holds stays.
TEST(GameLockTest, AnAbandonedQtLockFileGoesAtOnce)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("plimo.conf"));
    const QString file = settings + QStringLiteral(".lock");
    struct Case {
        const char* name;
        QByteArray content;
        int age;
        bool held;
        bool stays;
    };
    const Case cases[] = {
        {"named holder gone", "999999999\nstorage_test_helper\nhote\n", 0, false, false},
        {"empty, killed while making it", "", 0, false, false},
        {"held by a live program", "", 5, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(file, c.content);
        QFile open(file);
        ASSERT_TRUE(open.open(QIODevice::ReadOnly));
        ASSERT_TRUE(open.setFileTime(QDateTime::currentDateTime().addSecs(-c.age),
                                     QFileDevice::FileModificationTime));
        QProcess holder;
        if (c.held) {
            holder.start(QStringLiteral("flock"), {file, QStringLiteral("cat")});
            ASSERT_TRUE(holder.waitForStarted(10000));
            while (::flock(open.handle(), LOCK_EX | LOCK_NB) == 0) {
                ::flock(open.handle(), LOCK_UN);
                QThread::msleep(10);
            }
        }
        bool there = true;
        GameLock::writeAlone(settings, [&] { there = QFileInfo::exists(file); });
        EXPECT_EQ(there, c.stays);
        holder.kill();
        holder.waitForFinished(10000);
        QFile::remove(file);
    }
}

} // namespace
