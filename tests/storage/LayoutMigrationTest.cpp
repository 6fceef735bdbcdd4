// Files of older, newer and foreign layouts, each made by the sqlite3 program from its SQL text,
// next to what it becomes once this version has opened it and saved two more turns: the layout
// version it records, the tables and columns it keeps, the turns' players, the options' single
// row, and whether start-up then reads its history from the end.
#include "GameStore.h"
#include "StoreFiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// The game, the count and the look as the first Plimo that kept its history wrote them (the
// statements of `sqlite3 plimo.mdb .dump`); the game's found text, letters and count are those
// of each history's last turn.
const QString kGameTables = QStringLiteral(R"sql(
CREATE TABLE "données" (base TEXT, result TEXT, propal TEXT, lettres TEXT);
INSERT INTO "données" VALUES('LE CHAT','** ****','LE CHIEN','A C H T ');
CREATE TABLE "compteurs" (nb_lettres INTEGER);
INSERT INTO compteurs VALUES(4);
CREATE TABLE "couleurs" (fond_ref INTEGER, fond_soluce INTEGER, fond_propal INTEGER, fond_lettres INTEGER, police_ref INTEGER, police_soluce INTEGER, police_propal INTEGER, police_lettres INTEGER, font_name_ref TEXT, font_name_soluce TEXT, font_name_propal TEXT, font_name_lettres TEXT, font_size_ref INTEGER, font_size_soluce INTEGER, font_size_propal INTEGER, font_size_lettres INTEGER, font_bold_ref INTEGER, font_bold_soluce INTEGER, font_bold_propal INTEGER, font_bold_lettres INTEGER, font_italic_ref INTEGER, font_italic_soluce INTEGER, font_italic_propal INTEGER, font_italic_lettres INTEGER);
INSERT INTO couleurs VALUES(12648447,16777152,-2147483643,12648384,-2147483640,-2147483640,-2147483640,-2147483640,'Courier New','Courier New','Courier New','Courier New',14,14,14,14,0,0,0,0,0,0,0,0);
)sql");

// The history table as that Plimo made it, with three turns.
const QString kTodaysTurns = QStringLiteral(R"sql(
CREATE TABLE tours (numero INTEGER PRIMARY KEY CHECK (numero >= 0), propal TEXT NOT NULL CHECK (typeof(propal) = 'text'), result TEXT NOT NULL CHECK (typeof(result) = 'text'), trouvees INTEGER NOT NULL CHECK (typeof(trouvees) = 'integer'), restantes INTEGER NOT NULL CHECK (typeof(restantes) = 'integer'), lettres TEXT NOT NULL CHECK (typeof(lettres) = 'text'));
INSERT INTO tours VALUES(0,'','** ****',0,6,'A C E H T T ');
INSERT INTO tours VALUES(1,'LA CHAT','** ****',3,5,'A C E H T ');
INSERT INTO tours VALUES(2,'LE CHIEN','** ****',1,4,'A C H T ');
)sql");

const char* const kSixColumns = "numero,propal,result,trouvees,restantes,lettres";
const char* const kSevenColumns = "numero,propal,result,trouvees,restantes,lettres,joueur";
// The players of the turns in order, the two this test plays last.
const char* const kPlayers =
    "SELECT group_concat(joueur, '|') FROM (SELECT joueur FROM tours ORDER BY numero)";
const char* const kFourTables = "compteurs,couleurs,données,tours";
const char* const kFiveTables =
    "compteurs,couleurs,données,fil_enigmes,fil_tours,options,tours";

struct LayoutCase {
    const char* name;
    QString sql;           // the whole file
    bool saves;            // open, two turns played, saved
    int version;           // PRAGMA user_version afterwards
    const char* tables;    // the file's tables afterwards, by name
    const char* tourCols;  // tours' columns afterwards, in order
    const char* ranking;   // classement of each row of options afterwards; "" without the table
    qsizetype turns;       // turns start-up finds afterwards; -1: none this version can use
    bool readsFromEnd;     // start-up reads only the latest turns
    const char* keptQuery; // what this version does not know, read afterwards
    const char* kept;
};

