// GameStore on a sound file: a saved game comes back whole in a new store, only the first row
// of each table is read and written, a save writes both tables or neither, the appearance
// writes land in couleurs, the ranking option comes back as stored, and paths with URI
// characters open the right file and never create.
#include "GameStore.h"
#include "GameFiles.h"
#include "StoreFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class GameStoreTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
    }

    QTemporaryDir m_dir;
    QString m_path;
};

GameSession gameWith(const QString& ref, qint64 count)
{
    GameSession game;
    game.ref = ref;
    game.soluce = QStringLiteral("** ****");
    game.propal = QStringLiteral("LE CHIEN");
    game.lettres = QStringLiteral("A C H T ");
    game.lettres_restantes = count;
    game.lettres_trouvees = 7;
    return game;
}

TEST_F(GameStoreTest, SavedGameComesBackInANewStore)
{
    makeSampleStore(m_path);
    const QList<GameSession> games = {
        gameWith(QStringLiteral("L'ÉTÉ À « PARIS » ; \"GUILLEMETS\"\nLIGNE"), 12),
        gameWith(QStringLiteral("Vide"), 0),
        gameWith(QString(QLatin1Char('A')).repeated(600), 70000),
        // Empty panes must be stored as empty text: a NULL would come back as "Vide".
        GameSession{QStringLiteral("X"), QString(), QString(), QString(), 0, 0},
    };
    for (const GameSession& game : games) {
        {
            GameStore store(m_path);
            const StoreStatus opened = store.open();
            ASSERT_TRUE(opened) << qPrintable(opened.message());
            const StoreStatus saved = saveWithTurnZero(store, game);
            ASSERT_TRUE(saved) << qPrintable(saved.message());
            store.close();
        }
        GameStore reopened(m_path);
        ASSERT_TRUE(reopened.open());
        GameSession expected = game;
        expected.lettres_trouvees = 0; // the found count is never stored
        EXPECT_EQ(reopened.loadGame(), expected) << qPrintable(game.ref.left(40));
    }
}

TEST_F(GameStoreTest, OnlyTheLowestRowidIsReadAndUpdated)
{
    // The second row gets the lower rowid, so the first row by rowid is not the first inserted.
    makeSampleStore(m_path,
                    {QStringLiteral("INSERT INTO \"données\" (rowid, base, result, propal, "
                                    "lettres) VALUES (-5, 'PREMIER', 'P', 'P', 'P')"),
                     QStringLiteral("INSERT INTO compteurs (rowid, nb_lettres) VALUES (-5, 9)"),
                     QStringLiteral("INSERT INTO couleurs (rowid, fond_ref) VALUES (-5, 77)")});
    GameStore store(m_path);
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.loadGame().ref, QStringLiteral("PREMIER"));
    EXPECT_EQ(store.loadGame().lettres_restantes, 9);
    EXPECT_EQ(store.loadAppearance().lookFor(Pane::Ref).background, 77);
    EXPECT_FALSE(store.loadAppearance().lookFor(Pane::Soluce).background.has_value());

    ASSERT_TRUE(saveWithTurnZero(store, gameWith(QStringLiteral("NOUVEAU"), 3)));
    ASSERT_TRUE(store.writeColour(Pane::Ref, PaneProperty::Background, 55));
    RawStore raw(m_path);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT base FROM \"données\" WHERE rowid = -5")),
              QStringLiteral("NOUVEAU"));
    EXPECT_EQ(raw.value(QStringLiteral("SELECT base FROM \"données\" WHERE rowid = 1")),
              QStringLiteral("LE CHAT"));
    EXPECT_EQ(raw.value(QStringLiteral("SELECT nb_lettres FROM compteurs WHERE rowid = 1")).toInt(),
              4);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT fond_ref FROM couleurs WHERE rowid = 1")).toInt(),
              100);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM \"données\"")).toInt(), 2);
}

TEST_F(GameStoreTest, SaveWithoutACountRowLeavesTheTextsUnchanged)
{
    makeSampleStore(m_path, {QStringLiteral("DELETE FROM compteurs")});
    const QByteArray before = fileBytes(m_path);
    GameStore store(m_path);
    ASSERT_TRUE(store.open());
    const StoreStatus status =
        saveWithTurnZero(store, gameWith(QStringLiteral("AUTRE"), 2));
    EXPECT_FALSE(status);
    EXPECT_TRUE(status.message().contains(QDir::toNativeSeparators(m_path)));
    EXPECT_EQ(store.loadGame().ref, QStringLiteral("LE CHAT"));
    store.close();
    EXPECT_EQ(fileBytes(m_path), before);
}

