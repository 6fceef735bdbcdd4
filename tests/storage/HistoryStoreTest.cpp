// The turn history in the store, driven through GameController on real files: a saved history
// comes back whole (undo reads the early turns back), a store without tours or with a foreign,
// damaged or unrelated tours still loads, a save writes only what changed, and a save whose
// tours write is refused leaves the file and the save marker as they were.
#include "GameController.h"
#include "GameStore.h"
#include "PlayOn.h"
#include "StoreFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Failures name the turn's values instead of its bytes.
void PrintTo(const Turn& turn, std::ostream* out)
{
    *out << "{'" << qUtf8Printable(turn.propal) << "', '" << qUtf8Printable(turn.result) << "', "
         << turn.trouvees << ", " << turn.restantes << ", '" << qUtf8Printable(turn.lettres)
         << "'}";
}

namespace {

// Its accented letters are never proposed: the game is never won, and takes turns for ever.
const QString kReference = QStringLiteral("LE VIEUX CHAT NOIR DORT SUR LE TAPIS ROUGE DÉJÀ");

// A proposal shaped like the found text (every hidden or revealed letter replaced, the rest
// kept), so the alignment check always accepts it; the letters change from turn to turn.
QString proposalFor(const QString& found, int turn)
{
    QString proposal = found;
    for (qsizetype i = 0; i < proposal.size(); ++i) {
        if (proposal[i] == u'*' || proposal[i].isLetter())
            proposal[i] = QChar(char16_t(u'A' + (turn * 7 + i * 3) % 26));
    }
    return proposal;
}

void playTurn(GameController& game, int turn)
{
    const qsizetype before = game.turnCount();
    game.proposalEdited(proposalFor(game.session().soluce, turn));
    const EvaluationResult result = game.generate(playOn);
    ASSERT_FALSE(result.refusal);
    ASSERT_FALSE(result.conflict);
    ASSERT_EQ(game.turnCount(), before + 1);
}

void startUp(GameController& game, const QString& path)
{
    const std::optional<Refusal> refused = game.openGame(path);
    ASSERT_FALSE(refused) << qPrintable(refused->text);
}

void save(GameController& game)
{
    const std::optional<Refusal> refusal = game.save();
    ASSERT_FALSE(refusal) << qPrintable(refusal->text);
}

// A new game on the file, `turns` turns played after its turn 0, saved; returns every turn.
QList<Turn> playAndSave(const QString& path, int turns)
{
    GameController game;
    startUp(game, path);
    game.referenceEdited(kReference);
    EXPECT_FALSE(game.initialise());
    for (int turn = 1; turn <= turns; ++turn)
        playTurn(game, turn);
    save(game);
    return game.turns();
}

// The state that the panes show after this turn (the proposal pane aside).
void expectShows(const GameController& game, const Turn& turn)
{
    EXPECT_EQ(game.session().soluce, turn.result);
    EXPECT_EQ(game.session().lettres, turn.lettres);
    EXPECT_EQ(game.session().lettres_restantes, turn.restantes);
    EXPECT_EQ(game.session().lettres_trouvees, turn.trouvees);
}

qlonglong count(const RawStore& raw, const QString& sql)
{
    return raw.value(sql).toLongLong();
}

// The table the store makes: a key on numero and constraints on every column.
bool isStoreMadeTable(const RawStore& raw)
{
    return raw
        .value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'tours' COLLATE NOCASE"))
        .toString()
        .contains(QLatin1String("PRIMARY KEY"));
}

class HistoryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
        makeSampleStore(m_path);
    }

    // The sample store anew, with these statements run after it.
    void remakeStore(const QStringList& changes = {})
    {
        QFile::remove(m_path);
        makeSampleStore(m_path, changes);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

// 150 turns: more than start-up reads, so undoing back to turn 0 reads the early ones back.
TEST_F(HistoryStoreTest, SavedHistoryComesBackWholeAndUndoesToTurnZero)
{
    const QList<Turn> played = playAndSave(m_path, 150);
    ASSERT_EQ(played.size(), 151);
    {
        RawStore raw(m_path);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 151);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT min(numero) FROM tours")), 0);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT max(numero) FROM tours")), 150);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours WHERE typeof(propal) != "
                                            "'text' OR typeof(result) != 'text' OR "
                                            "typeof(lettres) != 'text'")),
                  0);
        EXPECT_EQ(raw.value(QStringLiteral("SELECT typeof(propal) || ':' || propal FROM tours "
                                           "WHERE numero = 0")),
                  QVariant(QStringLiteral("text:")));
    }

    GameController game;
    startUp(game, m_path);
    ASSERT_EQ(game.turnCount(), 151);
    expectShows(game, Turn{played.last().propal, played.last().result, 0, played.last().restantes,
                           played.last().lettres});
    for (qsizetype turn = 150; turn > 0; --turn) {
        ASSERT_TRUE(game.undoLastTurn()) << "turn " << turn;
        ASSERT_EQ(game.turnCount(), turn);
        expectShows(game, played[turn - 1]);
        // The undone proposal comes back for correction.
        ASSERT_EQ(game.session().propal, played[turn].propal) << "turn " << turn;
    }
    EXPECT_FALSE(game.canUndo());
    EXPECT_EQ(game.turns(), played.mid(0, 1));

    // Saved at turn 0, the store holds turn 0 alone, and the next start-up ties with it.
    save(game);
    {
        RawStore raw(m_path);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 1);
    }
    GameController again;
    startUp(again, m_path);
    EXPECT_EQ(again.turns(), played.mid(0, 1));
}

