// "Add All Text File(s) In Folder": every file with the typed extension in a chosen folder tree joins the list.
#include "folders/AddFolder.h"
#include "folders/Paths.h"
#include "folders/TreeFiles.h"
#include "platform/ApplicationTitle.h"
#include "ui/Settings.h"
#include "ui/WindowPointer.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/BatchWindowLabels.h"
#include "windows/batch/FileListModel.h"

#include <optional>

namespace quillora {

namespace {
const QString extensionPrompt = QStringLiteral(
    "Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all doc files, etc.)");

// Keeps the hourglass up while any click of this button is under way: a second click during the walk runs to
// its end inside the first one, and the arrow comes back only when the first ends too.
class BusyPointer
{
public:
    BusyPointer(WindowPointer& pointer_, int& running)
        : pointer_(pointer_)
        , running_(running)
    {
        ++running_;
        pointer_.setState(pointer::hourglass);
    }
    ~BusyPointer()
    {
        if (--running_ == 0)
            pointer_.setState(pointer::defaultArrow);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    WindowPointer& pointer_;
    int& running_;
};
} // namespace

void BatchWindow::addAllTextFilesInFolder()
{
    addAllTextFilesInFolder(QString());
}

void BatchWindow::addAllTextFilesInFolder(const QString& startFolder)
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::addAllTextFilesInFolder));
    SettingsStore& settings = services_.settings;
    QString proposed;
    QString answer;
    report.step(addfoldersteps::proposedExtension, [&] { proposed = GetSetting(settings, settingkeys::extension); });
    report.step(addfoldersteps::askExtension, [&] {
        answer = services_.messages.input({extensionPrompt, applicationTitle(), proposed});
    });
    if (!report.choice(addfoldersteps::extensionGiven, [&] { return !answer.isEmpty(); }))
        return;
    report.step(addfoldersteps::saveExtension, [&] { SaveSetting(settings, settingkeys::extension, answer); });

    QString chosen = startFolder;
    if (chosen.isEmpty()) {
        QString last;
        report.step(addfoldersteps::lastFolder, [&] { last = GetSetting(settings, settingkeys::lastFolder); });
        report.step(addfoldersteps::chooseFolder, [&] {
            chosen = BrowseForFolder(services_.dialogs, this, QStringLiteral("Please select folder:"), last);
        });
    }
    if (chosen.isEmpty())
        return;
    report.step(addfoldersteps::saveLastFolder, [&] { SaveSetting(settings, settingkeys::lastFolder, chosen); });

    std::optional<BusyPointer> busy;
    report.step(addfoldersteps::busy, [&] { busy.emplace(*pointer_, addingFolders_); });
    // A window closed during the walk ends the program: the walk stops at its next folder and nothing is listed.
    const bool walked = gatherTreeFiles(chosen, answer,
                                        {services_.events, services_.fileFacts,
                                         ErrorReport::boxTeller(services_.messages), [this] { return stopping_; }},
                                        report, [this](const QStringList& found) { fileList_->append(found); });
    if (!walked)
        return;
    report.step(addfoldersteps::idle, [&] { busy.reset(); });
}

} // namespace quillora
