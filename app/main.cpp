// Program entry: answers --help and --version, creates the application, refuses unknown
// options, then creates the game and the main window, which starts on the store named on the
// command line, beside the executable, or in the user's data folder.
#include "CommandLine.h"
#include "EndOnTerm.h"
#include "Form1.h"
#include "GameController.h"
#include "QtFrench.h"
#include "StoreLocation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (const std::optional<int> exitCode = answerBeforeStart(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    // Every window of the program, the conflict dialog and the message boxes included.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/plimo.png")));
    // The name alone titles the message boxes; a display name would also be appended to
    // every window caption by the platform.
    QApplication::setApplicationName(QStringLiteral("Plimo"));
    // The launcher's name, which Wayland matches the window with (its icon, its entry).
    QGuiApplication::setDesktopFileName(QStringLiteral(PLIMO_APP_ID));
    // Without Qt's catalogue the program still runs, with Qt's buttons and choosers in English.
    useFrenchQtTexts(app);
    endOnTerm();

    GameController game;
    StoreLocationInputs inputs = applicationStoreInputs();
    QStringList files;
    if (const std::optional<int> exitCode = answerCommandLine(inputs.arguments, &files))
        return *exitCode;
    inputs.arguments = QStringList{inputs.arguments.value(0)} + files;

    Form1 window(game);
    // The critical box has been shown; without its store the program cannot run.
    if (!window.startUp(inputs))
        return 1;
    window.show();
    const int code = QApplication::exec();
    game.runEnded();
    return code;
}
