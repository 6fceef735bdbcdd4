// Crash safety: a program saving changing games in a loop is killed (SIGKILL) at random moments,
// 200 times; after each kill the file opens, passes SQLite's integrity check, and its two tables
// hold one whole saved game (the texts and the count of the same save), never older than the
// game found after the previous kill.
#include "GameStore.h"
#include "StoreFiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kKills = 200;

// The n that ties the stored game together, or -1 when the tables disagree.
qlonglong wholeGameNumber(const GameSession& game)
{
    const QString n = game.lettres_restantes;
    const GameSession expected{QStringLiteral("PARTIE ") + n,
                               QStringLiteral("RESULTAT ") + n,
                               QStringLiteral("PROPOSITION ") + n,
                               QStringLiteral("LETTRES ") + n,
                               n,
                               QStringLiteral("0")};
    return game == expected ? n.toLongLong() : -1;
}

TEST(CrashSafetyTest, KilledSavesLeaveOneWholeGame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeSampleStore(path, {QStringLiteral("UPDATE \"données\" SET base = 'PARTIE 0', "
                                          "result = 'RESULTAT 0', propal = 'PROPOSITION 0', "
                                          "lettres = 'LETTRES 0'"),
                           QStringLiteral("UPDATE compteurs SET nb_lettres = 0")});
    const unsigned seed = std::random_device{}();
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(0, 25);

    qlonglong last = 0;
    int killedMidSave = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess saver;
        saver.start(QStringLiteral(STORE_TEST_HELPER),
                    {QStringLiteral("save-loop"), path, QString::number(last + 1)});
        ASSERT_TRUE(saver.waitForStarted(10000));
        ASSERT_TRUE(saver.waitForReadyRead(10000)) << qPrintable(saver.readAllStandardError());
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        ASSERT_EQ(saver.state(), QProcess::Running) << qPrintable(saver.readAllStandardError());
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(10000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit);
        if (QFileInfo(path + QStringLiteral("-journal")).size() > 0) {
            ++killedMidSave;
        }

        {
            RawStore raw(path);
            ASSERT_TRUE(raw.isOpen()) << "kill " << kill;
            ASSERT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                      QStringLiteral("ok"))
                << "kill " << kill;
        }
        GameStore store(path);
        const StoreStatus opened = store.open();
        ASSERT_TRUE(opened) << "kill " << kill << ": " << qPrintable(opened.message());
        const GameSession game = store.loadGame();
        const qlonglong n = wholeGameNumber(game);
        ASSERT_GE(n, last) << "kill " << kill << ": torn or older game, base "
                           << qPrintable(game.ref) << ", count "
                           << qPrintable(game.lettres_restantes);
        last = n;
    }
    ::testing::Test::RecordProperty("kills", kKills);
    ::testing::Test::RecordProperty("killedMidSave", killedMidSave);
    ::testing::Test::RecordProperty("saves", std::to_string(last));
    std::printf("%d kills, %d left a hot journal, %lld saves in all\n", kKills, killedMidSave,
                last);
}

} // namespace
