// The committer puts every file handed in place, whatever the group size and with or without a thread of its own,
// and tells a file that could not go in place once, under its source.
#include "results/ResultCommitter.h"

#include "platform/BackgroundWork.h"
#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <optional>

namespace quillora {
namespace {

using testing::readFile;
using testing::writeFile;

TEST(ResultCommitter, PutsEveryFileInPlaceAndTellsTheOneThatChangedUnderItsSource)
{
    struct Case
    {
        std::size_t groupSize;
        bool threadsRefused;
    };
    const Case cases[] = {{1, false}, {3, false}, {ResultCommitter::largestGroup, false}, {3, true}};
    constexpr int files = 7;
    constexpr int changed = 4;
    for (const Case& one : cases) {
        SCOPED_TRACE(::testing::Message() << "group of " << one.groupSize << (one.threadsRefused ? ", no thread" : ""));
        std::optional<BackgroundWork::RefusedThreads> refused;
        if (one.threadsRefused)
            refused.emplace();
        QTemporaryDir folder;
        const auto target = [&](int i) { return folder.filePath(QStringLiteral("out%1.txt").arg(i)); };
        ResultCommitter committer(one.groupSize);
        for (int i = 0; i < files; ++i) {
            ReplacingFile file;
            ASSERT_EQ(file.create(target(i)), FileError::None);
            const QByteArray bytes = QByteArray::number(i);
            ASSERT_EQ(file.write(bytes.data(), bytes.size()), FileError::None);
            // The user makes a file where this one was to go before it is put in place.
            if (i == changed)
                writeFile(target(i), "user");
            committer.queue(std::move(file), QStringLiteral("source%1").arg(i));
        }
        ASSERT_TRUE(committer.finish());

        const ResultCommitter::Failures failures = committer.takeFailures();
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures.front().first, QStringLiteral("source%1").arg(changed));
        EXPECT_EQ(failures.front().second.description(), Failure::changedWhileConverted().description());
        EXPECT_TRUE(committer.takeFailures().empty());
        for (int i = 0; i < files; ++i)
            EXPECT_EQ(readFile(target(i)), i == changed ? QByteArray("user") : QByteArray::number(i)) << i;
    }
}

} // namespace
} // namespace quillora
