// The batch run without any widget: a recording view stands where the window would.
#include "batchrun/BatchRun.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace quillora {
namespace {

class RecordingView : public BatchRunView
{
public:
    qsizetype entryCount() const override { return entries.size(); }
    QString entryAt(qsizetype position) const override
    {
        if (position < 1 || position > entries.size())
            throw Failure::invalidArgument();
        return entries.at(position - 1);
    }
    BatchDestination destination() const override { return where; }
    void showPercent(double percent) override { percents << percent; }
    void showCaption(const QString& caption) override { captions << caption; }
    void letEventsThrough() override
    {
        if (onYield)
            onYield(++yields);
    }
    void showBusy(bool busy) override { busyStates << busy; }
    void stepFailed(const StepFailure& failure, const QString& source) override
    {
        failures << QStringLiteral("%1 %2 %3: %4")
                        .arg(failure.procedure, QString::number(failure.line), source, failure.description);
    }
    void notTextFile(const QString& source) override { messages << BatchRun::notTextMessage(source); }
    void folderMissing() override { messages << BatchRun::folderMissingMessage(); }
    void done() override { messages << QStringLiteral("Done."); }

    QStringList entries;
    BatchDestination where;
    std::function<void(int)> onYield;
    int yields = 0;
    QList<double> percents;
    QStringList captions;
    QList<bool> busyStates;
    QStringList failures;
    QStringList messages;
};

class BatchRunTest : public ::testing::Test
{
protected:
    QString source(const QString& name, const QByteArray& bytes)
    {
        const QString path = QDir::toNativeSeparators(work.filePath(name));
        testing::writeFile(path, bytes);
        return path;
    }

    QTemporaryDir work;
    RecordingView view;
    BatchRun run{view};
};

TEST_F(BatchRunTest, EachFileIsConvertedSkippedOrReportedAndTheSummaryCountsThem)
{
    const QString text = source(QStringLiteral("a.txt"), "one  two");
    const QString binary = source(QStringLiteral("b.bin"), QByteArray("x\0y", 3));
    const QString missing = QDir::toNativeSeparators(work.filePath(QStringLiteral("gone.txt")));
    const QString utf16 = source(QStringLiteral("c.txt"), QByteArray("\xFF\xFEh\0i\0 \0", 8));
    view.entries = {text, binary, missing, utf16};
    view.where = {true, QString()};

    const BatchRunSummary summary = run.run();

    EXPECT_EQ(summary.converted, 2);
    EXPECT_EQ(summary.skipped, 1);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_FALSE(summary.stopped);
    EXPECT_EQ(testing::readFile(text), QByteArray("one\r\ntwo"));
    EXPECT_EQ(testing::readFile(binary), QByteArray("x\0y", 3));
    EXPECT_EQ(testing::readFile(utf16), QByteArray("hi"));
    EXPECT_EQ(view.percents, (QList<double>{25, 50, 75, 100, 0}));
    EXPECT_EQ(view.captions.first(), QStringLiteral("Processing: a.txt"));
    EXPECT_EQ(view.captions.last(), QStringLiteral("Progress Bar"));
    EXPECT_EQ(view.failures, QStringList{QStringLiteral(" 126 %1: File not found").arg(missing)});
    EXPECT_EQ(view.messages, (QStringList{BatchRun::notTextMessage(binary), QStringLiteral("Done.")}));
    EXPECT_FALSE(view.busyStates.isEmpty());
    EXPECT_FALSE(view.busyStates.last());
    EXPECT_FALSE(run.isRunning());
}

TEST_F(BatchRunTest, AResultThatCannotBeOpenedIsReportedUnlessTheFileIsNotText)
{
    // Folders stand where the results would go, so neither result can be opened.
    const QString out = QDir::toNativeSeparators(work.filePath(QStringLiteral("out")));
    QDir().mkpath(work.filePath(QStringLiteral("out/a.txt")));
    QDir().mkpath(work.filePath(QStringLiteral("out/b.bin")));
    const QString text = source(QStringLiteral("a.txt"), "one two");
    const QString binary = source(QStringLiteral("b.bin"), QByteArray("caf\xE9\0", 5));
    view.entries = {text, binary};
    view.where = {false, out};

    const BatchRunSummary summary = run.run();

    EXPECT_EQ(summary.failed, 1);
    EXPECT_EQ(summary.skipped, 1);
    EXPECT_EQ(view.failures, QStringList{QStringLiteral(" 168 %1: Permission denied").arg(text)});
    EXPECT_EQ(view.messages, (QStringList{BatchRun::notTextMessage(binary), QStringLiteral("Done.")}));
}

TEST_F(BatchRunTest, AStopRequestEndsTheRunBeforeItsNextFile)
{
    for (int i = 0; i < 4; ++i)
        view.entries << source(QStringLiteral("s%1.txt").arg(i), "a b");
    view.where = {true, QString()};
    view.onYield = [this](int yield) {
        if (yield == 3)
            run.requestStop();
        // A second start while the run is under way does nothing.
        EXPECT_EQ(run.run().converted, 0);
    };

    const BatchRunSummary summary = run.run();

    EXPECT_TRUE(summary.stopped);
    EXPECT_EQ(summary.converted, 2);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(testing::readFile(view.entries[i]), i < 2 ? QByteArray("a\r\nb") : QByteArray("a b")) << i;
    EXPECT_FALSE(view.messages.contains(QStringLiteral("Done.")));
    // The next run starts afresh.
    view.onYield = nullptr;
    EXPECT_EQ(run.run().converted, 4);
}

TEST_F(BatchRunTest, AChosenFolderThatIsNotThereTouchesNoFile)
{
    const QString text = source(QStringLiteral("a.txt"), "a b");
    view.entries = {text};
    for (const QString& folder : {QString(), work.filePath(QStringLiteral("missing")), text}) {
        view.where = {false, folder};
        view.messages.clear();
        EXPECT_EQ(run.run().converted, 0);
        EXPECT_EQ(view.messages, QStringList{BatchRun::folderMissingMessage()});
    }
    EXPECT_EQ(view.yields, 0);
    EXPECT_EQ(testing::readFile(text), QByteArray("a b"));
}

} // namespace
} // namespace quillora
