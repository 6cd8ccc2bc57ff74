// Starts the program, feeds its input, and kills it when it runs past its bound.
#include "cli/ProgramRun.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace quillora::testing {

namespace {
constexpr int boundMs = 60000;

ProgramRun run(const QString& program, const QStringList& arguments, const QByteArray& input,
               const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment.isEmpty() ? environmentWithLocale(QStringLiteral("C.UTF-8"))
                                                        : environment);
    process.start(program, arguments);
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
    ProgramRun ran;
    ran.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ran.out = process.readAllStandardOutput();
    ran.err = process.readAllStandardError();
    return ran;
}
} // namespace

ProgramRun runProgram(const QStringList& arguments, const QByteArray& input, const QProcessEnvironment& environment)
{
    return run(QStringLiteral(QUILLORA_PROGRAM), arguments, input, environment);
}

ProgramRun runProgramThrough(const QStringList& wrapper, const QStringList& arguments, const QByteArray& input,
                             const QProcessEnvironment& environment)
{
    const QStringList command = wrapper + QStringList{QStringLiteral(QUILLORA_PROGRAM)} + arguments;
    return run(command.first(), command.mid(1), input, environment);
}

ProgramRun runShell(const QString& script, const QStringList& arguments, const QProcessEnvironment& environment)
{
    return run(QStringLiteral("bash"), QStringList{"-c", script, QStringLiteral(QUILLORA_PROGRAM)} + arguments, {},
               environment);
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