const LayoutCase kCases[] = {
    // Its turns gain the player column and credit nobody.
    {"PlimoBeforePlayersWithItsHistory", kGameTables + kTodaysTurns, true, kStoreVersion,
     kFiveTables, kSevenColumns, "0", 5, true,
     "SELECT group_concat(propal || '/' || joueur, '|') FROM (SELECT * FROM tours ORDER BY numero)",
     "/|LA CHAT/|LE CHIEN/|LE CHOU/|LE CHAT/Ana"},
    {"OlderPlimoWithoutHistory", kGameTables, true, kStoreVersion, kFiveTables, kSevenColumns, "0",
     3, true, kPlayers, "||Ana"},
    // The options come with the third layout.
    {"PlimoWithPlayersBeforeOptions",
     kGameTables + kTodaysTurns +
         QStringLiteral("ALTER TABLE tours ADD COLUMN joueur TEXT NOT NULL DEFAULT '';\n"
                        "UPDATE tours SET joueur = 'Zoé' WHERE numero > 0;\n"
                        "PRAGMA user_version = 2;\n"),
     true, kStoreVersion, kFiveTables, kSevenColumns, "0", 5, true, kPlayers, "|Zoé|Zoé||Ana"},
    // The player column is not added twice, and the players are read back.
    {"AnotherProgramsToursWithPlayers",
     kGameTables +
         QStringLiteral("CREATE TABLE tours (numero INTEGER, propal TEXT, result TEXT, "
                        "trouvees INTEGER, restantes INTEGER, lettres TEXT, joueur TEXT);\n"
                        "INSERT INTO tours VALUES(3,'','** ****',0,6,'A C E H T T ',NULL);\n"
                        "INSERT INTO tours VALUES(7,'LE CHIEN','** ****',1,4,'A C H T ',"
                        "'  Zoé\tB.');\n"),
     true, kStoreVersion, kFiveTables, kSevenColumns, "0", 4, true, kPlayers, "|Zoé B.||Ana"},
    {"LaterVersionWithATableAndColumnsOfItsOwn",
     kGameTables + kTodaysTurns +
         QStringLiteral("CREATE TABLE joueurs (nom TEXT);\n"
                        "INSERT INTO joueurs VALUES('Zoé');\n"
                        "ALTER TABLE \"données\" ADD COLUMN auteur TEXT;\n"
                        "UPDATE \"données\" SET auteur = 'Max';\n"
                        "ALTER TABLE couleurs ADD COLUMN fond_joueurs INTEGER;\n"
                        "UPDATE couleurs SET fond_joueurs = 5;\n"
                        "PRAGMA user_version = 8;\n"),
     true, 8, "compteurs,couleurs,données,joueurs,tours", kSixColumns, "", 5, true,
     "SELECT (SELECT group_concat(nom) FROM joueurs) || '/' || (SELECT auteur FROM \"données\") "
     "|| '/' || (SELECT fond_joueurs FROM couleurs)",
     "Zoé/Max/5"},
    // Numbered with a gap, so none of its rows counts as stored: the save rewrites them all.
    // Its options gain the ranking and keep what they hold, their row included: none is added.
    {"AnotherProgramsToursAndOptions",
     kGameTables +
         QStringLiteral("CREATE TABLE tours (numero INTEGER, propal TEXT, result TEXT, "
                        "trouvees INTEGER, restantes INTEGER, lettres TEXT);\n"
                        "INSERT INTO tours VALUES(7,'LE CHIEN','** ****',1,4,'A C H T ');\n"
                        "INSERT INTO tours VALUES(3,'','** ****',0,6,'A C E H T T ');\n"
                        "CREATE TABLE options (theme TEXT);\n"
                        "INSERT INTO options VALUES('sombre');\n"),
     true, kStoreVersion, kFiveTables, kSevenColumns, "0", 4, true,
     "SELECT group_concat(theme) FROM options", "sombre"},
    {"AnotherProgramsToursWithAColumnOfItsOwn",
     kGameTables +
         QStringLiteral("CREATE TABLE tours (numero INTEGER, propal TEXT, result TEXT, "
                        "trouvees INTEGER, restantes INTEGER, lettres TEXT, note TEXT);\n"
                        "INSERT INTO tours VALUES(7,'LE CHIEN','** ****',1,4,'A C H T ','x');\n"
                        "INSERT INTO tours VALUES(3,'','** ****',0,6,'A C E H T T ','y');\n"),
     true, kStoreVersion, kFiveTables,
     "numero,propal,result,trouvees,restantes,lettres,note,joueur", "0", 4, false,
     "SELECT count(*) FROM tours WHERE note IS NULL", "4"},
    // Without one of the six columns this version cannot write its turns there; it drops
    // nothing of a later version, so the save fails whole and the file stays as it was.
    {"LaterVersionsToursWithoutAColumnThisOneWrites",
     kGameTables + QStringLiteral("CREATE TABLE tours (numero INTEGER PRIMARY KEY, propal TEXT, "
                                  "result TEXT, trouvees INTEGER, restantes INTEGER, reste TEXT);\n"
                                  "INSERT INTO tours VALUES(0,'','** ****',0,4,'A C H T ');\n"
                                  "PRAGMA user_version = 6;\n"),
     false, 6, kFourTables, "numero,propal,result,trouvees,restantes,reste", "", -1, false,
     "SELECT group_concat(reste) FROM tours", "A C H T "},
};

