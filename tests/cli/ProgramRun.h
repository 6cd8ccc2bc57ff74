// Runs the built quillora program as a child process, bounded in time, and hands back what it did.
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

namespace quillora::testing {

struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The program with arguments, input on its standard input, in environment (the test's own when empty).
ProgramRun runProgram(const QStringList& arguments, const QByteArray& input = {},
                      const QProcessEnvironment& environment = {});
// bash running script with $0 the program and $1... the arguments, for what a QProcess cannot set up itself:
// closed descriptors, pipelines, arguments that are not UTF-8 (printf '%b' makes them from \xNN).
ProgramRun runShell(const QString& script, const QStringList& arguments, const QProcessEnvironment& environment = {});
// The same started through wrapper, a command line that runs the command given after it (setpriv, prlimit, ...).
ProgramRun runProgramThrough(const QStringList& wrapper, const QStringList& arguments, const QByteArray& input = {},
                             const QProcessEnvironment& environment = {});
// The test's environment with no display and the locale variables set to locale.
QProcessEnvironment environmentWithLocale(const QString& locale);

} // namespace quillora::testing
