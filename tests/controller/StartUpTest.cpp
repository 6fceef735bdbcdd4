// Start-up through the controller: a missing store fails with its path and creates nothing, a
// recent game that does not open gives way to the next; a store loads its game with the save marker
// cleared, the loaded state is the one a conflict rolls back to, and the history starts from it
// with the found count "0", or continues a stored history of the same game with its last found
// count. The version is the project's.
#include "ControllerFixture.h"
#include "PlayOn.h"

#include "StoreLocation.h"

#include <QDir>

namespace {

using StartUpTest = ControllerTest;

const GameSession kSampleGame{QStringLiteral("LE CHAT"),  QStringLiteral("** ****"),
                              QStringLiteral("LE CHIEN"), QStringLiteral("A C H T "),
                              4, 0};

// The game start-up settles on: a file given or named on the command line opens, or fails with
// its path, creating nothing; a recent game that cannot be opened is passed over as if it had
// gone and stays in the list, its file untouched, unless it is open in another program.
TEST_F(StartUpTest, OpensTheGameNamedOrTheFirstRecentGameThatOpens)
{
    const auto inputs = [this](const QStringList& named, const QStringList& recent) {
        return StoreLocationInputs{QStringList{QStringLiteral("plimo")} + named,
                                   m_dir.path(),
                                   m_dir.path(),
                                   m_dir.path(),
                                   m_dir.path(),
                                   recent};
    };
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "missing, named" : "missing, given");
        GameController game;
        const std::optional<Refusal> refused =
            named ? game.startUp(inputs({m_path}, {})) : game.openGame(m_path);
        ASSERT_TRUE(refused);
        EXPECT_TRUE(refused->text.contains(m_path)) << qPrintable(refused->text);
        EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
        EXPECT_EQ(game.session(), GameSession());
        EXPECT_FALSE(game.canUndo());
    }
    makeSampleStore(m_path);
    {
        GameController game;
        ASSERT_FALSE(game.startUp(inputs({m_path}, {})));
        EXPECT_EQ(game.session(), kSampleGame);
        EXPECT_EQ(game.gamePath(), m_path);
    }

    const QString heldElsewhere =
        QStringLiteral("Cette partie est déjà ouverte dans un autre Plimo.");
    QProcess holder;
    for (const UnopenableFile& c : unopenableFiles(holder)) {
        const QString bad = m_dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".mdb"));
        c.make(bad);
        const QByteArray before = fileBytes(bad);
        for (const bool named : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (named ? ", named" : ", recent"));
            RecentGames recent;
            recent.add(m_path);
            recent.add(bad);
            GameController game;
            std::optional<Refusal> refused;
            {
                PermissionsBind bind;
                refused =
                    game.startUp(inputs(named ? QStringList{bad} : QStringList{}, recent.paths()));
            }
            EXPECT_EQ(fileBytes(bad), before);
            if (named || QString::fromUtf8(c.reason) == heldElsewhere) {
                ASSERT_TRUE(refused);
                EXPECT_TRUE(refused->text.contains(QString::fromUtf8(c.reason)))
                    << qPrintable(refused->text);
                EXPECT_TRUE(refused->text.contains(bad));
                EXPECT_EQ(game.session(), GameSession());
                EXPECT_EQ(recent.paths().mid(0, 2), (QStringList{bad, m_path}));
                continue;
            }
            ASSERT_FALSE(refused) << qPrintable(refused->text);
            EXPECT_EQ(game.gamePath(), m_path);
            EXPECT_EQ(game.session(), kSampleGame);
            // The menu's list puts the game opened first.
            EXPECT_EQ(game.recentGames().mid(0, 2), (QStringList{m_path, bad}));
        }
    }
    holder.kill();
    holder.waitForFinished(10000);
}

TEST_F(StartUpTest, LoadsTheStoredGameAsNotSavedWithTurnZero)
{
    startOnSample();

    EXPECT_EQ(m_game.session(), kSampleGame);
    // Loading the stored proposal is a change of it: quitting at once asks.
    EXPECT_TRUE(m_game.isModified());
    EXPECT_TRUE(m_game.isModified());
    const QList<Turn> expected{
        {QString(), QStringLiteral("** ****"), 0, 4, QStringLiteral("A C H T ")}};
    EXPECT_EQ(m_game.turns(), expected);
    EXPECT_FALSE(m_game.canUndo());
}

TEST_F(StartUpTest, FoundCountComesBackFromAHistoryOfTheSameGame)
{
    // The found count is not stored with the game; the stored history's last turn gives it,
    // and a conflict right after start-up comes back to it.
    startOnSample();
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    ASSERT_FALSE(m_game.save());

    GameController again;
    ASSERT_FALSE(again.openGame(m_path));
    EXPECT_EQ(again.session().lettres_trouvees, 7);

    again.proposalEdited(dort::kTooLong);
    ASSERT_TRUE(again.generate(playOn).conflict);
    expectShows(again, dort::kTurn1);
}

