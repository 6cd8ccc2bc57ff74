// The batch run without any widget: a recording view stands where the window would.
#include "batchrun/BatchRun.h"

#include "platform/NativeFileFacts.h"
#include "support/SmallMount.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

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
    AnsiCodePage ansiCodePage() const override { return localeAnsiCodePage(); }
    void fileStarted(qsizetype position, const QString& path) override
    {
        started << QStringLiteral("%1 %2").arg(position).arg(path);
    }
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
    QStringList started;
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
    NativeFileFacts facts;
    BatchRun run{view, facts};
};

// Every file below folder, by its path relative to folder, with its bytes.
QMap<QString, QByteArray> filesBelow(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), testing::readFile(path));
    }
    return files;
}

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
    EXPECT_EQ(view.started,
              (QStringList{QStringLiteral("1 ") + text, QStringLiteral("2 ") + binary, QStringLiteral("3 ") + missing,
                           QStringLiteral("4 ") + utf16}));
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

TEST_F(BatchRunTest, ARunLeavesWhatItsEntriesConvertedOneAfterTheOtherLeave)
{
    // Each tree is made twice: one run over the whole list, and one run per entry in list order.
    struct Case
    {
        const char* name;
        bool inPlace;
        // Files below the tree; "->" makes a symbolic link to the rest, relative to the link's folder.
        std::vector<std::pair<const char*, const char*>> files;
        QStringList list;
    };
    const Case cases[] = {
        {"a result read back",
         false,
         {{"src/a.txt", "ab  cd"}, {"out/a.txt", "old  words"}},
         {"src/a.txt", "out/a.txt"}},
        {"a result not there before, read back", false, {{"src/a.txt", "ab  cd"}}, {"src/a.txt", "out/a.txt"}},
        {"a result read through a link",
         false,
         {{"src/a.txt", "ab  cd"}, {"out/a.txt", "old  words"}, {"other/b.txt", "->../out/a.txt"}},
         {"src/a.txt", "other/b.txt"}},
        {"one file twice in place", true, {{"s.txt", "ab  cd"}}, {"s.txt", "s.txt"}},
        {"one file in place, then through a link",
         true,
         {{"s.txt", "ab  cd"}, {"l.txt", "->s.txt"}},
         {"s.txt", "l.txt"}},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        const auto makeTree = [&](const QString& root) {
            QDir().mkpath(root + QStringLiteral("/out"));
            for (const auto& [name, bytes] : one.files) {
                const QString path = root + u'/' + QLatin1String(name);
                if (QByteArray(bytes).startsWith("->")) {
                    QDir().mkpath(QFileInfo(path).absolutePath());
                    EXPECT_TRUE(QFile::link(QString::fromUtf8(bytes + 2), path));
                } else {
                    testing::writeFile(path, bytes);
                }
            }
            QStringList entries;
            for (const QString& entry : one.list)
                entries << QDir::toNativeSeparators(root + u'/' + entry);
            return entries;
        };
        const auto runOver = [&](const QStringList& entries, const QString& root) {
            RecordingView each;
            each.entries = entries;
            each.where = {one.inPlace, QDir::toNativeSeparators(root + QStringLiteral("/out"))};
            BatchRun(each, facts).run();
            return each.failures;
        };
        const QString whole = work.filePath(QStringLiteral("%1/whole").arg(one.name));
        const QString single = work.filePath(QStringLiteral("%1/single").arg(one.name));

        const QStringList failures = runOver(makeTree(whole), whole);
        QStringList singleFailures;
        for (const QString& entry : makeTree(single))
            singleFailures << runOver({entry}, single);

        EXPECT_EQ(failures, QStringList());
        EXPECT_EQ(singleFailures, QStringList());
        EXPECT_EQ(filesBelow(whole), filesBelow(single));
    }
}

