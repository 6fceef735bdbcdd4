// "Enregistrer", "Effacer les données de la page" and leaving the game through the controller, on
// real store files: a save tidies the panes typed in, refuses without a reference, reports the
// database's failure with the save marker unchanged, and otherwise writes the game and its
// history as they are; clearing empties the page and the history but not the file; each way of
// leaving (quit, frame, another game) asks what it needs and each answer does its part.
#include "ControllerFixture.h"

namespace {

using SaveTest = ControllerTest;

const QString kTurnRow = QStringLiteral(
    "SELECT propal || '|' || result || '|' || trouvees || '|' || restantes || '|' || "
    "lettres FROM tours WHERE numero = %1");

QString rowOf(const Turn& turn)
{
    return QStringList{turn.propal, turn.result, QString::number(turn.trouvees),
                       QString::number(turn.restantes), turn.lettres}
        .join(QLatin1Char('|'));
}

// The panes typed in since they were last left are tidied as leaving them would, whichever act
// saves: what is stored is what the panes then show.
TEST_F(SaveTest, EverySaveTidiesThePanesTypedIn)
{
    const std::pair<const char*, std::function<void(GameController&, const QString&)>> saves[] = {
        {"Enregistrer", [](GameController& g, const QString&) { ASSERT_FALSE(g.save()); }},
        {"Oui before another game",
         [](GameController& g, const QString&) {
             ASSERT_TRUE(g.leave(LeaveWay::OtherGame, [](const Question&) { return Answer::Yes; }));
         }},
        {"Enregistrer la partie sous",
         [](GameController& g, const QString& copy) { ASSERT_FALSE(g.saveGameAs(copy)); }},
    };
    for (const auto& [name, save] : saves) {
        SCOPED_TRACE(name);
        GameController game;
        QFile::remove(m_path);
        ASSERT_NO_FATAL_FAILURE(makeSampleStore(m_path));
        ASSERT_FALSE(game.openGame(m_path));
        game.referenceEdited(QStringLiteral("le chat"));
        game.proposalEdited(QStringLiteral("  le  chien? "));
        const QString copy = m_dir.filePath(QStringLiteral("copie-%1.mdb").arg(name[0]));
        save(game, copy);
        EXPECT_EQ(game.session().ref, QStringLiteral("LE CHAT"));
        EXPECT_EQ(game.session().propal, QStringLiteral("LE CHIEN"));
        RawStore raw(game.gamePath());
        EXPECT_EQ(raw.value(QStringLiteral("SELECT base || '|' || propal FROM \"données\"")),
                  QStringLiteral("LE CHAT|LE CHIEN"));
    }
}

TEST_F(SaveTest, WithoutAReferenceRefusesAndWritesNothing)
{
    startOnSample();
    ASSERT_FALSE(m_game.save());
    const QByteArray saved = fileBytes(m_path);
    m_game.referenceEdited(QString());

    const std::optional<Refusal> refusal = m_game.save();

    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (Refusal{messages::kNoReference, MessageIcon::Critical}));
    EXPECT_FALSE(m_game.isModified());
    EXPECT_EQ(fileBytes(m_path), saved);
}

TEST_F(SaveTest, WritesTheGameAndItsHistory)
{
    startOnSample();
    playBothTurns();
    m_game.undoLastTurn();

    EXPECT_FALSE(m_game.save());

    EXPECT_FALSE(m_game.isModified());
    RawStore raw(m_path);
    ASSERT_TRUE(raw.isOpen());
    EXPECT_EQ(raw.value(QStringLiteral("SELECT base FROM \"données\"")).toString(),
              dort::kReference);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT result FROM \"données\"")).toString(),
              dort::kTurn1.result);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT propal FROM \"données\"")).toString(),
              dort::kSecond);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT lettres FROM \"données\"")).toString(),
              dort::kTurn1.lettres);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT nb_lettres FROM compteurs")).toLongLong(), 3);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM tours")).toLongLong(), 2);
    EXPECT_EQ(raw.value(kTurnRow.arg(0)).toString(), rowOf(dort::kTurn0));
    EXPECT_EQ(raw.value(kTurnRow.arg(1)).toString(), rowOf(dort::kTurn1));
}

TEST_F(SaveTest, UndoAfterASaveDropsTheUndoneTurnsAtTheNextSave)
{
    startOnSample();
    playBothTurns();
    ASSERT_FALSE(m_game.save());

    ASSERT_TRUE(m_game.undoLastTurn());
    ASSERT_TRUE(m_game.undoLastTurn());
    ASSERT_FALSE(m_game.save());

    RawStore raw(m_path);
    EXPECT_EQ(raw.value(QStringLiteral("SELECT count(*) FROM tours")).toLongLong(), 1);
    EXPECT_EQ(raw.value(kTurnRow.arg(0)).toString(), rowOf(dort::kTurn0));
}

