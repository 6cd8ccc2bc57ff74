// Converts every file of a list, one result per file, without any widget: the windows and the command line
// show it through a BatchRunView.
#pragma once

#include "batchrun/BatchRunView.h"

#include <atomic>

namespace quillora {

class ErrorReport;
class FilesAhead;
class ResultCommitter;

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
    explicit BatchRun(BatchRunView& view);

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
    void runOverList(ErrorReport& report, BatchRunSummary& summary);
    FileOutcome convertEntry(ErrorReport& report, qsizetype position, ResultCommitter& committer, FilesAhead& ahead);
    // Reports the results that could not be put in place since the last call, each as its file's failure.
    void tellCommitFailures(ResultCommitter& committer, BatchRunSummary& summary);
    void endRun(ErrorReport& report);

    BatchRunView& view_;
    bool running_ = false;
    std::atomic<bool> stopRequested_ = false;
    // The file being worked on, named in the failures it reports.
    QString source_;
    AnsiCodePage page_ = AnsiCodePage::Western;
};

} // namespace quillora
