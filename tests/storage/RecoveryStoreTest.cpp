// The recovery record's file beside a game: its writes leave the game file byte for byte; it is
// read back whole, or found empty (and removed), or told unreadable with the reason (damaged,
// another version's, made from another save), and then put aside with its bytes as they were;
// a save empties it in its own transaction, so that a save that fails keeps it.
#include "GameStore.h"
#include "StoreFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const Turn kTurn1{QStringLiteral("LE CHIEN"), QStringLiteral("LE CH**"), 4, 2,
                  QStringLiteral("A T "),     QStringLiteral("Alice")};
const Turn kTurn2{QStringLiteral("LE CHAT"), QStringLiteral("LE CHAT"), 2, 0, QString(), {}};

// A game of three turns whose first is the saved one, as the window showed it.
RecoveryChanges threeTurns()
{
    const GameSession session{QStringLiteral("LE CHAT"), QStringLiteral("LE CHAT"),
                              QStringLiteral("LE CHAT"), QString(),
                              0,                         2};
    return {{session, QStringLiteral("Bob"), 3, 1, false, {}},
            false,
            {{1, kTurn1}, {2, kTurn2}},
            false};
}

class RecoveryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_path = m_dir.filePath(QStringLiteral("partie.mdb"));
        makeSampleStore(m_path);
        m_record = RecoveryStore::fileFor(m_path);
    }

    // The record written by a store on the game, which then ends as a killed program would.
    void writeRecord(const RecoveryChanges& changes = threeTurns())
    {
        GameStore store(m_path);
        ASSERT_TRUE(store.open());
        const QByteArray game = fileBytes(m_path);
        const StoreStatus written = store.writeRecovery(changes);
        ASSERT_TRUE(written) << qPrintable(written.message());
        EXPECT_EQ(fileBytes(m_path), game);
    }

    RecoveryReading read()
    {
        m_store = std::make_unique<GameStore>(m_path);
        EXPECT_TRUE(m_store->open());
        return m_store->readRecovery();
    }

    QTemporaryDir m_dir;
    QString m_path;
    QString m_record;
    std::unique_ptr<GameStore> m_store;
};

TEST_F(RecoveryStoreTest, TheRecordReadsBackAsWritten)
{
    ASSERT_NO_FATAL_FAILURE(writeRecord());
    RecoveryChanges later = threeTurns();
    later.game.player = QStringLiteral("Carole");
    later.game.turnCount = 2;
    later.turns = {{1, kTurn2}};
    ASSERT_NO_FATAL_FAILURE(writeRecord(later));

    const RecoveryReading reading = read();
    ASSERT_EQ(reading.kind, RecoveryReading::Kind::Readable) << qPrintable(reading.reason);
    EXPECT_EQ(reading.game, later.game);
    EXPECT_EQ(reading.turns, (QMap<qsizetype, Turn>{{1, kTurn2}}));
}

