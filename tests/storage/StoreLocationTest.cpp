// Which store a run opens, and the first copy of the user's game: a file named on the command line
// wins, then the store beside the executable, then the user's game in the data folder, copied from
// the packaged default once and kept ever after. A copy that fails leaves no file or folder behind.
#include "StoreLocation.h"
#include "GameStore.h"
#include "StoreFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

// Paths in failure messages as text.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// A packaged install under root/usr, a user's home and a data folder, none of them holding a
// game yet; the program's folder has no store beside it.
class StoreLocationTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir().mkpath(path("usr/bin")));
        ASSERT_TRUE(QDir().mkpath(path("usr/share/plimo")));
        ASSERT_TRUE(QDir().mkpath(path("home")));
        ASSERT_TRUE(QDir().mkpath(path("work")));
        makeSampleStore(packaged());
    }

    // A new layout for the next case of a table.
    void fresh()
    {
        m_root = QTemporaryDir();
        SetUp();
    }

    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString packaged() const { return path("usr/share/plimo/plimo.mdb"); }
    QString beside() const { return path("usr/bin/plimo.mdb"); }
    QString userGame() const { return path("data/plimo/plimo.mdb"); }

    StoreLocationInputs inputs(const QStringList& arguments = {}) const
    {
        return StoreLocationInputs{QStringList{path("usr/bin/plimo")} + arguments, path("usr/bin"),
                                   path("work"), path("data"), path("home"), {}};
    }

    // Every file and folder below root, the packaged install left out.
    QStringList userEntries() const
    {
        QStringList entries;
        QDirIterator it(m_root.path(),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = QDir(m_root.path()).relativeFilePath(it.next());
            if (!entry.startsWith(QLatin1String("usr")))
                entries << entry;
        }
        entries.sort();
        return entries;
    }

    QTemporaryDir m_root;
};

// The first three choices, and the fall-back when none applies; nothing is made but the user's
// game, and only when the choice is the user's game.
TEST_F(StoreLocationTest, PicksTheStoreInOrder)
{
    struct Case {
        const char* name;
        QStringList arguments;
        bool storeBeside;
        bool packagedDefault;
        const char* expected; // below the layout's root
        QStringList made;
    };
    const QStringList homeAndWork{QStringLiteral("home"), QStringLiteral("work")};
    const QStringList withUserGame =
        QStringList{QStringLiteral("data"), QStringLiteral("data/plimo"),
                    QStringLiteral("data/plimo/plimo.mdb")} +
        homeAndWork;
    const Case cases[] = {
        {"relative file named",
         {QStringLiteral("fil-42.mdb")},
         true,
         true,
         "work/fil-42.mdb",
         homeAndWork},
        {"file in a sub-folder",
         {QStringLiteral("forum/../forum/fil.mdb")},
         false,
         true,
         "work/forum/fil.mdb",
         homeAndWork},
        {"store beside the program", {}, true, true, "usr/bin/plimo.mdb", homeAndWork},
        {"packaged default", {}, false, true, "data/plimo/plimo.mdb", withUserGame},
        {"nothing to open", {}, false, false, "usr/bin/plimo.mdb", homeAndWork},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        if (c.storeBeside)
            makeSampleStore(beside());
        if (!c.packagedDefault)
            ASSERT_TRUE(QFile::remove(packaged()));
        const StoreLocation location = locateStore(inputs(c.arguments));
        EXPECT_TRUE(location.ok()) << qPrintable(location.failure);
        EXPECT_EQ(location.path, path(QLatin1String(c.expected)));
        EXPECT_EQ(userEntries(), c.made);
    }
}

TEST_F(StoreLocationTest, AbsoluteFileNamedIsOpenedAsIs)
{
    EXPECT_EQ(locateStore(inputs({path("home/fil.mdb")})).path, path("home/fil.mdb"));
}

// The game left last comes after a file named on the command line, and only while it is there.
TEST_F(StoreLocationTest, MostRecentGameStillThereIsReopened)
{
    makeSampleStore(path("home/fil-41.mdb"));
    makeSampleStore(beside());
    const QStringList recent{path("home/parti.mdb"), path("home/fil-41.mdb"), beside()};
    const std::tuple<QStringList, QStringList, QString> cases[] = {
        {{}, recent, path("home/fil-41.mdb")},
        {{path("home/fil.mdb")}, recent, path("home/fil.mdb")},
        {{}, {path("home/parti.mdb")}, beside()},
    };
    for (const auto& [arguments, recentGames, expected] : cases) {
        StoreLocationInputs in = inputs(arguments);
        in.recentGames = recentGames;
        EXPECT_EQ(locateStore(in).path, expected);
    }
}