TEST_F(SaveTest, ClearedPageSavesEmptyTextsAndAnEmptyHistory)
{
    // Texts go in as '' and never NULL, and the earlier turns do not survive in the file.
    startOnSample();
    playBothTurns();
    ASSERT_FALSE(m_game.save());
    m_game.clearPage();
    m_game.referenceEdited(QStringLiteral("X"));

    EXPECT_FALSE(m_game.save());

    RawStore raw(m_path);
    for (const char* column : {"base", "result", "propal", "lettres"}) {
        EXPECT_EQ(
            raw.value(
                   QStringLiteral("SELECT typeof(%1) FROM \"données\"").arg(QLatin1String(column)))
                .toString(),
            QStringLiteral("text"))
            << column;
    }
    EXPECT_EQ(raw.value(QStringLiteral("SELECT result FROM \"données\"")).toString(), QString());
    EXPECT_EQ(raw.value(QStringLiteral("SELECT nb_lettres FROM compteurs")).toLongLong(), 0);
    const QVariant rows = raw.value(QStringLiteral("SELECT count(*) FROM tours"));
    ASSERT_TRUE(rows.isValid()) << "no table tours";
    EXPECT_EQ(rows.toLongLong(), 0);
}

TEST_F(SaveTest, TurnZeroIsStoredWithAnEmptyProposal)
{
    startOnSample();

    ASSERT_FALSE(m_game.save());

    RawStore raw(m_path);
    EXPECT_EQ(
        raw.value(QStringLiteral("SELECT typeof(propal) FROM tours WHERE numero = 0")).toString(),
        QStringLiteral("text"));
    EXPECT_EQ(raw.value(kTurnRow.arg(0)).toString(), QStringLiteral("|** ****|0|4|A C H T "));
}

TEST_F(SaveTest, AFailingWriteShowsTheDatabaseMessageAndKeepsTheMarker)
{
    makeSampleStore(m_path);
    const QByteArray before = fileBytes(m_path);
    ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner));
    std::optional<Refusal> refusal;
    {
        PermissionsBind bind;
        ASSERT_FALSE(m_game.openGame(m_path));
        newPuzzle(dort::kReference);
        refusal = m_game.save();
    }

    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->icon, MessageIcon::Critical);
    EXPECT_TRUE(refusal->text.startsWith(QStringLiteral(
        "Le fichier de la partie est en lecture seule : rien n'a pu y être enregistré.\r")))
        << refusal->text.toStdString();
    EXPECT_TRUE(refusal->text.contains(m_path)) << refusal->text.toStdString();
    EXPECT_TRUE(m_game.isModified());
    EXPECT_EQ(fileBytes(m_path), before);
}

using ClearPageTest = ControllerTest;

TEST_F(ClearPageTest, EmptiesThePageAndTheHistoryButNotTheFile)
{
    startOnSample();
    newPuzzle(dort::kReference);
    play(dort::kFirst);
    ASSERT_FALSE(m_game.save());
    const QByteArray saved = fileBytes(m_path);

    m_game.clearPage();

    EXPECT_EQ(m_game.session().ref, QString());
    EXPECT_EQ(m_game.session().soluce, QString());
    EXPECT_EQ(m_game.session().propal, QString());
    EXPECT_EQ(m_game.session().lettres, QString());
    EXPECT_EQ(m_game.session().lettres_restantes, 0);
    EXPECT_EQ(m_game.session().lettres_trouvees, 7);
    EXPECT_TRUE(m_game.turns().isEmpty());
    EXPECT_TRUE(m_game.isModified());
    EXPECT_EQ(fileBytes(m_path), saved);
    EXPECT_FALSE(m_game.leave(LeaveWay::Quit, [](const Question&) { return Answer::Yes; }));
}

// What the master did before leaving the game, and what each way of leaving then asks: nothing,
// the refusal, the quit question (Oui leaves) or the question before another game (Oui saves
// first, Non leaves without saving, Annuler stays).
enum class Asked { Nothing, Refusal, QuitQuestion, SaveQuestion };

struct LeaveCase {
    const char* name;
    void (*before)(GameController&);
    Asked onQuit;
    Asked onClose;
    Asked onOtherGame;
    bool savesBefore = true;
};

const QString kNoReferenceToQuit = QStringLiteral(
    "Vus ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de référence");
const QString kUnsavedQuestion = QStringLiteral(
    "Vos données n'ont pas été enregistrées.\rVoulez-vous quand même quitter le programme ?");
const QString kSaveQuestion = QStringLiteral("Vos données n'ont pas été enregistrées.\rVoulez-vous "
                                             "les enregistrer avant de changer de partie ?");

Question questionOf(Asked asked)
{
    switch (asked) {
    case Asked::Refusal:
        return {kNoReferenceToQuit, MessageIcon::Warning, Question::Buttons::Ok};
    case Asked::QuitQuestion:
        return {kUnsavedQuestion, MessageIcon::Question, Question::Buttons::YesNo};
    case Asked::SaveQuestion:
        return {kSaveQuestion, MessageIcon::Question, Question::Buttons::YesNoCancel};
    case Asked::Nothing:
        break;
    }
    return {};
}

