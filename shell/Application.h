// The program as a whole: the main menu and the two conversion windows it leads to, each made on first use.
#pragma once

#include "platform/Services.h"

#include <memory>

class QWidget;

namespace quillora {

class Form1;
class Form2;
class Form3;

class Application
{
public:
    explicit Application(Services services);
    ~Application();

    // Runs the start-up, which shows the menu or the window used last.
    void start();

    Form1& mainMenu() { return *menu_; }
    // The conversion windows, made and loaded the first time they are asked for.
    Form2& singleTextWindow();
    Form3& batchWindow();
    bool hasSingleTextWindow() const { return single_ != nullptr; }
    bool hasBatchWindow() const { return batch_ != nullptr; }

private:
    void showMainMenu();

    Services services_;
    std::unique_ptr<Form1> menu_;
    std::unique_ptr<Form2> single_;
    std::unique_ptr<Form3> batch_;
};

} // namespace quillora
