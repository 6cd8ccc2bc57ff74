// Faults of the tree rather than of one file's content: a huge sparse file, a link loop, a folder that denies
// reading, a file that goes away, a named pipe, a destination that cannot be written and a full disk.
#include "SweepFixture.h"
#include "support/SmallMount.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillora::testing {
namespace {

const QString wordsFile = QStringLiteral("words.txt");

#ifndef Q_OS_WIN
qint64 peakMemoryBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}
#endif

TEST_F(SweepTest, AGigabyteSparseFileOfNulsIsSkippedAsNotTextWithoutBeingReadWhole)
{
    const QString sparse = inPath(QStringLiteral("sparse.txt"));
    {
        QFile file(sparse);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(1) << 30));
    }
    const TreeSnapshot before = snapshotOutsideDestination();
#ifndef Q_OS_WIN
    const qint64 peakBefore = peakMemoryBytes();
#endif
    EXPECT_EQ(runBatch(sparse, out()), QStringList({notText(sparse), QStringLiteral("Done.")}));
#ifndef Q_OS_WIN
    // A whole read would raise the peak by a gigabyte.
    EXPECT_LT(peakMemoryBytes() - peakBefore, qint64(64) << 20);
#endif
    EXPECT_TRUE(QDir(out()).isEmpty());
    EXPECT_EQ(snapshotOutsideDestination(), before);
}

TEST_F(SweepTest, AFolderLinkLoopEndsTheWalkWithoutAMessage)
{
    writeFile(inPath(wordsFile), "a b");
    ASSERT_TRUE(QFile::link(in(), inPath(QStringLiteral("loop"))));
    const TreeSnapshot before = snapshotOutsideDestination();
    QStringList messages;
    const QStringList found = walkAndList(&messages);
    EXPECT_EQ(messages, QStringList());
    EXPECT_TRUE(found.contains(inPath(wordsFile)));
    // The loop is followed only as far as the path length allows.
    for (const QString& path : found)
        EXPECT_LT(QFileInfo(path).path().size(), 260);
    EXPECT_EQ(snapshotOutsideDestination(), before);
}

TEST_F(SweepTest, AFolderWithoutReadPermissionIsLeftOutOrReportedAndNeverChanged)
{
    QUILLORA_SKIP_AS_ROOT();
    const QString locked = inPath(QStringLiteral("locked"));
    const QString inside = inPath(QStringLiteral("locked/words.txt"));
    writeFile(inside, "a b");
    writeFile(inPath(wordsFile), "c d");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    const TreeSnapshot before = snapshotOutsideDestination();

    QStringList messages;
    EXPECT_EQ(walkAndList(&messages), QStringList{inPath(wordsFile)});
    EXPECT_EQ(messages, QStringList());
    EXPECT_EQ(snapshotOutsideDestination(), before);
    expectRefusedWith(inside, QStringLiteral("Permission denied"));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(SweepTest, AFileThatVanishesAfterListingIsReportedOnceAndLeavesNoResult)
{
    writeFile(inPath(wordsFile), "a b");
    const QStringList found = walkAndList(nullptr);
    ASSERT_EQ(found, QStringList{inPath(wordsFile)});
    QFile::remove(found.first());
    expectRefusedWith(found.first(), QStringLiteral("File not found"));
}

#ifndef Q_OS_WIN
// Lets a reader stuck in opening a pipe go after a bound, by opening the pipe's other end; the reader then reads
// an empty pipe and the test fails on its result instead of hanging.
class PipeWatchdog
{
public:
    explicit PipeWatchdog(const QString& pipe)
        : pipe_(QFile::encodeName(pipe))
        , thread_([this] {
            std::unique_lock lock(mutex_);
            while (!done_) {
                if (wake_.wait_for(lock, std::chrono::seconds(30)) == std::cv_status::timeout) {
                    const int writer = ::open(pipe_.constData(), O_WRONLY | O_NONBLOCK);
                    if (writer >= 0)
                        ::close(writer);
                }
            }
        })
    { }
    ~PipeWatchdog()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

private:
    QByteArray pipe_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

TEST_F(SweepTest, ANamedPipeIsReportedAsNoFileWithoutWaitingForAWriter)
{
    const QString pipe = inPath(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const PipeWatchdog watchdog(pipe);
    expectRefusedWith(pipe, QStringLiteral("Path/File access error"));
}
#endif

TEST_F(SweepTest, AReadOnlyDestinationIsReportedPerFileAndNothingIsWritten)
{
    QUILLORA_SKIP_AS_ROOT();
    writeFile(inPath(wordsFile), "a b");
    ASSERT_TRUE(QFile::setPermissions(out(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const TreeSnapshot before = snapshotOutsideDestination();
    EXPECT_EQ(runBatch(inPath(wordsFile), out()),
              QStringList({runError(QStringLiteral("Permission denied"), 168), QStringLiteral("Done.")}));
    QFile::setPermissions(out(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(QDir(out()).isEmpty());
    EXPECT_EQ(snapshotOutsideDestination(), before);
}

TEST_F(SweepTest, AFullDiskIsReportedAndLeavesNeitherAPartResultNorATemporaryFile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "no small file system can be mounted here";
#else
    SmallMount mount(out(), QStringLiteral("size=64k"));
    QUILLORA_REQUIRE_MOUNTED(mount);
    // 400 KB of words cannot fit in 64 KB.
    QByteArray words;
    for (int i = 0; i < 40000; ++i)
        words += "word " + QByteArray::number(i % 10);
    writeFile(inPath(wordsFile), words);
    const TreeSnapshot before = snapshotOutsideDestination();
    const QStringList messages = runBatch(inPath(wordsFile), out());
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages.first(), runError(QStringLiteral("Disk full"), 172));
    EXPECT_EQ(messages.last(), QStringLiteral("Done."));
    EXPECT_TRUE(QDir(out()).isEmpty()) << QDir(out()).entryList().join(u' ').toStdString();
    EXPECT_EQ(snapshotOutsideDestination(), before);
#endif
}

} // namespace
} // namespace quillora::testing
