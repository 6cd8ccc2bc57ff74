// The batch run shown in a terminal: a progress line on standard error, one line per entry that is not converted,
// control characters in names escaped.
#pragma once

#include "batchrun/BatchRunView.h"

#include <QStringList>
#include <cstdio>
#include <functional>

namespace quillora {

class TerminalView : public BatchRunView
{
public:
    // progress: draw "[n/N] name" on errors, which must then be a terminal. stopWanted is asked before each file;
    // true stops the run before it.
    TerminalView(QStringList paths, BatchDestination destination, AnsiCodePage page, bool progress, FILE* errors,
                 std::function<bool()> stopWanted, LineBreak lineBreak = LineBreak::CrLf);

    // Each entry's result goes to the path of the same position in results, its folders made as needed, instead of
    // where the batch window puts it.
    void useResultPaths(QStringList results) { results_ = std::move(results); }
    // Each file a result replaces is kept under its name followed by suffix.
    void keepBackups(QString suffix) { backupSuffix_ = std::move(suffix); }
    void makeWordLists(std::optional<WordListOptions> wordList) { wordList_ = wordList; }
    // Takes the progress line away.
    void clearProgress();
    // The destination folder was gone when the run began: nothing was converted.
    bool destinationMissing() const { return destinationMissing_; }
    // How many entries the run never began: all after the one it stopped before, or after the last one it reached.
    qsizetype notStartedCount() const;

    qsizetype entryCount() const override { return paths_.size(); }
    QString entryAt(qsizetype position) const override;
    BatchDestination destination() const override { return destination_; }
    AnsiCodePage ansiCodePage() const override { return page_; }
    LineBreak lineBreak() const override { return lineBreak_; }
    QString backupSuffix() const override { return backupSuffix_; }
    std::optional<WordListOptions> wordList() const override { return wordList_; }
    QString resultPath(qsizetype position, const QString& source, const BatchDestination& destination) override;
    void fileStarted(qsizetype position, const QString& path) override;
    void showPercent(double) override { }
    void showCaption(const QString&) override { }
    void letEventsThrough() override { }
    bool stopWanted() override;
    void showBusy(bool) override { }
    void stepFailed(const StepFailure& failure, const QString& source) override;
    void notTextFile(const QString& source) override;
    void folderMissing() override;
    void done() override { }

private:
    // "[n/N] path", cut at the front to fit the terminal, over the previous progress line.
    void drawProgress(const QString& source);
    void tell(const QString& line);
    // The words for why the entry being worked on failed.
    QString reasonFor(const StepFailure& failure, const QString& source) const;

    QStringList paths_;
    QStringList results_;
    QString backupSuffix_;
    std::optional<WordListOptions> wordList_;
    BatchDestination destination_;
    AnsiCodePage page_;
    bool progress_;
    FILE* errors_;
    std::function<bool()> stopWanted_;
    LineBreak lineBreak_;
    // The entry being worked on.
    qsizetype position_ = 0;
    // The entry whose failure was told: one line per entry, however many of its steps fail.
    qsizetype toldPosition_ = 0;
    // The entry the run stopped before, 0 while it goes on.
    qsizetype stoppedBefore_ = 0;
    bool progressShown_ = false;
    bool destinationMissing_ = false;
};

// The last line of a run: "N converted, M skipped, K failed".
QString summaryLine(int converted, int skipped, int failed);

} // namespace quillora
