// Starts the program, feeds its input, and kills it when it runs past its bound.
#include "cli/ProgramRun.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace quillora::testing {

namespace {
constexpr int boundMs = 60000;
} // namespace

ProgramRun runProgram(const QStringList& arguments, const QByteArray& input, const QProcessEnvironment& environment)
{
    return runProgramThrough({}, arguments, input, environment);
}

ProgramRun runProgramThrough(const QStringList& wrapper, const QStringList& arguments, const QByteArray& input,
                             const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment.isEmpty() ? environmentWithLocale(QStringLiteral("C.UTF-8"))
                                                        : environment);
    const QStringList command = wrapper + QStringList{QStringLiteral(QUILLORA_PROGRAM)} + arguments;
    process.start(command.first(), command.mid(1));
    if (!process.waitForStarted(boundMs)) {
        ADD_FAILURE() << "quillora did not start";
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(boundMs)) {
        process.kill();
        process.waitForFinished(boundMs);
        ADD_FAILURE() << "quillora did not end in time";
    }
    ProgramRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QProcessEnvironment environmentWithLocale(const QString& locale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The command line must need neither a display nor a platform plugin.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_CTYPE", "LANG"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LC_ALL"), locale);
    // No stored code page unless a test stores one.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("/nonexistent/quillora-test-settings"));
    return environment;
}

} // namespace quillora::testing
