// The main menu: two full-width buttons on a white window, and the start-up that may go straight on to the
// window used last.
#include "shell/Form1.h"

#include "platform/ErrorReport.h"
#include "shell/Controls.h"
#include "shell/Paths.h"
#include "shell/Settings.h"
#include "shell/Styling.h"
#include "shell/WebSite.h"
#include "shell/WindowPointer.h"

#include <QCloseEvent>
#include <QPushButton>

namespace quillora {

namespace {
// The stored "FormStart" compared as a number; text that is no number cannot be compared.
bool formStartEquals(SettingsStore& settings, int value)
{
    bool number = false;
    const double stored
        = GetSetting(settings, QStringLiteral("FormStart"), QStringLiteral("0")).trimmed().toDouble(&number);
    if (!number)
        throw Failure::typeMismatch();
    return stored == value;
}
} // namespace

Form1::Form1(Services services, ConversionWindows windows, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , windows_(std::move(windows))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    makeFixedWindow(this, 8040, 1155);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    PushButton1 = makePushButton(this, QStringLiteral("Convert Single Text File"), twips(120, 120, 7800, 405));
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton2 = makePushButton(this, QStringLiteral("Convert Multiple Text Files"), twips(120, 630, 7800, 405));
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
    connect(PushButton2, &QPushButton::clicked, this, [this] { PushButton2_Click(); });

    pointer = new WindowPointer(this);
    pointer->handOver(PushButton1);
    pointer->handOver(PushButton2);
}

void Form1::Form_Load()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form1.Form_Load")));
    report.step(100, [&] { ApplySkin(this, services_.programFolder); });
    report.step(102, [&] { setCaptionIconAndTitle(this); });
    if (report.choice(104, [&] { return FileExists(handCursorPath(services_.programFolder)); }))
        report.step(106, [&] { loadHandCursor(*pointer, services_.programFolder); });
    report.step(108, [&] { OpenWebSiteAtRandom(services_.random, services_.shell); });
    report.step(110, [&] {
        if (GetSetting(services_.settings, QStringLiteral("Snapshot"), QString()).isEmpty() && recordSampleFiles)
            recordSampleFiles();
    });
    bool opened = false;
    if (report.choice(132, [&] { return formStartEquals(services_.settings, 3); })) {
        report.step(134, [&] { windows_.batch()->show(); });
        report.step(136, [&] { hide(); });
        opened = true;
    } else if (report.choice(138, [&] { return formStartEquals(services_.settings, 2); })) {
        report.step(140, [&] { windows_.singleText()->show(); });
        report.step(142, [&] { hide(); });
        opened = true;
    }
    report.step(144, [&] { SaveSetting(services_.settings, QStringLiteral("FormStart"), QStringLiteral("0")); });
    if (!opened) {
        centreOnScreen(this);
        show();
    }
}

void Form1::showInstead(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void Form1::PushButton1_Click()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form1.PushButton1_Click")));
    report.step(100, [&] { showInstead(windows_.singleText()); });
    report.step(102, [&] { hide(); });
}

void Form1::PushButton2_Click()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form1.PushButton2_Click")));
    report.step(100, [&] { showInstead(windows_.batch()); });
    report.step(102, [&] { hide(); });
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace quillora