TEST_F(HistoryStoreTest, WholeHistoryIsReadBackInOrder)
{
    const QList<Turn> played = playAndSave(m_path, 150);
    GameController game;
    startUp(game, m_path);
    EXPECT_EQ(game.turns(), played);
}

// A finished puzzle has no remaining letters: the empty text is stored as '', and the history
// of a cleared page is stored as an empty table.
TEST_F(HistoryStoreTest, EmptyTextsAndAnEmptyHistoryAreStored)
{
    {
        GameController game;
        startUp(game, m_path);
        game.referenceEdited(QStringLiteral("LE CHAT"));
        ASSERT_FALSE(game.initialise());
        game.proposalEdited(QStringLiteral("LE CHAT"));
        ASSERT_FALSE(game.generate(playOn).conflict);
        ASSERT_EQ(game.session().lettres, QString());
        save(game);
        RawStore raw(m_path);
        EXPECT_EQ(raw.value(QStringLiteral("SELECT typeof(lettres) || ':' || lettres || ':' || "
                                           "restantes FROM tours WHERE numero = 1")),
                  QVariant(QStringLiteral("text::0")));

        GameController reopened;
        startUp(reopened, m_path);
        EXPECT_EQ(reopened.turns(), game.turns());
    }
    {
        GameController game;
        startUp(game, m_path);
        game.clearPage();
        game.referenceEdited(QStringLiteral("AUTRE"));
        save(game);
        RawStore raw(m_path);
        EXPECT_TRUE(isStoreMadeTable(raw));
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 0);
    }
    // An empty history ties with nothing: the game loads with its own turn 0.
    GameController game;
    startUp(game, m_path);
    EXPECT_EQ(game.session().ref, QStringLiteral("AUTRE"));
    EXPECT_EQ(game.turnCount(), 1);
}

// Statements that make a tours table of another program's making: plain types, no key, no
// constraints, rows inserted out of numero order.
const QString kForeignTable =
    QStringLiteral("CREATE TABLE tours (numero INTEGER, propal TEXT, result TEXT, "
                   "trouvees INTEGER, restantes INTEGER, lettres TEXT)");

QString foreignRow(const QString& values)
{
    return QStringLiteral("INSERT INTO tours VALUES (%1)").arg(values);
}

