// Parsing the command line with QCommandLineParser, and the French usage text.
#include "CommandLine.h"
#include "StoreNames.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

// One line of the usage. Only the rows with names are this program's options; the others are
// Qt's, which QApplication has already taken off the command line.
struct UsageRow {
    QStringList names;
    const char* syntax;
    const char* description;
};

const UsageRow kOptions[] = {
    {{QStringLiteral("h"), QStringLiteral("help")}, "-h, --help", "Affiche cette aide."},
    {{QStringLiteral("v"), QStringLiteral("version")}, "-v, --version", "Affiche la version."},
    {{}, "-style STYLE", "Le style des fenêtres (par exemple fusion ou windows)."},
    {{}, "-platform NOM", "La plateforme graphique (par exemple xcb, wayland ou offscreen)."},
};

QString usageText()
{
    QString text = QStringLiteral("Usage : plimo [options] [FICHIER]\n"
                                  "Outil du maître de jeu du plimo, jeu de lettres des forums.\n"
                                  "\nOptions :\n");
    for (const UsageRow& row : kOptions)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromUtf8(row.syntax), -17)
                    .arg(QString::fromUtf8(row.description));
    text += QStringLiteral("\nArgument :\n"
                           "  FICHIER          La partie à ouvrir. Sans lui, la première qui "
                           "convient :\n"
                           "                   la plus récente des parties récentes si son "
                           "fichier existe,\n"
                           "                   %1 à côté du programme,\n"
                           "                   sinon la partie de l'utilisateur.\n")
                .arg(usualGameFileName());
    return text;
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

void addOptions(QCommandLineParser& parser)
{
    for (const UsageRow& row : kOptions)
        if (!row.names.isEmpty())
            parser.addOption(QCommandLineOption(row.names, QString::fromUtf8(row.description)));
}

// Prints the usage or the version when the parsed command line asks for one.
std::optional<int> answerInformation(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, usageText());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("plimo " PLIMO_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

// Qt's own options, which QApplication takes off the command line, with one dash or two;
// those of the X11 platform included.
const QStringList kQtOptions =
    QStringLiteral("platform platformpluginpath platformtheme plugin qwindowgeometry geometry "
                   "qwindowtitle title qwindowicon icon reverse session testability qmljsdebugger "
                   "style stylesheet widgetcount display name sync nograb dograb")
        .split(u' ');

QString unknownOptionText(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("plimo : ligne de commande incorrecte.\n");
    return QStringLiteral("plimo : option inconnue « %1%2 ».\n")
        .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
}

void refuse(const QString& unknownName)
{
    print(stderr, unknownOptionText(unknownName) + QLatin1Char('\n') + usageText());
}

} // namespace

std::optional<int> answerBeforeStart(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Qt's options are still there: read as long options, "-reverse" holds no "-v". An option
    // that is neither Qt's nor this program's is refused here, since without a display the
    // application could not even be created to refuse it.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOptions(parser);
    parser.parse(arguments);
    if (const std::optional<int> exitCode = answerInformation(parser))
        return exitCode;
    for (const QString& name : parser.unknownOptionNames())
        if (!kQtOptions.contains(name)) {
            refuse(name);
            return 2;
        }
    return std::nullopt;
}

std::optional<int> answerCommandLine(const QStringList& arguments, QStringList* files)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        refuse(parser.unknownOptionNames().value(0));
        return 2;
    }
    if (const std::optional<int> exitCode = answerInformation(parser))
        return exitCode;
    *files = parser.positionalArguments();
    return std::nullopt;
}
