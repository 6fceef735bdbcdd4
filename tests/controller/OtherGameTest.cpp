// Leaving the open game for another: a file that cannot be opened leaves the open game as it was
// and the file byte for byte; a new game is the empty one and never takes an existing name; a
// save under a new name takes the whole history along, goes on with the new file and leaves
// the old one as last saved; the recent games follow what is opened.
#include "ControllerFixture.h"
#include "PlayOn.h"
#include "RecentGames.h"
#include "StoreLocation.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <functional>

namespace {

class OtherGameTest : public ControllerTest {
  protected:
    // The sample game with a puzzle started and a turn played, not saved.
    void SetUp() override
    {
        ControllerTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(startOnSample());
        ASSERT_NO_FATAL_FAILURE(newPuzzle(dort::kReference));
        ASSERT_NO_FATAL_FAILURE(play(dort::kFirst));
        m_played = m_game.session();
        m_bytes = fileBytes(m_path);
    }

    void expectGameKept() const
    {
        EXPECT_EQ(m_game.gamePath(), m_path);
        EXPECT_EQ(m_game.session(), m_played);
        EXPECT_TRUE(m_game.isModified());
        EXPECT_EQ(fileBytes(m_path), m_bytes);
    }

    GameSession m_played;
    QByteArray m_bytes;
};

TEST_F(OtherGameTest, FileThatCannotBeOpenedLeavesTheOpenGame)
{
    QProcess holder;
    std::vector<UnopenableFile> cases = unopenableFiles(holder);
    // The file that opens: its reason is empty.
    cases.push_back({"a copy in a folder of accents and spaces",
                     [this](const QString& path) { QFile::copy(m_path, path); }, ""});
    const QString folder = m_dir.filePath(QStringLiteral("Été à l'île, fil n°42"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const UnopenableFile& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path =
            folder + QLatin1Char('/') + QString::fromUtf8(c.name) + QStringLiteral(".mdb");
        c.make(path);
        const QByteArray before = fileBytes(path);
        std::optional<Refusal> refusal;
        {
            PermissionsBind bind;
            refusal = m_game.openGame(path);
        }
        EXPECT_EQ(fileBytes(path), before);
        if (*c.reason == '\0') {
            EXPECT_FALSE(refusal);
            EXPECT_EQ(m_game.gamePath(), path);
            EXPECT_EQ(m_game.session().ref, QStringLiteral("LE CHAT"));
            EXPECT_EQ(m_game.recentGames().value(0), path);
            EXPECT_EQ(fileBytes(m_path), m_bytes);
            continue;
        }
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->icon, MessageIcon::Critical);
        EXPECT_TRUE(refusal->text.contains(QString::fromUtf8(c.reason)))
            << qPrintable(refusal->text);
        EXPECT_TRUE(refusal->text.contains(path)) << qPrintable(refusal->text);
        expectGameKept();
    }
    holder.kill();
    holder.waitForFinished(10000);
}

TEST_F(OtherGameTest, NewGameIsTheEmptyOneUnderANewName)
{
    const std::optional<Refusal> taken = m_game.newGame(m_path);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->icon, MessageIcon::Warning);
    EXPECT_EQ(taken->text, QStringLiteral("Le fichier existe déjà.\r") + m_path);
    expectGameKept();

    ASSERT_FALSE(m_game.newGame(m_dir.filePath(QStringLiteral("fil-42"))));
    EXPECT_EQ(m_game.gamePath(), m_dir.filePath(QStringLiteral("fil-42.mdb")));
    EXPECT_EQ(m_game.session(), (GameSession{"", "", "", "", 0, 0}));
    EXPECT_FALSE(m_game.canUndo());
    EXPECT_EQ(fileBytes(m_path), m_bytes);
}

// Only the latest turns are read at start-up; the new file must still hold every one of them,
// and saves go on into it.
TEST_F(OtherGameTest, SaveUnderANewNameTakesTheWholeHistoryAlong)
{
    constexpr int kTurns = 40;
    for (int turn = 2; turn <= kTurns; ++turn)
        ASSERT_NO_FATAL_FAILURE(play(QStringLiteral("LA CHAR D%1").arg(turn)));
    ASSERT_FALSE(m_game.save());
    GameController game;
    ASSERT_FALSE(game.openGame(m_path));
    game.proposalEdited(dort::kSecond);
    game.generate(playOn);
    const QByteArray saved = fileBytes(m_path);
    const QString copy = m_dir.filePath(QStringLiteral("copie.mdb"));

    EXPECT_EQ(game.saveGameAs(m_path)->icon, MessageIcon::Warning);
    ASSERT_FALSE(game.saveGameAs(m_dir.filePath(QStringLiteral("copie"))));
    EXPECT_EQ(game.gamePath(), copy);
    EXPECT_FALSE(game.isModified());
    EXPECT_EQ(game.recentGames().value(0), copy);
    ASSERT_TRUE(game.undoLastTurn());
    ASSERT_FALSE(game.save());
    EXPECT_EQ(fileBytes(m_path), saved);

    GameController reopened;
    ASSERT_FALSE(reopened.openGame(copy));
    EXPECT_EQ(reopened.turnCount(), kTurns + 1);
    while (reopened.undoLastTurn()) {
    }
    expectShows(reopened, dort::kTurn0);
}

// Every game opened goes into the list, even one left at once for another; the game opened at
// start-up is listed before any act, though reading the list writes nothing.
TEST_F(OtherGameTest, EachGameOpenedIsListedAndReadingTheListWritesNothing)
{
    const QString first = m_dir.filePath(QStringLiteral("fil-1.mdb"));
    const QString second = m_dir.filePath(QStringLiteral("fil-2.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(first));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(second));
    ASSERT_FALSE(m_game.openGame(first));
    ASSERT_FALSE(m_game.openGame(second));
    EXPECT_EQ(m_game.recentGames().mid(0, 3), (QStringList{second, first, m_path}));

    GameController started;
    ASSERT_FALSE(
        started.startUp(StoreLocationInputs{{QStringLiteral("plimo"), first}, {}, {}, {}, {}, {}}));
    const QByteArray list = fileBytes(RecentGames::userConfigFile());
    EXPECT_EQ(started.recentGames().mid(0, 2), (QStringList{first, second}));
    EXPECT_EQ(fileBytes(RecentGames::userConfigFile()), list);
}

TEST_F(OtherGameTest, GoneRecentGameLeavesTheList)
{
    const QString gone = m_dir.filePath(QStringLiteral("partie.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeSampleStore(gone));
    ASSERT_FALSE(m_game.openGame(gone));
    ASSERT_TRUE(QFile::remove(gone));

    EXPECT_FALSE(m_game.checkRecentGame(m_path));
    const std::optional<Refusal> refusal = m_game.checkRecentGame(gone);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->icon, MessageIcon::Warning);
    EXPECT_TRUE(refusal->text.endsWith(QLatin1Char('\r') + gone));
    EXPECT_EQ(m_game.recentGames().value(0), m_path);
    EXPECT_FALSE(m_game.recentGames().contains(gone));
}

} // namespace
