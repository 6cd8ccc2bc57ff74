// "Start Converting": the window shows the batch run over its list, with one event yield per file.
#include "batchrun/BatchRun.h"
#include "ui/Controls.h"
#include "ui/Settings.h"
#include "ui/WindowPointer.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/BatchWindowLabels.h"
#include "windows/batch/FileListModel.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

namespace quillora {

void BatchWindow::startConverting()
{
    run_.run();
}

qsizetype BatchWindow::entryCount() const
{
    return fileList_->count();
}

QString BatchWindow::entryAt(qsizetype position) const
{
    return fileList_->entryAt(position);
}

BatchDestination BatchWindow::destination() const
{
    // Only "beside the source" writes there; otherwise the results go to the chosen folder.
    return {resultsInPlace_->isChecked(), destinationFolder_->text()};
}

AnsiCodePage BatchWindow::ansiCodePage() const
{
    return storedAnsiCodePage(services_.settings);
}

void BatchWindow::showPercent(double percent)
{
    progressBar_->setPercent(percent);
}

void BatchWindow::showCaption(const QString& caption)
{
    progressBar_->setCaption(caption);
}

void BatchWindow::letEventsThrough()
{
    services_.events.letEventsThrough();
}

void BatchWindow::stillWaiting()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void BatchWindow::showBusy(bool busy)
{
    // Asked once per file: setting the cursor again sends it to the display again.
    const int state = busy ? pointer::hourglass : pointer::defaultArrow;
    if (pointer_->state() != state)
        pointer_->setState(state);
}

void BatchWindow::stepFailed(const StepFailure& failure, const QString&)
{
    ErrorReport(services_.messages, ErrorReport::programOrigin(batchlabels::startConverting)).report(failure);
}

void BatchWindow::notTextFile(const QString& source)
{
    services_.messages.notice(BatchRun::notTextMessage(source));
}

void BatchWindow::folderMissing()
{
    services_.messages.notice(BatchRun::folderMissingMessage());
}

void BatchWindow::done()
{
    services_.messages.notice(QStringLiteral("Done."));
}

} // namespace quillora
