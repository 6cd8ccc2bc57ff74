// The run over the list: each file is read by its mark, converted and written as UTF-8 into its result file.
#include "batchrun/BatchRun.h"

#include "batchrun/ConvertingSteps.h"
#include "batchrun/PendingResults.h"
#include "engine/ReadingRule.h"
#include "folders/Paths.h"
#include "platform/ErrorReport.h"
#include "platform/FilesAhead.h"
#include "platform/OpenFileLimit.h"
#include "results/ResultCommitter.h"
#include "results/ResultFile.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace quillora {

namespace {
// How long the run waits for the disk before it lets the window's events through again.
constexpr std::chrono::milliseconds waitingStep{10};

class RunningFlag
{
public:
    explicit RunningFlag(bool& flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

// A failure that putting the waiting results in place may mend: they hold the old files' space and a file handle
// each.
bool isShortOfRoom(const StepFailure& failure)
{
    return failure.description == Failure::diskFull().description()
        || failure.description == Failure::tooManyFiles().description();
}
} // namespace

struct BatchRun::Attempt
{
    FileOutcome outcome = FileOutcome::Converted;
    std::optional<StepFailure> failure;
};

struct BatchRun::Flight
{
    Flight(std::size_t groupSize, std::size_t kept, BatchRunSummary& summary)
        : committer(groupSize)
        , ahead(kept)
        , summary(summary)
    { }