// The last turn by numero ties with the sample game ("** ****", "A C H T ", 4).
const QStringList kTyingRowsOutOfOrder = {
    kForeignTable,
    foreignRow(QStringLiteral("2, 'LE CHIEN', '** ****', 1, 4, 'A C H T '")),
    foreignRow(QStringLiteral("0, '', '** ****', 0, 5, 'A C E H T '")),
    foreignRow(QStringLiteral("1, 'LA CHAT', '** ****', 3, 6, 'A C E H T T '")),
};

// SQLite names are not case-sensitive: "Tours" is the same table as tours.
TEST_F(HistoryStoreTest, ForeignTableThatTiesIsReadInNumeroOrder)
{
    for (const QString& name : {QStringLiteral("tours"), QStringLiteral("Tours")}) {
        SCOPED_TRACE(qPrintable(name));
        QStringList statements = kTyingRowsOutOfOrder;
        statements[0].replace(QLatin1String("TABLE tours"), QLatin1String("TABLE ") + name);
        remakeStore(statements);
        GameController game;
        startUp(game, m_path);
        const QList<Turn> expected = {
            {QString(""), QStringLiteral("** ****"), 0, 5, QStringLiteral("A C E H T ")},
            {QStringLiteral("LA CHAT"), QStringLiteral("** ****"), 3, 6,
             QStringLiteral("A C E H T T ")},
            {QStringLiteral("LE CHIEN"), QStringLiteral("** ****"), 1, 4,
             QStringLiteral("A C H T ")},
        };
        EXPECT_EQ(game.turns(), expected);

        ASSERT_TRUE(game.undoLastTurn());
        expectShows(game, expected[1]);
        EXPECT_EQ(game.session().propal, QStringLiteral("LE CHIEN"));

        // Numbered from 0 without a gap: the save keeps the table and writes the change into it.
        playTurn(game, 1);
        save(game);
        RawStore raw(m_path);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 3);
        EXPECT_FALSE(isStoreMadeTable(raw));
        EXPECT_EQ(raw.value(QStringLiteral("SELECT propal FROM tours WHERE numero = 2")),
                  QVariant(game.session().propal));
        GameController reopened;
        startUp(reopened, m_path);
        EXPECT_EQ(reopened.turns(), game.turns());
    }
}

// A foreign table whose numeros have a gap is used, and the next save writes it anew from 0.
TEST_F(HistoryStoreTest, ForeignTableWithNumberingGapIsRenumberedBySave)
{
    remakeStore({kForeignTable,
                 foreignRow(QStringLiteral("7, 'LE CHIEN', '** ****', 1, 4, "
                                           "'A C H T '")),
                 foreignRow(QStringLiteral("3, '', '** ****', 0, 6, 'A C E H T T '"))});
    GameController game;
    startUp(game, m_path);
    ASSERT_EQ(game.turnCount(), 2);
    save(game);
    RawStore raw(m_path);
    EXPECT_TRUE(isStoreMadeTable(raw));
    EXPECT_EQ(raw.value(QStringLiteral("SELECT group_concat(numero || ':' || propal, ',') FROM "
                                       "(SELECT * FROM tours ORDER BY numero)")),
              QVariant(QStringLiteral("0:,1:LE CHIEN")));
}

struct UnusableHistory {
    const char* name;
    QStringList statements;
};

