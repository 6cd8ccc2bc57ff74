// The single-text window's controls, their places, fonts and colours, start-up, showing and closing.
#include "windows/single/SingleTextWindow.h"

#include "folders/Paths.h"
#include "platform/ErrorReport.h"
#include "platform/FileFacts.h"
#include "ui/Controls.h"
#include "ui/FileDrops.h"
#include "ui/Settings.h"
#include "ui/Styling.h"
#include "ui/WindowPointer.h"
#include "windows/single/SingleTextLabels.h"
#include "windows/single/TextBoxControl.h"
#include "windows/single/TextBuffer.h"
#include "windows/single/UnicodeStrip.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

namespace quillora {

namespace {
template <typename Control> Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QGroupBox* makeFrame(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(geometry);
    frame->setFont(arialBold(9));
    return frame;
}

TextBoxControl* makeTextBox(QWidget* parent, const QRect& geometry)
{
    auto* box = new TextBoxControl(parent);
    box->setGeometry(geometry);
    box->setFont(arialBold(9));
    return box;
}

UnicodeStrip* makeStrip(QWidget* parent, const QRect& geometry)
{
    auto* strip = new UnicodeStrip(parent);
    strip->setGeometry(geometry);
    strip->setFont(arialBold(9));
    return strip;
}
} // namespace

SingleTextWindow::SingleTextWindow(Services services, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
{
    setObjectName(QStringLiteral("singleTextWindow"));
    setWindowTitle(QStringLiteral("Form2"));
    makeFixedWindow(this, 8040, 8565);
    buildControls();
    connectControls();
}

void SingleTextWindow::buildControls()
{
    backButton_ = named(makePushButton(this, QStringLiteral("< Back"), twips(120, 90, 7800, 405)), "back");
    inputFrame_ = named(makeFrame(this, QStringLiteral("Text To Convert"), twips(120, 600, 7800, 2100)), "inputFrame");
    inputBox_ = named(makeTextBox(inputFrame_, twips(240, 300, 7335, 1005)), "inputText");
    inputStrip_ = named(makeStrip(inputFrame_, twips(240, 1290, 7335, 645)), "inputStrip");
    loadButton_ = named(makePushButton(this, QStringLiteral("Load Text From Text File"), twips(120, 2790, 3860, 405)),
                        "loadText");
    saveTextButton_ = named(
        makePushButton(this, QStringLiteral("Save Text To Text File"), twips(4080, 2790, 3860, 405)), "saveText");
    clearInputButton_
        = named(makePushButton(this, QStringLiteral("Clear Text"), twips(120, 3285, 3860, 405)), "clearInput");
    sampleButton_ = named(
        makePushButton(this, QStringLiteral("Load Sample/Example Text"), twips(4080, 3285, 3860, 405)), "loadSample");
    startButton_ = named(makePushButton(this, QStringLiteral("Start Converting"), twips(120, 3765, 7800, 405)),
                         "startConverting");
    resultFrame_
        = named(makeFrame(this, QStringLiteral("Converted Text"), twips(120, 4290, 7800, 3210)), "resultFrame");
    resultBox_ = named(makeTextBox(resultFrame_, twips(240, 240, 7335, 1905)), "resultText");
    resultStrip_ = named(makeStrip(resultFrame_, twips(240, 2220, 7335, 885)), "resultStrip");
    saveResultButton_ = named(
        makePushButton(this, QStringLiteral("Save Result As Text File"), twips(120, 7560, 3860, 405)), "saveResult");
    clearResultButton_
        = named(makePushButton(this, QStringLiteral("Clear Text"), twips(4080, 7560, 3860, 405)), "clearResult");
    progressBar_ = named(new ProgressBarControl(this), "progressBar");
    progressBar_->setGeometry(twips(120, 8070, 7800, 405));

    speakControls();

    // Keyboard order: input box, input buttons, output box, output buttons, "< Back". The frames, strips and the
    // progress bar take no focus.
    inputStrip_->setFocusPolicy(Qt::NoFocus);
    resultStrip_->setFocusPolicy(Qt::NoFocus);
    progressBar_->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> order{inputBox_,     loadButton_, clearInputButton_, startButton_,       saveTextButton_,
                                sampleButton_, resultBox_,  saveResultButton_, clearResultButton_, backButton_};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    pointer_ = new WindowPointer(this);
    for (QWidget* button : {loadButton_, clearResultButton_, saveResultButton_, saveTextButton_, clearInputButton_,
                            sampleButton_, backButton_, startButton_})
        pointer_->handOver(button);
    pointer_->arrowOver(inputFrame_);
    pointer_->arrowOver(resultFrame_);
    pointer_->arrowOver(inputBox_);
}

void SingleTextWindow::speakControls()
{
    const QString input = QStringLiteral("Text To Convert");
    const QString result = QStringLiteral("Converted Text");
    setSpokenText(backButton_, QStringLiteral("Returns to the main menu"));
    setSpokenText(inputFrame_, QStringLiteral("The text to convert and the text last loaded"));
    setSpokenText(inputBox_, QStringLiteral("Type, paste or drop the text to convert; a dropped text file is loaded"),
                  input);
    setSpokenText(inputStrip_, QStringLiteral("The text last loaded, on one line"), QStringLiteral("Loaded Text"));
    setSpokenText(loadButton_, QStringLiteral("Loads the text of a text file into the text to convert"));
    setSpokenText(saveTextButton_, QStringLiteral("Saves the text last loaded to a text file"));
    setSpokenText(clearInputButton_, QStringLiteral("Clears the text to convert"));
    setSpokenText(sampleButton_, QStringLiteral("Puts an example sentence into the text to convert"));
    setSpokenText(startButton_, QStringLiteral("Converts the text so that every word stands on a line of its own"));
    setSpokenText(resultFrame_, QStringLiteral("The converted text and the last result on one line"));
    setSpokenText(resultBox_, QStringLiteral("The text with one word on each line"), result);
    setSpokenText(resultStrip_, QStringLiteral("The last result, on one line"), QStringLiteral("Last Result"));
    setSpokenText(saveResultButton_, QStringLiteral("Saves the last result to a text file"));
    setSpokenText(clearResultButton_, QStringLiteral("Clears the converted text"));
    setSpokenText(progressBar_, QStringLiteral("Shows how far the conversion has come"),
                  QStringLiteral("Progress Bar"));
}

void SingleTextWindow::connectControls()
{
    connect(loadButton_, &QPushButton::clicked, this, [this] { loadTextFromFile(); });
    connect(clearResultButton_, &QPushButton::clicked, this, [this] { clearResult(); });
    connect(saveResultButton_, &QPushButton::clicked, this, [this] { saveResultToFile(); });
    connect(saveTextButton_, &QPushButton::clicked, this, [this] { saveTextToFile(); });
    connect(clearInputButton_, &QPushButton::clicked, this, [this] { clearInput(); });
    connect(sampleButton_, &QPushButton::clicked, this, [this] { loadSampleText(); });
    connect(backButton_, &QPushButton::clicked, this, [this] { goBack(); });
    connect(startButton_, &QPushButton::clicked, this, [this] { startConverting(); });
    connect(inputBox_->buffer(), &TextBuffer::changed, this, &SingleTextWindow::inputChanged);
    // One file dropped on the input box is loaded; dropped text is inserted by the box itself.
    auto* drops = new FileDrops(inputBox_->viewport(), [](const QStringList& paths) {
        return paths.size() == 1 && fileFacts().opensAsExistingFile(paths.first());
    });
    connect(drops, &FileDrops::dropped, this, [this](const QStringList& paths) { loadTextFile(paths.first()); });
}

void SingleTextWindow::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    ErrorReport report(services_.messages, ErrorReport::programOrigin(singlelabels::load));
    report.step(100, [&] { SetSystemColors(this); });
    report.step(102, [&] { setCaptionIconAndTitle(this); });
    const QString cursorPath = handCursorPath(services_.programFolder);
    if (report.choice(104, [&] { return FileExists(cursorPath); }))
        report.step(106, [&] { loadCustomPointerImage(*pointer_, cursorPath); });
    report.step(108, [&] { restoreTypedText(); });
    report.step(110, [&] { loadedText_ = inputBox_->text(); });
    const auto giveWindowBackground = [this](UnicodeStrip* strip) {
        QPalette palette = strip->palette();
        palette.setColor(QPalette::Window, this->palette().color(QPalette::Window));
        strip->setPalette(palette);
    };
    report.step(112, [&] { giveWindowBackground(inputStrip_); });
    report.step(114, [&] { giveWindowBackground(resultStrip_); });
    report.step(116, [&] { DrawUnicodeText(loadedText_, *inputStrip_); });
    report.step(118, [&] { resultBox_->setText(QString()); });
}

void SingleTextWindow::showEvent(QShowEvent* event)
{
    load();
    if (!shown_) {
        shown_ = true;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void SingleTextWindow::restoreTypedText()
{
    const SettingRead stored = ReadSetting(services_.settings, settingkeys::typedText);
    restoring_ = true;
    inputBox_->setText(stored.text);
    restoring_ = false;
    // A text the store cannot read is kept until the user changes it; one in the user's code page becomes UTF-8.
    const StoredValue& found = stored.found;
    const bool same = found.state == StoredValue::State::Stored && found.bytes == stored.text.toUtf8();
    if (found.state != StoredValue::State::Unreadable && !same)
        inputChanged();
}

void SingleTextWindow::inputChanged()
{
    if (restoring_)
        return;
    // A text of many megabytes is written on the store's own thread, so typing into it stays quick.
    SaveSettingLater(services_.settings, settingkeys::typedText, inputBox_->text());
}

void SingleTextWindow::closeEvent(QCloseEvent* event)
{
    SaveSettingQuietly(services_.settings, settingkeys::formStart, QStringLiteral("2"));
    event->accept();
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace quillora