// Another program may write lone LF breaks: a conflict right after start-up rolls back to the
// loaded game with the CR LF the panes hold.
TEST_F(StartUpTest, AConflictRightAfterStartUpRollsBackToTheLoadedGame)
{
    startOnSample({QStringLiteral("UPDATE \"données\" SET base = 'LE' || char(10) || 'CHAT', "
                                  "result = '**' || char(10) || '****'")});
    m_game.proposalEdited(QStringLiteral("L\r\nCHAT"));

    const EvaluationResult result = m_game.generate(playOn);

    ASSERT_TRUE(result.conflict);
    EXPECT_EQ(m_game.session().soluce, QStringLiteral("**\r\n****"));
    EXPECT_EQ(m_game.session().lettres, QStringLiteral("A C H T "));
    EXPECT_EQ(m_game.session().lettres_restantes, 4);
    EXPECT_EQ(m_game.session().lettres_trouvees, 0);
    EXPECT_EQ(m_game.turns().size(), 1);
}

TEST_F(StartUpTest, StoredLineBreaksComeBackAsTheLineBreaksOfThePanes)
{
    // A lone CR, a lone LF and a CR LF all show as CR LF in each of the four texts.
    startOnSample({QStringLiteral("UPDATE \"données\" SET "
                                  "base = 'A' || char(13) || 'B', "
                                  "result = '*' || char(10) || '*', "
                                  "propal = 'C' || char(13, 10) || 'D', "
                                  "lettres = 'A' || char(10, 10) || 'B'")});

    EXPECT_EQ(m_game.session().ref, QStringLiteral("A\r\nB"));
    EXPECT_EQ(m_game.session().soluce, QStringLiteral("*\r\n*"));
    EXPECT_EQ(m_game.session().propal, QStringLiteral("C\r\nD"));
    EXPECT_EQ(m_game.session().lettres, QStringLiteral("A\r\n\r\nB"));
}

TEST_F(StartUpTest, SavedHistoryComesBackAndCanBeUndone)
{
    startOnSample();
    playBothTurns();
    ASSERT_FALSE(m_game.save());

    GameController again;
    ASSERT_FALSE(again.openGame(m_path));

    const QList<Turn> expected{dort::kTurn0, dort::kTurn1, dort::kTurn2};
    EXPECT_EQ(again.turns(), expected);
    ASSERT_TRUE(again.undoLastTurn());
    expectShows(again, dort::kTurn1);
    EXPECT_EQ(again.session().propal, dort::kSecond);
}

TEST_F(StartUpTest, HistoryOfAnotherGameIsNotUsed)
{
    // The stored game was changed behind the program's back: its history no longer leads to it.
    startOnSample();
    playBothTurns();
    ASSERT_FALSE(m_game.save());
    {
        RawStore raw(m_path);
        ASSERT_TRUE(raw.exec(QStringLiteral("UPDATE \"données\" SET base = 'UN', "
                                            "result = '**', lettres = 'N U '")));
        ASSERT_TRUE(raw.exec(QStringLiteral("UPDATE compteurs SET nb_lettres = 2")));
    }

    GameController again;
    ASSERT_FALSE(again.openGame(m_path));

    const QList<Turn> expected{{QString(), QStringLiteral("**"), 0, 2, QStringLiteral("N U ")}};
    EXPECT_EQ(again.turns(), expected);
    EXPECT_EQ(again.session().lettres_trouvees, 0);
    EXPECT_FALSE(again.canUndo());
}

// A file that no longer holds what its last save wrote opens what it can with a warning, and is
// left as it is; a file saved before saves recorded their check opens without one.
TEST_F(StartUpTest, AGameChangedSinceItsSaveOpensWithAWarning)
{
    const QString warning =
        QStringLiteral("Cette partie a été modifiée hors de Plimo, ou son fichier est abîmé : ce "
                       "qui s'affiche peut différer du dernier enregistrement.");
    const struct {
        const char* name;
        const char* change;
        bool warned;
    } cases[] = {
        {"as saved", nullptr, false},
        {"another text", "UPDATE \"données\" SET propal = 'LE CHIEN'", true},
        {"another count", "UPDATE compteurs SET nb_lettres = 3", true},
        {"a turn's player", "UPDATE tours SET joueur = 'Zoé' WHERE numero = 2", true},
        {"saved before the check", "UPDATE compteurs SET empreinte = NULL, nb_lettres = 3", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_path);
        startOnSample();
        playBothTurns();
        ASSERT_FALSE(m_game.save());
        if (c.change) {
            RawStore raw(m_path);
            ASSERT_TRUE(raw.exec(QString::fromUtf8(c.change)));
        }
        const QByteArray bytes = fileBytes(m_path);
        std::vector<Question> asked;
        GameController again;
        ASSERT_FALSE(again.openGame(m_path, [&](const Question& question) {
            asked.push_back(question);
            return Answer::Yes;
        }));
        std::vector<Question> expected;
        if (c.warned)
            expected.push_back({warning, MessageIcon::Warning, Question::Buttons::Ok});
        EXPECT_EQ(asked, expected);
        EXPECT_EQ(fileBytes(m_path), bytes);
    }
}

TEST(VersionTest, IsTheProjectVersion)
{
    const GameController game;

    EXPECT_EQ(game.version(), QStringLiteral("2.5.0"));
    EXPECT_EQ(game.version(), QStringLiteral(PLIMO_PROJECT_VERSION));
}

} // namespace
