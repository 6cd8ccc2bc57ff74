// The batch window's controls, its opening and closing, "< Back", "Clear List" and the sample files button.
#include "windows/batch/BatchWindow.h"

#include "folders/Paths.h"
#include "ui/Controls.h"
#include "ui/FileDrops.h"
#include "ui/Settings.h"
#include "ui/Styling.h"
#include "ui/WindowPointer.h"
#include "windows/batch/BatchWindowLabels.h"
#include "windows/batch/FileListModel.h"
#include "windows/batch/PacedListModel.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

namespace quillora {

namespace {
template <typename Control> Control* named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QFont windowFont()
{
    QFont font(QStringLiteral("Arial Black"));
    font.setPointSizeF(12);
    font.setWeight(QFont::Black);
    return font;
}
} // namespace

BatchWindow::BatchWindow(Services services, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , run_(*this, services_.fileFacts)
{
    setObjectName(QStringLiteral("batchWindow"));
    setWindowTitle(QStringLiteral("Form3"));
    makeFixedWindow(this, 8040, 8565);
    setFont(windowFont());
    buildControls();
    connectHandlers();
}

void BatchWindow::buildControls()
{
    // Made in the order the focus moves through them.
    backButton_ = named(makePushButton(this, QStringLiteral("< Back"), twips(120, 120, 7800, 405)), "back");
    buildList();
    buildListButtons();
    buildSaveOptions();
    startButton_ = named(makePushButton(this, QStringLiteral("Start Converting"), twips(120, 7530, 7800, 405)),
                         "startConverting");
    progressBar_ = named(new ProgressBarControl(this), "progressBar");
    progressBar_->setGeometry(twips(120, 8050, 7800, 405));
    speakControls();
    followPointer();
}

void BatchWindow::buildListButtons()
{
    addFilesButton_
        = named(makePushButton(this, QStringLiteral("Add Text File(s)"), twips(120, 4620, 3860, 405)), "addTextFiles");
    addFolderButton_
        = named(makePushButton(this, QStringLiteral("Add All Text File(s) In Folder"), twips(4080, 4620, 3855, 405)),
                "addAllTextFilesInFolder");
    clearListButton_
        = named(makePushButton(this, QStringLiteral("Clear List"), twips(120, 5130, 3860, 405)), "clearList");
    addSamplesButton_
        = named(makePushButton(this, QStringLiteral("Load Sample/Example Files"), twips(4080, 5130, 3855, 405)),
                "addSampleFiles");
}

void BatchWindow::buildList()
{
    fileList_ = new FileListModel(this);
    listView_ = named(new QTreeView(this), "fileListView");
    listView_->setGeometry(twips(120, 630, 7800, 3885));
    listView_->setFont(arialBold(9));
    shownList_ = new PacedListModel(*fileList_, this);
    listView_->setModel(shownList_);
    listView_->setRootIsDecorated(false);
    listView_->setItemsExpandable(false);
    listView_->setUniformRowHeights(true);
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView_->setDragDropMode(QAbstractItemView::NoDragDrop);
    // Files and folders from a file manager may be dropped on the list; its own entries are not dragged.
    auto* drops = new FileDrops(listView_->viewport(), [](const QStringList&) { return true; });
    connect(drops, &FileDrops::dropped, this, &BatchWindow::addDroppedPaths);
    listView_->setExpandsOnDoubleClick(false);
    listView_->header()->setStretchLastSection(false);
}

void BatchWindow::buildSaveOptions()
{
    const QFont small = arialBold(9);
    saveOptionFrame_ = named(new QGroupBox(QStringLiteral("Save Option"), this), "saveOption");
    saveOptionFrame_->setGeometry(twips(120, 5590, 7800, 1815));
    saveOptionFrame_->setFont(small);
    // Both option buttons sit directly in saveOptionFrame_, so selecting one clears the other.
    resultsToFolder_
        = named(new QRadioButton(QStringLiteral("Save results to this folder:"), saveOptionFrame_), "resultsToFolder");
    resultsToFolder_->setGeometry(twips(240, 300, 3615, 255));
    resultsToFolder_->setFont(small);
    destinationFrame_ = named(new QGroupBox(saveOptionFrame_), "destinationFrame");
    destinationFrame_->setGeometry(twips(480, 510, 6840, 810));
    destinationFrame_->setFont(small);
    destinationFolder_ = named(new QLineEdit(destinationFrame_), "destinationFolder");
    destinationFolder_->setGeometry(twips(240, 300, 5550, 375));
    destinationFolder_->setFont(small);
    browseButton_ = named(makePushButton(destinationFrame_, QStringLiteral("..."), twips(6000, 300, 600, 345)),
                          "browseForDestination");
    resultsInPlace_
        = named(new QRadioButton(QStringLiteral("Save results in folder of original file"), saveOptionFrame_),
                "resultsInPlace");
    resultsInPlace_->setGeometry(twips(240, 1410, 3615, 255));
    resultsInPlace_->setFont(small);
}

void BatchWindow::followPointer()
{
    pointer_ = new WindowPointer(this);
    for (QWidget* control : {static_cast<QWidget*>(destinationFrame_), static_cast<QWidget*>(saveOptionFrame_),
                             static_cast<QWidget*>(listView_), listView_->viewport(),
                             static_cast<QWidget*>(listView_->header()), static_cast<QWidget*>(destinationFolder_)})
        pointer_->arrowOver(control);
    for (QPushButton* button : {backButton_, addFilesButton_, addFolderButton_, clearListButton_, startButton_,
                                addSamplesButton_, browseButton_})
        pointer_->handOver(button);
}

void BatchWindow::speakControls()
{
    const QString destination = QStringLiteral("Destination Folder");
    setSpokenText(backButton_, QStringLiteral("Returns to the main menu"));
    setSpokenText(listView_, QStringLiteral("The files to convert; drop files or folders here to add them"),
                  QStringLiteral("Text File(s)"));
    setSpokenText(addFilesButton_, QStringLiteral("Adds text files chosen in a file dialog"));
    setSpokenText(addFolderButton_,
                  QStringLiteral("Adds every file with a chosen extension in a folder and in all folders below it"));
    setSpokenText(clearListButton_, QStringLiteral("Removes every file from the list"));
    setSpokenText(addSamplesButton_, QStringLiteral("Adds the sample text files"));
    setSpokenText(saveOptionFrame_, QStringLiteral("Where the converted files are saved"));
    setSpokenText(resultsToFolder_, QStringLiteral("Saves the converted files to the destination folder"));
    setSpokenText(destinationFrame_, QStringLiteral("Holds the destination folder and the button that chooses it"),
                  destination);
    setSpokenText(destinationFolder_, QStringLiteral("The folder the converted files are saved to"), destination);
    setSpokenText(browseButton_, QStringLiteral("Chooses the destination folder in a folder picker"),
                  QStringLiteral("Choose Destination Folder"));
    setSpokenText(resultsInPlace_,
                  QStringLiteral("Saves each converted file in the folder of its original, in place of it"));
    setSpokenText(startButton_, QStringLiteral("Converts every file of the list"));
    setSpokenText(progressBar_, QStringLiteral("Shows the file being converted and how far the run has come"),
                  QStringLiteral("Progress Bar"));
}

void BatchWindow::connectHandlers()
{
    connect(backButton_, &QPushButton::clicked, this, [this] { goBack(); });
    connect(addFilesButton_, &QPushButton::clicked, this, [this] { addTextFiles(); });
    connect(addFolderButton_, &QPushButton::clicked, this, [this] { addAllTextFilesInFolder(); });
    connect(clearListButton_, &QPushButton::clicked, this, [this] { clearList(); });
    connect(startButton_, &QPushButton::clicked, this, [this] { startConverting(); });
    connect(addSamplesButton_, &QPushButton::clicked, this, [this] { addSampleFiles(); });
    connect(browseButton_, &QPushButton::clicked, this, [this] { browseForDestination(); });
    connect(resultsToFolder_, &QRadioButton::clicked, this, [this] { resultsToFolderClicked(); });
    connect(resultsInPlace_, &QRadioButton::clicked, this, [this] { resultsInPlaceClicked(); });
    connect(destinationFolder_, &QLineEdit::textChanged, this, [this] { destinationFolderChanged(); });
}

BatchWindow::~BatchWindow() = default;

void BatchWindow::load()
{
    loaded_ = true;
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::load));
    report.step(loadsteps::systemColors, [&] { SetSystemColors(this); });
    report.step(loadsteps::captionIconAndTitle, [&] { setCaptionIconAndTitle(this); });
    if (report.choice(loadsteps::handCursorExists,
                      [&] { return FileExists(handCursorPath(services_.programFolder), services_.fileFacts); }))
        report.step(loadsteps::loadHandCursor,
                    [&] { loadHandCursor(*pointer_, services_.programFolder, services_.fileFacts); });
    report.step(loadsteps::listColumnWidth, [&] { listView_->setColumnWidth(0, twipsToPixels(7000)); });
    restoreDestinationOptions(report);
    centreOnScreen(this);
}

void BatchWindow::open()
{
    if (!loaded_)
        load();
    show();
    raise();
    activateWindow();
}

void BatchWindow::showEvent(QShowEvent* event)
{
    stopping_ = false;
    QWidget::showEvent(event);
}

void BatchWindow::stopWork()
{
    stopping_ = true;
    run_.requestStop();
}

void BatchWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    stopWork();
    SaveSettingQuietly(services_.settings, settingkeys::formStart, QStringLiteral("3"));
    if (services_.endProgram)
        services_.endProgram();
}

void BatchWindow::goBack()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::goBack));
    report.step(gobacksteps::showMainMenu, [&] { emit mainMenuWanted(); });
    report.step(gobacksteps::hide, [&] { hide(); });
}

void BatchWindow::clearList()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::clearList));
    // A command that adds files or converts shows the hourglass; the list is not cleared under it.
    if (report.choice(clearliststeps::notBusy, [&] { return pointer_->state() != pointer::hourglass; }))
        report.step(clearliststeps::clear, [&] { fileList_->clear(); });
}

void BatchWindow::addSampleFiles()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(batchlabels::addSampleFiles));
    report.step(samplesteps::addSamples, [&] { emit sampleFilesWanted(*fileList_); });
}

} // namespace quillora
