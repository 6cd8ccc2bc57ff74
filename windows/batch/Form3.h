// The batch window: the file list, where the results go, and the run that converts every listed file.
#pragma once

#include "platform/ErrorReport.h"
#include "platform/Services.h"

#include <QWidget>
#include <functional>

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

class Form3 : public QWidget
{
public:
    Form3(Services services, std::function<void()> showMainMenu, QWidget* parent = nullptr);

    // The opening steps: colours, caption, icon, title, hand cursor, the list's column, the destination options.
    void Form_Load();
    // Shows the window, running the opening steps the first time; afterwards the window keeps its content.
    void Show();

    void PushButton1_Click();
    void PushButton3_Click();
    void PushButton11_Click();
    void PushButton12_Click();
    void PushButton13_Click();
    void PushButton14_Click();
    void PushButton15_Click();
    void Option1_Click();
    void Option2_Click();
    void Text5_Change();

    // Adds the sample files to the list; connected by the start-up, does nothing until then.
    std::function<void(FileListModel&)> addSampleFiles;

    QPushButton* PushButton1 = nullptr;
    QTreeView* ListView1 = nullptr;
    // The entries; the view shows them through shownList, which passes appends on in batches.
    FileListModel* fileList = nullptr;
    PacedListModel* shownList = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton11 = nullptr;
    QPushButton* PushButton12 = nullptr;
    QPushButton* PushButton14 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QRadioButton* Option1 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QPushButton* PushButton15 = nullptr;
    QRadioButton* Option2 = nullptr;
    QPushButton* PushButton13 = nullptr;
    ProgressBarControl* ProgressBar1 = nullptr;
    WindowPointer* pointer = nullptr;

    // True while "Start Converting" runs.
    bool IsConverting = false;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void restoreDestinationOptions(ErrorReport& report);
    void storeOptionsAndEnableFrame4();

    // The steps of one run after the guard; see Form3Run.cpp.
    void runOverList(ErrorReport& report);
    enum class FileOutcome
    {
        Next,
        EndRun,
        Closing
    };
    FileOutcome convertListEntry(ErrorReport& report, qsizetype position);
    void endRun(ErrorReport& report);

    Services services_;
    std::function<void()> showMainMenu_;
    bool loaded_ = false;
    // Set when the window is closed; a run in progress stops before its next file.
    bool closing_ = false;
    // Clicks of "Add All Text File(s) In Folder" under way; more than one when clicked again during a walk.
    int addingFolders_ = 0;
};

} // namespace quillora
