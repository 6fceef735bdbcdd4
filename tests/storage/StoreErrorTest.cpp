// Every store failure a user can meet, on real files: the critical box's text is a French
// sentence naming the cause, then the file's path, then the database's own text in parentheses.
#include "StoreError.h"
#include "GameStore.h"
#include "StoreFiles.h"

#include <QDir>
#include <QSqlError>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Opens the store at path; the message of its failure, or "" when it opened.
QString openFailure(const QString& path)
{
    GameStore store(path);
    const StoreStatus opened = store.open();
    return opened.message();
}

QString readOnlySaveFailure(const QString& path)
{
    GameStore store(path, StoreOptions{true, 3000});
    if (!store.open())
        return QString();
    return store
        .saveGame(GameSession{QStringLiteral("UN"), QStringLiteral("**"), QString(),
                              QStringLiteral("N U "), QStringLiteral("2"), QStringLiteral("0")})
        .message();
}

struct ErrorCase {
    const char* name;
    std::function<void(const QString& path)> make;
    std::function<QString(const QString& path)> fail;
    const char* sentence;
};

void PrintTo(const ErrorCase& c, std::ostream* out)
{
    *out << c.name;
}

const ErrorCase kCases[] = {
    {"MissingFile", [](const QString&) {}, openFailure, "Le fichier de la partie n'existe pas."},
    {"FolderInItsPlace", [](const QString& path) { QDir().mkpath(path); }, openFailure,
     "Le fichier de la partie ne peut pas être lu."},
    {"TruncatedFile",
     [](const QString& path) {
         makeSampleStore(path);
         writeBytes(path, fileBytes(path).left(6000));
     },
     openFailure, "Le fichier de la partie ne peut pas être lu."},
    {"TextFile",
     [](const QString& path) {
         writeBytes(path, QByteArray("Une liste de courses.\n").repeated(50));
     },
     openFailure, "Ce fichier n'est pas une partie de Plimo."},
    {"EmptyFile", [](const QString& path) { writeBytes(path, {}); }, openFailure,
     "Ce fichier n'est pas une partie de Plimo."},
    {"MissingTable", sampleWith({QStringLiteral("DROP TABLE compteurs")}), openFailure,
     "Il manque la table « compteurs » dans le fichier de la partie."},
    {"ReadOnly", sampleWith({}), readOnlySaveFailure,
     "Le fichier de la partie est en lecture seule : rien n'a pu y être enregistré."},
    // A full disk cannot be made in a test: SQLite's own error on a real store is classified.
    {"DiskFull", sampleWith({}),
     [](const QString& path) {
         return storeErrorMessage(
             classifyStoreError(path,
                                QSqlError(QString(), QStringLiteral("database or disk is full"),
                                          QSqlError::StatementError, QStringLiteral("13"))),
             path);
     },
     "Le disque est plein : le fichier de la partie n'a pas pu être écrit."},
};

class StoreErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(StoreErrorTest, SaysTheCauseThenThePathThenTheDatabasesText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("plimo.mdb"));
    GetParam().make(path);

    const QStringList lines = GetParam().fail(path).split(QLatin1Char('\r'));

    ASSERT_EQ(lines.size(), 3) << qPrintable(lines.join(QLatin1Char('|')));
    EXPECT_EQ(lines[0], QString::fromUtf8(GetParam().sentence));
    EXPECT_EQ(lines[1], QDir::toNativeSeparators(path));
    EXPECT_TRUE(lines[2].startsWith(QLatin1Char('(')) && lines[2].endsWith(QLatin1Char(')')))
        << qPrintable(lines[2]);
}

INSTANTIATE_TEST_SUITE_P(Files, StoreErrorTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
