// The recovery record of unsaved work, through the controller on real files. After every act but
// typing, a program that ends without saving leaves the game as it then showed, which the next
// opening offers back: Oui shows it unsaved with its history and undo, Non the saved game, and
// the question counts the turns played since the save. The record holds only what the saved
// history does not. A save and each way of leaving the unsaved turns drop it; a record that
// cannot be taken up is said and put aside as it is; a write that fails is said once.
#include "ControllerFixture.h"
#include "PlayOn.h"
#include "RecoveryStore.h"
#include "StoreNames.h"

#include <sys/mount.h>

#include <cstdio>

namespace {

// What the window shows of a game, its whole history with its players included.
struct Shown {
    GameSession session;
    QString player;
    QList<Turn> turns;
    bool canUndo = false;
    QList<PuzzleSummary> puzzles;

    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* os)
{
    PrintTo(shown.session, os);
    *os << " player=" << shown.player.toStdString() << " undo=" << shown.canUndo
        << " puzzles=" << shown.puzzles.size();
    for (const Turn& turn : shown.turns) {
        *os << "\n  ";
        PrintTo(turn, os);
    }
}

Shown shownOf(GameController& game)
{
    return {game.session(), game.player(), game.turns(), game.canUndo(), game.puzzles()};
}

void play(GameController& game, const QString& proposal, const QString& player = {})
{
    game.playerEdited(player);
    game.proposalEdited(proposal);
    game.generate(playOn);
}

void newPuzzle(GameController& game, const QString& reference)
{
    game.referenceEdited(reference);
    game.referenceLeft();
    game.initialise();
}

QString questionFor(const char* offered)
{
    return QStringLiteral("Plimo s'est arrêté sans enregistrer cette partie. Reprendre %1 depuis "
                          "le dernier enregistrement ?")
        .arg(QString::fromUtf8(offered));
}

QString leftQuestionFor(const char* offered)
{
    return QStringLiteral("La partie a été quittée sans enregistrer %1 depuis le dernier "
                          "enregistrement. Les reprendre ?")
        .arg(QString::fromUtf8(offered));
}

struct Acts {
    const char* name;
    std::function<void(GameController&)> act;
    // What the question offers; nothing when no record is left.
    const char* offered;
    // The turns the record holds.
    int turnsHeld;
};

class RecoveryTest : public ::testing::Test {
  protected:
    void SetUp() override { m_path = m_dir.filePath(QStringLiteral("plimo.mdb")); }

    // "LE CHAT DORT" initialised and played for four turns, by Alice then Bob, and saved; the
    // saved game as it opens is kept.
    void startSavedGame()
    {
        QFile::remove(m_path);
        ASSERT_NO_FATAL_FAILURE(makeSampleStore(m_path));
        m_game = std::make_unique<GameController>();
        ASSERT_FALSE(m_game->openGame(m_path));
        newPuzzle(*m_game, dort::kReference);
        // Proposals that reveal nothing after the first, each unlike the turn before it.
        const QString proposals[] = {dort::kFirst, dort::kNothingNew, dort::kNothingNewEither,
                                     dort::kNothingNew};
        for (int turn = 0; turn < 4; ++turn)
            play(*m_game, proposals[turn],
                 turn % 2 ? QStringLiteral("Bob") : QStringLiteral("Alice"));
        ASSERT_EQ(m_game->turnCount(), 5);
        ASSERT_FALSE(m_game->save());
        GameController saved;
        ASSERT_FALSE(saved.openGame(m_path));
        m_saved = shownOf(saved);
    }

    // The program ends without a word, as a kill would end it, and starts again on its game.
    std::vector<Question> restart(Answer answer = Answer::Yes, const QString& path = {})
    {
        std::vector<Question> asked;
        m_game = std::make_unique<GameController>();
        const std::optional<Refusal> refused =
            m_game->openGame(path.isEmpty() ? m_path : path, [&](const Question& question) {
                asked.push_back(question);
                return answer;
            });
        EXPECT_FALSE(refused);
        return asked;
    }

