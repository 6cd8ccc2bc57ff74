// Converts every file of a list, one result per file, without any widget: the windows and the command line
// show it through a BatchRunView.
#pragma once

#include "batchrun/BatchRunView.h"
#include "engine/FileText.h"
#include "platform/FileFacts.h"

#include <atomic>
#include <functional>
#include <optional>

namespace quillora {

class ErrorReport;
class ResultFile;
struct FileIdentity;
struct RuleReading;

// How the files of one run ended.
struct BatchRunSummary
{
    int converted = 0;
    // Not text: left as they were.
    int skipped = 0;
    int failed = 0;
    // The run was asked to stop before its last file.
    bool stopped = false;
};

class BatchRun
{
public:
    BatchRun(BatchRunView& view, FileFacts& facts);

    // Runs over the list as it stands; a second call during a run returns at once with an empty summary.
    BatchRunSummary run();
    bool isRunning() const { return running_; }
    // Asks a run under way to stop before its next file; the file being written is finished first.
    void requestStop() { stopRequested_ = true; }

    static QString notTextMessage(const QString& path);
    static QString folderMissingMessage();

private:
    enum class FileOutcome
    {
        Converted,
        Skipped,
        Failed,
        EndOfList,
        Stopped
    };
    // How one try at a file ended, with the failure still to be told.
    struct Attempt;
    // The results of a run not yet in place, and the new files made ahead for them.
    struct Flight;

    void runOverList(ErrorReport& report, BatchRunSummary& summary);
    FileOutcome convertEntry(ErrorReport& report, qsizetype position, Flight& flight);
    // Reads, converts and writes the file whose identity before reading was read.
    Attempt convertFile(Flight& flight, const FileIdentity& read);
    // Writes the file's converted text, or its word list, into file.
    FileText::Outcome writeResult(const FileText& text, ResultFile& file);
    // Runs a step of the result; when it fails the file is skipped if it is not text, else it failed.
    std::optional<Attempt> failedStep(const RuleReading& reading, int line, const std::function<void()>& step);
    // The file is not text and is left as it was.
    Attempt notText();
    // Puts the written result in place now, or hands it on to be put in place in list order. read is the file the
    // result replaces as it was read, when the result goes beside its source.
    Attempt putInPlace(Flight& flight, ResultFile& file, const std::optional<FileIdentity>& read);
    // Puts every result handed on in place and tells those that could not be.
    void putWaitingInPlace(Flight& flight);
    // Reports the results that could not be put in place since the last call, each as its file's failure.
    void tellCommitFailures(Flight& flight);
    void endRun(ErrorReport& report);

    BatchRunView& view_;
    FileFacts& facts_;
    bool running_ = false;
    std::atomic<bool> stopRequested_ = false;
    // The file being worked on, named in the failures it reports.
    QString source_;
    qsizetype position_ = 0;
    AnsiCodePage page_ = AnsiCodePage::Western;
    QString backupSuffix_;
};

} // namespace quillora
