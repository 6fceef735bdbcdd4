// The window on its store: start-up shows the stored game and look over the design-time look and
// accepts them as the last turn, with the cursor in the proposal when a game is in progress; a
// save comes back on the next start with its found count;
// every kind of damaged store either starts with the fallbacks ("Vide", "0", design-time look) or
// stops the program with the cause in French and the file's path, and the file's bytes change
// only when the user saves.
#include "ProgramRun.h"
#include "StoredWindowFixture.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QScreen>

#include <functional>

namespace {

const QString kVide = QStringLiteral("Vide");
const QStringList kSampleShown = {QStringLiteral("LE CHAT"), QStringLiteral("** ****"),
                                  QStringLiteral("LE CHIEN"), QStringLiteral("A C H T "),
                                  QStringLiteral("4")};
const QColor kStoredRefBack(100, 0, 0);
const QColor kStoredLettresBack(103, 0, 0);
const QColor kDesignRefBack(255, 255, 192);
const QColor kDesignLettresBack(192, 255, 192);

struct WindowDamage {
    const char* name;
    std::function<void(const QString&)> make;
    bool readOnly = false;
    const char* fatalError = nullptr; // part of the critical box's text; nullptr: it starts
    QStringList shown = {};
    QColor refBack = {};
    QColor lettresBack = {};
    bool saveWorks = false;
};

void PrintTo(const WindowDamage& damage, std::ostream* out)
{
    *out << damage.name;
}

const WindowDamage kDamages[] = {
    {"NullFields",
     sampleWith({QStringLiteral("UPDATE \"données\" SET base = NULL, result = NULL, propal = NULL, "
                                "lettres = NULL"),
                 QStringLiteral("UPDATE compteurs SET nb_lettres = NULL"),
                 QStringLiteral("UPDATE couleurs SET fond_ref = NULL, font_name_ref = NULL, "
                                "fond_lettres = NULL, police_propal = NULL")}),
     false,
     nullptr,
     {kVide, kVide, kVide, kVide, QStringLiteral("0")},
     kDesignRefBack,
     kDesignLettresBack,
     true},
    {"NullBackOfLettresOnly",
     sampleWith({QStringLiteral("UPDATE couleurs SET fond_lettres = NULL")}), false, nullptr,
     kSampleShown, kStoredRefBack, kDesignLettresBack, true},
    {"MissingColumns",
     sampleWith({QStringLiteral("ALTER TABLE \"données\" DROP COLUMN propal"),
                 QStringLiteral("ALTER TABLE \"données\" DROP COLUMN lettres"),
                 QStringLiteral("ALTER TABLE compteurs ADD COLUMN autre INTEGER"),
                 QStringLiteral("ALTER TABLE compteurs DROP COLUMN nb_lettres"),
                 QStringLiteral("ALTER TABLE couleurs DROP COLUMN fond_lettres")}),
     false,
     nullptr,
     {QStringLiteral("LE CHAT"), QStringLiteral("** ****"), kVide, kVide, QStringLiteral("0")},
     kStoredRefBack,
     kDesignLettresBack,
     false},
    {"EmptyTables",
     sampleWith({QStringLiteral("DELETE FROM \"données\""), QStringLiteral("DELETE FROM compteurs"),
                 QStringLiteral("DELETE FROM couleurs")}),
     false,
     nullptr,
     {kVide, kVide, kVide, kVide, QStringLiteral("0")},
     kDesignRefBack,
     kDesignLettresBack,
     false},
    {"MissingTable", sampleWith({QStringLiteral("DROP TABLE couleurs")}), false,
     "Il manque la table « couleurs »"},
    {"MissingFile", [](const QString&) {}, false, "n'existe pas"},
    {"EmptyFile", [](const QString& path) { writeBytes(path, {}); }, false,
     "n'est pas une partie de Plimo"},
    {"TruncatedFile",
     [](const QString& path) {
         makeSampleStore(path);
         writeBytes(path, fileBytes(path).left(6000));
     },
     false, "ne peut pas être lu"},
    {"NotADatabase",
     [](const QString& path) {
         writeBytes(path, QByteArray("Ceci n'est pas une base de données.\n").repeated(200));
     },
     false, "n'est pas une partie de Plimo"},
    {"WrongTypes",
     sampleWith(
         {QStringLiteral("UPDATE \"données\" SET base = x'00ff', result = 42"),
          QStringLiteral("UPDATE compteurs SET nb_lettres = 'douze'"),
          QStringLiteral("UPDATE couleurs SET fond_ref = 'rouge', font_size_ref = 'grand'")}),
     false,
     nullptr,
     {kVide, QStringLiteral("42"), QStringLiteral("LE CHIEN"), QStringLiteral("A C H T "),
      QStringLiteral("0")},
     kDesignRefBack,
     kStoredLettresBack,
     true},
    {"CountBeyondSixteenBits",
     sampleWith({QStringLiteral("UPDATE compteurs SET nb_lettres = 70000")}),
     false,
     nullptr,
     {QStringLiteral("LE CHAT"), QStringLiteral("** ****"), QStringLiteral("LE CHIEN"),
      QStringLiteral("A C H T "), QStringLiteral("70000")},
     kStoredRefBack,
     kStoredLettresBack,
     true},
    {"TextsBeyondTheLimits",
     sampleWith({QStringLiteral("UPDATE \"données\" SET base = replace(hex(zeroblob(2500)), '0', "
                                "'A'), propal = replace(hex(zeroblob(10000)), '0', 'B')")}),
     false,
     nullptr,
     {QString(5000, u'A'), QStringLiteral("** ****"), QString(20000, u'B'),
      QStringLiteral("A C H T "), QStringLiteral("4")},
     kStoredRefBack,
     kStoredLettresBack,
     true},
    {"ReadOnlyFile", sampleWith({}), true, nullptr, kSampleShown, kStoredRefBack,
     kStoredLettresBack, false},
};

class DamagedStoreWindowTest : public StoredWindowFixture,
                               public ::testing::WithParamInterface<WindowDamage> {};

TEST_P(DamagedStoreWindowTest, StartsWithFallbacksOrStopsAndLeavesTheFileAlone)
{
    const WindowDamage& damage = GetParam();
    damage.make(m_path);
    const bool existed = QFile::exists(m_path);
    const QByteArray before = fileBytes(m_path);
    const StoreOptions options{damage.readOnly, 3000};

    const bool started = startWindow(options);
    if (damage.fatalError) {
        ASSERT_FALSE(started);
        ASSERT_EQ(m_sink.shown.size(), 1u);
        EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);
        EXPECT_TRUE(m_sink.shown[0].text.contains(QString::fromUtf8(damage.fatalError)))
            << qPrintable(m_sink.shown[0].text);
        EXPECT_TRUE(m_sink.shown[0].text.contains(QDir::toNativeSeparators(m_path)));
        EXPECT_EQ(QFile::exists(m_path), existed);
        EXPECT_EQ(fileBytes(m_path), before);
        return;
    }
    ASSERT_TRUE(started);
    EXPECT_TRUE(m_sink.shown.empty());
    EXPECT_EQ(shown(), damage.shown);
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
    EXPECT_EQ(ref()->palette().color(QPalette::Base), damage.refBack);
    EXPECT_EQ(lettres()->palette().color(QPalette::Base), damage.lettresBack);
    UiFixture::TearDown();
    EXPECT_EQ(fileBytes(m_path), before) << "nothing is written without a save";