const QList<UnusableHistory> kUnusableHistories = {
    {"no table", {}},
    {"lacks a column",
     {QStringLiteral("CREATE TABLE tours (numero INTEGER, propal TEXT, result TEXT, "
                     "trouvees INTEGER, restantes INTEGER)"),
      QStringLiteral("INSERT INTO tours VALUES (0, '', '** ****', 0, 4)")}},
    {"null proposal in an early row",
     {kForeignTable, foreignRow(QStringLiteral("0, NULL, '** ****', 0, 4, 'A C H T '")),
      foreignRow(QStringLiteral("1, 'LE CHIEN', '** ****', 0, 4, 'A C H T '"))}},
    {"null count in the last row",
     {kForeignTable, foreignRow(QStringLiteral("0, '', '** ****', 0, NULL, 'A C H T '"))}},
    {"blob found text",
     {kForeignTable, foreignRow(QStringLiteral("0, '', X'2A2A', 0, 4, 'A C H T '"))}},
    {"real count",
     {kForeignTable, foreignRow(QStringLiteral("0, '', '** ****', 0.5, 4, 'A C H T '"))}},
    {"text numero",
     {kForeignTable, foreignRow(QStringLiteral("'zero', '', '** ****', 0, 4, 'A C H T '"))}},
    {"last row's letters differ",
     {kForeignTable, foreignRow(QStringLiteral("0, '', '** ****', 0, 4, 'A C H '"))}},
    {"last row's count differs",
     {kForeignTable, foreignRow(QStringLiteral("0, '', '** ****', 0, 5, 'A C H T '"))}},
    {"last row's found text differs",
     {kForeignTable, foreignRow(QStringLiteral("0, '', 'L* ****', 0, 4, 'A C H T '"))}},
    // The last row inserted ties, but the last by numero does not.
    {"tying row is not the last by numero",
     {kForeignTable, foreignRow(QStringLiteral("5, '', '** ****', 0, 9, 'A '")),
      foreignRow(QStringLiteral("3, '', '** ****', 0, 4, 'A C H T '"))}},
    {"no rows", {kForeignTable}},
};

// A store without a usable tours table loads its game as turn 0; the next save makes the
// store's own table, turn 0 first.
TEST_F(HistoryStoreTest, UnusableToursLoadsTheGameAndIsReplacedBySave)
{
    for (const UnusableHistory& history : kUnusableHistories) {
        SCOPED_TRACE(history.name);
        remakeStore(history.statements);
        GameController game;
        startUp(game, m_path);
        EXPECT_EQ(game.session().ref, QStringLiteral("LE CHAT"));
        EXPECT_EQ(game.session().lettres_restantes, 4);
        const Turn loaded{QString(""), QStringLiteral("** ****"), 0, 4, QStringLiteral("A C H T ")};
        EXPECT_EQ(game.turns(), QList<Turn>{loaded});
        EXPECT_FALSE(game.canUndo());

        playTurn(game, 1);
        save(game);
        RawStore raw(m_path);
        EXPECT_TRUE(isStoreMadeTable(raw));
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 2);
        EXPECT_EQ(raw.value(QStringLiteral("SELECT propal || '|' || result || '|' || trouvees || "
                                           "'|' || restantes || '|' || lettres FROM tours "
                                           "WHERE numero = 0")),
                  QVariant(QStringLiteral("|** ****|0|4|A C H T ")));
        GameController reopened;
        startUp(reopened, m_path);
        EXPECT_EQ(reopened.turns(), game.turns());
    }
}

// An early row that the store's own table can no longer give back (lost, or made unreadable
// behind the constraints' back) is met only when undo reaches it: the undo stops there without
// harm, and the rows stay in the file as they were: a read that fails never loses turns.
TEST_F(HistoryStoreTest, UnreadableEarlyTurnStopsUndoSafely)
{
    for (const bool deleteRow : {true, false}) {
        SCOPED_TRACE(deleteRow ? "missing row" : "blob row");
        remakeStore();
        const QList<Turn> played = playAndSave(m_path, 150);
        {
            RawStore raw(m_path);
            if (deleteRow) {
                ASSERT_TRUE(raw.exec(QStringLiteral("DELETE FROM tours WHERE numero = 10")));
            } else {
                ASSERT_TRUE(raw.exec(QStringLiteral("PRAGMA ignore_check_constraints = 1")));
                ASSERT_TRUE(
                    raw.exec(QStringLiteral("UPDATE tours SET result = X'00' WHERE numero = 10")));
            }
        }
        GameController game;
        startUp(game, m_path);
        ASSERT_EQ(game.turnCount(), 151);
        int undone = 0;
        while (game.canUndo() && game.undoLastTurn())
            ++undone;
        // The turns that can be read are undone, down to the first one after the damaged part.
        EXPECT_GT(undone, 0);
        EXPECT_LT(undone, 150);
        EXPECT_FALSE(game.canUndo());
        EXPECT_TRUE(game.earlierTurnsUnreadable());
        EXPECT_FALSE(game.undoLastTurn());
        const qsizetype reached = game.turnCount() - 1;
        EXPECT_GT(reached, 10);
        EXPECT_EQ(game.turns().size(), 1);
        expectShows(game, played[reached]);

        // The save leaves the turns it could not read in the file as they were.
        save(game);
        RawStore raw(m_path);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT max(numero) FROM tours")), reached);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours WHERE numero < 10")), 10);
        GameController reopened;
        startUp(reopened, m_path);
        EXPECT_EQ(reopened.turnCount(), reached + 1);
        EXPECT_EQ(reopened.session().soluce, game.session().soluce);
        EXPECT_EQ(reopened.session().propal, game.session().propal);
    }
}