    QString recordFile() const { return RecoveryStore::fileFor(m_path); }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<GameController> m_game;
    Shown m_saved;
};

TEST_F(RecoveryTest, EachActIsOfferedBackAsTheGameShowedIt)
{
    const Acts cases[] = {
        {"a turn, credited", [](GameController& g) { play(g, dort::kSecond, "Carole"); },
         "le tour joué", 1},
        {"three turns",
         [](GameController& g) {
             for (int turn = 0; turn < 3; ++turn)
                 play(g, turn % 2 ? dort::kNothingNew : dort::kNothingNewEither, "Alice");
         },
         "les 3 tours joués", 3},
        {"undone into the saved turns",
         [](GameController& g) {
             g.undoLastTurn();
             g.undoLastTurn();
         },
         "les modifications", 0},
        {"undone, then played anew",
         [](GameController& g) {
             g.undoLastTurn();
             g.undoLastTurn();
             play(g, dort::kSecond, "Bob");
         },
         "le tour joué", 1},
        {"a saved turn corrected", [](GameController& g) { g.setTurnPlayer(2, "Denis"); },
         "les modifications", 1},
        {"a new puzzle and a turn",
         [](GameController& g) {
             newPuzzle(g, "LE VIEUX CHAT");
             play(g, "LA VIEUE CHAT");
         },
         "le tour joué", 2},
        {"the page cleared", [](GameController& g) { g.clearPage(); }, "les modifications", 0},
        {"a new puzzle, undone back to the saved one, then a turn",
         [](GameController& g) {
             newPuzzle(g, "LE VIEUX CHAT");
             g.undoLastTurn();
             play(g, dort::kSecond, "Bob");
         },
         "le tour joué", 1},
        {"a conflict", [](GameController& g) { play(g, dort::kTooLong); }, "les modifications", 0},
        {"a proposal tidied on leaving its pane",
         [](GameController& g) {
             g.proposalEdited("  la char? ");
             g.proposalLeft();
         },
         "les modifications", 0},
        {"«Effacer texte ci-dessus»", [](GameController& g) { g.clearProposal(); },
         "les modifications", 0},
        {"typing alone", [](GameController& g) { g.proposalEdited("LA CHAR"); }, nullptr, 0},
    };
    for (const Acts& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(startSavedGame());
        c.act(*m_game);
        const Shown played = shownOf(*m_game);
        m_game.reset();
        ASSERT_EQ(QFileInfo::exists(recordFile()), c.offered != nullptr);
        if (c.offered) {
            RawStore record(recordFile());
            EXPECT_EQ(record.value("SELECT count(*) FROM reprise_tours").toInt(), c.turnsHeld);
        }
        // Non on a copy of the game and its record, Oui on the game itself.
        QTemporaryDir copies;
        const QString copy = copies.filePath(QStringLiteral("plimo.mdb"));
        ASSERT_TRUE(QFile::copy(m_path, copy));
        QFile::copy(recordFile(), RecoveryStore::fileFor(copy));
        const std::vector<Question> expected =
            c.offered ? std::vector{Question{questionFor(c.offered)}} : std::vector<Question>{};

        EXPECT_EQ(restart(Answer::No, copy), expected);
        EXPECT_EQ(shownOf(*m_game), m_saved);
        EXPECT_FALSE(QFileInfo::exists(RecoveryStore::fileFor(copy)));

        EXPECT_EQ(restart(Answer::Yes), expected);
        EXPECT_EQ(shownOf(*m_game), c.offered ? played : m_saved);
        EXPECT_TRUE(m_game->isModified());
        // The game taken up goes on, and is offered back as it then is.
        play(*m_game, dort::kSecond, "Eve");
        const Shown goneOn = shownOf(*m_game);
        restart();
        EXPECT_EQ(shownOf(*m_game), goneOn);
        // Saved, the file holds it whole, corrections of saved turns included.
        if (goneOn.session.ref.isEmpty())
            continue;
        ASSERT_FALSE(m_game->save());
        restart();
        EXPECT_EQ(shownOf(*m_game).session.soluce, goneOn.session.soluce);
        EXPECT_EQ(shownOf(*m_game).turns, goneOn.turns);
    }
}

// Only a save, or a Non to the offer, drops the record: a game left unsaved, whichever way, is
// offered back at its next opening (start-up or «Ouvrir»), as left on purpose.
TEST_F(RecoveryTest, OnlyASaveOrANonToTheOfferDropsTheRecord)
{
    const auto answer = [](Answer a) { return [a](const Question&) { return a; }; };
    const QString other = m_dir.filePath(QStringLiteral("autre.mdb"));
    makeSampleStore(other);
    enum class Offer { None, Crash, Left };
    struct Leaving {
        const char* name;
        // What is done to the game before it is left: a turn played, some typing, or nothing.
        const char* typed;
        std::function<void(GameController&)> leave;
        Offer offer;
    };
    const char* turn = "a turn";
    const Leaving cases[] = {
        {"Enregistrer", turn, [](GameController& g) { ASSERT_FALSE(g.save()); }, Offer::None},
        {"saved under a new name", turn,
         [&](GameController& g) {
             ASSERT_FALSE(g.saveGameAs(m_dir.filePath(QStringLiteral("copie"))));
             EXPECT_FALSE(QFileInfo::exists(RecoveryStore::fileFor(g.gamePath())));
         },
         Offer::None},
        {"nothing played, Oui to the quit question", nullptr,
         [&](GameController& g) { EXPECT_TRUE(g.leave(LeaveWay::Quit, answer(Answer::Yes))); },
         Offer::None},
        {"Oui to the quit question", turn,
         [&](GameController& g) { EXPECT_TRUE(g.leave(LeaveWay::Quit, answer(Answer::Yes))); },
         Offer::Left},
        {"typing, then Oui to the frame's question", "LA CHAR",
         [&](GameController& g) { EXPECT_TRUE(g.leave(LeaveWay::Close, answer(Answer::Yes))); },
         Offer::Left},
        {"Non before another game, then the other game", turn,
         [&](GameController& g) {
             ASSERT_TRUE(g.leave(LeaveWay::OtherGame, answer(Answer::No)));
             ASSERT_FALSE(g.openGame(other));
         },
         Offer::Left},
        {"Non to the quit question", turn,
         [&](GameController& g) { EXPECT_FALSE(g.leave(LeaveWay::Quit, answer(Answer::No))); },
         Offer::Crash},
        {"Annuler before another game", turn,
         [&](GameController& g) { g.leave(LeaveWay::OtherGame, answer(Answer::Cancel)); },
         Offer::Crash},
    };
    for (const Leaving& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_dir.filePath(QStringLiteral("copie.mdb")));
        ASSERT_NO_FATAL_FAILURE(startSavedGame());
        if (c.typed == turn)
            play(*m_game, dort::kSecond, "Carole");
        else if (c.typed)
            m_game->proposalEdited(QString::fromUtf8(c.typed));
        const Shown left = shownOf(*m_game);
        int warnings = 0;
        QObject::connect(m_game.get(), &GameController::recoveryFailed,
                         [&](const Refusal&) { ++warnings; });
        c.leave(*m_game);
        EXPECT_EQ(warnings, 0);
        EXPECT_EQ(fileMode(recordFile()), c.offer == Offer::None ? -1 : 0600);
        if (c.offer == Offer::None) {
            m_game.reset();
            EXPECT_TRUE(restart().empty());
            continue;
        }
        const char* offered = c.typed == turn ? "le tour joué" : "les modifications";
        const std::vector<Question> expected{
            Question{c.offer == Offer::Left ? leftQuestionFor(offered) : questionFor(offered)}};
        // Non on a copy of the game and its record, opened from another game: the record goes.
        QTemporaryDir copies;
        const QString copy = copies.filePath(QStringLiteral("plimo.mdb"));
        ASSERT_TRUE(QFile::copy(m_path, copy));
        QFile::copy(recordFile(), RecoveryStore::fileFor(copy));
        m_game = std::make_unique<GameController>();
        ASSERT_FALSE(m_game->openGame(other));
        std::vector<Question> asked;
        const auto noting = [&](const Question& question) {
            asked.push_back(question);
            return Answer::No;
        };
        ASSERT_FALSE(m_game->openGame(copy, noting));
        EXPECT_EQ(asked, expected);
        EXPECT_EQ(shownOf(*m_game), m_saved);
        EXPECT_TRUE(restart(Answer::Yes, copy).empty());

        EXPECT_EQ(restart(), expected);
        EXPECT_EQ(shownOf(*m_game), left);
    }
}

