// New game files: an empty game, or the open game under a new name, which is the source's stored
// file whole with the game written over it. Neither ever replaces a file; a failure leaves
// nothing behind and the source file as it was.
#include "GameFiles.h"
#include "StoreFiles.h"
#include "StoreSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

TEST(GameFileNameTest, ChosenNameGetsTheGameSuffix)
{
    const std::pair<const char*, const char*> cases[] = {{"/p/fil", "/p/fil.mdb"},
                                                         {"/p/fil.mdb", "/p/fil.mdb"},
                                                         {"/p/FIL.MDB", "/p/FIL.MDB"},
                                                         {"/p.mdb/fil.txt", "/p.mdb/fil.txt.mdb"}};
    for (const auto& [chosen, expected] : cases)
        EXPECT_EQ(withGameSuffix(QLatin1String(chosen)), QLatin1String(expected)) << chosen;
}

const GameSession kGame{QStringLiteral("LE CHAT"), QStringLiteral("** ****"),
                        QStringLiteral("LA VIE"),  QStringLiteral("A B "),
                        4, 0};

// An open source game with two stored turns, a table and a layout version of a later program.
class GameFilesTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        makeSampleStore(source(), {QStringLiteral("CREATE TABLE joueurs (nom TEXT)"),
                                   QStringLiteral("INSERT INTO joueurs VALUES ('Zoé')"),
                                   QStringLiteral("PRAGMA user_version = 9")});
        ASSERT_TRUE(m_store.open());
        TurnHistory history;
        history.restart(turnOf(kGame, QString()));
        history.append(turnOf(kGame, kGame.propal));
        ASSERT_TRUE(m_store.saveGame(kGame, history));
        m_sourceBytes = fileBytes(source());
    }

    QString source() const { return m_dir.filePath(QStringLiteral("partie.mdb")); }
    QString target() const { return m_dir.filePath(QStringLiteral("copie.mdb")); }
    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    StoreStatus copyWith(const QString& path, const GameSession& game)
    {
        return copyGame(m_store, path, [&](GameStore& copy) { return saveWithTurnZero(copy, game); });
    }

    QTemporaryDir m_dir;
    GameStore m_store{source()};
    QByteArray m_sourceBytes;
};

TEST_F(GameFilesTest, EmptyGameHoldsNoGameAndTheGivenLook)
{
    ASSERT_TRUE(createEmptyGame(target(), {{QStringLiteral("font_name_lettres"), "Arial"}}));
    GameStore store(target());
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.loadGame(), (GameSession{"", "", "", "", 0, 0}));
    EXPECT_FALSE(store.loadHistory());
    EXPECT_EQ(store.loadAppearance().panes[3].font.name, QStringLiteral("Arial"));
    EXPECT_FALSE(store.loadAppearance().panes[0].font.name);
    store.close();
    EXPECT_EQ(RawStore(target()).value(QStringLiteral("PRAGMA user_version")), kStoreVersion);
    EXPECT_EQ(QFileInfo(target()).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ReadUser |
                                                     QFileDevice::WriteUser);
}

// The source is only read, and is read through its open connection even once its name has gone.
TEST_F(GameFilesTest, CopyHoldsTheStoredFileWithTheGame)
{
    ASSERT_TRUE(QFile::rename(source(), m_dir.filePath(QStringLiteral("ailleurs.mdb"))));
    GameSession game = kGame;
    game.ref = QStringLiteral("LE CHAT NOIR");
    ASSERT_TRUE(copyWith(target(), game));

    GameStore copy(target());
    ASSERT_TRUE(copy.open());
    EXPECT_EQ(copy.loadGame(), game);
    EXPECT_EQ(copy.loadHistory()->latest.size(), 1); // the history saved with the game
    EXPECT_EQ(copy.loadAppearance(), m_store.loadAppearance());
    copy.close();
    RawStore raw(target());
    EXPECT_EQ(raw.value(QStringLiteral("SELECT nom FROM joueurs")), QVariant("Zoé"));
    EXPECT_EQ(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), 9);
    EXPECT_EQ(fileBytes(m_dir.filePath(QStringLiteral("ailleurs.mdb"))), m_sourceBytes);
}

