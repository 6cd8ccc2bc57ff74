// The main menu window: start-up, and the two buttons that lead to the conversion windows.
#pragma once

#include "platform/Services.h"

#include <QWidget>
#include <functional>

class QPushButton;

namespace quillora {

class WindowPointer;

// How the menu reaches the conversion windows: each call gives the window, loading it the first time.
struct ConversionWindows
{
    std::function<QWidget*()> singleText;
    std::function<QWidget*()> batch;
};

class MainMenu : public QWidget
{
    Q_OBJECT

public:
    MainMenu(Services services, ConversionWindows windows, QWidget* parent = nullptr);

    // The program's start-up; shows the menu unless the stored "FormStart" opens a conversion window directly.
    void startUp();
    void openSingleTextWindow();
    void openBatchWindow();

    WindowPointer* pointer() const { return pointer_; }

signals:
    // Start-up found no sample files recorded: whoever builds the program records them.
    void sampleFilesUnrecorded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showInstead(QWidget* window);

    Services services_;
    ConversionWindows windows_;
    bool centred_ = false;
    QPushButton* singleTextButton_ = nullptr;
    QPushButton* batchButton_ = nullptr;
    WindowPointer* pointer_ = nullptr;
};

} // namespace quillora
