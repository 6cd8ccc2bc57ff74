// Files made ahead: while they live, the new replacing files come from them without being passed along, the last
// made serving first; given back or gone, they hold no file open.
#include "platform/FilesAhead.h"

#include "platform/ReplacingFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

namespace quillora {
namespace {

// The unnamed files this process holds open in folder, as the system lists its open files.
int unnamedFilesIn(const QString& folder)
{
    const std::string prefix = QFile::encodeName(QDir(folder).canonicalPath() + QStringLiteral("/#")).toStdString();
    std::error_code error;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        count += !error && target.starts_with(prefix);
    }
    return count;
}

// Waits until folder holds count unnamed files, or a long while; the count last seen.
int settlesAt(const QString& folder, int count)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int seen = unnamedFilesIn(folder);
    while (seen != count && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        seen = unnamedFilesIn(folder);
    }
    return seen;
}

// Asks for a new replacing file in folder and drops it at once.
void askFor(const QString& folder)
{
    ReplacingFile file;
    ASSERT_EQ(file.create(folder + QStringLiteral("/out.txt")), FileError::None);
    file.discard();
}

TEST(FilesAhead, NewFilesComeFromTheLastMadeWhileItLivesAndNoneStayOpenAfter)
{
    QTemporaryDir first;
    QTemporaryDir second;
    const int probe = makeUnnamedFile(first.path());
    if (probe < 0)
        GTEST_SKIP() << "This file system makes no unnamed files.";
    closeUnnamedFile(probe);

    std::optional<FilesAhead> outer(std::in_place, 2);
    askFor(first.path());
    EXPECT_EQ(settlesAt(first.path(), 2), 2);
    {
        FilesAhead inner(1);
        askFor(second.path());
        EXPECT_EQ(settlesAt(second.path(), 1), 1);
        EXPECT_EQ(unnamedFilesIn(first.path()), 2);
    }
    EXPECT_EQ(settlesAt(second.path(), 0), 0);
    askFor(second.path());
    EXPECT_EQ(settlesAt(second.path(), 2), 2);
    EXPECT_EQ(settlesAt(first.path(), 0), 0);

    outer->giveBack();
    EXPECT_EQ(settlesAt(second.path(), 0), 0);
    askFor(first.path());
    EXPECT_EQ(settlesAt(first.path(), 2), 2);
    outer.reset();
    EXPECT_EQ(settlesAt(first.path(), 0), 0);
    askFor(first.path());
    EXPECT_EQ(unnamedFilesIn(first.path()), 0);
}

} // namespace
} // namespace quillora
