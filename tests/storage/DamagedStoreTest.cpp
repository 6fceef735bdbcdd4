// The damaged-store matrix: for each kind of damage, opening either fails with its cause in
// French, the file's path and the database's own text, or loads with the fallbacks ("Vide",
// "0", absent appearance values); a save works or fails as the damage dictates, and the file's
// bytes never change unless a save succeeded.
#include "GameStore.h"
#include "StoreFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kVide = QStringLiteral("Vide");

GameSession loaded(QString ref, QString soluce, QString propal, QString lettres, qint64 count)
{
    return GameSession{ref, soluce, propal, lettres, count, 0};
}

const GameSession kSample =
    loaded(QStringLiteral("LE CHAT"), QStringLiteral("** ****"), QStringLiteral("LE CHIEN"),
           QStringLiteral("A C H T "), 4);
const GameSession kAllVide = loaded(kVide, kVide, kVide, kVide, 0);

struct DamageCase {
    const char* name;
    std::function<void(const QString& path)> make;
    const char* openError; // the open failure's first line, nullptr when the store opens
    GameSession game;
    std::function<void(const StoredAppearance&)> checkLook;
    bool saveWorks;
    bool lookWriteWorks;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const DamageCase& damage, std::ostream* out)
{
    *out << damage.name;
}

// A file that opens and loads the given game; saves and appearance writes work or fail.
DamageCase opening(const char* name, std::function<void(const QString&)> make, GameSession game,
                   std::function<void(const StoredAppearance&)> checkLook, bool saveWorks,
                   bool lookWriteWorks)
{
    return DamageCase{name,      std::move(make), nullptr, std::move(game), std::move(checkLook),
                      saveWorks, lookWriteWorks};
}

// A file that does not open: the message names the damage and nothing else is tried.
DamageCase unopenable(const char* name, std::function<void(const QString&)> make,
                      const char* openError)
{
    return DamageCase{name, std::move(make), openError, {}, {}, false, false};
}

void sampleLook(const StoredAppearance& look)
{
    EXPECT_EQ(look.lookFor(Pane::Ref).background, 100);
    EXPECT_EQ(look.lookFor(Pane::Lettres).font.name, QStringLiteral("Arial"));
}

void noLook(const StoredAppearance& look)
{
    EXPECT_EQ(look, StoredAppearance{});
}

QString setAll(const QString& table, const QStringList& columns, const QString& value)
{
    QStringList assignments;
    for (const QString& column : columns) {
        assignments << column + QStringLiteral(" = ") + value;
    }
    return QStringLiteral("UPDATE \"%1\" SET %2")
        .arg(table, assignments.join(QStringLiteral(", ")));
}

const QStringList kTextColumns = {QStringLiteral("base"), QStringLiteral("result"),
                                  QStringLiteral("propal"), QStringLiteral("lettres")};

void wrongTypeLook(const StoredAppearance& look)
{
    const StoredPaneLook& ref = look.lookFor(Pane::Ref);
    EXPECT_FALSE(ref.background) << "text in a colour";
    EXPECT_FALSE(ref.text) << "real in a colour";
    EXPECT_FALSE(ref.font.name) << "blob as a font name";
    EXPECT_FALSE(ref.font.size) << "text as a size";
    EXPECT_FALSE(ref.font.bold) << "text as a flag";
    EXPECT_EQ(ref.font.italic, false);
    const StoredPaneLook& soluce = look.lookFor(Pane::Soluce);
    EXPECT_FALSE(soluce.background) << "beyond 32 bits";
    EXPECT_EQ(soluce.font.size, 10.5);
    EXPECT_EQ(soluce.font.bold, true) << "any non-zero is true";
    EXPECT_FALSE(look.lookFor(Pane::Propal).font.size) << "negative size";
    EXPECT_EQ(look.lookFor(Pane::Propal).background, -1) << "unsigned 0xFFFFFFFF";
    EXPECT_EQ(look.lookFor(Pane::Lettres).background, 103);
}

