// The batch window's controls, its opening and closing, "< Back", "Clear List" and the sample files button.
#include "windows/batch/Form3.h"

#include "shell/Controls.h"
#include "shell/FileListModel.h"
#include "shell/Paths.h"
#include "shell/Settings.h"
#include "shell/Styling.h"
#include "shell/WindowPointer.h"
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
QString origin(const char* procedure)
{
    return ErrorReport::programOrigin(QStringLiteral("Form3.") + QLatin1String(procedure));
}

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

Form3::Form3(Services services, std::function<void()> showMainMenu, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , showMainMenu_(std::move(showMainMenu))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    makeFixedWindow(this, 8040, 8565);
    setFont(windowFont());
    buildControls();
    connectHandlers();
}

void Form3::buildControls()
{
    const QFont small = arialBold(9);

    PushButton1 = named(makePushButton(this, QStringLiteral("< Back"), twips(120, 120, 7800, 405)), "PushButton1");

    fileList = new FileListModel(this);
    ListView1 = named(new QTreeView(this), "ListView1");
    ListView1->setGeometry(twips(120, 630, 7800, 3885));
    ListView1->setFont(small);
    shownList = new PacedListModel(*fileList, this);
    ListView1->setModel(shownList);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setDragDropMode(QAbstractItemView::NoDragDrop);
    ListView1->setAcceptDrops(false);
    ListView1->setExpandsOnDoubleClick(false);
    ListView1->header()->setStretchLastSection(false);

    PushButton3
        = named(makePushButton(this, QStringLiteral("Add Text File(s)"), twips(120, 4620, 3860, 405)), "PushButton3");
    PushButton11
        = named(makePushButton(this, QStringLiteral("Add All Text File(s) In Folder"), twips(4080, 4620, 3855, 405)),
                "PushButton11");
    PushButton12
        = named(makePushButton(this, QStringLiteral("Clear List"), twips(120, 5130, 3860, 405)), "PushButton12");
    PushButton14
        = named(makePushButton(this, QStringLiteral("Load Sample/Example Files"), twips(4080, 5130, 3855, 405)),
                "PushButton14");

    Frame5 = named(new QGroupBox(QStringLiteral("Save Option"), this), "Frame5");
    Frame5->setGeometry(twips(120, 5590, 7800, 1815));
    Frame5->setFont(small);
    // Both option buttons sit directly in Frame5, so selecting one clears the other.
    Option1 = named(new QRadioButton(QStringLiteral("Save results to this folder:"), Frame5), "Option1");
    Option1->setGeometry(twips(240, 300, 3615, 255));
    Option1->setFont(small);
    Frame4 = named(new QGroupBox(Frame5), "Frame4");
    Frame4->setGeometry(twips(480, 510, 6840, 810));
    Frame4->setFont(small);
    Text5 = named(new QLineEdit(Frame4), "Text5");
    Text5->setGeometry(twips(240, 300, 5550, 375));
    Text5->setFont(small);
    PushButton15 = named(makePushButton(Frame4, QStringLiteral("..."), twips(6000, 300, 600, 345)), "PushButton15");
    Option2 = named(new QRadioButton(QStringLiteral("Save results in folder of original file"), Frame5), "Option2");
    Option2->setGeometry(twips(240, 1410, 3615, 255));
    Option2->setFont(small);

    PushButton13
        = named(makePushButton(this, QStringLiteral("Start Converting"), twips(120, 7530, 7800, 405)), "PushButton13");
    ProgressBar1 = named(new ProgressBarControl(this), "ProgressBar1");
    ProgressBar1->setGeometry(twips(120, 8050, 7800, 405));

    pointer = new WindowPointer(this);
    for (QWidget* control :
         {static_cast<QWidget*>(Frame4), static_cast<QWidget*>(Frame5), static_cast<QWidget*>(ListView1),
          ListView1->viewport(), static_cast<QWidget*>(ListView1->header()), static_cast<QWidget*>(Text5)})
        pointer->arrowOver(control);
    for (QPushButton* button :
         {PushButton1, PushButton3, PushButton11, PushButton12, PushButton13, PushButton14, PushButton15})
        pointer->handOver(button);
}

void Form3::connectHandlers()
{
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
    connect(PushButton3, &QPushButton::clicked, this, [this] { PushButton3_Click(); });
    connect(PushButton11, &QPushButton::clicked, this, [this] { PushButton11_Click(); });
    connect(PushButton12, &QPushButton::clicked, this, [this] { PushButton12_Click(); });
    connect(PushButton13, &QPushButton::clicked, this, [this] { PushButton13_Click(); });
    connect(PushButton14, &QPushButton::clicked, this, [this] { PushButton14_Click(); });
    connect(PushButton15, &QPushButton::clicked, this, [this] { PushButton15_Click(); });
    connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    connect(Text5, &QLineEdit::textChanged, this, [this] { Text5_Change(); });
}

void Form3::Form_Load()
{
    loaded_ = true;
    ErrorReport report(services_.messages, origin("Form_Load"));
    report.step(100, [&] { SetSystemColors(this); });
    report.step(102, [&] { setCaptionIconAndTitle(this); });
    if (report.choice(104, [&] { return FileExists(handCursorPath(services_.programFolder)); }))
        report.step(106, [&] { loadHandCursor(*pointer, services_.programFolder); });
    report.step(108, [&] { ListView1->setColumnWidth(0, twipsToPixels(7000)); });
    restoreDestinationOptions(report);
    centreOnScreen(this);
}

void Form3::Show()
{
    if (!loaded_)
        Form_Load();
    show();
    raise();
    activateWindow();
}

void Form3::showEvent(QShowEvent* event)
{
    closing_ = false;
    QWidget::showEvent(event);
}

void Form3::closeEvent(QCloseEvent* event)
{
    event->accept();
    closing_ = true;
    SaveSettingQuietly(services_.settings, QStringLiteral("FormStart"), QStringLiteral("3"));
    if (services_.endProgram)
        services_.endProgram();
}

void Form3::PushButton1_Click()
{
    ErrorReport report(services_.messages, origin("PushButton1_Click"));
    report.step(100, [&] {
        if (showMainMenu_)
            showMainMenu_();
    });
    report.step(102, [&] { hide(); });
}

void Form3::PushButton12_Click()
{
    ErrorReport report(services_.messages, origin("PushButton12_Click"));
    // A command that adds files or converts shows the hourglass; the list is not cleared under it.
    if (report.choice(100, [&] { return pointer->state() != pointer::hourglass; }))
        report.step(102, [&] { fileList->clear(); });
}

void Form3::PushButton14_Click()
{
    ErrorReport report(services_.messages, origin("PushButton14_Click"));
    report.step(100, [&] {
        if (addSampleFiles)
            addSampleFiles(*fileList);
    });
}

} // namespace quillora
