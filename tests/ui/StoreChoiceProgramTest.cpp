// The real program refuses to start without a store it can use: a game file named on the command
// line that does not exist, a damaged game beside it, or a first copy of the user's game that
// cannot be made, shows the critical box with the path (answered by the test library preloaded
// into it, which echoes its text), ends with a non-zero code and creates nothing. --help and
// --version answer on standard output and exit 0, Qt's own options still taken; an unknown option
// prints the usage on standard error and exits 2, with or without a display. None of them creates
// anything either.
#include "ProgramRun.h"
#include "StoreFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kUsage = QStringLiteral("Usage : plimo [options] [FICHIER]\n");

// Every file below the folder with its bytes, to see that nothing was made or changed.
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, it.fileInfo().isFile() ? fileBytes(path) : QByteArray("<folder>"));
    }
    return files;
}

struct ProgramCase {
    const char* name;
    QStringList arguments;
    bool storeBeside;     // a portable folder's store beside the program
    bool dataHomeIsAFile; // the user's game cannot be made
    int exitCode;
    const char* message;    // part of the box's text, or of standard error
    const char* shownPath;  // nullptr: none
    QString out = {};       // standard output starts with it
    QByteArray beside = {}; // the bytes of the store beside the program, when not the sample's
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const ProgramCase& c, std::ostream* out)
{
    *out << c.name;
}

class StoreChoiceProgramTest : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(StoreChoiceProgramTest, AnswersWithItsExitCodeAndCreatesNothing)
{
    const ProgramCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("usr/bin"))));
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("usr/share/plimo"))));
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("work"))));
    const QString program = root.filePath(QStringLiteral("usr/bin/plimo"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLIMO_EXECUTABLE), program));
    makeSampleStore(root.filePath(QStringLiteral("usr/share/plimo/plimo.mdb")));
    if (c.storeBeside)
        makeSampleStore(root.filePath(QStringLiteral("usr/bin/plimo.mdb")));
    if (!c.beside.isEmpty())
        writeBytes(root.filePath(QStringLiteral("usr/bin/plimo.mdb")), c.beside);
    const QString dataHome = root.filePath(QStringLiteral("data"));
    if (c.dataHomeIsAFile)
        writeBytes(dataHome, "pas un dossier");
    const QMap<QString, QByteArray> before = contents(root.path());

    const ProgramRun run =
        runProgram(program, c.arguments, root.filePath(QStringLiteral("work")), dataHome);
    EXPECT_EQ(run.exitCode, c.exitCode) << "-1: the program crashed or the box was not answered";
    EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message))) << qPrintable(run.errors);
    if (c.shownPath)
        EXPECT_TRUE(run.errors.contains(root.filePath(QLatin1String(c.shownPath))))
            << qPrintable(run.errors);
    EXPECT_TRUE(run.out.startsWith(c.out)) << qPrintable(run.out);
    EXPECT_EQ(contents(root.path()), before);
}

const ProgramCase kCases[] = {
    {"MissingFileNamed",
     {QStringLiteral("fil-du-forum.mdb")},
     true,
     false,
     1,
     "Le fichier de la partie n'existe pas.",
     "work/fil-du-forum.mdb"},
    {"DamagedGameBeside",
     {},
     true,
     false,
     1,
     "Ce fichier n'est pas une partie de Plimo.",
     "usr/bin/plimo.mdb",
     {},
     QByteArray("Ceci n'est pas une base de données.\n").repeated(200)},
    {"UserGameCannotBeMade",
     {},
     false,
     true,
     1,
     "La partie n'a pas pu être créée",
     "data/plimo/plimo.mdb"},
    // Answered before any display is opened: the platform named does not exist.
    {"HelpWithoutADisplay",
     {QStringLiteral("-platform"), QStringLiteral("nulle-part"), QStringLiteral("--help")},
     false,
     false,
     0,
     "",
     nullptr,
     kUsage},
    {"VersionAfterQtOptions",
     {QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-platform"),
      QStringLiteral("offscreen"), QStringLiteral("--version")},
     false,
     false,
     0,
     "",
     nullptr,
     QStringLiteral("plimo " PLIMO_VERSION "\n")},
    {"UnknownOption",
     {QStringLiteral("--inconnue")},
     false,
     false,
     2,
     "plimo : option inconnue « --inconnue ».\n\nUsage : plimo [options] [FICHIER]\n",
     nullptr},
    {"UnknownOptionWithoutADisplay",
     {QStringLiteral("-platform"), QStringLiteral("nulle-part"), QStringLiteral("--inconnue")},
     false,
     false,
     2,
     "plimo : option inconnue « --inconnue ».\n\nUsage : plimo [options] [FICHIER]\n",
     nullptr},
    {"QtOptionsAreNotUnknown",
     {QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("--reverse"),
      QStringLiteral("-qwindowtitle"), QStringLiteral("Plimo"), QStringLiteral("fil-du-forum.mdb")},
     true,
     false,
     1,
     "Le fichier de la partie n'existe pas.",
     "work/fil-du-forum.mdb"},
};

INSTANTIATE_TEST_SUITE_P(Start, StoreChoiceProgramTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
