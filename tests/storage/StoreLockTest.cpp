// Two programs on one file: while another program holds the write lock, a save waits the busy
// timeout and then reports the database's error without writing anything; once the lock is
// released the same store saves normally and the file is sound.
#include "GameStore.h"
#include "StoreFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(StoreLockTest, SaveUnderAnotherProgramsLockReportsThenWorksAfterRelease)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeSampleStore(path);
    GameStore store(path);
    ASSERT_TRUE(store.open());

    QProcess holder;
    holder.start(QStringLiteral(STORE_TEST_HELPER), {QStringLiteral("hold-lock"), path});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << qPrintable(holder.readAllStandardError());
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));

    GameSession game{QStringLiteral("PENDANT LE VERROU"),
                     QStringLiteral("*"),
                     QStringLiteral("P"),
                     QStringLiteral("L "),
                     1,
                     0};
    const StoreStatus locked = saveWithTurnZero(store, game);
    EXPECT_FALSE(locked);
    EXPECT_TRUE(locked.message().startsWith(
        QStringLiteral("Le fichier de la partie est verrouillé par un autre programme.\r")))
        << qPrintable(locked.message());
    EXPECT_TRUE(locked.message().contains(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(store.writeColour(Pane::Ref, PaneProperty::Background, 1));

    holder.write("release\n");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);

    EXPECT_EQ(store.loadGame().ref, QStringLiteral("LE CHAT"));
    game.ref = QStringLiteral("APRÈS LE VERROU");
    const StoreStatus saved = saveWithTurnZero(store, game);
    ASSERT_TRUE(saved) << qPrintable(saved.message());
    store.close();

    RawStore raw(path);
    EXPECT_EQ(raw.value(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    GameStore reopened(path);
    ASSERT_TRUE(reopened.open());
    EXPECT_EQ(reopened.loadGame(), game);
}

} // namespace