TEST_F(GameStoreTest, AppearanceWritesComeBackAtTheNextOpen)
{
    makeSampleStore(m_path);
    {
        GameStore store(m_path);
        ASSERT_TRUE(store.open());
        ASSERT_TRUE(store.writeColour(Pane::Soluce, PaneProperty::Background, -2147483643));
        ASSERT_TRUE(store.writeColour(Pane::Lettres, PaneProperty::TextColour, 0x00FF00));
        ASSERT_TRUE(store.writeFont(Pane::Propal,
                                    FontChoice{QStringLiteral("DejaVu Sans"), 10, true, true}));
        ASSERT_TRUE(store.writeFields(
            {{QStringLiteral("font_size_ref"), 20}, {QStringLiteral("font_bold_ref"), 0}}));
    }
    GameStore store(m_path);
    ASSERT_TRUE(store.open());
    const StoredAppearance look = store.loadAppearance();
    EXPECT_EQ(look.lookFor(Pane::Soluce).background, -2147483643);
    EXPECT_EQ(look.lookFor(Pane::Lettres).text, 0x00FF00);
    const StoredPaneLook& propal = look.lookFor(Pane::Propal);
    EXPECT_EQ(propal.font.name, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(propal.font.size, 10.0);
    EXPECT_EQ(propal.font.bold, true);
    EXPECT_EQ(propal.font.italic, true);
    EXPECT_EQ(look.lookFor(Pane::Ref).font.size, 20.0);
    EXPECT_EQ(look.lookFor(Pane::Ref).font.bold, false);
    EXPECT_EQ(look.lookFor(Pane::Soluce).font.name, QStringLiteral("Arial"));
}

// «Classement dans le message» comes back as last stored, in a file of an older layout as in a
// new game: the options' single row is updated, never added to. A file not written since it was
// made without options reads as not shown.
TEST_F(GameStoreTest, TheRankingOptionComesBackAsLastStored)
{
    const struct {
        const char* name;
        QList<bool> stored;
        bool loaded;
    } cases[] = {
        {"never stored", {}, false},
        {"on", {true}, true},
        {"on then off", {true, false}, false},
        {"off then on", {false, true}, true},
    };
    int file = 0;
    for (const auto& c : cases) {
        for (const bool newGame : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (newGame ? ", new game" : ", older layout"));
            const QString path = m_dir.filePath(QStringLiteral("partie-%1.mdb").arg(++file));
            if (newGame) {
                ASSERT_TRUE(createEmptyGame(path, {}));
            } else {
                makeSampleStore(path);
            }
            {
                GameStore store(path);
                ASSERT_TRUE(store.open());
                for (const bool shown : c.stored) {
                    const StoreStatus status = store.storeRankingInPost(shown);
                    ASSERT_TRUE(status) << qPrintable(status.message());
                }
            }
            GameStore reopened(path);
            ASSERT_TRUE(reopened.open());
            EXPECT_EQ(reopened.loadRankingInPost(), c.loaded);
        }
    }
}

TEST_F(GameStoreTest, UnknownColumnsAndPanesAreRefusedWithoutWriting)
{
    makeSampleStore(m_path);
    const QByteArray before = fileBytes(m_path);
    GameStore store(m_path);
    ASSERT_TRUE(store.open());
    EXPECT_FALSE(store.writeFields({{QStringLiteral("fond_ref = 0; DROP TABLE couleurs; --"), 1}}));
    EXPECT_FALSE(store.writeFields({{QStringLiteral("fond_ref"), 1}, {QStringLiteral("base"), 2}}));
    EXPECT_FALSE(store.writeColour(Pane::Ref, PaneProperty::Font, 1));
    store.close();
    EXPECT_EQ(fileBytes(m_path), before);
}

TEST_F(GameStoreTest, ClosedStoreReportsInsteadOfWriting)
{
    makeSampleStore(m_path);
    GameStore store(m_path);
    ASSERT_TRUE(store.open());
    store.close();
    EXPECT_FALSE(store.isOpen());
    EXPECT_FALSE(saveWithTurnZero(store, gameWith(QStringLiteral("AUTRE"), 1)));
    EXPECT_FALSE(store.writeColour(Pane::Ref, PaneProperty::Background, 1));
    EXPECT_EQ(store.loadGame().ref, QStringLiteral("Vide"));
}

TEST_F(GameStoreTest, PathsWithUriCharactersOpenTheirOwnFile)
{
    const QStringList folders = {QStringLiteral("a b"), QStringLiteral("x#y"),
                                 QStringLiteral("q?mode=rwc"), QStringLiteral("p%20c"),
                                 QStringLiteral("été")};
    for (const QString& folder : folders) {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(folder));
        const QString path = m_dir.filePath(folder + QStringLiteral("/plimo.mdb"));
        GameStore missing(path);
        EXPECT_FALSE(missing.open()) << qPrintable(folder);
        EXPECT_TRUE(QDir(m_dir.filePath(folder)).isEmpty()) << qPrintable(folder);

        makeSampleStore(path);
        GameStore store(path);
        const StoreStatus opened = store.open();
        ASSERT_TRUE(opened) << qPrintable(folder) << ": " << qPrintable(opened.message());
        EXPECT_EQ(store.loadGame().ref, QStringLiteral("LE CHAT"));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
}

} // namespace
