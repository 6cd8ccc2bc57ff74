// Turns the run's captions and messages into terminal lines; the progress line is redrawn in place.
#include "app/TerminalView.h"

#include "app/CommandLineWords.h"
#include "app/TerminalText.h"
#include "batchrun/ConvertingSteps.h"
#include "platform/FolderMaking.h"
#include "platform/PathProblem.h"
#include "platform/Terminal.h"

#include <QFileInfo>

namespace quillora {

TerminalView::TerminalView(QStringList paths, BatchDestination destination, AnsiCodePage page, bool progress,
                           FILE* errors, std::function<bool()> stopWanted, LineBreak lineBreak)
    : paths_(std::move(paths))
    , destination_(std::move(destination))
    , page_(page)
    , progress_(progress)
    , errors_(errors)
    , stopWanted_(std::move(stopWanted))
    , lineBreak_(lineBreak)
{ }

QString TerminalView::entryAt(qsizetype position) const
{
    return paths_.at(position - 1);
}

QString TerminalView::resultPath(qsizetype position, const QString& source, const BatchDestination& destination)
{
    if (results_.isEmpty())
        return BatchRunView::resultPath(position, source, destination);
    const QString& result = results_.at(position - 1);
    makeFolderPath(QFileInfo(result).path());
    return result;
}

void TerminalView::fileStarted(qsizetype position, const QString& path)
{
    position_ = position;
    if (progress_)
        drawProgress(path);
}

bool TerminalView::stopWanted()
{
    if (!stopWanted_ || !stopWanted_())
        return false;
    stoppedBefore_ = position_;
    return true;
}

qsizetype TerminalView::notStartedCount() const
{
    return paths_.size() - (stoppedBefore_ > 0 ? stoppedBefore_ - 1 : position_);
}

void TerminalView::drawProgress(const QString& source)
{
    const QString counter = QStringLiteral("[%1/%2] ").arg(position_).arg(paths_.size());
    QString path = terminalSafe(source);
    // A line longer than the terminal would wrap, and the carriage return could not take it back; the end of the
    // path, with the file name, is kept.
    const qsizetype room = qMax(terminalColumns(errors_) - 1 - counter.size(), 4);
    if (path.size() > room)
        path = QStringLiteral("...") + path.last(room - 3);
    const QString line = counter + path;
    std::fputs(("\r" + line + "\x1b[K").toLocal8Bit().constData(), errors_);
    std::fflush(errors_);
    progressShown_ = true;
}

void TerminalView::clearProgress()
{
    if (!progressShown_)
        return;
    std::fputs("\r\x1b[K", errors_);
    std::fflush(errors_);
    progressShown_ = false;
}

void TerminalView::tell(const QString& line)
{
    clearProgress();
    std::fputs((terminalSafe(line) + u'\n').toLocal8Bit().constData(), errors_);
    std::fflush(errors_);
}

void TerminalView::stepFailed(const StepFailure& failure, const QString& source)
{
    if (source.isEmpty()) {
        tell(QStringLiteral("quillora: ") + terminalReason(failure.description));
        return;
    }
    // One line per entry, however many of its steps fail. A result put in place later belongs to an entry that
    // failed no other way, though the entry being worked on may have the same source.
    if (failure.line != convertingsteps::putInPlace) {
        if (toldPosition_ == position_)
            return;
        toldPosition_ = position_;
    }
    tell(source + QStringLiteral(": ") + reasonFor(failure, source));
}

QString TerminalView::reasonFor(const StepFailure& failure, const QString& source) const
{
    // The windows call a folder in the result's place a denied permission; the system names it.
    if (failure.line == convertingsteps::openResult && position_ > 0 && position_ <= results_.size()) {
        if (QString inTheWay = folderInTheWay(results_.at(position_ - 1)); !inTheWay.isEmpty())
            return inTheWay;
    }
    return terminalReason(failure.description, source);
}

void TerminalView::notTextFile(const QString& source)
{
    tell(source + QStringLiteral(": ") + notTextReason() + QStringLiteral(", left as it is"));
}

void TerminalView::folderMissing()
{
    destinationMissing_ = true;
    tell(destination_.folder + QStringLiteral(": ") + terminalReason(Failure::pathNotFound().description()));
}

QString summaryLine(int converted, int skipped, int failed)
{
    return QStringLiteral("%1 converted, %2 skipped, %3 failed").arg(converted).arg(skipped).arg(failed);
}

} // namespace quillora