    ResultCommitter committer;
    FilesAhead ahead;
    PendingResults pending;
    BatchRunSummary& summary;
};

BatchRun::BatchRun(BatchRunView& view, FileFacts& facts)
    : view_(view)
    , facts_(facts)
{ }

QString BatchRun::notTextMessage(const QString& path)
{
    return path + QStringLiteral("\r\rwas not converted because it is not a text file.");
}

QString BatchRun::folderMissingMessage()
{
    return QStringLiteral("Folder does not exist. Please select another folder.");
}

BatchRunSummary BatchRun::run()
{
    BatchRunSummary summary;
    if (running_)
        return summary;
    const RunningFlag running(running_);
    stopRequested_ = false;
    page_ = view_.ansiCodePage();
    backupSuffix_ = view_.backupSuffix();
    ErrorReport report(
        [this](const QString&, int line, const QString& description) {
            view_.stepFailed({QString(), line, description}, source_);
        },
        QString());
    runOverList(report, summary);
    source_.clear();
    return summary;
}

void BatchRun::runOverList(ErrorReport& report, BatchRunSummary& summary)
{
    if (report.choice(convertingsteps::emptyList, [&] { return view_.entryCount() == 0; }))
        return;
    const bool usable = report.choice(convertingsteps::destinationUsable, [&] {
        const BatchDestination destination = view_.destination();
        return destination.besideSource || FolderExists(destination.folder, facts_);
    });
    if (!usable) {
        report.step(convertingsteps::folderMissing, [&] { view_.folderMissing(); });
        return;
    }
    // The bound is taken once; files added during the run wait for the next one.
    const qsizetype count = view_.entryCount();
    // Results are made durable and put in place on a thread of their own while the next files are converted. Each
    // holds a file open until then: the four groups that may be in flight, and the files made ahead, keep to a
    // small share of the files the process may open.
    const std::size_t share = openFileLimit() / 16;
    Flight flight(std::clamp<std::size_t>(share, 1, ResultCommitter::largestGroup),
                  std::min(share, FilesAhead::defaultMostReady), summary);
    for (qsizetype position = 1; position <= count; ++position) {
        tellCommitFailures(flight);
        while (!flight.committer.waitForRoom(waitingStep))
            view_.stillWaiting();
        const FileOutcome outcome = convertEntry(report, position, flight);
        if (outcome == FileOutcome::Stopped) {
            summary.stopped = true;
            break;
        }
        if (outcome == FileOutcome::EndOfList)
            break;
        summary.converted += outcome == FileOutcome::Converted;
        summary.skipped += outcome == FileOutcome::Skipped;
        summary.failed += outcome == FileOutcome::Failed;
    }
    // Every result written is on the disk, or reported, before the run says it is done or stops.
    putWaitingInPlace(flight);
    if (!summary.stopped)
        endRun(report);
}

void BatchRun::putWaitingInPlace(Flight& flight)
{
    while (!flight.committer.finish(waitingStep))
        view_.stillWaiting();
    flight.pending.clear();
    tellCommitFailures(flight);
}

void BatchRun::tellCommitFailures(Flight& flight)
{
    for (const auto& [source, failure] : flight.committer.takeFailures()) {
        view_.stepFailed({QString(), convertingsteps::putInPlace, failure.description()}, source);
        --flight.summary.converted;
        ++flight.summary.failed;
    }
}

BatchRun::FileOutcome BatchRun::convertEntry(ErrorReport& report, qsizetype position, Flight& flight)
{
    source_.clear();
    position_ = position;
    // Entries only go when the whole list is cleared, so a missing position means the rest are gone too.
    if (!report.step(convertingsteps::entry, [&] { source_ = view_.entryAt(position); }))
        return FileOutcome::EndOfList;
    view_.fileStarted(position, source_);
    report.step(convertingsteps::percent,
                [&] { view_.showPercent(double(position) / double(view_.entryCount()) * 100.0); });
    report.step(convertingsteps::caption,
                [&] { view_.showCaption(QStringLiteral("Processing: ") + GetFileName(source_)); });
    report.step(convertingsteps::letEventsThrough, [&] { view_.letEventsThrough(); });
    // Asked to stop meanwhile (the program is ending): this file is left as it is.
    if (stopRequested_ || view_.stopWanted())
        return FileOutcome::Stopped;
    report.step(convertingsteps::busy, [&] { view_.showBusy(true); });

    // The file as it is before it is opened: a result in place of it replaces only this file.
    FileIdentity read = fileIdentity(source_);
    // An entry reads what the entries before it left: results still waiting for its path or its file go first.
    if (flight.pending.holdsPath(source_) || flight.pending.holdsFile(read)) {
        putWaitingInPlace(flight);
        read = fileIdentity(source_);
    }
    Attempt attempt = convertFile(flight, read);
    // One file at a time would have had the room that the waiting results hold: they go in place, the new files
    // made ahead are given back, and the file is converted once more from its start.
    if (attempt.failure && isShortOfRoom(*attempt.failure)) {
        putWaitingInPlace(flight);
        flight.ahead.giveBack();
        attempt = convertFile(flight, fileIdentity(source_));
    }
    if (attempt.failure)
        view_.stepFailed(*attempt.failure, source_);
    return attempt.outcome;
}

BatchRun::Attempt BatchRun::convertFile(Flight& flight, const FileIdentity& read)
{
    // The file is read once, as it is converted into its result.
    OrFailure<RuleReading> reading
        = readByRule(source_, convertingsteps::reading, ReadingMode::WhileConverting, page_, facts_);
    // A file that cannot be read is reported and gets no result: an empty one would replace the source, or an
    // earlier good result.
    if (!reading)
        return {FileOutcome::Failed, reading.failure()};
    QString target;
    // The destination is read again for each file: a change between files applies to the files that follow.
    const BatchDestination destination = view_.destination();
    const int pathStep
        = destination.besideSource ? convertingsteps::resultPathBesideSource : convertingsteps::resultPathInFolder;
    if (std::optional<Attempt> failed
        = failedStep(*reading, pathStep, [&] { target = view_.resultPath(position_, source_, destination); }))
        return *failed;
    // A result for the same path still waiting goes first, so this one replaces what the run left there.
    if (flight.pending.holdsPath(target))
        putWaitingInPlace(flight);
    // The result goes to a new file that replaces the old one only when complete, so a failure at any step
    // leaves the old file as it was.
    ResultFile file(target);
    // In place, only the file as read is replaced; elsewhere a new result is made as a copy of its source would be.
    if (destination.besideSource)
        file.expect(read);
    else
        file.takePermissionsFrom(source_);
    file.keepBackup(backupSuffix_);
    if (std::optional<Attempt> failed = failedStep(*reading, convertingsteps::openResult, [&] { file.open(); }))
        return *failed;
    // The converted text is written as it is made, never held whole; a file found not to be text on the way
    // leaves no result, and one found not to be UTF-8 is converted again in the code page.
    FileText::Outcome settled = FileText::Outcome::Converted;
    if (std::optional<Attempt> failed
        = failedStep(*reading, convertingsteps::writeResult, [&] { settled = writeResult(reading->text, file); }))
        return *failed;
    if (settled == FileText::Outcome::NotText)
        return notText();
    return putInPlace(flight, file, destination.besideSource ? std::optional<FileIdentity>(read) : std::nullopt);
}

FileText::Outcome BatchRun::writeResult(const FileText& text, ResultFile& file)
{
    const std::optional<WordListOptions> wordList = view_.wordList();
    if (!wordList)
        return text.wordsToLinesUtf8UnlessNotText([&file](QByteArrayView bytes) { file.write(bytes); },
                                                  [&file] { file.restart(); }, view_.lineBreak());
    // The list is made once the whole text is read.
    WordCounts counts;
    if (countWords(text, wordList->foldCase, counts) == FileText::Outcome::NotText)
        return FileText::Outcome::NotText;
    writeWordList(counts, *wordList, [&file](QByteArrayView bytes) { file.write(bytes); });
    return FileText::Outcome::Converted;
}

std::optional<BatchRun::Attempt> BatchRun::failedStep(const RuleReading& reading, int line,
                                                      const std::function<void()>& step)
{
    std::optional<StepFailure> failure = tryStep(line, step);
    if (!failure)
        return std::nullopt;
    // Text without a mark never holds a NUL byte; such a file is binary and must not be replaced. Whether it is
    // shows as it is converted; a step that fails looks first, since a binary file is not reported.
    bool binary = false;
    tryStep(line, [&] { binary = reading.readFindsBinary(); });
    if (binary)
        return notText();
    return Attempt{FileOutcome::Failed, std::move(failure)};
}

BatchRun::Attempt BatchRun::notText()
{
    view_.notTextFile(source_);
    return {FileOutcome::Skipped, std::nullopt};
}

BatchRun::Attempt BatchRun::putInPlace(Flight& flight, ResultFile& file, const std::optional<FileIdentity>& read)
{
    // A new file with a name of its own is put in place before the next one is made, so that a killed run leaves
    // at most one such name behind.
    if (file.hasName()) {
        putWaitingInPlace(flight);
        std::optional<StepFailure> failure = tryStep(convertingsteps::putInPlace, [&] { file.close(); });
        return {failure ? FileOutcome::Failed : FileOutcome::Converted, std::move(failure)};
    }
    // Put in place later, in list order; a failure then is reported as this file's.
    const FileIdentity replaced = read ? *read : fileIdentity(file.path());
    std::optional<StepFailure> failure
        = tryStep(convertingsteps::putInPlace, [&] { file.close(flight.committer, source_); });
    if (!failure)
        flight.pending.add(file.path(), replaced);
    return {failure ? FileOutcome::Failed : FileOutcome::Converted, std::move(failure)};
}

void BatchRun::endRun(ErrorReport& report)
{
    source_.clear();
    report.step(convertingsteps::idle, [&] { view_.showBusy(false); });
    report.step(convertingsteps::percentCleared, [&] { view_.showPercent(0); });
    report.step(convertingsteps::captionCleared, [&] { view_.showCaption(QStringLiteral("Progress Bar")); });
    report.step(convertingsteps::done, [&] { view_.done(); });
}

} // namespace quillora