// The ranking reads the stored turns' players and counts alone: it must find a turn exactly
// where the history would read it, and the same player and count, whatever another program left
// in the row.
TEST_F(HistoryStoreTest, CreditsAreReadExactlyWhereTheTurnsAre)
{
    const char* const damages[] = {
        nullptr,
        "UPDATE tours SET joueur = X'00' WHERE numero = 3",
        "UPDATE tours SET joueur = 12 WHERE numero = 3",
        "DELETE FROM tours WHERE numero = 3",
        "UPDATE tours SET result = X'00' WHERE numero = 3",
        "UPDATE tours SET trouvees = 2.5 WHERE numero = 3",
        "UPDATE tours SET restantes = 'quatre' WHERE numero = 3",
    };
    for (const char* damage : damages) {
        SCOPED_TRACE(damage ? damage : "no damage");
        remakeStore();
        playAndSave(m_path, 8);
        {
            RawStore raw(m_path);
            ASSERT_TRUE(raw.exec(QStringLiteral(
                "UPDATE tours SET joueur = CASE numero % 3 WHEN 0 THEN '' WHEN 1 THEN ' Zoé \t "
                "x ' ELSE 'Bob' END")));
            ASSERT_TRUE(raw.exec(QStringLiteral("PRAGMA ignore_check_constraints = 1")));
            if (damage)
                ASSERT_TRUE(raw.exec(QString::fromUtf8(damage)));
        }
        GameStore store(m_path);
        ASSERT_TRUE(store.open());
        const std::optional<StoredHistory> stored = store.loadHistory();
        ASSERT_TRUE(stored);
        ASSERT_GT(stored->first, 3);
        const std::optional<QList<Turn>> turns = store.loadTurns(0, stored->first);
        const std::optional<QList<TurnCredit>> credits = store.loadCredits(0, stored->first);
        ASSERT_EQ(credits.has_value(), turns.has_value());
        if (!turns)
            continue;
        QList<TurnCredit> expected;
        for (const Turn& turn : *turns)
            expected.append({turn.joueur, turn.trouvees});
        EXPECT_EQ(*credits, expected);
    }
}