TEST_F(RecoveryStoreTest, WhatCannotBeTakenUpIsToldAndPutAsideAsItIs)
{
    struct Case {
        const char* name;
        // Run on the record's file, or on the game file with `onGame`.
        QString change;
        bool onGame;
        // The reason told; nothing when the record is found empty and goes.
        const char* reason;
        // The record's bytes instead, when given; a game file with `onGame`.
        std::optional<QByteArray> bytes = std::nullopt;
    };
    const Case cases[] = {
        {"not a database", {}, false, "elle est abîmée"},
        {"a later version's", "PRAGMA user_version = 4", false,
         "elle a été écrite par une autre version de Plimo"},
        {"a text as a blob", "UPDATE reprise_partie SET ref = x'00'", false, "elle est abîmée"},
        {"a count as text", "UPDATE reprise_partie SET tours = 'trois'", false, "elle est abîmée"},
        {"two games", "INSERT INTO reprise_partie SELECT * FROM reprise_partie", false,
         "elle est abîmée"},
        {"a turn missing", "DELETE FROM reprise_tours WHERE numero = 2", false, "elle est abîmée"},
        {"a turn past the game's",
         "INSERT INTO reprise_tours SELECT numero + 5, propal, result, trouvees, restantes, "
         "lettres, joueur FROM reprise_tours WHERE numero = 2",
         false, "elle est abîmée"},
        {"the game saved since by another program", "UPDATE \"données\" SET base = 'LE CHIEN'",
         true, "la partie a été enregistrée ou remplacée depuis"},
        {"a saved turn's player corrected by a save since",
         "UPDATE tours SET joueur = 'Zoé' WHERE numero = 0", true,
         "la partie a été enregistrée ou remplacée depuis"},
        {"its game row gone", "DELETE FROM reprise_partie", false, "elle est abîmée"},
        {"no byte", {}, false, "elle est vide", QByteArray()},
        {"one byte", {}, false, "elle est vide", QByteArray("S")},
        {"a game file in its place",
         {},
         true,
         "ce fichier n'est pas une copie de secours",
         QByteArray()},
        {"emptied by a save",
         "DROP TABLE reprise_partie; DROP TABLE reprise_tours; DROP TABLE fil_tours; DROP TABLE "
         "fil_enigmes; PRAGMA user_version = 0", false,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_store.reset();
        QFile::remove(m_path);
        makeSampleStore(m_path, {QStringLiteral("CREATE TABLE tours (numero INTEGER PRIMARY KEY, "
                                                "propal, result, trouvees, restantes, lettres, "
                                                "joueur)"),
                                 QStringLiteral("INSERT INTO tours VALUES (0, '', 'LE ****', 0, "
                                                "4, 'A C H T ', 'Zoe'), (1, 'LE CHAT', "
                                                "'LE CHAT', 4, 0, '', 'Bob')")});
        ASSERT_NO_FATAL_FAILURE(writeRecord());
        if (c.bytes) {
            writeBytes(m_record, c.onGame ? fileBytes(m_path) : *c.bytes);
        } else if (c.change.isEmpty()) {
            writeBytes(m_record, "Pas une base.");
        } else {
            RawStore raw(c.onGame ? m_path : m_record);
            for (const QString& statement : c.change.split(QStringLiteral("; ")))
                ASSERT_TRUE(raw.exec(statement)) << qPrintable(statement);
        }
        const QByteArray bytes = fileBytes(m_record);

        const RecoveryReading reading = read();
        if (!c.reason) {
            EXPECT_EQ(reading.kind, RecoveryReading::Kind::None);
            EXPECT_FALSE(QFileInfo::exists(m_record));
            continue;
        }
        ASSERT_EQ(reading.kind, RecoveryReading::Kind::Unreadable);
        EXPECT_EQ(reading.reason, QString::fromUtf8(c.reason));
        QString why;
        const std::optional<QString> aside = m_store->setRecoveryAside(&why);
        ASSERT_TRUE(aside) << qPrintable(why);
        EXPECT_EQ(*aside, m_dir.filePath(QStringLiteral("partie.mdb.reprise-illisible")));
        EXPECT_FALSE(QFileInfo::exists(m_record));
        EXPECT_EQ(fileBytes(*aside), bytes);
        EXPECT_EQ(fileMode(*aside), 0600);
        QFile::remove(*aside);
    }
}

// The record is emptied with the game's save or not at all: a save that fails (here on its
// second table, after the first was written) leaves the record to take up.
TEST_F(RecoveryStoreTest, ASaveEmptiesTheRecordInItsOwnTransaction)
{
    ASSERT_NO_FATAL_FAILURE(writeRecord());
    {
        RawStore raw(m_path);
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON compteurs "
                                            "BEGIN SELECT RAISE(ABORT, 'refusé'); END")));
    }
    ASSERT_EQ(read().kind, RecoveryReading::Kind::Readable);
    m_store->resumeRecovery();
    GameSession game = threeTurns().game.session;
    game.ref = QStringLiteral("LE CHIEN");
    EXPECT_FALSE(saveWithTurnZero(*m_store, game));
    EXPECT_EQ(m_store->loadGame().ref, QStringLiteral("LE CHAT"));
    m_store.reset();
    ASSERT_EQ(read().kind, RecoveryReading::Kind::Readable);
    m_store->resumeRecovery();
    {
        RawStore raw(m_path);
        ASSERT_TRUE(raw.exec(QStringLiteral("DROP TRIGGER refuse")));
    }

    EXPECT_TRUE(saveWithTurnZero(*m_store, game));
    EXPECT_FALSE(QFileInfo::exists(m_record));
    EXPECT_EQ(read().kind, RecoveryReading::Kind::None);
}

} // namespace
