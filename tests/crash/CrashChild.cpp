// The child side of the crash tests: a batch run in place over a listed set of files, or endless settings writes.
#include "CrashChild.h"

#include "platform/FileSettingsStore.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <cstdio>
#include <gtest/gtest.h>

namespace quillora::testing {

QString settingValue(int n)
{
    const QString word = QStringLiteral("w%1 ").arg(n);
    return QStringLiteral("#%1#").arg(n) + word.repeated(200000 / word.size());
}

int settingValueNumber(const QString& text)
{
    static const QRegularExpression head(QStringLiteral("^#(\\d+)#"));
    const QRegularExpressionMatch match = head.match(text);
    if (!match.hasMatch())
        return -1;
    const int n = match.captured(1).toInt();
    return text == settingValue(n) ? n : -1;
}

namespace {
QString childFolder()
{
    return qEnvironmentVariable(childFolderVariable);
}

void announceStart()
{
    // The parent may have started the child through a tracer, which a kill of its own would not end.
    std::printf("%s%lld\n", childPidLine, static_cast<long long>(QCoreApplication::applicationPid()));
    std::printf("%s\n", childStartedLine);
    std::fflush(stdout);
}

// Runs only as a re-executed child: the parent asks for it by name with the job in the environment.
TEST(CrashChild, DISABLED_BatchRunInPlace)
{
    if (qEnvironmentVariable(childJobVariable) != QStringLiteral("batch"))
        GTEST_SKIP() << "runs only as the crash test's child";
    TestServices doubles;
    BatchWindow form(doubles.services());
    form.load();
    const QStringList paths
        = QString::fromUtf8(readFile(childFolder() + QStringLiteral("/list"))).split(u'\n', Qt::SkipEmptyParts);
    form.fileList()->append(paths);
    find<QRadioButton>(form, "resultsInPlace")->click();
    // Once per file, before it is read: the parent kills at a file it chose.
    doubles.events.onYield = [](int file) {
        std::printf("file %d\n", file);
        std::fflush(stdout);
    };
    announceStart();
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(doubles.messages.texts(), QStringList{QStringLiteral("Done.")});
}

TEST(CrashChild, DISABLED_SettingsWrites)
{
    if (qEnvironmentVariable(childJobVariable) != QStringLiteral("settings"))
        GTEST_SKIP() << "runs only as the crash test's child";
    FileSettingsStore store(childFolder());
    announceStart();
    // Writes until killed; the other keys are written with the values they already hold.
    for (int n = 1;; ++n) {
        store.save(QStringLiteral("Corvanta"), QStringLiteral("Quillora"), QStringLiteral("Text1"), settingValue(n));
        if (n % 7 == 0)
            store.save(QStringLiteral("Corvanta"), QStringLiteral("Quillora"), QStringLiteral("Text5"),
                       QStringLiteral("/home/user/Desktop/"));
    }
}
} // namespace

} // namespace quillora::testing
