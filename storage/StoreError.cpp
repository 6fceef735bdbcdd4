// Classifying store failures and their French sentences.
#include "StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

#include <array>
#include <utility>

namespace {

// SQLite's primary result codes met on the game's file, and what each says of it.
constexpr int kSqliteCantOpen = 14;
const std::array<std::pair<int, StoreErrorKind>, 6> kCodeKinds = {{
    {5, StoreErrorKind::Locked},      // busy
    {6, StoreErrorKind::Locked},      // locked
    {8, StoreErrorKind::ReadOnly},    // read-only
    {11, StoreErrorKind::Unreadable}, // corrupt
    {13, StoreErrorKind::DiskFull},   // full
    {26, StoreErrorKind::NotAGame},   // not a database
}};

struct Sentence {
    StoreErrorKind kind;
    const char* text; // %1 is the table's name
};

const std::array<Sentence, 8> kSentences = {{
    {StoreErrorKind::Missing, "Le fichier de la partie n'existe pas."},
    {StoreErrorKind::Unreadable, "Le fichier de la partie ne peut pas être lu."},
    {StoreErrorKind::ReadOnly,
     "Le fichier de la partie est en lecture seule : rien n'a pu y être enregistré."},
    {StoreErrorKind::NotAGame, "Ce fichier n'est pas une partie de Plimo."},
    {StoreErrorKind::MissingTable, "Il manque la table « %1 » dans le fichier de la partie."},
    {StoreErrorKind::Locked, "Le fichier de la partie est verrouillé par un autre programme."},
    {StoreErrorKind::DiskFull, "Le disque est plein : le fichier de la partie n'a pas pu être "
                               "écrit."},
    {StoreErrorKind::Other, "Le fichier de la partie n'a pas pu être lu ou écrit."},
}};

QString sentenceFor(const StoreError& error)
{
    for (const Sentence& sentence : kSentences)
        if (sentence.kind == error.kind) {
            const QString text = QString::fromUtf8(sentence.text);
            return error.kind == StoreErrorKind::MissingTable ? text.arg(error.table) : text;
        }
    return QString();
}

// SQLite cannot open the file: the file system tells why.
StoreErrorKind whyNotOpened(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QFileInfo(path).isSymLink() ? StoreErrorKind::Unreadable : StoreErrorKind::Missing;
    if (!file.isFile() || !file.isReadable())
        return StoreErrorKind::Unreadable;
    // Writing needs the file, and beside it the folder for SQLite's journal.
    if (!file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
        return StoreErrorKind::ReadOnly;
    return StoreErrorKind::Unreadable;
}

} // namespace

StoreError classifyStoreError(const QString& path, const QSqlError& error)
{
    StoreError result;
    result.databaseText = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool isNumber = false;
    // Extended codes keep the primary code in their low byte.
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    static const QRegularExpression noSuchTable(QStringLiteral("no such table: (\\S+)"));
    const QRegularExpressionMatch table = noSuchTable.match(result.databaseText);
    if (table.hasMatch()) {
        // An empty file opens as an empty database: it has no table at all.
        const QFileInfo file(path);
        result.kind = file.exists() && file.size() == 0 ? StoreErrorKind::NotAGame
                                                        : StoreErrorKind::MissingTable;
        result.table = table.captured(1);
        return result;
    }
    if (!isNumber)
        return result;
    if (code == kSqliteCantOpen)
        result.kind = whyNotOpened(path);
    for (const auto& [known, kind] : kCodeKinds)
        if (code == known)
            result.kind = kind;
    return result;
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString storeErrorMessage(const StoreError& error, const QString& path)
{
    QString message = sentenceFor(error) + QLatin1Char('\r') + nativePath(path);
    if (!error.databaseText.isEmpty())
        message += QStringLiteral("\r(") + error.databaseText + QLatin1Char(')');
    return message;
}

QString recoveryErrorMessage(const QSqlError& sqlError, const QString& path)
{
    const StoreError error = classifyStoreError(path, sqlError);
    constexpr int kReadOnlyDirectory = 8 | (6 << 8);
    const QFileInfo file(path);
    QString sentence;
    // Writing needs the folder too, for the record's file and SQLite's journal beside it.
    if (sqlError.nativeErrorCode().toInt() == kReadOnlyDirectory ||
        !QFileInfo(file.absolutePath()).isWritable())
        sentence = QStringLiteral("Le dossier de la partie ne peut pas être écrit : la copie de "
                                  "secours ne peut pas y être faite.");
    else if (error.kind == StoreErrorKind::DiskFull)
        sentence = QStringLiteral("Le disque est plein : la copie de secours n'a pas pu être "
                                  "écrite.");
    else if (error.kind == StoreErrorKind::Locked)
        sentence = QStringLiteral("La copie de secours est verrouillée par un autre programme.");
    else if (error.kind == StoreErrorKind::ReadOnly)
        sentence = QStringLiteral("La copie de secours est en lecture seule : elle n'a pas pu "
                                  "être écrite.");
    else
        sentence = QStringLiteral("La copie de secours n'a pas pu être écrite.");
    QString message = sentence + QLatin1Char('\r') + nativePath(path);
    if (!error.databaseText.isEmpty())
        message += QStringLiteral("\r(") + error.databaseText + QLatin1Char(')');
    return message;
}
