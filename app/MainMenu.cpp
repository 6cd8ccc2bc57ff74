// The main menu: two full-width buttons on a white window, and the start-up that may go straight on to the
// window used last.
#include "app/MainMenu.h"

#include "app/MainMenuLabels.h"
#include "app/WebSite.h"
#include "folders/Paths.h"
#include "platform/ErrorReport.h"
#include "ui/Controls.h"
#include "ui/Settings.h"
#include "ui/Styling.h"
#include "ui/WindowPointer.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>

namespace quillora {

namespace {
// The stored "FormStart" compared as a number; text that is no number cannot be compared.
bool formStartEquals(SettingsStore& settings, int value)
{
    bool number = false;
    const double stored = GetSetting(settings, settingkeys::formStart).trimmed().toDouble(&number);
    if (!number)
        throw Failure::typeMismatch();
    return stored == value;
}
} // namespace

MainMenu::MainMenu(Services services, ConversionWindows windows, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , windows_(std::move(windows))
{
    setObjectName(QStringLiteral("mainMenu"));
    setWindowTitle(QStringLiteral("Form1"));
    makeFixedWindow(this, 8040, 1155);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    singleTextButton_ = makePushButton(this, QStringLiteral("Convert Single Text File"), twips(120, 120, 7800, 405));
    singleTextButton_->setObjectName(QStringLiteral("convertSingleText"));
    batchButton_ = makePushButton(this, QStringLiteral("Convert Multiple Text Files"), twips(120, 630, 7800, 405));
    batchButton_->setObjectName(QStringLiteral("convertMultipleFiles"));
    setSpokenText(singleTextButton_, QStringLiteral("Opens the window that converts one text"));
    setSpokenText(batchButton_, QStringLiteral("Opens the window that converts a list of text files"));
    connect(singleTextButton_, &QPushButton::clicked, this, [this] { openSingleTextWindow(); });
    connect(batchButton_, &QPushButton::clicked, this, [this] { openBatchWindow(); });

    pointer_ = new WindowPointer(this);
    pointer_->handOver(singleTextButton_);
    pointer_->handOver(batchButton_);
}

void MainMenu::startUp()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(menulabels::startUp));
    report.step(startupsteps::skin, [&] { ApplySkin(this, services_.programFolder, services_.fileFacts); });
    report.step(startupsteps::captionIconAndTitle, [&] { setCaptionIconAndTitle(this); });
    if (report.choice(startupsteps::handCursorExists,
                      [&] { return FileExists(handCursorPath(services_.programFolder), services_.fileFacts); }))
        report.step(startupsteps::loadHandCursor,
                    [&] { loadHandCursor(*pointer_, services_.programFolder, services_.fileFacts); });
    report.step(startupsteps::webSite, [&] { OpenWebSiteAtRandom(services_.random, services_.shell); });
    report.step(startupsteps::recordSamples, [&] {
        if (GetSetting(services_.settings, settingkeys::sampleFiles).isEmpty())
            emit sampleFilesUnrecorded();
    });
    bool opened = false;
    if (report.choice(startupsteps::batchWasLast, [&] { return formStartEquals(services_.settings, 3); })) {
        report.step(startupsteps::showBatch, [&] { windows_.batch()->show(); });
        report.step(startupsteps::hideForBatch, [&] { hide(); });
        opened = true;
    } else if (report.choice(startupsteps::singleTextWasLast, [&] { return formStartEquals(services_.settings, 2); })) {
        report.step(startupsteps::showSingleText, [&] { windows_.singleText()->show(); });
        report.step(startupsteps::hideForSingleText, [&] { hide(); });
        opened = true;
    }
    report.step(startupsteps::clearFormStart,
                [&] { SaveSetting(services_.settings, settingkeys::formStart, QStringLiteral("0")); });
    if (!opened)
        show();
}

void MainMenu::showEvent(QShowEvent* event)
{
    // Centred the first time it shows, also when start-up went straight on to a conversion window.
    if (!centred_) {
        centreOnScreen(this);
        centred_ = true;
    }
    QWidget::showEvent(event);
}

void MainMenu::showInstead(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void MainMenu::openSingleTextWindow()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(menulabels::openSingleTextWindow));
    report.step(opensteps::showWindow, [&] { showInstead(windows_.singleText()); });
    report.step(opensteps::hide, [&] { hide(); });
}

void MainMenu::openBatchWindow()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(menulabels::openBatchWindow));
    report.step(opensteps::showWindow, [&] { showInstead(windows_.batch()); });
    report.step(opensteps::hide, [&] { hide(); });
}

void MainMenu::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace quillora
