// Program entry: creates the application, the engine and the main window, which starts on the
// store beside the executable.
#include "Form1.h"
#include "PuzzleEngine.h"
#include "QtFrench.h"
#include "UnattendedBoxes.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Every window of the program, the conflict dialog and the message boxes included.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/plimo.png")));
    // The name alone titles the message boxes; a display name would also be appended to
    // every window caption by the platform.
    QApplication::setApplicationName(QStringLiteral("Plimo"));
    // Without Qt's catalogue the program still runs, with Qt's buttons and choosers in English.
    useFrenchQtTexts(app);
    answerBoxesWhenUnattended(&app);

    PuzzleEngine engine;
    Form1 window(engine);
    // The critical box has been shown; without its store the program cannot run.
    if (!window.startUp(Form1::defaultStorePath()))
        return 1;
    window.show();
    return QApplication::exec();
}