TEST_F(BatchRunTest, AFileChangedWhileItsResultWaitsIsLeftAsTheUserLeftIt)
{
    struct Case
    {
        const char* name;
        // What the user does to the second file while the third is converted.
        std::function<void(const QString&)> change;
        bool changed;
    };
    const auto saveByRename = [](const QString& path) {
        testing::writeFile(path + QStringLiteral(".new"), "saved by rename");
        ASSERT_EQ(std::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                              QFile::encodeName(path).constData()),
                  0);
    };
    const auto writeOver = [](const QString& path) { testing::writeFile(path, "written over"); };
    const auto sameSizeLater = [](const QString& path) {
        testing::writeFile(path, "xy  zw");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    };
    const Case cases[] = {
        {"left alone", [](const QString&) {}, false},
        {"saved by rename", saveByRename, true},
        {"written over", writeOver, true},
        {"same size, written later", sameSizeLater, true},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        view = RecordingView();
        for (int i = 0; i < 4; ++i)
            view.entries << source(QStringLiteral("%1/s%2.txt").arg(one.name).arg(i), "ab  cd");
        view.where = {true, QString()};
        QByteArray userBytes;
        view.onYield = [&](int yield) {
            if (yield == 3) {
                one.change(view.entries[1]);
                userBytes = testing::readFile(view.entries[1]);
            }
        };

        const BatchRunSummary summary = run.run();

        EXPECT_EQ(summary.failed, one.changed ? 1 : 0);
        EXPECT_EQ(summary.converted, one.changed ? 3 : 4);
        EXPECT_EQ(view.failures,
                  one.changed ? QStringList{QStringLiteral(" 174 %1: changed while it was converted, left as it is")
                                                .arg(view.entries[1])}
                              : QStringList());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(testing::readFile(view.entries[i]), i == 1 && one.changed ? userBytes : QByteArray("ab\r\ncd"))
                << i;
    }
}

TEST_F(BatchRunTest, ResultsWaitingToBePutInPlaceGiveWayWhenTheDiskOrTheFileHandlesRunShort)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "needs a small tmpfs and a limit on open files";
#else
    // Converted one after the other, every file fits: each result takes no more room than the file it replaces.
    struct Case
    {
        const char* name;
        const char* mountOptions;
        int files;
        // Pages left free on the disk once the files are there, or -1 to leave it as it is.
        int freePages;
        // A limit on the files this process may hold open during the run, or 0.
        rlim_t openFiles;
    };
    const Case cases[] = {
        {"a nearly full disk", "size=1m", 200, 4, 0},
        {"few inodes", "size=4m,nr_inodes=220", 200, -1, 0},
        {"few file handles", nullptr, 300, -1, 64},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        view = RecordingView();
        const QString folder = work.filePath(QString::fromLatin1(one.name));
        QDir().mkpath(folder);
        std::optional<testing::SmallMount> mount;
        if (one.mountOptions) {
            mount.emplace(folder, QString::fromLatin1(one.mountOptions));
            QUILLORA_REQUIRE_MOUNTED(*mount);
        }
        for (int i = 0; i < one.files; ++i)
            view.entries << source(QStringLiteral("%1/s%2.txt").arg(one.name).arg(i), "ab  cd");
        if (one.freePages >= 0) {
            QFile filler(folder + QStringLiteral("/filler"));
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'x')) == 4096) { }
            ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - one.freePages * 4096)));
        }
        view.where = {true, QString()};
        rlimit before{};
        ::getrlimit(RLIMIT_NOFILE, &before);
        if (one.openFiles > 0) {
            const rlimit lowered{one.openFiles, before.rlim_max};
            ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
        }

        const BatchRunSummary summary = run.run();
        ::setrlimit(RLIMIT_NOFILE, &before);

        EXPECT_EQ(view.failures.mid(0, 3), QStringList());
        EXPECT_EQ(summary.converted, one.files);
        for (const QString& entry : view.entries)
            ASSERT_EQ(testing::readFile(entry), QByteArray("ab\r\ncd")) << entry.toStdString();
    }
#endif
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
