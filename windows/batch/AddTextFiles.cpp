// "Add Text File(s)": the files chosen in the open dialog are appended to the list, one event yield per file.
#include "folders/NameChecks.h"
#include "folders/Paths.h"
#include "platform/NativeSeparator.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/BatchWindowLabels.h"
#include "windows/batch/FileListModel.h"

namespace quillora {

namespace {
QString badNameMessage(const QString& path)
{
    return path + QStringLiteral("\r\rwas not added because it has bad characters in the filename.");
}
} // namespace

void BatchWindow::addTextFiles()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::addTextFiles));
    QString selection;
    // Qt's dialog returns every chosen name whatever their number, so no selection is ever too large for it.
    report.step(addfilessteps::chooseFiles, [&] {
        selection = services_.dialogs.showOpen({QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
                                                QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"), true});
    });
    if (selection.isEmpty())
        return;
    const QStringList parts = selection.split(QChar(u'\0'));
    if (parts.size() == 1) {
        report.step(addfilessteps::addOneFile, [&] { addChosenFile(selection); });
        return;
    }
    const QString folder = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        report.step(addfilessteps::letEventsThrough, [&] { services_.events.letEventsThrough(); });
        if (stopping_)
            return;
        report.step(addfilessteps::addFile,
                    [&] { addChosenFile(FixDoubleBackslashes(folder + nativeSeparator() + parts[i])); });
    }
}

void BatchWindow::addChosenFile(const QString& path)
{
    if (IsBadFileName(path, services_.fileFacts))
        services_.messages.notice(badNameMessage(path));
    else
        fileList_->append(path);
}

} // namespace quillora