    ASSERT_TRUE(startWindow(options));
    // Leaving the reference pane upper-cases it ("Vide" becomes "VIDE") before the save.
    click(soluce());
    const QStringList beforeSave = shown();
    clickButton(QStringLiteral("record"));
    if (damage.saveWorks) {
        EXPECT_TRUE(m_sink.shown.empty());
        EXPECT_EQ(saveMarker(), QStringLiteral("Y"));
        ASSERT_TRUE(startWindow());
        EXPECT_EQ(shown(), beforeSave) << "the save repairs what it writes";
        return;
    }
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(m_sink.shown[0].text.contains(QDir::toNativeSeparators(m_path)));
    EXPECT_EQ(shown(), beforeSave) << "a failed save keeps what the window shows";
    EXPECT_EQ(saveMarker(), QString());
    EXPECT_TRUE(m_window->isVisible());
    UiFixture::TearDown();
    EXPECT_EQ(fileBytes(m_path), before);
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedStoreWindowTest, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

class FatalStoreProgramTest : public ::testing::TestWithParam<WindowDamage> {};

// The real program, copied beside the damaged file, shows the critical box (answered by
// the test library preloaded into it, which also echoes its text) and exits with a non-zero code.
TEST_P(FatalStoreProgramTest, ProgramShowsTheErrorAndExitsNonZero)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("plimo"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLIMO_EXECUTABLE), program));
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    GetParam().make(path);
    const QByteArray before = fileBytes(path);

    const ProgramRun run = runProgram(program, {});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.exitCode, -1) << "the program crashed or the box was not answered";
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8(GetParam().fatalError)))
        << qPrintable(run.errors);
    EXPECT_TRUE(run.errors.contains(path)) << qPrintable(run.errors);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QFile::exists(path), GetParam().name != std::string("MissingFile"));
}

