// The single-text window's commands: load, clear, sample text, back, convert and the two saves.
#include "engine/DrawUnicodeText.h"
#include "engine/ReadingRule.h"
#include "engine/ResultFile.h"
#include "engine/StringToUTF8.h"
#include "engine/WordsToLines.h"
#include "platform/ErrorReport.h"
#include "shell/Controls.h"
#include "shell/Paths.h"
#include "shell/WindowPointer.h"
#include "windows/single/Form2.h"
#include "windows/single/TextBoxControl.h"

namespace quillora {

namespace {
const QString textFileFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");

ErrorReport reportFor(Services& services, const char* label)
{
    return ErrorReport(services.messages, ErrorReport::programOrigin(QString::fromLatin1(label)));
}
} // namespace

void Form2::PushButton1_Click()
{
    ErrorReport report = reportFor(services_, "Form2.PushButton1_Click");
    QString path;
    report.step(106, [&] {
        path = services_.dialogs.showOpen({QStringLiteral("Select single file"), textFileFilter});
    });
    if (path.isEmpty())
        return;
    report.step(110, [&] { pointer->setState(pointer::hourglass); });
    // A file that cannot be read leaves the input, its strip, LoadedText and the stored input as they were.
    OrFailure<RuleReading> reading = readByRule(path, {112, 114, 116, 118, 120});
    if (!reading) {
        report.report(reading.failure());
    } else {
        report.step(122, [&] {
            const QString text = reading->text.toString();
            LoadedText = text;
            Text1->setText(LoadedText);
        });
        report.step(124, [&] { DrawUnicodeText(LoadedText, *Picture1); });
    }
    report.step(126, [&] { pointer->setState(pointer::defaultArrow); });
}

void Form2::PushButton7_Click()
{
    ErrorReport report = reportFor(services_, "Form2.PushButton7_Click");
    report.step(100, [&] { Text1->setText(QString()); });
    report.step(102, [&] { DrawUnicodeText(QString(), *Picture1); });
}

void Form2::PushButton2_Click()
{
    ErrorReport report = reportFor(services_, "Form2.PushButton2_Click");
    report.step(100, [&] { Text2->setText(QString()); });
    report.step(102, [&] { DrawUnicodeText(QString(), *Picture2); });
}

void Form2::PushButton8_Click()
{
    ErrorReport report = reportFor(services_, "Form2.PushButton8_Click");
    report.step(100, [&] { Text1->setText(QStringLiteral("This is test text that needs to be converted.")); });
}

void Form2::PushButton13_Click()
{
    ErrorReport report = reportFor(services_, "Form2.PushButton13_Click");
    report.step(100, [&] {
        if (showMainMenu_)
            showMainMenu_();
    });
    report.step(102, [&] { hide(); });
}

void Form2::PushButton17_Click()
{
    if (IsConverting)
        return;
    ErrorReport report = reportFor(services_, "Form2.PushButton17_Click");
    report.step(102, [&] { IsConverting = true; });
    report.step(104, [&] { pointer->setState(pointer::hourglass); });
    // Every piece is converted, however many there are.
    QString result;
    report.step(106, [&] { result = WordsToLines(Text1->text()); });
    // An empty result changes nothing of what the output shows and holds.
    if (!report.choice(118, [&] { return result.isEmpty(); })) {
        report.step(122, [&] { Text2->setText(result); });
        report.step(124, [&] { ConvertedText = result; });
        report.step(126, [&] { DrawUnicodeText(ConvertedText, *Picture2); });
    }
    report.step(128, [&] { pointer->setState(pointer::defaultArrow); });
    report.step(130, [&] { ProgressBar1->setPercent(0); });
    report.step(132, [&] { ProgressBar1->setCaption(QStringLiteral("Progress Bar")); });
    report.step(134, [&] { services_.messages.notice(QStringLiteral("Done.")); });
    report.step(136, [&] { IsConverting = false; });
}

void Form2::PushButton4_Click()
{
    saveTextFile(QStringLiteral("Form2.PushButton4_Click"), ConvertedText);
}

void Form2::PushButton5_Click()
{
    saveTextFile(QStringLiteral("Form2.PushButton5_Click"), LoadedText);
}

void Form2::saveTextFile(const QString& label, const QString& text)
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
    report.step(128, [&] { pointer->setState(pointer::hourglass); });
    // The file is replaced only once the new text is written whole; a failed step skips the rest of the write,
    // and only a written file is followed by "Done.".
    ResultFile file(path);
    QByteArray bytes;
    const bool written = report.step(130, [&] { file.open(); }) && report.step(132, [&] { bytes = StringToUTF8(text); })
        && report.step(134, [&] { file.write(bytes); }) && report.step(136, [&] { file.close(); });
    report.step(138, [&] { pointer->setState(pointer::defaultArrow); });
    if (written)
        report.step(140, [&] { services_.messages.notice(QStringLiteral("Done.")); });
}

} // namespace quillora
