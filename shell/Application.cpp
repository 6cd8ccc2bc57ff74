// Builds the windows and connects them: "< Back" shows the menu, the batch window's sample button adds the
// recorded samples, start-up records them.
#include "shell/Application.h"

#include "shell/Form1.h"
#include "shell/Samples.h"
#include "windows/batch/Form3.h"
#include "windows/single/Form2.h"

namespace quillora {

Application::Application(Services services)
    : services_(std::move(services))
{
    menu_ = std::make_unique<Form1>(
        services_, ConversionWindows{[this] { return &singleTextWindow(); }, [this] { return &batchWindow(); }});
    menu_->recordSampleFiles
        = [this] { RecordSampleFiles(services_.settings, services_.programFolder, services_.events); };
}

Application::~Application() = default;

void Application::start()
{
    menu_->Form_Load();
}

void Application::showMainMenu()
{
    menu_->show();
    menu_->raise();
    menu_->activateWindow();
}

Form2& Application::singleTextWindow()
{
    if (!single_)
        single_ = std::make_unique<Form2>(services_, [this] { showMainMenu(); });
    return *single_;
}

Form3& Application::batchWindow()
{
    if (!batch_) {
        batch_ = std::make_unique<Form3>(services_, [this] { showMainMenu(); });
        batch_->Form_Load();
        batch_->addSampleFiles = [this](FileListModel& list) { AddSampleFiles(list, services_); };
    }
    return *batch_;
}

} // namespace quillora
