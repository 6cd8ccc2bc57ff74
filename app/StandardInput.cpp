// Standard input is spooled to a temporary file, so memory stays bounded whatever its size, and read back
// by the reading rule like any file; the result goes to standard output piece by piece.
#include "app/StandardInput.h"

#include "app/StopSignals.h"
#include "engine/ReadingRule.h"

#include <QDir>
#include <QTemporaryFile>
#include <cerrno>
#include <unistd.h>

namespace quillora {

namespace {
constexpr qsizetype spoolPieceBytes = 1 << 20;

// Thrown when a stop signal comes: the spool file is removed on the way out.
struct Stopped
{ };

void stopIfAsked()
{
    if (caughtStopSignal() != 0)
        throw Stopped();
}

// Writes all of bytes to fd, going on after an interrupted or short write.
void writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(fd, bytes.data(), size_t(bytes.size()));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw errno == ENOSPC ? Failure::diskFull() : Failure::deviceIo();
        }
        bytes = bytes.sliced(written);
    }
}

void spool(QTemporaryFile& file)
{
    if (!file.open())
        throw Failure::permissionDenied();
    QByteArray piece(spoolPieceBytes, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, piece.data(), size_t(piece.size()));
        stopIfAsked();
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Failure::deviceIo();
        }
        writeAll(file.handle(), QByteArrayView(piece).first(got));
    }
    file.close();
}

StreamOutcome convertSpooled(AnsiCodePage page, QString& failure)
{
    QTemporaryFile spooled(QDir::tempPath() + QStringLiteral("/quillora-stdin-XXXXXX"));
    if (std::optional<StepFailure> failed = tryStep(0, [&] { spool(spooled); })) {
        failure = failed->description;
        return StreamOutcome::Failed;
    }
    OrFailure<RuleReading> reading = readByRule(spooled.fileName(), {0, 0, 0, 0, 0}, ReadingMode::InFile, page);
    if (!reading) {
        failure = reading.failure().description;
        return StreamOutcome::Failed;
    }
    if (reading->isBinary())
        return StreamOutcome::Skipped;
    if (std::optional<StepFailure> failed = tryStep(0, [&] {
            reading->text.wordsToLinesUtf8([](QByteArrayView bytes) {
                stopIfAsked();
                writeAll(STDOUT_FILENO, bytes);
            });
        })) {
        failure = failed->description;
        return StreamOutcome::Failed;
    }
    return StreamOutcome::Converted;
}
} // namespace

StreamOutcome convertStandardInput(AnsiCodePage page, QString& failure)
{
    try {
        return convertSpooled(page, failure);
    } catch (const Stopped&) {
        return StreamOutcome::Stopped;
    }
}

} // namespace quillora