const DamageCase kCases[] = {
    opening("NullFields",
            sampleWith(
                {setAll(QStringLiteral("données"), kTextColumns, QStringLiteral("NULL")),
                 QStringLiteral("UPDATE compteurs SET nb_lettres = NULL"),
                 setAll(QStringLiteral("couleurs"), appearanceColumns(), QStringLiteral("NULL"))}),
            kAllVide, noLook, true, true),
    opening(
        "MissingColumns",
        sampleWith({QStringLiteral("ALTER TABLE \"données\" DROP COLUMN propal"),
                    QStringLiteral("ALTER TABLE \"données\" DROP COLUMN lettres"),
                    QStringLiteral("ALTER TABLE compteurs ADD COLUMN autre INTEGER"),
                    QStringLiteral("ALTER TABLE compteurs DROP COLUMN nb_lettres"),
                    QStringLiteral("ALTER TABLE couleurs DROP COLUMN fond_lettres")}),
        loaded(QStringLiteral("LE CHAT"), QStringLiteral("** ****"), kVide, kVide,
               0),
        [](const StoredAppearance& look) {
            EXPECT_FALSE(look.lookFor(Pane::Lettres).background);
            EXPECT_EQ(look.lookFor(Pane::Lettres).text, -2147483640);
            sampleLook(look);
        },
        false, true),
    opening("EmptyTables",
            sampleWith({QStringLiteral("DELETE FROM \"données\""),
                        QStringLiteral("DELETE FROM compteurs"),
                        QStringLiteral("DELETE FROM couleurs")}),
            kAllVide, noLook, false, false),
    opening("EmptyGameTableKeepsTheCount", sampleWith({QStringLiteral("DELETE FROM \"données\"")}),
            loaded(kVide, kVide, kVide, kVide, 4), sampleLook, false, true),
    unopenable("MissingTable", sampleWith({QStringLiteral("DROP TABLE couleurs")}),
               "Il manque la table « couleurs » dans le fichier de la partie.\r"),
    unopenable(
        "MissingFile", [](const QString&) {}, "Le fichier de la partie n'existe pas.\r"),
    unopenable(
        "FolderInItsPlace", [](const QString& path) { QDir().mkpath(path); },
        "Le fichier de la partie ne peut pas être lu.\r"),
    unopenable(
        "EmptyFile", [](const QString& path) { writeBytes(path, {}); },
        "Ce fichier n'est pas une partie de Plimo.\r"),
    unopenable(
        "TruncatedFile",
        [](const QString& path) {
            makeSampleStore(path);
            writeBytes(path, fileBytes(path).left(6000));
        },
        "Le fichier de la partie ne peut pas être lu.\r"),
    unopenable(
        "NotADatabase",
        [](const QString& path) {
            writeBytes(path, QByteArray("Ceci n'est pas une base de données.\n").repeated(200));
        },
        "Ce fichier n'est pas une partie de Plimo.\r"),
    opening("WrongTypes",
            sampleWith({QStringLiteral("UPDATE \"données\" SET base = x'00ff', result = 42"),
                        QStringLiteral("UPDATE compteurs SET nb_lettres = 'douze'"),
                        QStringLiteral("UPDATE couleurs SET fond_ref = 'rouge', police_ref = 1.5, "
                                       "font_name_ref = x'41', font_size_ref = 'grand', "
                                       "font_bold_ref = 'oui', fond_soluce = 1099511627776, "
                                       "font_size_soluce = 10.5, font_bold_soluce = 7, "
                                       "fond_propal = 4294967295, font_size_propal = -3")}),
            loaded(kVide, QStringLiteral("42"), QStringLiteral("LE CHIEN"),
                   QStringLiteral("A C H T "), 0),
            wrongTypeLook, true, true),
    // Made by another program: without a declared type, numbers stay numbers in the file.
    opening("UntypedGameColumns",
            sampleWith({QStringLiteral("DROP TABLE \"données\""),
                        QStringLiteral("CREATE TABLE \"données\" (base, result, propal, lettres)"),
                        QStringLiteral("INSERT INTO \"données\" VALUES "
                                       "(4.5, 42, -0.25, 'A C H T ')")}),
            loaded(QStringLiteral("4.5"), QStringLiteral("42"), QStringLiteral("-0.25"),
                   QStringLiteral("A C H T "), 4),
            sampleLook, true, true),
    opening("CountBeyondSixteenBits",
            sampleWith({QStringLiteral("UPDATE compteurs SET nb_lettres = 70000")}),
            loaded(QStringLiteral("LE CHAT"), QStringLiteral("** ****"), QStringLiteral("LE CHIEN"),
                   QStringLiteral("A C H T "), 70000),
            sampleLook, true, true),
    opening(
        "ReadOnlyFile",
        [](const QString& path) {
            makeSampleStore(path);
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ReadOther);
        },
        kSample, sampleLook, false, false),
};