TEST_F(StoreLocationTest, SeveralFilesNamedAreRefused)
{
    const StoreLocation location =
        locateStore(inputs({QStringLiteral("un.mdb"), QStringLiteral("deux.mdb")}));
    EXPECT_FALSE(location.ok());
    EXPECT_TRUE(location.path.isEmpty());
    EXPECT_TRUE(location.failure.contains(QLatin1String("un.mdb deux.mdb")))
        << qPrintable(location.failure);
}

// The choosers of a new game file open beside the open game, but never in Plimo's own data folder.
TEST_F(StoreLocationTest, NewGameChoosersOpenOutsidePlimosOwnDataFolder)
{
    ASSERT_TRUE(locateStore(inputs()).ok());
    const QString documents = path("home/Documents");
    const std::pair<QString, QString> cases[] = {
        {userGame(), documents},
        {path("work/fil-42.mdb"), path("work")},
        {QString(), documents},
    };
    for (const auto& [game, folder] : cases)
        EXPECT_EQ(newGameFolder(game, inputs(), documents), folder) << qPrintable(game);
}

// Where the user's data folder is: $XDG_DATA_HOME when absolute, else ~/.local/share.
TEST_F(StoreLocationTest, DataFolderFollowsXdgThenHome)
{
    StoreLocationInputs unset = inputs();
    unset.xdgDataHome.clear();
    EXPECT_EQ(locateStore(unset).path, path("home/.local/share/plimo/plimo.mdb"));

    StoreLocationInputs relative = inputs();
    relative.xdgDataHome = QStringLiteral("data");
    EXPECT_EQ(locateStore(relative).path, path("home/.local/share/plimo/plimo.mdb"));

    StoreLocationInputs noHome = inputs();
    noHome.xdgDataHome.clear();
    noHome.home.clear();
    const StoreLocation nowhere = locateStore(noHome);
    EXPECT_FALSE(nowhere.ok());
    EXPECT_TRUE(nowhere.failure.contains(QLatin1String("HOME"))) << qPrintable(nowhere.failure);
}

// A read-only packaged file gives a copy that the store can write, the same bytes otherwise, and
// no temporary file is left beside it.
TEST_F(StoreLocationTest, FirstCopyIsTheUsersToWrite)
{
    ASSERT_TRUE(QFile::setPermissions(packaged(), QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                      QFileDevice::ReadOther));
    const QByteArray packagedBytes = fileBytes(packaged());

    const StoreLocation location = locateStore(inputs());
    ASSERT_TRUE(location.ok()) << qPrintable(location.failure);
    EXPECT_EQ(fileBytes(location.path), packagedBytes);
    EXPECT_EQ(QFileInfo(location.path).permissions(),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser);
    EXPECT_EQ(QDir(path("data/plimo")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("plimo.mdb")});

    GameStore store(location.path);
    ASSERT_TRUE(store.open());
    GameSession game = store.loadGame();
    game.ref = QStringLiteral("LE FIL DU FORUM");
    EXPECT_TRUE(saveWithTurnZero(store, game));
    store.close();
    EXPECT_EQ(fileBytes(packaged()), packagedBytes) << "the packaged default is never written";
}

// Later starts open the same game, even after the packaged default changed (an upgrade).
TEST_F(StoreLocationTest, LaterStartsKeepTheGame)
{
    const QString first = locateStore(inputs()).path;
    writeBytes(first, "partie en cours");
    ASSERT_TRUE(QFile::remove(packaged()));
    makeSampleStore(packaged(), {QStringLiteral("UPDATE données SET base = 'NOUVEAU'")});

    const StoreLocation again = locateStore(inputs());
    EXPECT_EQ(again.path, first);
    EXPECT_EQ(fileBytes(first), QByteArray("partie en cours"));
}

