// Which game store a run opens: a file named on the command line, the game opened last, the store
// beside the executable (a portable folder), or the user's own game copied from the packaged
// default store.
#pragma once

#include <QString>
#include <QStringList>

// What the choice depends on, gathered once at start-up so that it can be given by tests.
struct StoreLocationInputs {
    QStringList arguments; // the program's arguments, its own name first
    QString executableDir;
    QString currentDir;      // relative paths on the command line start here
    QString xdgDataHome;     // $XDG_DATA_HOME, empty when unset
    QString home;            // $HOME
    QStringList recentGames; // the user's recent games, most recent first
};

// The store to open, or the text of the critical box when no store can be given.
struct StoreLocation {
    QString path;          // absolute; empty on failure
    QString failure;       // the reason, then the path concerned on a second line (CR alone)
    qsizetype recent = -1; // its place in the recent games; -1 for any other choice

    bool ok() const { return failure.isEmpty(); }
};

// Picks the store, in this order:
//  1. the one file named on the command line (it is opened as is: a missing file is reported
//     by the store, and nothing is created);
//  2. the most recent game that is still there (a caller that cannot open it may pick again
//     without it);
//  3. plimo.mdb beside the executable;
//  4. when the packaged default ../share/plimo/plimo.mdb stands beside the executable's folder,
//     the user's game in <data home>/plimo/plimo.mdb, copied from the default on the first run
//     and never replaced afterwards;
//  5. plimo.mdb beside the executable again, for the store's own "missing file" report.
// A failed first copy leaves nothing behind: no partial file, no folder made for it.
StoreLocation locateStore(const StoreLocationInputs& inputs);

// Where the choosers of a new game file open: the open game's folder, unless that is Plimo's own
// data folder (hidden in a packaged install), then the user's documents folder.
QString newGameFolder(const QString& gamePath, const StoreLocationInputs& inputs,
                      const QString& documents);

// The inputs of the running application (QCoreApplication must exist).
StoreLocationInputs applicationStoreInputs();
