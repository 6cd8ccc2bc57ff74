// Sources that cannot be read or are not text, destinations that cannot be written, and atomic results.
#include "BatchWindowFixture.h"

#include <QDir>
#include <QFile>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace quillora::testing {
namespace {

QString runError(const QString& description, int line)
{
    return ErrorReport::boxText(description, ErrorReport::programOrigin(QStringLiteral("Form3.PushButton13_Click")),
                                line);
}

QString notText(const QString& path)
{
    return path + QStringLiteral("\r\rwas not converted because it is not a text file.");
}

TEST_F(BatchWindowTest, ASourceRemovedAfterAddingGetsOneReportAndNoResultAndTheRunGoesOn)
{
    openWindow();
    const QString gone = write(QStringLiteral("in/gone.txt"), "a b");
    const QString next = write(QStringLiteral("in/next.txt"), "c d");
    write(QStringLiteral("out/gone.txt"), "an earlier good result");
    list({gone, next});
    chooseFolder(at(QStringLiteral("out")));
    QFile::remove(gone);
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(doubles.messages.texts(),
              QStringList({runError(QStringLiteral("File not found"), 126), QStringLiteral("Done.")}));
    EXPECT_EQ(readFile(at(QStringLiteral("out/gone.txt"))), QByteArray("an earlier good result"));
    EXPECT_EQ(readFile(at(QStringLiteral("out/next.txt"))), QByteArray("c\r\nd"));

    // Beside the source, nothing is made where the source was.
    doubles.messages.clear();
    find<QRadioButton>(form, "resultsInPlace")->click();
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(doubles.messages.errors().size(), 1);
    EXPECT_FALSE(QFile::exists(gone));
}

TEST_F(BatchWindowTest, AFolderInTheListGetsOneReportAndNoResult)
{
    openWindow();
    QDir().mkpath(at(QStringLiteral("in/folder.txt")));
    list({at(QStringLiteral("in/folder.txt"))});
    QDir().mkpath(at(QStringLiteral("out")));
    chooseFolder(at(QStringLiteral("out")));
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(doubles.messages.errors().size(), 1);
    EXPECT_EQ(doubles.messages.texts().last(), QStringLiteral("Done."));
    EXPECT_TRUE(QDir(at(QStringLiteral("out"))).isEmpty());
}

TEST_F(BatchWindowTest, ASourceWithoutReadPermissionIsLeftAsItIsWithOneReport)
{
    QUILLORA_SKIP_AS_ROOT();
    openWindow();
    const QString locked = write(QStringLiteral("in/locked.txt"), "a b");
    const QString marked = write(QStringLiteral("in/marked.txt"),
                                 "\xEF\xBB\xBF"
                                 "c d");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    list({locked, marked});
    find<QRadioButton>(form, "resultsInPlace")->click();
    find<QPushButton>(form, "startConverting")->click();
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    EXPECT_EQ(doubles.messages.texts(),
              QStringList({runError(QStringLiteral("Permission denied"), 126), QStringLiteral("Done.")}));
    EXPECT_EQ(readFile(locked), QByteArray("a b"));
    EXPECT_EQ(readFile(marked), QByteArray("c\r\nd"));
}

TEST_F(BatchWindowTest, ASourceWithoutAMarkHoldingANulByteIsNotTextAndIsLeftAlone)
{
    openWindow();
    // Valid UTF-8 apart from the NUL, and bytes that are not UTF-8 at all.
    const QByteArray utf8Binary("ELF a b\0c", 9);
    const QByteArray ansiBinary("\x7F\xFF\x00\x01 \x80", 6);
    const QString first = write(QStringLiteral("in/program"), utf8Binary);
    const QString second = write(QStringLiteral("in/image.bin"), ansiBinary);
    const QString text = write(QStringLiteral("in/text.txt"), "a b");
    list({first, second, text});
    find<QRadioButton>(form, "resultsInPlace")->click();
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(doubles.messages.texts(), QStringList({notText(first), notText(second), QStringLiteral("Done.")}));
    for (const MessageBoxRequest& box : doubles.messages.shown()) {
        EXPECT_EQ(box.title, QStringLiteral("Quillora"));
        EXPECT_EQ(box.icon, MessageIcon::None);
    }
    EXPECT_EQ(readFile(first), utf8Binary);
    EXPECT_EQ(readFile(second), ansiBinary);
    EXPECT_EQ(readFile(text), QByteArray("a\r\nb"));

    // Nor is a result written to a chosen folder.
    doubles.messages.clear();
    QDir().mkpath(at(QStringLiteral("out")));
    chooseFolder(at(QStringLiteral("out")));
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_FALSE(QFile::exists(at(QStringLiteral("out/program"))));
    EXPECT_FALSE(QFile::exists(at(QStringLiteral("out/image.bin"))));
}

TEST_F(BatchWindowTest, UnicodeWithAMarkIsTextEvenThoughItsBytesHoldZeros)
{
    openWindow();
    const QString wide = write(QStringLiteral("in/wide.txt"),
                               QByteArray("\xFF\xFE"
                                          "a\0 \0b\0",
                                          8));
    list({wide});
    find<QRadioButton>(form, "resultsInPlace")->click();
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(doubles.messages.texts(), QStringList{QStringLiteral("Done.")});
    EXPECT_EQ(readFile(wide), QByteArray("a\r\nb"));
}

TEST_F(BatchWindowTest, AReadOnlyDestinationGivesOneReportPerFileAndTheRunEnds)
{
    QUILLORA_SKIP_AS_ROOT();
    openWindow();
    const QString out = at(QStringLiteral("out"));
    QDir().mkpath(out);
    ASSERT_TRUE(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    chooseFolder(out);
    find<QPushButton>(form, "startConverting")->click();
    QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    EXPECT_EQ(doubles.messages.texts(),
              QStringList({runError(QStringLiteral("Permission denied"), 168),
                           runError(QStringLiteral("Permission denied"), 168), QStringLiteral("Done.")}));
    EXPECT_TRUE(QDir(out).isEmpty());
    EXPECT_FALSE(form->isConverting());
}

TEST_F(BatchWindowTest, AReadOnlyResultFileIsLeftUntouchedWithOneReport)
{
    QUILLORA_SKIP_AS_ROOT();
    openWindow();
    const QString old = write(QStringLiteral("out/a.txt"), "old result");
    ASSERT_TRUE(QFile::setPermissions(old, QFileDevice::ReadOwner));
    list({write(QStringLiteral("in/a.txt"), "a b")});
    chooseFolder(at(QStringLiteral("out")));
    find<QPushButton>(form, "startConverting")->click();
    QFile::setPermissions(old, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    EXPECT_EQ(doubles.messages.texts(),
              QStringList({runError(QStringLiteral("Permission denied"), 168), QStringLiteral("Done.")}));
    EXPECT_EQ(readFile(old), QByteArray("old result"));
}

#ifndef Q_OS_WIN
TEST_F(BatchWindowTest, AResultReplacesTheOldFileAsAWholeNewFileNeverByRewritingIt)
{
    openWindow();
    const QString source = write(QStringLiteral("in/a.txt"), "new words");
    const QString witness = at(QStringLiteral("witness"));
    // A second name for the old source: rewriting the file in place would show through it.
    ASSERT_EQ(::link(QFile::encodeName(source).constData(), QFile::encodeName(witness).constData()), 0);
    list({source});
    find<QRadioButton>(form, "resultsInPlace")->click();
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(readFile(source), QByteArray("new\r\nwords"));
    EXPECT_EQ(readFile(witness), QByteArray("new words"));
    // No temporary file is left beside the result.
    EXPECT_EQ(QDir(at(QStringLiteral("in"))).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}
#endif

TEST_F(BatchWindowTest, ASourceReplacedInPlaceKeepsItsPermissions)
{
    openWindow();
    const QString source = write(QStringLiteral("in/a.txt"), "a b");
    const QFileDevice::Permissions chosen = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(source, chosen));
    list({source});
    find<QRadioButton>(form, "resultsInPlace")->click();
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(readFile(source), QByteArray("a\r\nb"));
    EXPECT_EQ(QFile::permissions(source) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), chosen);
}

} // namespace
} // namespace quillora::testing
