// Builds the windows and connects them: "< Back" shows the menu, the batch window's sample button adds the
// recorded samples, start-up records them, and closing any window ends the whole program.
#include "app/Application.h"

#include "app/MainMenu.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/Samples.h"
#include "windows/single/SingleTextWindow.h"

namespace quillora {

Application::Application(Services services)
    : services_(std::move(services))
    , windowServices_(services_)
{
    // A window closed while the batch window still works (a run or a folder walk behind "< Back") ends that work
    // before its next file or folder, so the program really ends.
    windowServices_.endProgram = [this] {
        if (batch_)
            batch_->stopWork();
        if (services_.endProgram)
            services_.endProgram();
    };
    menu_ = std::make_unique<MainMenu>(
        windowServices_, ConversionWindows{[this] { return &singleTextWindow(); }, [this] { return &batchWindow(); }});
    QObject::connect(menu_.get(), &MainMenu::sampleFilesUnrecorded, menu_.get(),
                     [this] { RecordSampleFiles(services_.settings, services_.programFolder, services_.events); });
}

Application::~Application() = default;

void Application::start()
{
    menu_->startUp();
}

void Application::showMainMenu()
{
    menu_->show();
    menu_->raise();
    menu_->activateWindow();
}

SingleTextWindow& Application::singleTextWindow()
{
    if (!single_) {
        single_ = std::make_unique<SingleTextWindow>(windowServices_);
        QObject::connect(single_.get(), &SingleTextWindow::mainMenuWanted, single_.get(), [this] { showMainMenu(); });
    }
    return *single_;
}

BatchWindow& Application::batchWindow()
{
    if (!batch_) {
        batch_ = std::make_unique<BatchWindow>(windowServices_);
        QObject::connect(batch_.get(), &BatchWindow::mainMenuWanted, batch_.get(), [this] { showMainMenu(); });
        QObject::connect(batch_.get(), &BatchWindow::sampleFilesWanted, batch_.get(),
                         [this](FileListModel& list) { AddSampleFiles(list, services_); });
        batch_->load();
    }
    return *batch_;
}

} // namespace quillora
