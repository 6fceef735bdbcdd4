// Program entry: creates the application, the engine and the main window, which starts on the
// store named on the command line, beside the executable, or in the user's data folder.
#include "Form1.h"
#include "MessageSink.h"
#include "PuzzleEngine.h"
#include "StoreLocation.h"
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
    answerBoxesWhenUnattended(&app);

    PuzzleEngine engine;
    Form1 window(engine);
    // Without its store the program cannot run: a critical box says why, then it ends.
    const StoreLocation store = locateStore(applicationStoreInputs());
    if (!store.ok()) {
        MessageBoxSink(&window).inform(store.failure, MessageIcon::Critical);
        return 1;
    }
    if (!window.startUp(store.path))
        return 1;
    window.show();
    return QApplication::exec();
}
