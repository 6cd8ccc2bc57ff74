// "Add Text File(s)": the files chosen in the open dialog are appended to the list, one event yield per file.
#include "folders/NameChecks.h"
#include "platform/NativeSeparator.h"
#include "shell/FileListModel.h"
#include "shell/Paths.h"
#include "windows/batch/Form3.h"

namespace quillora {

namespace {
QString badNameMessage(const QString& path)
{
    return path + QStringLiteral("\r\rwas not added because it has bad characters in the filename.");
}
} // namespace

void Form3::PushButton3_Click()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form3.PushButton3_Click")));
    QString selection;
    // Qt's dialog returns every chosen name whatever their number, so no selection is ever too large for it.
    report.step(100, [&] {
        selection = services_.dialogs.showOpen({QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
                                                QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"), true});
    });
    if (selection.isEmpty())
        return;
    const QStringList parts = selection.split(QChar(u'\0'));
    if (parts.size() == 1) {
        report.step(102, [&] {
            if (IsBadFileName(selection))
                services_.messages.notice(badNameMessage(selection));
            else
                fileList->append(selection);
        });
        return;
    }
    const QString folder = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        report.step(104, [&] { services_.events.letEventsThrough(); });
        if (closing_)
            return;
        report.step(106, [&] {
            const QString path = FixDoubleBackslashes(folder + nativeSeparator() + parts[i]);
            if (IsBadFileName(path))
                services_.messages.notice(badNameMessage(path));
            else
                fileList->append(path);
        });
    }
}

} // namespace quillora
