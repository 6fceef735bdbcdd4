// The default-store tool: it writes a store that GameStore opens, with an empty game, a count
// of 0, the design-time look of each pane (sizes in whole points), the options' single row and
// the current layout version, and it never replaces a store that is already there.
#include "GameStore.h"
#include "PaneStyle.h"
#include "StoreFiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

int runTool(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral(DEFAULT_STORE_TOOL), {path});
    if (!tool.waitForFinished(30000)) {
        return -1;
    }
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

TEST(DefaultStoreTest, HoldsAnEmptyGameAndTheDesignTimeLook)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    ASSERT_EQ(runTool(path), 0);
    GameStore store(path);
    const StoreStatus opened = store.open();
    ASSERT_TRUE(opened) << qPrintable(opened.message());
    const GameSession empty{QStringLiteral(""), QStringLiteral(""),  QStringLiteral(""),
                            QStringLiteral(""), 0, 0};
    EXPECT_EQ(store.loadGame(), empty);
    const StoredAppearance look = store.loadAppearance();
    for (Pane pane : kPanes) {
        const PaneStyle design = designLook(pane);
        const StoredPaneLook& stored = look.lookFor(pane);
        EXPECT_EQ(stored.background, design.background) << qPrintable(paneSuffix(pane));
        EXPECT_EQ(stored.text, design.text);
        EXPECT_EQ(stored.font.name, design.font.name);
        EXPECT_EQ(stored.font.size, std::nearbyint(design.font.size));
        EXPECT_EQ(stored.font.bold, design.font.bold);
        EXPECT_EQ(stored.font.italic, design.font.italic);
    }
    EXPECT_EQ(look.lookFor(Pane::Ref).font.size, 14.0);
    RawStore raw(path);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM \"données\"")).toInt(), 1);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM compteurs")).toInt(), 1);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM couleurs")).toInt(), 1);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT group_concat(classement) FROM options")).toString(),
              QStringLiteral("0"));
    EXPECT_EQ(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), kStoreVersion);
}

TEST(DefaultStoreTest, NeverReplacesAnExistingStore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeSampleStore(path);
    const QByteArray before = fileBytes(path);
    ASSERT_EQ(runTool(path), 0);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plimo.mdb")});
}

} // namespace
