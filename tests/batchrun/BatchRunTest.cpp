// The batch run without any widget: a recording view stands where the window would.
#include "batchrun/BatchRun.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
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
    void done() override
    {
        messages << QStringLiteral("Done.");
        failuresBeforeDone = failures.size();
    }

    QStringList entries;
    BatchDestination where;
    std::function<void(int)> onYield;
    int yields = 0;
    QList<double> percents;
    QStringList captions;
    QList<bool> busyStates;
    QStringList failures;
    QStringList messages;
    qsizetype failuresBeforeDone = -1;
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

TEST_F(BatchRunTest, AResultThatCannotBePutInPlaceIsToldAsItsOwnFailureInListOrderBeforeDone)
{
    QUILLORA_SKIP_AS_ROOT();
    // Four files replaced in place, each in a folder of its own, all in one group of results written ahead. A
    // folder locked before the run refuses the new file at once (168); one locked after its file was written but
    // before the group is put in place refuses the rename (174).
    struct Case
    {
        const char* name;
        int lockedBefore;
        // The file whose folder is locked when the file after it starts, or -1.
        int lockedWhileAhead;
    };
    const Case cases[] = {{"none", -1, -1}, {"before", 1, -1}, {"ahead", -1, 1}, {"both", 0, 2}, {"last", -1, 2}};
    const auto locked = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    const auto open = locked | QFileDevice::WriteOwner;
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        view = RecordingView();
        QStringList folders;
        for (int i = 0; i < 4; ++i) {
            folders << QDir::toNativeSeparators(work.filePath(QStringLiteral("%1/%2").arg(one.name).arg(i)));
            QDir().mkpath(folders.last());
            view.entries << source(QStringLiteral("%1/%2/s.txt").arg(one.name).arg(i), "a b");
        }
        view.where = {true, QString()};
        const auto lock = [&](int i) { ASSERT_TRUE(QFile::setPermissions(folders[i], locked)); };
        if (one.lockedBefore >= 0)
            lock(one.lockedBefore);
        view.onYield = [&](int yield) {
            if (one.lockedWhileAhead >= 0 && yield == one.lockedWhileAhead + 2)
                lock(one.lockedWhileAhead);
        };
        QStringList expected;
        for (int i = 0; i < 4; ++i) {
            if (i == one.lockedBefore || i == one.lockedWhileAhead)
                expected << QStringLiteral(" %1 %2: Permission denied: cannot replace files in the folder %3/")
                                .arg(i == one.lockedBefore ? 168 : 174)
                                .arg(view.entries[i], folders[i]);
        }

        const BatchRunSummary summary = run.run();
        for (const QString& folder : folders)
            QFile::setPermissions(folder, open);

        EXPECT_EQ(view.failures, expected);
        EXPECT_EQ(view.failuresBeforeDone, expected.size());
        EXPECT_EQ(summary.failed, expected.size());
        EXPECT_EQ(summary.converted, 4 - expected.size());
        for (int i = 0; i < 4; ++i) {
            const bool refused = i == one.lockedBefore || i == one.lockedWhileAhead;
            EXPECT_EQ(testing::readFile(view.entries[i]), refused ? QByteArray("a b") : QByteArray("a\r\nb")) << i;
            EXPECT_EQ(QDir(folders[i]).entryList(QDir::Files | QDir::Hidden), QStringList{"s.txt"}) << i;
        }
    }
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