std::vector<WindowDamage> fatalDamages()
{
    std::vector<WindowDamage> fatal;
    for (const WindowDamage& damage : kDamages)
        if (damage.fatalError)
            fatal.push_back(damage);
    return fatal;
}

INSTANTIATE_TEST_SUITE_P(Damage, FatalStoreProgramTest, ::testing::ValuesIn(fatalDamages()),
                         [](const auto& info) { return std::string(info.param.name); });

using StartUpTest = StoredWindowFixture;

TEST_F(StartUpTest, ShowsTheStoredGameAndLookAndAcceptsThemAsTheLastTurn)
{
    makeSampleStore(m_path, {QStringLiteral("UPDATE couleurs SET police_propal = 255, "
                                            "font_name_propal = 'Arial', font_italic_propal = 1")});
    ASSERT_TRUE(startWindow());
    EXPECT_EQ(shown(), kSampleShown);
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
    // A game is in progress: the first paste must go to the proposal, not to the hidden text.
    EXPECT_EQ(QApplication::focusWidget(), propal());
    EXPECT_EQ(ref()->palette().color(QPalette::Base), kStoredRefBack);
    EXPECT_EQ(ref()->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(ref()->font().bold());
    EXPECT_EQ(saveMarker(), QString());

    // Every character of the proposal, and the insertion point after them, take the stored
    // proposal colour and font.
    const int length = static_cast<int>(propal()->toPlainText().size());
    for (int index = 0; index < length; ++index) {
        const QTextCharFormat format = proposalFormatAt(index);
        EXPECT_EQ(format.foreground().color(), QColor(255, 0, 0)) << index;
        EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
        EXPECT_TRUE(format.fontItalic()) << index;
        EXPECT_EQ(format.fontWeight(), QFont::Bold) << index;
    }
    EXPECT_EQ(propal()->textCursor().position(), length);
    EXPECT_FALSE(propal()->textCursor().hasSelection());
    EXPECT_EQ(propal()->currentCharFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(propal()->currentCharFormat().fontItalic());
}

TEST_F(StartUpTest, PlacesTheWindowAndClearsASaveMarkerLeftFromBefore)
{
    makeSampleStore(m_path);
    makeWindow();
    m_engine->markers().save = QStringLiteral("Y");
    ASSERT_TRUE(m_window->startUp(m_path));
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    EXPECT_EQ(saveMarker(), QString()) << "loading the proposal is a change of it";
    const QPoint screenCorner = m_window->screen()->geometry().topLeft();
    EXPECT_EQ(m_window->frameGeometry().topLeft(), screenCorner + QPoint(13, 13));
    EXPECT_EQ(m_window->frameGeometry().height(), 702);
}

// However the proposal pane was emptied, the first character typed takes the stored look, not
// the design-time one that the pane's first line was built with.
TEST_F(StartUpTest, AnEmptyProposalTypesInTheStoredLookFromTheFirstCharacter)
{
    const QString lines =
        QStringLiteral("UPDATE \"données\" SET propal = 'UN' || char(13, 10) || 'DEUX'");
    const struct {
        QString storedProposal;
        const char* emptiedBy; // a button, or nothing
    } cases[] = {{QStringLiteral("UPDATE \"données\" SET propal = ''"), nullptr},
                 {lines, "Command1"},
                 {lines, "init"}};
    for (const auto& c : cases) {
        makeSampleStore(m_path,
                        {c.storedProposal, QStringLiteral("UPDATE couleurs SET police_propal "
                                                          "= 65280, font_name_propal = 'Arial'")});
        ASSERT_TRUE(startWindow());
        if (c.emptiedBy)
            clickButton(QString::fromUtf8(c.emptiedBy));
        typeInto(propal(), QStringLiteral("A"));
        EXPECT_EQ(propal()->toPlainText(), QStringLiteral("A"));
        EXPECT_EQ(proposalFormatAt(0).foreground().color(), QColor(0, 255, 0));
        EXPECT_EQ(proposalFormatAt(0).fontFamilies().toStringList(),
                  QStringList{QStringLiteral("Arial")})
            << (c.emptiedBy ? c.emptiedBy : "stored empty");
        UiFixture::TearDown();
        QFile::remove(m_path);
    }
}

// A game in progress starts with the cursor in the proposal, so a stored proposal with line breaks
// is tidied as the focus leaves it for "Générer"; "OK" selects the word where the pane shows it.
TEST_F(StartUpTest, OkSelectsTheConflictWordOfAStoredProposalWithLineBreaks)
{
    makeSampleStore(m_path, {QStringLiteral("UPDATE \"données\" SET "
                                            "base = 'UN' || char(13, 10) || 'DEUX TROIS', "
                                            "result = '**' || char(13, 10) || '**** *****', "
                                            "propal = 'UN' || char(13, 10) || 'DEU TROIS'")});
    ASSERT_TRUE(startWindow());
    clickButton(QStringLiteral("Générer"));
    ASSERT_EQ(propal()->toPlainText(), QStringLiteral("UN DEU TROIS"));
    ASSERT_NE(m_window->conflictDialog(), nullptr);
    const QString word =
        m_window->conflictDialog()->findChild<QLabel*>(QStringLiteral("err_label_propal"))->text();
    ASSERT_FALSE(word.isEmpty());
    click(m_window->conflictDialog()->findChild<QPushButton*>(QStringLiteral("bt_non")));

    const QTextCursor selection = propal()->textCursor();
    EXPECT_EQ(selection.selectedText(), word);
    for (int index = selection.selectionStart(); index < selection.selectionEnd(); ++index)
        EXPECT_EQ(proposalFormatAt(index).foreground().color(), QColor(255, 0, 0)) << index;
    EXPECT_NE(proposalFormatAt(0).foreground().color(), QColor(255, 0, 0));
}

TEST_F(StartUpTest, ASavedGameComesBackOnTheNextStartWithItsFoundCount)
{
    makeSampleStore(m_path);
    ASSERT_TRUE(startWindow());
    trigger("menu_delete");
    initialise(QStringLiteral("le chat noir"));
    generate(QStringLiteral("LA CHAT NOIX"));
    const QStringList played = shown();
    const QString found = label(QStringLiteral("lettres_trouvées"));
    ASSERT_NE(found, QStringLiteral("0"));
    clickButton(QStringLiteral("record"));
    ASSERT_TRUE(m_sink.shown.empty());

    ASSERT_TRUE(startWindow());
    EXPECT_EQ(shown(), played);
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), found);
}

TEST_F(StartUpTest, WithoutAGameTheCursorStartsInTheReference)
{
    makeSampleStore(m_path, {QStringLiteral("UPDATE \"données\" SET result = ''")});
    ASSERT_TRUE(startWindow());
    EXPECT_EQ(QApplication::focusWidget(), ref());
}

} // namespace
