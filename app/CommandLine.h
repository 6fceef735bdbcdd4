// The program's command line: --help and --version, refusal of unknown options, and the game
// file it names. Qt's own options (-style, -platform, ...) are taken by QApplication.
#pragma once

#include <QStringList>

#include <optional>

// Before the application exists, so that no display is needed: --help or --version among the
// raw arguments prints the usage or the version on standard output (exit code 0), and an option
// that is neither this program's nor Qt's the usage on standard error (exit code 2). Returns
// nothing when the application is to be created.
std::optional<int> answerBeforeStart(int argc, char** argv);

// Once QApplication has taken its own options off: the same answers, or an unknown option with
// the usage on standard error (exit code 2). Returns nothing when the program is to run; files
// then holds the arguments that are not options.
std::optional<int> answerCommandLine(const QStringList& arguments, QStringList* files);
