// The program's command line: --help and --version, refusal of unknown options, and the game
// file it names. Qt's own options (-style, -platform, ...) are taken by QApplication first.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Answers the options that end the run at once: the usage or the version on standard output
// (exit code 0), or an unknown option with the usage on standard error (exit code 2). Returns
// nothing when the program is to run; files then holds the arguments that are not options.
std::optional<int> answerCommandLine(const QStringList& arguments, const QString& version,
                                     QStringList* files);
