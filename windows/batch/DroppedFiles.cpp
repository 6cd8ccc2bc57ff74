// Files and folders dropped on the batch window's list join it as the two add buttons would add them.
#include "folders/Paths.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/BatchWindowLabels.h"

namespace quillora {

namespace {
QString leftOutMessage(const QStringList& paths)
{
    return QStringLiteral("Only files and folders can be added to the list. Not added:\r\r") + paths.join(u'\r');
}
} // namespace

void BatchWindow::addDroppedPaths(const QStringList& paths)
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::addTextFiles));
    QStringList leftOut;
    for (const QString& path : paths) {
        if (services_.fileFacts.opensAsExistingFile(path)) {
            report.step(addfilessteps::letEventsThrough, [&] { services_.events.letEventsThrough(); });
            if (stopping_)
                return;
            report.step(addfilessteps::addFile, [&] { addChosenFile(path); });
        } else if (FolderExists(path, services_.fileFacts)) {
            addAllTextFilesInFolder(path);
            if (stopping_)
                return;
        } else {
            leftOut.append(path);
        }
    }
    if (!leftOut.isEmpty())
        services_.messages.notice(leftOutMessage(leftOut));
}

} // namespace quillora
