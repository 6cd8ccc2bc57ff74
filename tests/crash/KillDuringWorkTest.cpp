// Kills a copy of this program at random moments while it converts files in place or writes settings, and checks
// that every file and every setting is whole afterwards.
#include "CrashChild.h"
#include "engine/WordsToLines.h"
#include "folders/FileListing.h"
#include "platform/FileSettingsStore.h"
#include "platform/NativeFileFacts.h"
#include "platform/ReplacingFile.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>

namespace quillora::testing {
namespace {

constexpr int fileCount = 1000;
constexpr int kills = 5;

// A re-executed copy of this test program that runs one child job.
class Child
{
public:
    // wrapper, when given, is the command that runs the child: the child's own command line follows it.
    Child(const char* test, const QString& job, const QString& folder, QStringList wrapper = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(childJobVariable), job);
        environment.insert(QString::fromLatin1(childFolderVariable), folder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The leak checker cannot stop a traced process's threads to look.
        if (!wrapper.isEmpty())
            environment.insert(QStringLiteral("ASAN_OPTIONS"),
                               environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        wrapper << QCoreApplication::applicationFilePath() << QStringLiteral("--gtest_also_run_disabled_tests")
                << QStringLiteral("--gtest_filter=CrashChild.") + QString::fromLatin1(test);
        process_.start(wrapper.takeFirst(), wrapper);
    }
    ~Child()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // Waits for the child to begin its work; false when it ended or hung before that.
    bool waitForStart()
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(30000))
                return false;
        }
        while (process_.canReadLine()) {
            const QByteArray line = process_.readLine().trimmed();
            if (line.startsWith(childPidLine))
                pid_ = line.mid(qstrlen(childPidLine)).toLongLong();
            if (line == QByteArray(childStartedLine))
                return true;
        }
        return waitForStart();
    }

    // Waits until the child reports having reached file n or later; false when it ends first.
    bool waitForFile(int n)
    {
        while (true) {
            while (process_.canReadLine()) {
                const QByteArray line = process_.readLine().trimmed();
                if (line.startsWith("file ") && line.mid(5).toInt() >= n)
                    return true;
            }
            if (!process_.waitForReadyRead(30000))
                return false;
        }
    }

    // SIGKILL: the child gets no chance to tidy up. True when the kill ended the child, false when it had
    // already ended by itself.
    bool killAfter(int milliseconds)
    {
        QThread::msleep(milliseconds);
        if (pid_ > 0)
            ::kill(pid_t(pid_), SIGKILL);
        process_.kill();
        process_.waitForFinished();
        return process_.exitStatus() == QProcess::CrashExit;
    }

    bool finishedCleanly()
    {
        return process_.waitForFinished(60000) && process_.exitStatus() == QProcess::NormalExit
            && process_.exitCode() == 0;
    }

private:
    QProcess process_;
    qint64 pid_ = 0;
};

// Text with runs of spaces, leading and trailing spaces and characters beyond ASCII, different for each file.
QByteArray sourceText(int n, std::mt19937& random)
{
    static const char* const words[] = {"alpha", "b\xC3\xA9ta", "\xE2\x82\xAC", "gamma\tdelta", "x", "\r\nline"};
    QByteArray text = QByteArray(int(n % 3), ' ');
    const int count = 200 + int(random() % 400);
    for (int i = 0; i < count; ++i) {
        text += words[random() % std::size(words)];
        text += QByteArray(1 + int(random() % 3), ' ');
    }
    return text + QByteArray::number(n);
}

// The seed of a test's random choices: QUILLORA_CRASH_SEED replays a failed run, otherwise a new one. Printed so
// that a failure can be replayed.
unsigned randomSeed()
{
    bool given = false;
    const unsigned seed = qEnvironmentVariable("QUILLORA_CRASH_SEED").toUInt(&given);
    const unsigned chosen = given ? seed : std::random_device{}();
    std::printf("seed %u (QUILLORA_CRASH_SEED=%u replays it)\n", chosen, chosen);
    return chosen;
}

QStringList leftovers(const QString& folder, const QSet<QString>& known)
{
    QStringList extra;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (!known.contains(name))
            extra.append(name);
    return extra;
}

// The files a batch run converts in place, in the folder sources of work, listed in work's file "list", with what
// each holds before and after.
struct Sources
{
    Sources(const QString& work, std::mt19937& random)
        : folder(work + QStringLiteral("/sources"))
    {
        QDir().mkpath(folder);
        QByteArray list;
        for (int n = 0; n < fileCount; ++n) {
            const QString name = QStringLiteral("file%1.txt").arg(n, 4, 10, QChar(u'0'));
            const QString path = folder + QChar(u'/') + name;
            const QByteArray text = sourceText(n, random);
            writeFile(path, text);
            before.insert(path, text);
            converted.insert(path, WordsToLinesUtf8(QString::fromUtf8(text)));
            names.insert(name);
            list += path.toUtf8() + '\n';
        }
        writeFile(work + QStringLiteral("/list"), list);
    }