class DamagedStoreTest : public ::testing::TestWithParam<DamageCase> {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
        GetParam().make(m_path);
    }

    QTemporaryDir m_dir;
    QString m_path;
};

TEST_P(DamagedStoreTest, OpensOrReportsAndChangesNothingUnlessSaved)
{
    const DamageCase& damage = GetParam();
    const bool existed = QFile::exists(m_path);
    const QByteArray before = fileBytes(m_path);
    // The file's permissions bind even a test run as root.
    const PermissionsBind bind;
    GameStore store(m_path);
    const StoreStatus opened = store.open();
    if (damage.openError) {
        ASSERT_FALSE(opened);
        EXPECT_FALSE(store.isOpen());
        // The cause, the path, then the database's own text.
        EXPECT_TRUE(opened.message().startsWith(QString::fromUtf8(damage.openError) +
                                                QDir::toNativeSeparators(m_path) +
                                                QStringLiteral("\r(")))
            << qPrintable(opened.message());
    } else {
        ASSERT_TRUE(opened) << qPrintable(opened.message());
        EXPECT_EQ(store.loadGame(), damage.game);
        damage.checkLook(store.loadAppearance());
        const StoreStatus saved = saveWithTurnZero(store, kSample);
        EXPECT_EQ(bool(saved), damage.saveWorks) << qPrintable(saved.message());
        if (!damage.saveWorks) {
            EXPECT_TRUE(saved.message().contains(QDir::toNativeSeparators(m_path)));
        }
        if (!damage.lookWriteWorks) {
            EXPECT_FALSE(store.writeColour(Pane::Ref, PaneProperty::Background, 1));
        }
    }
    store.close();
    EXPECT_EQ(QFile::exists(m_path), existed);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
              existed ? 1 : 0);
    if (damage.openError || !damage.saveWorks) {
        EXPECT_EQ(fileBytes(m_path), before);
    } else {
        // Saving over damaged fields repairs them: the next open reads the saved game.
        GameStore reopened(m_path);
        ASSERT_TRUE(reopened.open());
        EXPECT_EQ(reopened.loadGame(), kSample);
    }
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedStoreTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The remaining count loads whatever its width; a value that is no whole number as 0.
TEST(StoredCountTest, LoadsAsAWholeNumber)
{
    const QList<QPair<QString, qint64>> counts = {
        {QStringLiteral("0"), 0},
        {QStringLiteral("12"), 12},
        {QStringLiteral("32768"), 32768},
        {QStringLiteral("-1"), -1},
        {QStringLiteral("9223372036854775807"), 9223372036854775807LL},
        {QStringLiteral("12.5"), 0},
        {QStringLiteral("x'0c'"), 0},
    };
    QTemporaryDir dir;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("count%1.mdb").arg(i));
        makeSampleStore(path,
                        {QStringLiteral("UPDATE compteurs SET nb_lettres = ") + counts[i].first});
        GameStore store(path);
        ASSERT_TRUE(store.open());
        EXPECT_EQ(store.loadGame().lettres_restantes, counts[i].second)
            << qPrintable(counts[i].first);
    }
}

} // namespace
