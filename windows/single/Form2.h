// The single-text window: type, paste or load a text, convert it to one word per line, save either text.
#pragma once

#include "platform/Services.h"

#include <QString>
#include <QWidget>
#include <functional>

class QGroupBox;
class QPushButton;

namespace quillora {

class ProgressBarControl;
class TextBoxControl;
class UnicodeStrip;
class WindowPointer;

class Form2 : public QWidget
{
public:
    // showMainMenu shows the main menu window; "< Back" calls it.
    Form2(Services services, std::function<void()> showMainMenu, QWidget* parent = nullptr);

    // The window's start-up; runs once, at the latest when the window is first shown.
    void Form_Load();

    void PushButton1_Click();
    void PushButton2_Click();
    void PushButton4_Click();
    void PushButton5_Click();
    void PushButton7_Click();
    void PushButton8_Click();
    void PushButton13_Click();
    void PushButton17_Click();
    void Text1_Change();

    QPushButton* PushButton13 = nullptr;
    QGroupBox* Frame2 = nullptr;
    TextBoxControl* Text1 = nullptr;
    UnicodeStrip* Picture1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QPushButton* PushButton17 = nullptr;
    QGroupBox* Frame3 = nullptr;
    TextBoxControl* Text2 = nullptr;
    UnicodeStrip* Picture2 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton2 = nullptr;
    ProgressBarControl* ProgressBar1 = nullptr;
    WindowPointer* pointer = nullptr;

    // The input as last loaded (at start-up or from a file): what the input strip shows and "Save Text To Text
    // File" writes.
    QString LoadedText;
    // The last result that was not empty: what the output strip shows and "Save Result As Text File" writes.
    QString ConvertedText;
    bool IsConverting = false;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void saveTextFile(const QString& label, const QString& text);

    Services services_;
    std::function<void()> showMainMenu_;
    bool loaded_ = false;
    bool shown_ = false;
};

} // namespace quillora
