// Program entry: creates the application, the engine and the main window.
#include "Form1.h"
#include "PuzzleEngine.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The name alone titles the message boxes; a display name would also be appended to
    // every window caption by the platform.
    QApplication::setApplicationName(QStringLiteral("Plimo"));

    PuzzleEngine engine;
    Form1 window(engine);
    window.show();
    return QApplication::exec();
}
