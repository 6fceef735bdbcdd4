// Build tool: writes a fresh default plimo.mdb (empty game, design-time look) unless one exists.
#include "GameFiles.h"
#include "PaneLook.h"
#include "StoreNames.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: plimo_default_store <path of %s>\n",
                     qUtf8Printable(usualGameFileName()));
        return 1;
    }
    // Made aside and renamed into place, so a stopped build never leaves a half-made store, and
    // a store made meanwhile is kept, never replaced.
    const QString target = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const StoreStatus made = createEmptyGame(target, designLookFields());
    if (!made && !nameTaken(target)) {
        std::fprintf(stderr, "plimo_default_store: %s\n", qUtf8Printable(made.message()));
        return 1;
    }
    return 0;
}
