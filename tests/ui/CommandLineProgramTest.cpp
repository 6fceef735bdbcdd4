// The real program's command line: --help and --version answer on standard output and exit 0,
// an unknown option prints the usage on standard error and exits 2, and Qt's own options are
// still taken. None of these runs makes the user's game or opens a window.
#include "StoreFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kUsage = QStringLiteral("Usage : plimo [options] [FICHIER]\n");
const QString kVersion = QStringLiteral("plimo " PLIMO_VERSION "\n");

struct CommandLineCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    QString out;   // standard output starts with it
    QString error; // standard error holds it, when given
};

void PrintTo(const CommandLineCase& c, std::ostream* out)
{
    *out << c.name;
}

const CommandLineCase kCases[] = {
    {"Help", {QStringLiteral("--help")}, 0, kUsage, QString()},
    {"ShortHelp", {QStringLiteral("-h")}, 0, kUsage, QString()},
    {"Version", {QStringLiteral("--version")}, 0, kVersion, QString()},
    {"QtOptionsStillTaken",
     {QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-platform"),
      QStringLiteral("offscreen"), QStringLiteral("--version")},
     0,
     kVersion,
     QString()},
    {"UnknownOption",
     {QStringLiteral("--inconnue")},
     2,
     QString(),
     QStringLiteral("plimo : option inconnue « --inconnue ».\n\n") + kUsage},
};

QStringList entriesBelow(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    return entries;
}

class CommandLineProgramTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineProgramTest, AnswersAndCreatesNothing)
{
    const CommandLineCase& c = GetParam();
    // An installed program: a normal start would make the user's game from the packaged one.
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("usr/bin"))));
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("usr/share/plimo"))));
    const QString program = root.filePath(QStringLiteral("usr/bin/plimo"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLIMO_EXECUTABLE), program));
    makeSampleStore(root.filePath(QStringLiteral("usr/share/plimo/plimo.mdb")));
    const QStringList before = entriesBelow(root.path());

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(PLIMO_ANSWER_BOXES_LIBRARY));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    process.setProcessEnvironment(environment);
    process.start(program, c.arguments);
    ASSERT_TRUE(process.waitForFinished(30000)) << "the program kept running";

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), c.exitCode);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(c.out.isEmpty() ? out.isEmpty() : out.startsWith(c.out)) << qPrintable(out);
    if (!c.error.isEmpty())
        EXPECT_TRUE(errors.contains(c.error)) << qPrintable(errors);
    EXPECT_EQ(entriesBelow(root.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Options, CommandLineProgramTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