// Whatever it cannot take up (the kinds are the store's to tell), the game says so once with the
// record's new place, opens the saved game, leaves the record's bytes and the game file as they
// are, and keeps its own turns from then on.
TEST_F(RecoveryTest, ARecordThatCannotBeTakenUpIsPutAsideAndTheSavedGameOpens)
{
    ASSERT_NO_FATAL_FAILURE(startSavedGame());
    m_game.reset();
    writeBytes(recordFile(), "abîmé");
    const QByteArray game = fileBytes(m_path);

    const std::vector<Question> asked = restart();
    const QString aside = m_dir.filePath(QStringLiteral("plimo.mdb.reprise-illisible"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(asked[0].buttons, Question::Buttons::Ok);
    EXPECT_EQ(asked[0].text,
              QStringLiteral("Plimo s'est arrêté sans enregistrer cette partie, mais sa copie de "
                             "secours ne peut pas être reprise : elle est abîmée.\rLa copie est "
                             "gardée telle quelle dans %1\rLa partie s'ouvre telle qu'elle a été "
                             "enregistrée.")
                  .arg(QDir::toNativeSeparators(aside)));
    EXPECT_EQ(shownOf(*m_game), m_saved);
    EXPECT_EQ(fileBytes(m_path), game);

    // The record put aside is never written over: the game keeps a new one of its own.
    play(*m_game, dort::kSecond);
    const Shown played = shownOf(*m_game);
    EXPECT_EQ(restart().size(), 1u);
    EXPECT_EQ(shownOf(*m_game), played);
    EXPECT_EQ(fileBytes(aside), QByteArray("abîmé"));
}

// A saved history that no longer reads back, damaged behind the mark of its save (its last turn,
// under a turn played since; or an earlier one, under a corrected turn the record holds): the
// record cannot be taken up, which is said, and the saved game opens and can be saved.
TEST_F(RecoveryTest, ARecordOverASavedHistoryThatNoLongerReadsBackIsNotTakenUp)
{
    for (const int damaged : {4, 2}) {
        SCOPED_TRACE(damaged);
        ASSERT_NO_FATAL_FAILURE(startSavedGame());
        if (damaged == 4) {
            play(*m_game, dort::kSecond);
        } else {
            m_game->turns();
            ASSERT_TRUE(m_game->setTurnPlayer(1, QStringLiteral("Denis")));
        }
        m_game.reset();
        const QString kept = recordFile() + QStringLiteral("-gardée");
        ASSERT_TRUE(QFile::rename(recordFile(), kept));
        {
            RawStore raw(m_path);
            ASSERT_TRUE(raw.exec(QStringLiteral("PRAGMA ignore_check_constraints = 1")));
            ASSERT_TRUE(raw.exec(
                QStringLiteral("UPDATE tours SET result = X'00' WHERE numero = %1").arg(damaged)));
        }
        // The mark of the damaged file, from a record of its own.
        restart();
        m_game->clearProposal();
        m_game.reset();
        const QString markColumn = recoveryColumn(RecoveryColumn::SavedMark);
        const QString select =
            QStringLiteral("SELECT %1 FROM %2").arg(markColumn, recoveryGameTable());
        const QString mark = RawStore(recordFile()).value(select).toString();
        ASSERT_TRUE(QFile::remove(recordFile()));
        ASSERT_TRUE(QFile::rename(kept, recordFile()));
        ASSERT_TRUE(RawStore(recordFile())
                        .exec(QStringLiteral("UPDATE %1 SET %2 = '%3'")
                                  .arg(recoveryGameTable(), markColumn, mark)));

        const std::vector<Question> asked = restart();
        ASSERT_FALSE(asked.empty());
        EXPECT_TRUE(asked.back().text.contains(
            QStringLiteral("l'historique enregistré de la partie ne peut plus être relu")))
            << qPrintable(asked.back().text);
        EXPECT_EQ(m_game->session(), m_saved.session);
        const std::optional<Refusal> saved = m_game->save();
        EXPECT_FALSE(saved) << qPrintable(saved->text);
    }
}

// A full disk is said at the first act whose record cannot be written, not at every act after,
// and again once a write has succeeded since; the write that succeeds brings what the failed
// ones missed.
TEST_F(RecoveryTest, AFailingWriteIsSaidOnceUntilAWriteSucceeds)
{
    ASSERT_NO_FATAL_FAILURE(startSavedGame());
    QList<Refusal> warnings;
    QObject::connect(m_game.get(), &GameController::recoveryFailed,
                     [&](const Refusal& warning) { warnings.append(warning); });
    {
        DiskFull full(0);
        play(*m_game, dort::kNothingNewEither);
        play(*m_game, dort::kFirst);
    }
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(warnings[0].text.contains(QStringLiteral("n'a pas pu être écrite")))
        << qPrintable(warnings[0].text);
    play(*m_game, dort::kSecond);
    EXPECT_EQ(warnings.size(), 1);
    const Shown played = shownOf(*m_game);
    {
        DiskFull full(0);
        m_game->undoLastTurn();
    }
    EXPECT_EQ(warnings.size(), 2);
    restart();
    EXPECT_EQ(shownOf(*m_game), played);
}

// A record that cannot be written names itself, or its folder, never the game file; once the
// folder or the disk has room again, the «Enregistrer» the warning asks for succeeds. The full
// disk is a small file system of its own, filled up, where the test may mount one (as root).
TEST_F(RecoveryTest, AFailedWriteSaysWhatCouldNotBeWritten)
{
    struct Case {
        const char* name;
        bool fullDisk;
        const char* sentence;
    };
    const Case cases[] = {
        {"a folder that cannot be written", false,
         "Le dossier de la partie ne peut pas être écrit : la copie de secours ne peut pas y être "
         "faite."},
        {"a full disk at the first write", true,
         "Le disque est plein : la copie de secours n'a pas pu être écrite."},
    };
    const QString disk = m_dir.filePath(QStringLiteral("disque"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir().mkpath(disk));
        if (c.fullDisk && ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0,
                                  "size=512k,mode=0700") != 0) {
            std::printf("%s: not tested, no file system can be mounted here\n", c.name);
            continue;
        }
        m_path = disk + QStringLiteral("/plimo.mdb");
        ASSERT_NO_FATAL_FAILURE(startSavedGame());
        QList<Refusal> warnings;
        QObject::connect(m_game.get(), &GameController::recoveryFailed,
                         [&](const Refusal& warning) { warnings.append(warning); });
        const QString filler = disk + QStringLiteral("/remplissage");
        {
            const PermissionsBind bind;
            if (c.fullDisk) {
                QFile fill(filler);
                ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
                const QByteArray block(4096, 'x');
                while (fill.write(block) == block.size() && fill.flush()) {
                }
            } else {
                ASSERT_TRUE(
                    QFile::setPermissions(disk, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            }
            play(*m_game, dort::kSecond);
        }
        QFile::remove(filler);
        QFile::setPermissions(disk, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
        ASSERT_EQ(warnings.size(), 1);
        const QStringList lines = warnings[0].text.split(QLatin1Char('\r'));
        ASSERT_GE(lines.size(), 3) << qPrintable(warnings[0].text);
        EXPECT_EQ(lines[1], QString::fromUtf8(c.sentence));
        EXPECT_EQ(lines[2], QDir::toNativeSeparators(recordFile()));
        const std::optional<Refusal> saved = m_game->save();
        EXPECT_FALSE(saved) << qPrintable(saved->text);
        m_game.reset();
        if (c.fullDisk)
            ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
    }
}

// The act right after the game became what its file holds is kept like any other, whichever way
// it became so.
TEST_F(RecoveryTest, TheFirstActAfterAnOpeningOrASaveIsKept)
{
    const std::pair<const char*, std::function<void()>> starts[] = {
        {"opened", [&] { restart(); }},
        {"taken up",
         [&] {
             play(*m_game, dort::kSecond);
             restart();
         }},
        {"Enregistrer", [&] { ASSERT_FALSE(m_game->save()); }},
        {"saved under a new name",
         [&] {
             ASSERT_FALSE(m_game->saveGameAs(m_dir.filePath(QStringLiteral("copie"))));
             m_path = m_game->gamePath();
         }},
    };
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
        QFile::remove(m_dir.filePath(QStringLiteral("copie.mdb")));
        ASSERT_NO_FATAL_FAILURE(startSavedGame());
        start();
        m_game->clearProposal();
        const Shown cleared = shownOf(*m_game);
        restart();
        EXPECT_EQ(shownOf(*m_game), cleared);
    }
}

} // namespace