    // The files converted so far; a file that holds neither its old nor its converted bytes fails the test.
    int countConverted() const
    {
        int done = 0;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QByteArray now = readFile(it.key());
            const bool old = now == it.value();
            const bool isNew = now == converted.value(it.key());
            EXPECT_TRUE(old || isNew) << it.key().toStdString() << " holds neither its old nor its converted bytes";
            done += isNew ? 1 : 0;
        }
        return done;
    }

    QString folder;
    QHash<QString, QByteArray> before;
    QHash<QString, QByteArray> converted;
    QSet<QString> names;
};

TEST(KillDuringWork, ABatchRunInPlaceKilledAtRandomLeavesEachFileOldOrConvertedAndARerunFinishesIt)
{
    QTemporaryDir work;
    const unsigned seed = randomSeed();
    std::mt19937 random(seed);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    const Sources files(work.path(), random);
    const QString& sources = files.folder;
    const QHash<QString, QByteArray>& converted = files.converted;
    const QSet<QString>& names = files.names;
    const auto countConverted = [&] { return files.countConverted(); };

    // Each kill lands at a random file, at a random moment of its work; later kills reach further.
    std::vector<int> killAt;
    for (int kill = 0; kill < kills; ++kill)
        killAt.push_back(1 + int(random() % fileCount));
    std::sort(killAt.begin(), killAt.end());
    int midway = 0;
    for (int kill = 0; kill < kills; ++kill) {
        Child child("DISABLED_BatchRunInPlace", QStringLiteral("batch"), work.path());
        ASSERT_TRUE(child.waitForStart());
        if (!child.waitForFile(killAt[kill]))
            continue;
        const bool killed = child.killAfter(int(random() % 3));
        const int done = countConverted();
        std::printf("after kill %d at file %d: %d of %d files converted\n", kill + 1, killAt[kill], done, fileCount);
        // Each run starts again from the first file, so a kill that ended the run mid-way leaves files unconverted.
        midway += killed && done < fileCount ? 1 : 0;
    }
    // Kills that all land after the run, or never reach it, would test nothing.
    EXPECT_GE(midway, 3) << "only " << midway << " of " << kills << " kills stopped the run between its files";
    // A killed write never leaves a part of a file of the list. A replacement is linked under a temporary name
    // and then renamed, and no call does both at once, so a kill between the two can leave that name behind: it
    // is then a whole result of a listed file, at most one a kill, and nothing else may be there.
    const auto expectOnlyWholeResultsLeft = [&] {
        const QStringList left = leftovers(sources, names);
        EXPECT_LE(left.size(), kills) << left.join(u' ').toStdString();
        for (const QString& name : left) {
            const QString listed = name.mid(temporaryResultMark.size() + temporaryResultLetters + 1);
            EXPECT_TRUE(isTemporaryResultName(name) && names.contains(listed)) << name.toStdString();
            EXPECT_EQ(readFile(sources + u'/' + name), converted.value(sources + u'/' + listed)) << name.toStdString();
        }
    };
    expectOnlyWholeResultsLeft();

    {
        Child child("DISABLED_BatchRunInPlace", QStringLiteral("batch"), work.path());
        ASSERT_TRUE(child.waitForStart());
        ASSERT_TRUE(child.finishedCleanly());
    }
    EXPECT_EQ(countConverted(), fileCount);

    // Converting converted files again changes no byte.
    {
        Child child("DISABLED_BatchRunInPlace", QStringLiteral("batch"), work.path());
        ASSERT_TRUE(child.waitForStart());
        ASSERT_TRUE(child.finishedCleanly());
    }
    EXPECT_EQ(countConverted(), fileCount);
    expectOnlyWholeResultsLeft();
}

// Runs the child where the system gives an unnamed file no name, neither by its handle nor through /proc (as
// without /proc and without the right to search every folder): strace makes every linkat fail. Empty where strace
// cannot run here.
QStringList withoutNamingUnnamedFiles()
{
    const QStringList wrapper{
        QStringLiteral("strace"),       QStringLiteral("-f"),        QStringLiteral("-qq"),
        QStringLiteral("-o"),           QStringLiteral("/dev/null"), QStringLiteral("-e"),
        QStringLiteral("trace=linkat"), QStringLiteral("-e"),        QStringLiteral("inject=linkat:error=ENOENT")};
    QProcess probe;
    probe.start(wrapper.first(), wrapper.mid(1) << QStringLiteral("true"));
    const bool works
        = probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
    return works ? wrapper : QStringList();
}

