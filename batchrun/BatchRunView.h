// What a batch run needs from whoever shows it: the list, the destination, progress, and what to tell the user.
#pragma once

#include "batchrun/BatchResultPath.h"
#include "engine/AnsiCodePage.h"
#include "engine/LineBreak.h"
#include "engine/WordList.h"
#include "platform/Failure.h"

#include <QString>
#include <optional>

namespace quillora {

// Where the results go, read again before each file.
struct BatchDestination
{
    // Each result replaces its source.
    bool besideSource = false;
    // The chosen folder, used when the results do not go beside their sources.
    QString folder;
};

class BatchRunView
{
public:
    virtual ~BatchRunView() = default;

    // The number of entries in the list now.
    virtual qsizetype entryCount() const = 0;
    // The path of entry position, counted from 1; throws Failure when there is no such entry.
    virtual QString entryAt(qsizetype position) const = 0;
    virtual BatchDestination destination() const = 0;
    // The code page of files without a mark that are not UTF-8, read once per run.
    virtual AnsiCodePage ansiCodePage() const = 0;
    // What joins the lines of each result.
    virtual LineBreak lineBreak() const { return LineBreak::CrLf; }
    // Where given, each result is the list of its source's words rather than the converted text.
    virtual std::optional<WordListOptions> wordList() const { return std::nullopt; }
    // Where not empty, each file a result replaces is kept under its name followed by this.
    virtual QString backupSuffix() const { return {}; }
    // Where the result of the entry at position (source, as entryAt gave it) goes: by default beside the source or
    // in the chosen folder under the source's name. Throws Failure when no result can go there.
    virtual QString resultPath(qsizetype /*position*/, const QString& source, const BatchDestination& destination)
    {
        return batchResultPath(destination.besideSource, destination.folder, source);
    }

    // The entry at position, counted from 1, is about to be worked on; path is as entryAt gave it.
    virtual void fileStarted(qsizetype /*position*/, const QString& /*path*/) { }
    // The share of the list that is done once the file now starting is, in percent.
    virtual void showPercent(double percent) = 0;
    // "Processing: a.txt" while a file is worked on, "Progress Bar" when idle.
    virtual void showCaption(const QString& caption) = 0;
    // Called once per file before it is read; the run may be asked to stop meanwhile.
    virtual void letEventsThrough() = 0;
    // Asked once per file after letEventsThrough: true stops the run before that file.
    virtual bool stopWanted() { return false; }
    // Called every few milliseconds while the run waits for the disk to take the results written ahead.
    virtual void stillWaiting() { }
    virtual void showBusy(bool busy) = 0;

    // A step failed: one of the run's own (no procedure named) or of a reader it called. source is the file being
    // worked on, empty outside the files.
    virtual void stepFailed(const StepFailure& failure, const QString& source) = 0;
    // The file at source holds a NUL byte and no mark: it is not text and is left as it was.
    virtual void notTextFile(const QString& source) = 0;
    // The chosen folder does not exist, so the run touches no file.
    virtual void folderMissing() = 0;
    // The run went through the whole list.
    virtual void done() = 0;
};

} // namespace quillora