void PrintTo(const LayoutCase& layout, std::ostream* out)
{
    *out << layout.name;
}

void makeWithSqlite(const QString& path, const QString& sql)
{
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), path});
    ASSERT_TRUE(sqlite.waitForStarted()) << "the sqlite3 program is needed";
    sqlite.write(sql.toUtf8());
    sqlite.closeWriteChannel();
    ASSERT_TRUE(sqlite.waitForFinished(30000));
    ASSERT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().constData();
}

// What start-up finds: the history's size, and the number of its first turn read now.
struct Found {
    qsizetype turns = -1;
    qsizetype first = 0;
};

Found historyIn(const QString& path)
{
    GameStore store(path);
    EXPECT_TRUE(store.open());
    const std::optional<StoredHistory> stored = store.loadHistory();
    if (!stored)
        return {};
    return {stored->first + stored->latest.size(), stored->first};
}

// Opens the file as start-up does, plays two turns and saves.
StoreStatus openPlayTwiceAndSave(const QString& path)
{
    GameStore store(path);
    const StoreStatus opened = store.open();
    if (!opened)
        return opened;
    const GameSession game = store.loadGame();
    TurnHistory history;
    std::optional<StoredHistory> stored = store.loadHistory();
    if (stored && !stored->latest.isEmpty()) {
        history.load(stored->latest, stored->first,
                     [&store](qsizetype from, qsizetype to) { return store.loadTurns(from, to); });
    } else {
        history.restart(turnOf(game, QString()));
    }
    history.append({QStringLiteral("LE CHOU"), game.soluce, 2, 4, game.lettres});
    history.append(
        {QStringLiteral("LE CHAT"), game.soluce, 4, 4, game.lettres, QStringLiteral("Ana")});
    return store.saveGame(game, history);
}

QVariant valueIn(const QString& path, const QString& sql)
{
    RawStore raw(path);
    return raw.value(sql);
}

class LayoutMigrationTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutMigrationTest, BecomesWhatThisVersionWrites)
{
    const LayoutCase& layout = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    makeWithSqlite(path, layout.sql);

    EXPECT_EQ(bool(openPlayTwiceAndSave(path)), layout.saves);

    EXPECT_EQ(valueIn(path, QStringLiteral("PRAGMA user_version")).toInt(), layout.version);
    EXPECT_EQ(valueIn(path, QStringLiteral("SELECT group_concat(name) FROM (SELECT name FROM "
                                           "sqlite_master WHERE type = 'table' ORDER BY name)"))
                  .toString(),
              QString::fromUtf8(layout.tables));
    EXPECT_EQ(valueIn(path, QStringLiteral("SELECT group_concat(name) FROM "
                                           "pragma_table_info('tours')"))
                  .toString(),
              QString::fromUtf8(layout.tourCols));
    EXPECT_EQ(valueIn(path, QStringLiteral("SELECT group_concat(ifnull(classement, 'NULL'), '|') "
                                           "FROM options"))
                  .toString(),
              QString::fromUtf8(layout.ranking));
    if (layout.keptQuery) {
        EXPECT_EQ(valueIn(path, QString::fromUtf8(layout.keptQuery)).toString(),
                  QString::fromUtf8(layout.kept));
    }
    const Found found = historyIn(path);
    EXPECT_EQ(found.turns, layout.turns);
    EXPECT_EQ(found.first > 0, layout.readsFromEnd);
}

INSTANTIATE_TEST_SUITE_P(Files, LayoutMigrationTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
