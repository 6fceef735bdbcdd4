// "Enregistrer", "Effacer les données de la page" and the quit decisions through the controller,
// on real store files: a save refuses without a reference, reports the database's failure with
// the save marker unchanged, and otherwise writes the game and its history as they are; clearing
// empties the page and the history but not the file; quitting is refused without a reference,
// asked when unsaved, and done at once after a save; closing the frame never refuses.
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

TEST_F(SaveTest, WithoutAReferenceRefusesAndWritesNothing)
{
    startOnSample();
    ASSERT_FALSE(m_game.save());
    const QByteArray saved = fileBytes(m_path);
    m_game.referenceEdited(QString());

    const std::optional<Refusal> refusal = m_game.save();

    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, (Refusal{messages::kNoReference, MessageIcon::Critical}));
    EXPECT_EQ(m_game.markers().save, QStringLiteral("Y"));
    EXPECT_EQ(fileBytes(m_path), saved);
}

TEST_F(SaveTest, WritesTheGameAndItsHistory)
{
    startOnSample();
    playBothTurns();
    m_game.undoLastTurn();

    EXPECT_FALSE(m_game.save());

    EXPECT_EQ(m_game.markers().save, QStringLiteral("Y"));
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
    StoreOptions readOnly;
    readOnly.readOnly = true;
    ASSERT_TRUE(m_game.startUp(m_path, readOnly).ok());
    newPuzzle(dort::kReference);

    const std::optional<Refusal> refusal = m_game.save();

    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->icon, MessageIcon::Critical);
    EXPECT_TRUE(refusal->text.startsWith(QStringLiteral(
        "Le fichier de la partie est en lecture seule : rien n'a pu y être enregistré.\r")))
        << refusal->text.toStdString();
    EXPECT_TRUE(refusal->text.contains(m_path)) << refusal->text.toStdString();
    EXPECT_EQ(m_game.markers().save, QString());
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
    EXPECT_EQ(m_game.session().lettres_restantes, QStringLiteral("0"));
    EXPECT_EQ(m_game.session().lettres_trouvees, QStringLiteral("7"));
    EXPECT_TRUE(m_game.turns().isEmpty());
    EXPECT_EQ(m_game.markers().save, QString());
    EXPECT_EQ(fileBytes(m_path), saved);
    EXPECT_EQ(m_game.requestQuit().kind, QuitDecision::Kind::Refuse);
}

// What the master did before asking to quit, and what the button and the frame then decide.
struct QuitCase {
    const char* name;
    void (*before)(GameController&);
    QuitDecision::Kind onRequest;
    QuitDecision::Kind onClose;
};

const QString kNoReferenceToQuit = QStringLiteral(
    "Vus ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de référence");
const QString kUnsavedQuestion = QStringLiteral(
    "Vos données n'ont pas été enregistrées.\rVoulez-vous quand même quitter le programme ?");

class QuitTest : public ControllerTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(QuitTest, DecidesByReferenceAndSaveMarker)
{
    startOnSample();
    GetParam().before(m_game);

    // The frame's decision first: it must not close the store.
    const QuitDecision onClose = m_game.closeRequested();
    EXPECT_EQ(onClose.kind, GetParam().onClose);
    EXPECT_TRUE(GameControllerProbe::store(m_game).isOpen());

    const QuitDecision onRequest = m_game.requestQuit();
    EXPECT_EQ(onRequest.kind, GetParam().onRequest);
    switch (GetParam().onRequest) {
    case QuitDecision::Kind::Refuse:
        EXPECT_EQ(onRequest.text, kNoReferenceToQuit);
        EXPECT_EQ(onRequest.icon, MessageIcon::Warning);
        break;
    case QuitDecision::Kind::Ask:
        EXPECT_EQ(onRequest.text, kUnsavedQuestion);
        EXPECT_EQ(onRequest.icon, MessageIcon::Question);
        break;
    case QuitDecision::Kind::Quit:
        break;
    }
    // Only a quit that follows a save closes the store.
    EXPECT_EQ(GameControllerProbe::store(m_game).isOpen(),
              GetParam().onRequest != QuitDecision::Kind::Quit);
    if (GetParam().onClose == QuitDecision::Kind::Ask)
        EXPECT_EQ(onClose.text, kUnsavedQuestion);
}

INSTANTIATE_TEST_SUITE_P(
    Quit, QuitTest,
    ::testing::Values(QuitCase{"RightAfterStartUp", [](GameController&) {}, QuitDecision::Kind::Ask,
                               QuitDecision::Kind::Ask},
                      QuitCase{"AfterASave", [](GameController& g) { ASSERT_FALSE(g.save()); },
                               QuitDecision::Kind::Quit, QuitDecision::Kind::Quit},
                      QuitCase{"ProposalChangedAfterASave",
                               [](GameController& g) {
                                   ASSERT_FALSE(g.save());
                                   g.proposalEdited(QStringLiteral("LE CHIENS"));
                               },
                               QuitDecision::Kind::Ask, QuitDecision::Kind::Ask},
                      QuitCase{"NewPuzzleWithAnEmptyProposalAfterASave",
                               [](GameController& g) {
                                   g.clearProposal();
                                   ASSERT_FALSE(g.save());
                                   g.referenceEdited(QStringLiteral("UN AUTRE"));
                                   ASSERT_FALSE(g.initialise());
                               },
                               QuitDecision::Kind::Quit, QuitDecision::Kind::Quit},
                      QuitCase{"NoReference",
                               [](GameController& g) { g.referenceEdited(QString()); },
                               QuitDecision::Kind::Refuse, QuitDecision::Kind::Quit},
                      QuitCase{"NoReferenceAfterASave",
                               [](GameController& g) {
                                   ASSERT_FALSE(g.save());
                                   g.clearPage();
                               },
                               QuitDecision::Kind::Refuse, QuitDecision::Kind::Quit}),
    [](const ::testing::TestParamInfo<QuitCase>& info) { return info.param.name; });

} // namespace
