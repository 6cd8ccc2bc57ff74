// The single-text window's commands: load, clear, sample text, back, convert and the two saves.
#include "engine/ReadingRule.h"
#include "engine/StringToUTF8.h"
#include "engine/WordsToLines.h"
#include "folders/Paths.h"
#include "platform/ErrorReport.h"
#include "results/ResultFile.h"
#include "ui/Controls.h"
#include "ui/Settings.h"
#include "ui/WindowPointer.h"
#include "windows/single/SingleTextLabels.h"
#include "windows/single/SingleTextWindow.h"
#include "windows/single/TextBoxControl.h"
#include "windows/single/UnicodeStrip.h"

namespace quillora {

namespace {
const QString textFileFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");

ErrorReport reportFor(Services& services, const char* label)
{
    return ErrorReport(services.messages, ErrorReport::programOrigin(label));
}
} // namespace

void SingleTextWindow::loadTextFromFile()
{
    ErrorReport report = reportFor(services_, singlelabels::loadTextFromFile);
    QString path;
    report.step(106, [&] {
        path = services_.dialogs.showOpen({QStringLiteral("Select single file"), textFileFilter});
    });
    if (!path.isEmpty())
        loadTextFile(path);
}

void SingleTextWindow::loadTextFile(const QString& path)
{
    ErrorReport report = reportFor(services_, singlelabels::loadTextFromFile);
    report.step(110, [&] { pointer_->setState(pointer::hourglass); });
    // A file that cannot be read leaves the input, its strip, loadedText_ and the stored input as they were.
    const AnsiCodePage page = storedAnsiCodePage(services_.settings);
    OrFailure<RuleReading> reading = readByRule(path, {112, 114, 116, 118, 120}, ReadingMode::Whole, page);
    if (!reading) {
        report.report(reading.failure());
    } else {
        report.step(122, [&] {
            const QString text = reading->text.toString();
            loadedText_ = text;
            inputBox_->setText(loadedText_);
        });
        report.step(124, [&] { DrawUnicodeText(loadedText_, *inputStrip_); });
    }
    report.step(126, [&] { pointer_->setState(pointer::defaultArrow); });
}

void SingleTextWindow::clearInput()
{
    ErrorReport report = reportFor(services_, singlelabels::clearInput);
    report.step(100, [&] { inputBox_->setText(QString()); });
    report.step(102, [&] { DrawUnicodeText(QString(), *inputStrip_); });
}

void SingleTextWindow::clearResult()
{
    ErrorReport report = reportFor(services_, singlelabels::clearResult);
    report.step(100, [&] { resultBox_->setText(QString()); });
    report.step(102, [&] { DrawUnicodeText(QString(), *resultStrip_); });
}

void SingleTextWindow::loadSampleText()
{
    ErrorReport report = reportFor(services_, singlelabels::loadSampleText);
    report.step(100, [&] { inputBox_->setText(QStringLiteral("This is test text that needs to be converted.")); });
}

void SingleTextWindow::goBack()
{
    ErrorReport report = reportFor(services_, singlelabels::goBack);
    report.step(100, [&] { emit mainMenuWanted(); });
    report.step(102, [&] { hide(); });
}

void SingleTextWindow::startConverting()
{
    if (converting_)
        return;
    ErrorReport report = reportFor(services_, singlelabels::startConverting);
    report.step(102, [&] { converting_ = true; });
    report.step(104, [&] { pointer_->setState(pointer::hourglass); });
    // Every piece is converted, however many there are.
    QString result;
    report.step(106, [&] { result = WordsToLines(inputBox_->text()); });
    // An empty result changes nothing of what the output shows and holds.
    if (!report.choice(118, [&] { return result.isEmpty(); })) {
        report.step(122, [&] { resultBox_->setText(result); });
        report.step(124, [&] { convertedText_ = result; });
        report.step(126, [&] { DrawUnicodeText(convertedText_, *resultStrip_); });
    }
    report.step(128, [&] { pointer_->setState(pointer::defaultArrow); });
    report.step(130, [&] { progressBar_->setPercent(0); });
    report.step(132, [&] { progressBar_->setCaption(QStringLiteral("Progress Bar")); });
    report.step(134, [&] { services_.messages.notice(QStringLiteral("Done.")); });
    report.step(136, [&] { converting_ = false; });
}

void SingleTextWindow::saveResultToFile()
{
    saveTextFile(singlelabels::saveResultToFile, convertedText_);
}

void SingleTextWindow::saveTextToFile()
{
    saveTextFile(singlelabels::saveTextToFile, loadedText_);
}

void SingleTextWindow::saveTextFile(const char* label, const QString& text)
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(label));
    QString path;
    report.step(114, [&] { path = services_.dialogs.showSave({QStringLiteral("Save"), textFileFilter}); });
    if (path.isEmpty())
        return;
    bool overwrite = true;
    if (report.choice(120, [&] { return FileExists(path); })) {
        report.step(122, [&] {
            overwrite = services_.messages.askYesNo(QStringLiteral("Are you sure you wish to overwrite ") + path
                                                    + QStringLiteral(" ?"));
        });
    }
    if (!overwrite)
        return;
    report.step(128, [&] { pointer_->setState(pointer::hourglass); });
    // The file is replaced only once the new text is written whole; a failed step skips the rest of the write,
    // and only a written file is followed by "Done.".
    ResultFile file(path);
    QByteArray bytes;
    const bool written = report.step(130, [&] { file.open(); }) && report.step(132, [&] { bytes = StringToUTF8(text); })
        && report.step(134, [&] { file.write(bytes); }) && report.step(136, [&] { file.close(); });
    report.step(138, [&] { pointer_->setState(pointer::defaultArrow); });
    if (written)
        report.step(140, [&] { services_.messages.notice(QStringLiteral("Done.")); });
}

} // namespace quillora
