// Listing a folder's files by pattern, the open test, the name tests and the folder picker wrapper.
#include "FakeFileFacts.h"
#include "folders/AddFolder.h"
#include "platform/NativeFileFacts.h"
#include "platform/testing/ScriptedFileDialogs.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace quillora {
namespace {

using testing::native;
using testing::writeFile;

class FileListing : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return native(root.path() + QChar(u'/') + relative); }
    void file(const QString& relative) { writeFile(path(relative), QByteArrayLiteral("x")); }

    static QStringList sorted(QStringList names)
    {
        names.sort();
        return names;
    }

    QTemporaryDir root;
    NativeFileFacts native_;
};

TEST_F(FileListing, ListsEveryMatchingFileAndNothingElse)
{
    QStringList expected;
    for (int i = 1; i <= 130; ++i) {
        const QString name = QStringLiteral("text%1.txt").arg(i, 3, 10, QChar(u'0'));
        file(name);
        expected.append(name);
    }
    // The last is a result not yet in place beside text001.txt.
    for (const char* other : {"notes.doc", "text.txt.bak", "txt", "README", ".quillora-Ab3xYz-text001.txt"})
        file(QString::fromUtf8(other));
    QDir(root.path()).mkpath(QStringLiteral("folder.txt"));

    EXPECT_EQ(sorted(ListFilesInFolder(native(root.path()), QStringLiteral("*.txt"), native_)), expected);
    EXPECT_EQ(sorted(ListFilesInFolder(native(root.path()) + QDir::separator(), QStringLiteral("*.txt"), native_)),
              expected);
    EXPECT_TRUE(ListFilesInFolder(native(root.path()), QStringLiteral("*.pdf"), native_).isEmpty());
    EXPECT_TRUE(ListFilesInFolder(path(QStringLiteral("missing")), QStringLiteral("*.*"), native_).isEmpty());
}

TEST_F(FileListing, MatchesWithoutRegardToCaseAndStarDotStarTakesEveryName)
{
    for (const char* name : {"A.TXT", "b.Txt", "c.txt", "README", ".hidden", "archive.tar.gz", "~draft.txt"})
        file(QString::fromUtf8(name));
    file(QStringLiteral("\u0424\u0430\u0439\u043B.TXT"));

    EXPECT_EQ(sorted(ListFilesInFolder(native(root.path()), QStringLiteral("*.txt"), native_)),
              sorted({QStringLiteral("A.TXT"), QStringLiteral("b.Txt"), QStringLiteral("c.txt"),
                      QStringLiteral("~draft.txt"), QStringLiteral("\u0424\u0430\u0439\u043B.TXT")}));
    EXPECT_EQ(ListFilesInFolder(native(root.path()), QStringLiteral("*.*"), native_).size(), 8);
    EXPECT_EQ(ListFilesInFolder(native(root.path()), QStringLiteral("*.TxT"), native_).size(), 5);
}

TEST_F(FileListing, OpenTestTakesFilesOnly)
{
    file(QStringLiteral("plain.txt"));
    QDir(root.path()).mkpath(QStringLiteral("folder"));

    EXPECT_TRUE(FileExistsEx(path(QStringLiteral("plain.txt")), native_));
    EXPECT_FALSE(FileExistsEx(path(QStringLiteral("folder")), native_));
    EXPECT_FALSE(FileExistsEx(path(QStringLiteral("folder")) + QDir::separator(), native_));
    EXPECT_FALSE(FileExistsEx(path(QStringLiteral("missing.txt")), native_));
    EXPECT_FALSE(FileExistsEx(QString(), native_));

    // Another program writing the file does not stop the test, which asks for no access rights.
    QFile writer(path(QStringLiteral("plain.txt")));
    ASSERT_TRUE(writer.open(QIODevice::Append));
    writer.write("more");
    EXPECT_TRUE(FileExistsEx(path(QStringLiteral("plain.txt")), native_));
}

#ifndef Q_OS_WIN

TEST_F(FileListing, OpenTestNeedsNoReadPermission)
{
    file(QStringLiteral("locked.txt"));
    ASSERT_EQ(::chmod(QFile::encodeName(path(QStringLiteral("locked.txt"))).constData(), 0), 0);

    EXPECT_TRUE(FileExistsEx(path(QStringLiteral("locked.txt")), native_));
    EXPECT_EQ(ListFilesInFolder(native(root.path()), QStringLiteral("*.txt"), native_),
              QStringList{QStringLiteral("locked.txt")});
}

