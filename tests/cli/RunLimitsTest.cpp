// The command line where the system gives little: no thread to start.
#include "cli/ProgramRun.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace quillora {
namespace {

// count files of words in folder, each converted to "ab\r\ncd".
QStringList makeSources(const QString& folder, int count, const QByteArray& words = "ab  cd")
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        paths << folder + QStringLiteral("/s%1.txt").arg(i);
        testing::writeFile(paths.last(), words);
    }
    return paths;
}

bool haveTools(std::initializer_list<const char*> tools)
{
    for (const char* tool : tools)
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

TEST(RunLimits, AUserWhoMayStartNoMoreThreadsHasEveryFileConverted)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "process limits of POSIX systems";
#else
    if (::geteuid() != 0 || !haveTools({"setpriv", "prlimit"}))
        GTEST_SKIP() << "needs root, setpriv and prlimit to run the program as another user with few processes";
    // A limit of one process for the user: the program itself, and no thread besides.
    const QStringList asNobody
        = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "prlimit", "--nproc=1"};
    struct Case
    {
        const char* name;
        int files;
        // Large enough to be written behind on a thread of its own.
        qsizetype wordsSize;
        bool inPlace;
    };
    // The leak checker needs a thread of its own to look, which the limit refuses.
    QProcessEnvironment withoutLeakCheck = testing::environmentWithLocale(QStringLiteral("C.UTF-8"));
    withoutLeakCheck.insert(QStringLiteral("ASAN_OPTIONS"),
                            withoutLeakCheck.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    const Case cases[] = {
        {"many small files in place", 150, 6, true},
        {"a large file into a folder", 1, qsizetype(6) << 20, false},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        QTemporaryDir work;
        const QString in = work.filePath(QStringLiteral("in"));
        const QString out = work.filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        const QByteArray words = QByteArray("ab  cd ").repeated(qMax<qsizetype>(1, one.wordsSize / 7));
        makeSources(in, one.files, words.trimmed());
        // Folders open to everyone, so that this process may still clear them; the sources are the user's.
        const auto everyone = QFileDevice::Permissions(0x7777);
        for (const QString& path : {work.path(), in, out})
            ASSERT_TRUE(QFile::setPermissions(path, everyone));
        for (const QString& name : QDir(in).entryList(QDir::Files))
            ASSERT_EQ(::chown(QFile::encodeName(in + u'/' + name).constData(), 65534, 65534), 0);

        const testing::ProgramRun run = testing::runProgramThrough(
            asNobody, one.inPlace ? QStringList{"--in-place", in} : QStringList{"--to", out, in}, {}, withoutLeakCheck);

        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        const QString results = one.inPlace ? in : out;
        EXPECT_EQ(QDir(results).entryList(QDir::Files | QDir::Hidden).size(), one.files);
        const QByteArray converted = QByteArray(words.trimmed()).replace("  ", "\r\n").replace(" ", "\r\n");
        for (int i = 0; i < one.files; ++i)
            ASSERT_EQ(testing::readFile(results + QStringLiteral("/s%1.txt").arg(i)), converted) << i;
    }
#endif
}

} // namespace
} // namespace quillora