class LeaveTest : public ControllerTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, EachWayAsksWhatItNeedsAndEachAnswerDoesItsPart)
{
    const std::pair<LeaveWay, Asked> ways[] = {{LeaveWay::Quit, GetParam().onQuit},
                                               {LeaveWay::Close, GetParam().onClose},
                                               {LeaveWay::OtherGame, GetParam().onOtherGame}};
    for (const auto& [way, asked] : ways) {
        for (const Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
            if (answer == Answer::Cancel && asked != Asked::SaveQuestion)
                continue;
            SCOPED_TRACE(testing::Message() << "way " << int(way) << ", answer " << int(answer));
            GameController game;
            QFile::remove(m_path);
            ASSERT_NO_FATAL_FAILURE(makeSampleStore(m_path));
            const QByteArray made = fileBytes(m_path);
            ASSERT_FALSE(game.openGame(m_path));
            GetParam().before(game);
            const QByteArray stored = fileBytes(m_path);
            // Opening a game writes nothing into its file; only a save does.
            EXPECT_EQ(stored != made, GetParam().savesBefore);
            QList<Question> questions;
            const bool left = game.leave(way, [&](const Question& question) {
                questions.append(question);
                return answer;
            });
            if (asked == Asked::Nothing) {
                EXPECT_TRUE(questions.isEmpty());
                EXPECT_TRUE(left);
                break;
            }
            ASSERT_EQ(questions.size(), 1);
            EXPECT_EQ(questions[0], questionOf(asked));
            const bool leaves = asked == Asked::SaveQuestion
                                    ? answer != Answer::Cancel
                                    : asked == Asked::QuitQuestion && answer == Answer::Yes;
            EXPECT_EQ(left, leaves);
            // Only Oui to the question before another game saves.
            const bool saved = asked == Asked::SaveQuestion && answer == Answer::Yes;
            EXPECT_EQ(fileBytes(m_path) != stored, saved);
            EXPECT_EQ(game.isModified(), !saved);
        }
    }
}

// Oui saves first; a save that fails is told, and the game stays as it was.
TEST_F(SaveTest, AFailedSaveBeforeAnotherGameKeepsTheGame)
{
    makeSampleStore(m_path);
    ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner));
    const PermissionsBind bind;
    ASSERT_FALSE(m_game.openGame(m_path));
    m_game.referenceEdited(QStringLiteral("LE CHAT LOUP"));
    QList<Question> questions;
    EXPECT_FALSE(m_game.leave(LeaveWay::OtherGame, [&](const Question& question) {
        questions.append(question);
        return Answer::Yes;
    }));
    ASSERT_EQ(questions.size(), 2);
    EXPECT_EQ(questions[0], questionOf(Asked::SaveQuestion));
    EXPECT_EQ(questions[1].icon, MessageIcon::Critical);
    EXPECT_EQ(questions[1].buttons, Question::Buttons::Ok);
    EXPECT_TRUE(questions[1].text.contains(m_path));
    EXPECT_EQ(m_game.session().ref, QStringLiteral("LE CHAT LOUP"));
    EXPECT_TRUE(m_game.isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Leave, LeaveTest,
    ::testing::Values(LeaveCase{"RightAfterStartUp", [](GameController&) {}, Asked::QuitQuestion,
                                Asked::QuitQuestion, Asked::SaveQuestion, false},
                      LeaveCase{"AfterASave", [](GameController& g) { ASSERT_FALSE(g.save()); },
                                Asked::Nothing, Asked::Nothing, Asked::Nothing},
                      LeaveCase{"ProposalChangedAfterASave",
                                [](GameController& g) {
                                    ASSERT_FALSE(g.save());
                                    g.proposalEdited(QStringLiteral("LE CHIENS"));
                                },
                                Asked::QuitQuestion, Asked::QuitQuestion, Asked::SaveQuestion},
                      LeaveCase{"NewPuzzleWithAnEmptyProposalAfterASave",
                                [](GameController& g) {
                                    g.clearProposal();
                                    ASSERT_FALSE(g.save());
                                    g.referenceEdited(QStringLiteral("UN AUTRE"));
                                    ASSERT_FALSE(g.initialise());
                                },
                                // The new puzzle is not in the file.
                                Asked::QuitQuestion, Asked::QuitQuestion, Asked::SaveQuestion},
                      LeaveCase{"NoReference",
                                [](GameController& g) { g.referenceEdited(QString()); },
                                Asked::Refusal, Asked::Nothing, Asked::Nothing, false},
                      LeaveCase{"NoReferenceAfterASave",
                                [](GameController& g) {
                                    ASSERT_FALSE(g.save());
                                    g.clearPage();
                                },
                                Asked::Refusal, Asked::Nothing, Asked::Nothing}),
    [](const ::testing::TestParamInfo<LeaveCase>& info) { return info.param.name; });

} // namespace
