// The program as a whole: the main menu and the two conversion windows it leads to, each made on first use.
#pragma once

#include "platform/Services.h"

#include <memory>

class QWidget;

namespace quillora {

class MainMenu;
class SingleTextWindow;
class BatchWindow;

class Application
{
public:
    explicit Application(Services services);
    ~Application();

    // Runs the start-up, which shows the menu or the window used last.
    void start();

    MainMenu& mainMenu() { return *menu_; }
    // The conversion windows, made and loaded the first time they are asked for.
    SingleTextWindow& singleTextWindow();
    BatchWindow& batchWindow();
    bool hasSingleTextWindow() const { return single_ != nullptr; }
    bool hasBatchWindow() const { return batch_ != nullptr; }

private:
    void showMainMenu();

    Services services_;
    // The services the windows get: the same, except that ending the program first stops the batch window's work.
    Services windowServices_;
    std::unique_ptr<MainMenu> menu_;
    std::unique_ptr<SingleTextWindow> single_;
    std::unique_ptr<BatchWindow> batch_;
};

} // namespace quillora