// A game that is there, or a link at its place whose file has gone, is opened as it is: no copy
// is tried, so neither an unreadable packaged default nor a full disk keeps it from opening, and
// a dangling link is left for the store to report.
TEST_F(StoreLocationTest, AnExistingGameIsNeverCopiedAgain)
{
    struct Case {
        const char* name;
        bool danglingLink;
        bool diskFull; // else the packaged default is a folder, which cannot be read
    };
    const Case cases[] = {
        {"game, packaged default unreadable", false, false},
        {"game, disk full", false, true},
        {"dangling link, packaged default unreadable", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        ASSERT_TRUE(QDir().mkpath(path("data/plimo")));
        if (c.danglingLink)
            ASSERT_TRUE(QFile::link(path("gone/plimo.mdb"), userGame()));
        else
            writeBytes(userGame(), "partie en cours");
        if (!c.diskFull) {
            ASSERT_TRUE(QFile::remove(packaged()));
            ASSERT_TRUE(QDir().mkpath(packaged()));
        }
        const StoreLocation location = [&] {
            std::optional<DiskFull> full;
            if (c.diskFull)
                full.emplace(0);
            return locateStore(inputs());
        }();

        EXPECT_TRUE(location.ok()) << qPrintable(location.failure);
        EXPECT_EQ(location.path, userGame());
        if (c.danglingLink)
            EXPECT_EQ(QFileInfo(userGame()).symLinkTarget(), path("gone/plimo.mdb"));
        else
            EXPECT_EQ(fileBytes(userGame()), QByteArray("partie en cours"));
        EXPECT_EQ(QDir(path("data/plimo"))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                 QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("plimo.mdb")});
    }
}

// Each way a first copy can fail, with a reason from the system and nothing left behind.
TEST_F(StoreLocationTest, FailedCopyLeavesNothingBehind)
{
    struct Case {
        const char* name;
        const char* xdg; // below the layout's root, like the target
        std::function<void()> damage;
        const char* target;
        const char* reason;
        QStringList left;
    };
    const QStringList homeAndWork{QStringLiteral("home"), QStringLiteral("work")};
    const Case cases[] = {
        {"data folder is a file", "data", [this] { writeBytes(path("data"), "x"); },
         "data/plimo/plimo.mdb", "Not a directory",
         QStringList{QStringLiteral("data")} + homeAndWork},
        {"game folder is a file", "data",
         [this] {
             QDir().mkpath(path("data"));
             writeBytes(path("data/plimo"), "x");
         },
         "data/plimo/plimo.mdb", "Not a directory",
         QStringList{QStringLiteral("data"), QStringLiteral("data/plimo")} + homeAndWork},
        {"packaged default unreadable", "new/data",
         [this] {
             QFile::remove(packaged());
             QDir().mkpath(packaged());
         },
         "new/data/plimo/plimo.mdb", "directory", homeAndWork},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        c.damage();
        StoreLocationInputs in = inputs();
        in.xdgDataHome = path(QLatin1String(c.xdg));
        const StoreLocation location = locateStore(in);
        EXPECT_FALSE(location.ok());
        EXPECT_TRUE(location.path.isEmpty());
        EXPECT_TRUE(location.failure.endsWith(QLatin1Char('\r') + path(QLatin1String(c.target))))
            << qPrintable(location.failure);
        EXPECT_TRUE(location.failure.contains(QLatin1String(c.reason)))
            << qPrintable(location.failure);
        EXPECT_EQ(userEntries(), c.left);
    }
}

// The disk fills half-way through the copy: the partial file and the folders made go away.
TEST_F(StoreLocationTest, CopyCutShortLeavesNothingBehind)
{
    StoreLocationInputs in = inputs();
    in.xdgDataHome = path("new/data");
    ASSERT_GT(QFileInfo(packaged()).size(), 1024);
    const StoreLocation location = [&] {
        DiskFull full(1024);
        return locateStore(in);
    }();

    EXPECT_FALSE(location.ok());
    EXPECT_TRUE(location.failure.contains(QLatin1String("File too large")))
        << qPrintable(location.failure);
    EXPECT_EQ(userEntries(), (QStringList{QStringLiteral("home"), QStringLiteral("work")}));
}

// A data folder the user cannot write to.
TEST_F(StoreLocationTest, ReadOnlyDataFolderIsReported)
{
    ASSERT_TRUE(QDir().mkpath(path("data")));
    ASSERT_TRUE(
        QFile::setPermissions(path("data"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const StoreLocation location = [&] {
        PermissionsBind bind;
        return locateStore(inputs());
    }();
    QFile::setPermissions(path("data"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(location.ok());
    EXPECT_TRUE(location.failure.contains(QLatin1String("Permission denied")))
        << qPrintable(location.failure);
    EXPECT_TRUE(location.failure.endsWith(QLatin1Char('\r') + userGame()));
    EXPECT_FALSE(QFileInfo::exists(path("data/plimo")));
}

} // namespace
