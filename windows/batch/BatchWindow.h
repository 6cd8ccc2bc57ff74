// The batch window: the file list, where the results go, and the run that converts every listed file.
#pragma once

#include "batchrun/BatchRun.h"
#include "platform/ErrorReport.h"
#include "platform/Services.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace quillora {

class FileListModel;
class PacedListModel;
class ProgressBarControl;
class WindowPointer;

class BatchWindow : public QWidget, private BatchRunView
{
    Q_OBJECT

public:
    explicit BatchWindow(Services services, QWidget* parent = nullptr);
    ~BatchWindow() override;

    // The opening steps: colours, caption, icon, title, hand cursor, the list's column, the destination options.
    void load();
    // Shows the window, running the opening steps the first time; afterwards the window keeps its content.
    void open();

    void goBack();
    void addTextFiles();
    void addAllTextFilesInFolder();
    // "Add All Text File(s) In Folder" starting from startFolder instead of the folder picker.
    void addAllTextFilesInFolder(const QString& startFolder);
    // Paths dropped on the list: files are added as "Add Text File(s)" adds them, folders as "Add All Text File(s)
    // In Folder" adds a folder, and anything else is named in one notice.
    void addDroppedPaths(const QStringList& paths);
    void clearList();
    void startConverting();
    void addSampleFiles();
    void browseForDestination();
    void resultsToFolderClicked();
    void resultsInPlaceClicked();
    void destinationFolderChanged();

    // Stops a run or a folder walk under way before its next file or folder: the program is ending.
    void stopWork();

    // The entries of the list, in the order added.
    FileListModel* fileList() const { return fileList_; }
    // The view's model, which passes appends on to the view in batches.
    PacedListModel* shownList() const { return shownList_; }
    WindowPointer* pointer() const { return pointer_; }
    // True while "Start Converting" runs.
    bool isConverting() const { return run_.isRunning(); }

signals:
    // "< Back": the main menu is wanted in place of this window.
    void mainMenuWanted();
    // "Load Sample/Example Files": the sample files are wanted in list.
    void sampleFilesWanted(FileListModel& list);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildList();
    // The four buttons below the list.
    void buildListButtons();
    // The two places a result may go, and the destination folder with its button.
    void buildSaveOptions();
    // The arrow over the list and the frames, the hand over the buttons.
    void followPointer();
    // The names and descriptions a screen reader gives the controls.
    void speakControls();
    void connectHandlers();
    void restoreDestinationOptions(ErrorReport& report);
    // Appends a file given by the dialog or a drop, or tells why its name is not taken.
    void addChosenFile(const QString& path);
    void storeOptionsAndEnableDestination();

    // What the run asks of the window.
    qsizetype entryCount() const override;
    QString entryAt(qsizetype position) const override;
    BatchDestination destination() const override;
    AnsiCodePage ansiCodePage() const override;
    void showPercent(double percent) override;
    void showCaption(const QString& caption) override;
    void letEventsThrough() override;
    void stillWaiting() override;
    void showBusy(bool busy) override;
    void stepFailed(const StepFailure& failure, const QString& source) override;
    void notTextFile(const QString& source) override;
    void folderMissing() override;
    void done() override;

    Services services_;
    BatchRun run_;
    bool loaded_ = false;
    // Set when the program is ending; a walk under way stops at its next folder.
    bool stopping_ = false;
    // Clicks of "Add All Text File(s) In Folder" under way; more than one when clicked again during a walk.
    int addingFolders_ = 0;

    QPushButton* backButton_ = nullptr;
    QTreeView* listView_ = nullptr;
    // The entries; the view shows them through shownList_, which passes appends on in batches.
    FileListModel* fileList_ = nullptr;
    PacedListModel* shownList_ = nullptr;
    QPushButton* addFilesButton_ = nullptr;
    QPushButton* addFolderButton_ = nullptr;
    QPushButton* clearListButton_ = nullptr;
    QPushButton* addSamplesButton_ = nullptr;
    QGroupBox* saveOptionFrame_ = nullptr;
    QRadioButton* resultsToFolder_ = nullptr;
    QGroupBox* destinationFrame_ = nullptr;
    QLineEdit* destinationFolder_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QRadioButton* resultsInPlace_ = nullptr;
    QPushButton* startButton_ = nullptr;
    ProgressBarControl* progressBar_ = nullptr;
    WindowPointer* pointer_ = nullptr;
};

} // namespace quillora