TEST(KillDuringWork, WhereNewFilesNeedANameAKillLeavesAtMostOneTemporaryAndNoWalkTakesIt)
{
    const QStringList wrapper = withoutNamingUnnamedFiles();
    if (wrapper.isEmpty())
        GTEST_SKIP() << "strace cannot run here";
    QTemporaryDir work;
    const unsigned seed = randomSeed();
    std::mt19937 random(seed);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    const Sources files(work.path(), random);

    int midway = 0;
    QStringList left;
    for (int kill = 0; kill < kills; ++kill) {
        Child child("DISABLED_BatchRunInPlace", QStringLiteral("batch"), work.path(), wrapper);
        ASSERT_TRUE(child.waitForStart());
        if (!child.waitForFile(1 + int(random() % fileCount)))
            continue;
        const bool killed = child.killAfter(int(random() % 3));
        const int done = files.countConverted();
        midway += killed && done < fileCount ? 1 : 0;
        // Each kill adds at most one to what the kills before it left.
        const QStringList now = leftovers(files.folder, files.names);
        std::printf("after kill %d: %d of %d files converted, %lld temporaries left\n", kill + 1, done, fileCount,
                    static_cast<long long>(now.size()));
        EXPECT_LE(now.size(), left.size() + 1) << "left after this kill: " << now.size() - left.size();
        for (const QString& name : now)
            EXPECT_TRUE(isTemporaryResultName(name)) << name.toStdString();
        left = now;
    }
    EXPECT_GE(midway, 3) << "only " << midway << " of " << kills << " kills stopped the run between its files";
    {
        Child child("DISABLED_BatchRunInPlace", QStringLiteral("batch"), work.path(), wrapper);
        ASSERT_TRUE(child.waitForStart());
        ASSERT_TRUE(child.finishedCleanly());
    }
    EXPECT_EQ(files.countConverted(), fileCount);
    NativeFileFacts facts;
    QStringList listed = ListFilesInFolder(files.folder, QStringLiteral("*.*"), facts);
    listed.sort();
    QStringList expected(files.names.cbegin(), files.names.cend());
    expected.sort();
    EXPECT_EQ(listed, expected);
}

TEST(KillDuringWork, KillingTheProgramWhileItWritesTheInputTextLeavesEveryKeyReadable)
{
    QTemporaryDir store;
    const QString application = QStringLiteral("Corvanta");
    const QString section = QStringLiteral("Quillora");
    const QHash<QString, QString> others{{QStringLiteral("FormStart"), QStringLiteral("2")},
                                         {QStringLiteral("Text5"), QStringLiteral("/home/user/Desktop/")},
                                         {QStringLiteral("Option1"), QStringLiteral("True")},
                                         {QStringLiteral("Option2"), QStringLiteral("False")}};
    {
        FileSettingsStore settings(store.path());
        for (auto it = others.cbegin(); it != others.cend(); ++it)
            settings.save(application, section, it.key(), it.value());
        settings.save(application, section, QStringLiteral("Text1"), settingValue(0));
    }
    const unsigned seed = randomSeed();
    std::mt19937 random(seed);
    SCOPED_TRACE(::testing::Message() << "seed " << seed);

    int last = 0;
    for (int kill = 0; kill < kills; ++kill) {
        Child child("DISABLED_SettingsWrites", QStringLiteral("settings"), store.path());
        ASSERT_TRUE(child.waitForStart());
        child.killAfter(int(random() % 150));

        FileSettingsStore settings(store.path());
        const int n = settingValueNumber(settings.get(application, section, QStringLiteral("Text1"), QString()));
        EXPECT_GE(n, 0) << "Text1 holds no value that was ever written";
        // Each child starts again from 1, so only "a value written" can be asked for, not "the newest one".
        last = n;
        for (auto it = others.cbegin(); it != others.cend(); ++it)
            EXPECT_EQ(settings.get(application, section, it.key(), QStringLiteral("(missing)")), it.value())
                << it.key().toStdString();
    }
    std::printf("the last kill left Text1 at write %d\n", last);

    const QString sectionFolder = FileSettingsStore(store.path()).valuePath(application, section, QString(u'x'));
    QSet<QString> keys(others.keyBegin(), others.keyEnd());
    keys.insert(QStringLiteral("Text1"));
    const QStringList extra = leftovers(QFileInfo(sectionFolder).absolutePath(), keys);
    std::printf("temporary files left by the kills: %lld\n", static_cast<long long>(extra.size()));
    EXPECT_LE(extra.size(), kills);

    // The store goes on working beside the leftovers.
    FileSettingsStore settings(store.path());
    settings.save(application, section, QStringLiteral("Text1"), QStringLiteral("after"));
    EXPECT_EQ(settings.get(application, section, QStringLiteral("Text1"), QString()), QStringLiteral("after"));
}

} // namespace
} // namespace quillora::testing
