// Standard input is spooled to a temporary file without a name, so memory stays bounded whatever its size and
// nothing is left behind however the program ends, and read back by the reading rule like any file; the result
// goes to standard output piece by piece.
#include "app/StandardInput.h"

#include "app/StopSignals.h"
#include "engine/ReadingRule.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace quillora {

namespace {
constexpr qsizetype spoolPieceBytes = 1 << 20;

// Thrown when a stop signal comes.
struct Stopped
{ };

void stopIfAsked()
{
    if (caughtStopSignal() != 0)
        throw Stopped();
}

// Writes all of bytes to fd, going on after a short write; a stop signal ends even a write that waits on a full
// pipe.
void writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = writeUnlessStopped(fd, bytes.data(), size_t(bytes.size()));
        if (written < 0) {
            stopIfAsked();
            if (errno == EINTR)
                continue;
            if (errno == EPIPE)
                throw Failure(QStringLiteral("Broken pipe"));
            throw errno == ENOSPC ? Failure::diskFull() : Failure::deviceIo();
        }
        bytes = bytes.sliced(written);
    }
}

// A file in the temporary folder that has no name from the start, or loses it at once where the file system
// cannot make such files; it is gone when its descriptor is closed.
class Spool
{
public:
    Spool()
    {
        const QByteArray folder = QFile::encodeName(QDir::tempPath());
#ifdef O_TMPFILE
        fd_ = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#endif
        if (fd_ < 0) {
            QByteArray name = folder + "/quillora-stdin-XXXXXX";
            fd_ = ::mkostemp(name.data(), O_CLOEXEC);
            if (fd_ >= 0)
                ::unlink(name.constData());
        }
        if (fd_ < 0)
            throw Failure::permissionDenied();
    }
    ~Spool()
    {
        ::close(fd_);
    }
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    int fd() const
    {
        return fd_;
    }
    // A path that opens the file again through its descriptor.
    QString path() const
    {
        return QStringLiteral("/dev/fd/%1").arg(fd_);
    }

private:
    int fd_ = -1;
};

void spool(const Spool& file)
{
    QByteArray piece(spoolPieceBytes, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = readUnlessStopped(STDIN_FILENO, piece.data(), size_t(piece.size()));
        stopIfAsked();
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Failure::deviceIo();
        }
        writeAll(file.fd(), QByteArrayView(piece).first(got));
    }
}

StreamOutcome convertSpooled(AnsiCodePage page, QString& failure)
{
    std::optional<Spool> spooled;
    if (std::optional<StepFailure> failed = tryStep(0, [&] {
            spooled.emplace();
            spool(*spooled);
        })) {
        failure = failed->description;
        return StreamOutcome::Failed;
    }
    OrFailure<RuleReading> reading = readByRule(spooled->path(), {0, 0, 0, 0, 0}, ReadingMode::InFile, page);
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
