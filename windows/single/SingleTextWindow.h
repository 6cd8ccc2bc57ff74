// The single-text window: type, paste or load a text, convert it to one word per line, save either text.
#pragma once

#include "platform/Services.h"

#include <QString>
#include <QWidget>

class QGroupBox;
class QPushButton;

namespace quillora {

class ProgressBarControl;
class TextBoxControl;
class UnicodeStrip;
class WindowPointer;

class SingleTextWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SingleTextWindow(Services services, QWidget* parent = nullptr);

    // The window's start-up; runs once, at the latest when the window is first shown.
    void load();

    void loadTextFromFile();
    // Loads a file as "Load Text From Text File" loads the one chosen; a file dropped on the input box comes here.
    void loadTextFile(const QString& path);
    void clearResult();
    void saveResultToFile();
    void saveTextToFile();
    void clearInput();
    void loadSampleText();
    void goBack();
    void startConverting();
    void inputChanged();

    // The input as last loaded (at start-up or from a file): what the input strip shows and "Save Text To Text
    // File" writes.
    const QString& loadedText() const { return loadedText_; }
    // The last result that was not empty: what the output strip shows and "Save Result As Text File" writes.
    const QString& convertedText() const { return convertedText_; }
    bool isConverting() const { return converting_; }
    WindowPointer* pointer() const { return pointer_; }

signals:
    // "< Back" asks for the main menu window.
    void mainMenuWanted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // The names and descriptions a screen reader gives the controls.
    void speakControls();
    void connectControls();
    // Puts the stored typed text into the input box; it is stored back only where that changes what is stored.
    void restoreTypedText();
    void saveTextFile(const char* label, const QString& text);

    Services services_;
    bool loaded_ = false;
    bool shown_ = false;
    bool restoring_ = false;

    QPushButton* backButton_ = nullptr;
    QGroupBox* inputFrame_ = nullptr;
    TextBoxControl* inputBox_ = nullptr;
    UnicodeStrip* inputStrip_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* saveTextButton_ = nullptr;
    QPushButton* clearInputButton_ = nullptr;
    QPushButton* sampleButton_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QGroupBox* resultFrame_ = nullptr;
    TextBoxControl* resultBox_ = nullptr;
    UnicodeStrip* resultStrip_ = nullptr;
    QPushButton* saveResultButton_ = nullptr;
    QPushButton* clearResultButton_ = nullptr;
    ProgressBarControl* progressBar_ = nullptr;
    WindowPointer* pointer_ = nullptr;

    QString loadedText_;
    QString convertedText_;
    bool converting_ = false;
};

} // namespace quillora