// Start-up on a long stored history, then a change to an old row behind the program's back:
// a save after one more turn leaves the old rows alone, and a save after undo removes the
// undone rows.
TEST_F(HistoryStoreTest, SaveWritesOnlyWhatChanged)
{
    playAndSave(m_path, 150);
    GameController game;
    startUp(game, m_path);
    {
        RawStore raw(m_path);
        ASSERT_TRUE(raw.exec(
            QStringLiteral("UPDATE tours SET propal = 'MARQUE' WHERE numero IN (5, 149)")));
    }
    playTurn(game, 1000);
    save(game);
    {
        RawStore raw(m_path);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours WHERE propal = 'MARQUE'")),
                  2);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT max(numero) FROM tours")), 151);
        EXPECT_EQ(raw.value(QStringLiteral("SELECT propal FROM tours WHERE numero = 151")),
                  QVariant(game.session().propal));
    }

    ASSERT_TRUE(game.undoLastTurn());
    ASSERT_TRUE(game.undoLastTurn());
    ASSERT_TRUE(game.undoLastTurn());
    save(game);
    {
        RawStore raw(m_path);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 149);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT max(numero) FROM tours")), 148);
        EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours WHERE propal = 'MARQUE'")),
                  1);
    }
    // Undone rows are replaced by the turns played after the undo.
    ASSERT_TRUE(game.undoLastTurn());
    playTurn(game, 2000);
    playTurn(game, 2001);
    save(game);
    GameController reopened;
    startUp(reopened, m_path);
    EXPECT_EQ(reopened.turnCount(), 150);
    EXPECT_EQ(reopened.turns(), game.turns());
}

struct RefusedWrite {
    const char* name;
    QString trigger;
    int undos; // turns undone before the turn that is then played and saved
};

TEST_F(HistoryStoreTest, RefusedHistoryWriteFailsTheWholeSave)
{
    const QList<RefusedWrite> cases = {
        {"insert refused",
         QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON tours "
                        "BEGIN SELECT RAISE(ABORT, 'tours en lecture seule'); END"),
         0},
        {"delete of undone rows refused",
         QStringLiteral("CREATE TRIGGER refus BEFORE DELETE ON tours "
                        "BEGIN SELECT RAISE(ABORT, 'tours en lecture seule'); END"),
         2},
    };
    for (const RefusedWrite& refused : cases) {
        SCOPED_TRACE(refused.name);
        remakeStore();
        playAndSave(m_path, 5);
        QVariant storedGame;
        {
            RawStore raw(m_path);
            ASSERT_TRUE(raw.exec(refused.trigger));
            storedGame = raw.value(QStringLiteral(
                "SELECT base || '|' || result || '|' || propal || '|' || lettres || '|' || "
                "nb_lettres FROM \"données\", compteurs"));
        }
        GameController game;
        startUp(game, m_path);
        for (int undo = 0; undo < refused.undos; ++undo)
            ASSERT_TRUE(game.undoLastTurn());
        playTurn(game, 100);
        const std::optional<Refusal> refusal = game.save();
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->icon, MessageIcon::Critical);
        EXPECT_TRUE(refusal->text.contains(QLatin1String("tours en lecture seule")))
            << qPrintable(refusal->text);
        EXPECT_TRUE(game.isModified());
        {
            RawStore raw(m_path);
            EXPECT_EQ(raw.value(QStringLiteral(
                          "SELECT base || '|' || result || '|' || propal || '|' || lettres || "
                          "'|' || nb_lettres FROM \"données\", compteurs")),
                      storedGame);
            EXPECT_EQ(count(raw, QStringLiteral("SELECT count(*) FROM tours")), 6);
            // Once the store takes writes again, the same save goes through whole.
            ASSERT_TRUE(raw.exec(QStringLiteral("DROP TRIGGER refus")));
        }
        save(game);
        EXPECT_FALSE(game.isModified());
        GameController reopened;
        startUp(reopened, m_path);
        EXPECT_EQ(reopened.turns(), game.turns());
    }
}

} // namespace

// Two windows on one game: the one that saves last keeps the game, its turns included, however
// often each has saved.
TEST_F(HistoryStoreTest, TwoProgramsOnOneGameTheLastSaveWins)
{
    playAndSave(m_path, 3);
    GameController first;
    GameController second;
    startUp(first, m_path);
    startUp(second, m_path);

    playTurn(first, 4);
    save(first);
    playTurn(second, 5);
    playTurn(second, 6);
    save(second);
    playTurn(second, 7);
    save(second);

    GameController reopened;
    startUp(reopened, m_path);
    EXPECT_EQ(reopened.session().soluce, second.session().soluce);
    EXPECT_EQ(reopened.turns(), second.turns());
}