TEST_F(GameFilesTest, ExistingFileIsNeverReplaced)
{
    const std::function<void()> makeTarget[] = {
        [this] { writeBytes(target(), "notes"); },
        [this] { QFile::link(QStringLiteral("absent.mdb"), target()); }};
    for (const auto& make : makeTarget) {
        for (const bool copying : {false, true}) {
            QFile::remove(target());
            make();
            const QByteArray before = fileBytes(target());
            const StoreStatus status =
                copying ? copyWith(target(), kGame) : createEmptyGame(target(), {});
            EXPECT_EQ(status.message(), QStringLiteral("Le fichier existe déjà.\r") + target());
            EXPECT_EQ(fileBytes(target()), before);
            EXPECT_EQ(entries(), (QStringList{QStringLiteral("copie.mdb"), "partie.mdb"}));
        }
    }
    // Nor is a file made under the name while the copy is being written.
    QFile::remove(target());
    const StoreStatus raced = copyGame(m_store, target(), [this](GameStore&) {
        writeBytes(target(), "notes");
        return StoreStatus::success();
    });
    EXPECT_EQ(raced.message(), QStringLiteral("Le fichier existe déjà.\r") + target());
    EXPECT_EQ(fileBytes(target()), QByteArray("notes"));
}

// Only the user's plain scratch files, left by an ended program of this machine, are swept.
TEST_F(GameFilesTest, SweepRemovesOnlyTheScratchFilesOfEndedPrograms)
{
    const auto scratch = [this](qint64 owner) {
        return QFileInfo(scratchTemplate(target(), owner)).fileName().replace("XXXXXX", "a1B2c3");
    };
    const QString ended = QFileInfo(endedScratchFile(target())).fileName();
    const QString tag = ended.section(QLatin1Char('-'), 1, 1);
    const auto file = [](const QString& path) { writeBytes(path, "copie"); };
    const std::tuple<QString, std::function<void(const QString&)>, bool> cases[] = {
        {ended, file, true},
        {ended + QStringLiteral("-journal"), file, true},
        {scratch(::getppid()), file, false},
        {QString(ended).replace(tag, tag == QLatin1String("00000000") ? "1" : "00000000"), file,
         false},
        {QStringLiteral(".copie.mdb.a1B2c3"), file, false},
        {ended + QStringLiteral(".lien"),
         [this](const QString& path) { QFile::link(source(), path); }, false},
    };
    for (const auto& [name, make, swept] : cases) {
        SCOPED_TRACE(name.toStdString());
        make(m_dir.filePath(name));
        sweepScratchFiles(m_dir.path());
        EXPECT_NE(entries().contains(name), swept);
        EXPECT_EQ(fileBytes(source()), m_sourceBytes);
    }
    // Another user's file.
    const QString others = m_dir.filePath(ended);
    file(others);
    if (::chown(QFile::encodeName(others).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    sweepScratchFiles(m_dir.path());
    EXPECT_TRUE(QFileInfo::exists(others));
}

TEST_F(GameFilesTest, FailedWriteLeavesNothingBehind)
{
    enum class Trouble { MissingFolder, ReadOnlyFolder, FullDisk };
    struct Case {
        Trouble trouble;
        bool copying;
        const char* reason;
    };
    const Case cases[] = {
        {Trouble::MissingFolder, false, "No such file"},
        {Trouble::ReadOnlyFolder, false, "Permission denied"},
        {Trouble::ReadOnlyFolder, true, "Permission denied"},
        {Trouble::FullDisk, true, "disk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.trouble) * 2 + int(c.copying));
        const QString path = c.trouble == Trouble::MissingFolder
                                 ? m_dir.filePath(QStringLiteral("absent/copie.mdb"))
                                 : target();
        GameSession game = kGame;
        const auto folderMode = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
        if (c.trouble == Trouble::ReadOnlyFolder)
            QFile::setPermissions(m_dir.path(), folderMode);
        StoreStatus status = StoreStatus::success();
        {
            PermissionsBind bind;
            std::optional<DiskFull> full;
            if (c.trouble == Trouble::FullDisk)
                full.emplace(2048);
            status = c.copying ? copyWith(path, game) : createEmptyGame(path, {});
        }
        QFile::setPermissions(m_dir.path(), folderMode | QFileDevice::WriteOwner);
        EXPECT_TRUE(status.message().contains(QLatin1String(c.reason)))
            << qPrintable(status.message());
        EXPECT_EQ(status.message().section(QLatin1Char('\r'), 1, 1), path);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("partie.mdb")});
        EXPECT_EQ(fileBytes(source()), m_sourceBytes);
    }
}

} // namespace
