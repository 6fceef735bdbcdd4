// Runs the real program offscreen with its boxes answered by the test library preloaded into it,
// which echoes each box's text on standard error.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int exitCode = -1; // -1: it crashed, or a box was left unanswered
    QString errors;
    QString out;
};

// The run of the program with the arguments; the working folder and the user's data folder are
// the test's own when given, else the test's.
inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             const QString& workDir = {}, const QString& dataHome = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(PLIMO_ANSWER_BOXES_LIBRARY));
    if (!dataHome.isEmpty())
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(environment);
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return ProgramRun{};
    return ProgramRun{process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
                      QString::fromUtf8(process.readAllStandardOutput())};
}