TEST_F(FileListing, PipesAndLinksToFoldersAreNotFiles)
{
    file(QStringLiteral("real.txt"));
    QDir(root.path()).mkpath(QStringLiteral("sub.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path(QStringLiteral("real.txt")), path(QStringLiteral("tofile.txt"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("sub.txt")), path(QStringLiteral("tofolder.txt"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("gone")), path(QStringLiteral("dangling.txt"))));

    EXPECT_FALSE(FileExistsEx(path(QStringLiteral("pipe.txt")), native_));
    EXPECT_TRUE(FileExistsEx(path(QStringLiteral("tofile.txt")), native_));
    EXPECT_EQ(sorted(ListFilesInFolder(native(root.path()), QStringLiteral("*.txt"), native_)),
              sorted({QStringLiteral("real.txt"), QStringLiteral("tofile.txt")}));
}

TEST_F(FileListing, FolderThatCannotBeSearchedGivesNoNames)
{
    QUILLORA_SKIP_AS_ROOT();
    file(QStringLiteral("closed/a.txt"));
    ASSERT_EQ(::chmod(QFile::encodeName(path(QStringLiteral("closed"))).constData(), 0), 0);

    const QStringList names = ListFilesInFolder(path(QStringLiteral("closed")), QStringLiteral("*.*"), native_);

    ::chmod(QFile::encodeName(path(QStringLiteral("closed"))).constData(), 0700);
    EXPECT_TRUE(names.isEmpty());
}

#endif

// Facts whose listing of one folder fails and which record the folder each listing was asked for.
class FailingListing : public testing::FakeFileFacts
{
public:
    QList<ListedFile> listFilesWithFacts(const QString& folder, const QString&) override
    {
        asked << folder;
        if (folder.contains(QStringLiteral("bad")))
            throw Failure::permissionDenied();
        return {ListedFile{QStringLiteral("a.txt"), true, 32u}, ListedFile{QStringLiteral("b.txt"), false, 32u}};
    }
    QStringList asked;
};

TEST(FileListingWithFacts, AddsTheSeparatorKeepsOnlyFilesThatOpenAndReportsNothing)
{
    FailingListing facts;
    const QString folder = QStringLiteral("good") + nativeSeparator();

    EXPECT_EQ(ListFilesWithFactsInFolder(QStringLiteral("good"), QStringLiteral("*.*"), facts).size(), 2);
    EXPECT_EQ(ListFilesInFolder(folder, QStringLiteral("*.*"), facts), QStringList{QStringLiteral("a.txt")});
    EXPECT_TRUE(ListFilesWithFactsInFolder(QStringLiteral("bad"), QStringLiteral("*.*"), facts).isEmpty());
    EXPECT_EQ(facts.asked, QStringList({folder, folder, QStringLiteral("bad") + nativeSeparator()}));
}

TEST(NameChecks, BadCharactersAreControlCodesAndTheQuestionMark)
{
    EXPECT_FALSE(HasBadCharacters(QString()));
    EXPECT_FALSE(HasBadCharacters(QStringLiteral("Plain name 1 (copy) ~ & ! {x}")));
    EXPECT_FALSE(HasBadCharacters(QStringLiteral("\u00A0\u00E9\u00FF")));
    for (const QString& name : {QStringLiteral("a?b"), QStringLiteral("\u001F"), QStringLiteral("x\ty"),
                                QStringLiteral("\u007F"), QStringLiteral("ok\u0080"), QStringLiteral("\u009F")})
        EXPECT_TRUE(HasBadCharacters(name)) << name.toStdString();
}

TEST(NameChecks, CharactersBeyondTheAnsiCodePageAreGood)
{
    EXPECT_FALSE(HasBadCharacters(QStringLiteral("\u0391\u03B8\u03AE\u03BD\u03B1")));
    EXPECT_FALSE(HasBadCharacters(QStringLiteral("\u041C\u043E\u0441\u043A\u0432\u0430")));
    EXPECT_FALSE(HasBadCharacters(QStringLiteral("\u6771\u4EAC")));
    EXPECT_FALSE(HasBadCharacters(QStringLiteral("\u0160koda \u20AC \U0001F600")));
}

TEST(NameChecks, BadFileNameOnlyWhenAttributesCannotBeRead)
{
    NativeFileFacts native_;
    QTemporaryDir root;
    const QString cyrillic = native(root.path() + QStringLiteral("/\u041F\u0438\u0441\u044C\u043C\u043E.txt"));
    writeFile(cyrillic, QByteArrayLiteral("text"));

    EXPECT_FALSE(IsBadFileName(cyrillic, native_));
    EXPECT_FALSE(IsBadFileName(native(root.path()), native_));
    EXPECT_TRUE(IsBadFileName(native(root.path() + QStringLiteral("/missing.txt")), native_));
    EXPECT_TRUE(IsBadFileName(QString(), native_));
}

TEST(FolderPicker, HandsTheRequestToTheChooserAndReturnsItsAnswer)
{
    testing::ScriptedFileDialogs dialogs;
    QWidget owner;
    dialogs.pickNext(QStringLiteral("/data/Sub"));

    EXPECT_EQ(BrowseForFolder(dialogs, &owner, QStringLiteral("Please select folder:"), QStringLiteral("/data")),
              QStringLiteral("/data/Sub"));
    EXPECT_EQ(BrowseForFolder(dialogs, &owner, QStringLiteral("Please select folder:"), QString()), QString());
    ASSERT_EQ(dialogs.pickRequests().size(), 2);
    EXPECT_EQ(dialogs.pickRequests().first(),
              (FolderPickerRequest{&owner, QStringLiteral("Please select folder:"), QStringLiteral("/data")}));
    EXPECT_TRUE(dialogs.pickRequests().last().startFolder.isEmpty());
}

} // namespace
} // namespace quillora
