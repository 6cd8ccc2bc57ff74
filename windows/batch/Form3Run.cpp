// "Start Converting": every listed file is read by its mark, converted and written as UTF-8, one event yield
// per file.
#include "engine/ReadingRule.h"
#include "engine/ResultFile.h"
#include "shell/Controls.h"
#include "shell/FileListModel.h"
#include "shell/Paths.h"
#include "shell/WindowPointer.h"
#include "windows/batch/BatchResultPath.h"
#include "windows/batch/Form3.h"

#include <QLineEdit>
#include <QRadioButton>
#include <optional>

namespace quillora {

namespace {
constexpr ReadingRuleLines readingLines{126, 128, 130, 132, 134};

class ConvertingFlag
{
public:
    explicit ConvertingFlag(bool& flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~ConvertingFlag() { flag_ = false; }
    ConvertingFlag(const ConvertingFlag&) = delete;
    ConvertingFlag& operator=(const ConvertingFlag&) = delete;

private:
    bool& flag_;
};

QString notTextMessage(const QString& path)
{
    return path + QStringLiteral("\r\rwas not converted because it is not a text file.");
}
} // namespace

void Form3::PushButton13_Click()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form3.PushButton13_Click")));
    if (IsConverting)
        return;
    const ConvertingFlag converting(IsConverting);
    runOverList(report);
}

void Form3::runOverList(ErrorReport& report)
{
    if (report.choice(104, [&] { return fileList->count() == 0; }))
        return;
    const bool usable = report.choice(106, [&] { return Option2->isChecked() || FolderExists(Text5->text()); });
    if (!usable) {
        report.step(190, [&] {
            services_.messages.notice(QStringLiteral("Folder does not exist. Please select another folder."));
        });
        return;
    }
    // The bound is taken once; files added during the run wait for the next one.
    const qsizetype count = fileList->count();
    for (qsizetype position = 1; position <= count; ++position) {
        const FileOutcome outcome = convertListEntry(report, position);
        if (outcome == FileOutcome::Closing)
            return;
        if (outcome == FileOutcome::EndRun)
            break;
    }
    endRun(report);
}

Form3::FileOutcome Form3::convertListEntry(ErrorReport& report, qsizetype position)
{
    QString source;
    // Entries only go when the whole list is cleared, so a missing position means the rest are gone too.
    if (!report.step(114, [&] { source = fileList->entryAt(position); }))
        return FileOutcome::EndRun;
    report.step(116, [&] { ProgressBar1->setPercent(double(position) / double(fileList->count()) * 100.0); });
    report.step(118, [&] { ProgressBar1->setCaption(QStringLiteral("Processing: ") + GetFileName(source)); });
    report.step(120, [&] { services_.events.letEventsThrough(); });
    // Closed meanwhile: the program is ending, and this file is left as it is.
    if (closing_)
        return FileOutcome::Closing;
    report.step(122, [&] { pointer->setState(pointer::hourglass); });

    OrFailure<RuleReading> reading = readByRule(source, readingLines, ReadingMode::InFile);
    // A file that cannot be read has its error box and gets no result: an empty one would replace the source,
    // or an earlier good result.
    if (!reading) {
        report.report(reading.failure());
        return FileOutcome::Next;
    }
    // Text without a mark never holds a NUL byte; such a file is binary and must not be replaced.
    if (!reading->hadMark && reading->text.containsNul()) {
        services_.messages.notice(notTextMessage(source));
        return FileOutcome::Next;
    }

    QString target;
    // The destination is read again for each file: a change between files applies to the files that follow.
    // Only "beside the source" writes there; otherwise the results go to the folder in Text5.
    const bool besideSource = Option2->isChecked();
    if (!report.step(besideSource ? 164 : 160, [&] { target = batchResultPath(besideSource, Text5->text(), source); }))
        return FileOutcome::Next;
    // The result goes to a new file that replaces the old one only when complete, so a failure at any step
    // leaves the old file as it was.
    ResultFile file(target);
    if (!report.step(168, [&] { file.open(); }))
        return FileOutcome::Next;
    // The converted text is written as it is made, never held whole.
    if (!report.step(172,
                     [&] { reading->text.wordsToLinesUtf8([&file](QByteArrayView bytes) { file.write(bytes); }); }))
        return FileOutcome::Next;
    report.step(174, [&] { file.close(); });
    return FileOutcome::Next;
}

void Form3::endRun(ErrorReport& report)
{
    report.step(178, [&] { pointer->setState(pointer::defaultArrow); });
    report.step(180, [&] { ProgressBar1->setPercent(0); });
    report.step(182, [&] { ProgressBar1->setCaption(QStringLiteral("Progress Bar")); });
    report.step(188, [&] { services_.messages.notice(QStringLiteral("Done.")); });
}

} // namespace quillora
