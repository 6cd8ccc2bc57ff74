// "Add All Text File(s) In Folder" on real temporary trees: prompts, settings, order, exclusions, busy pointer.
#include "BatchWindowFixture.h"
#include "platform/ApplicationTitle.h"
#include "ui/WindowPointer.h"

#include <QDir>
#include <QFile>
#include <QHash>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace quillora::testing {
namespace {

class AddFolderTest : public BatchWindowTest
{
protected:
    // Answers the prompt with extension and picks folder, then clicks the button.
    void addAll(const QString& extension, const QString& folder)
    {
        doubles.messages.typeNext(extension);
        doubles.dialogs.pickNext(folder);
        find<QPushButton>(form, "addAllTextFilesInFolder")->click();
    }

    QStringList sortedEntries() const
    {
        QStringList entries = form->fileList()->entries();
        entries.sort();
        return entries;
    }

    int pointerState() const { return form->pointer()->state(); }
};

// The system's facts with chosen attribute values for some file names of a listing.
class ChosenValues : public NativeFileFacts
{
public:
    QList<ListedFile> listFilesWithFacts(const QString& folder, const QString& pattern) override
    {
        QList<ListedFile> files = NativeFileFacts::listFilesWithFacts(folder, pattern);
        for (ListedFile& file : files) {
            if (values.contains(file.name))
                file.attributes = values.value(file.name);
        }
        return files;
    }
    QHash<QString, quint32> values;
};

TEST_F(AddFolderTest, AsksForTheExtensionAndFolderAndAddsMatchesInLevelOrderLeavingOutTildeNames)
{
    openWindow();
    write(QStringLiteral("Data/sub/b.txt"), "b");
    write(QStringLiteral("Data/a.txt"), "a");
    write(QStringLiteral("Data/~tmp.txt"), "t");
    write(QStringLiteral("Data/notes.doc"), "n");
    const QString data = at(QStringLiteral("Data"));

    addAll(QStringLiteral("txt"), data);

    EXPECT_EQ(form->fileList()->entries(),
              QStringList({at(QStringLiteral("Data/a.txt")), at(QStringLiteral("Data/sub/b.txt"))}));
    ASSERT_EQ(doubles.messages.inputs().size(), 1);
    EXPECT_EQ(doubles.messages.inputs().first(),
              (InputBoxRequest{QStringLiteral("Enter file extension to load:\r\r(* for all files, txt for all txt "
                                              "files, doc for all doc files, etc.)"),
                               applicationTitle(), QStringLiteral("txt")}));
    ASSERT_EQ(doubles.dialogs.pickRequests().size(), 1);
    EXPECT_EQ(doubles.dialogs.pickRequests().first(),
              (FolderPickerRequest{form.get(), QStringLiteral("Please select folder:"), QString()}));
    EXPECT_EQ(doubles.setting(QStringLiteral("Extension")), QStringLiteral("txt"));
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolder")), data);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_EQ(pointerState(), pointer::defaultArrow);
}

TEST_F(AddFolderTest, StoredAnswersAreProposedNextTimeAndTheTypedExtensionIsTakenAsTyped)
{
    doubles.setSetting(QStringLiteral("Extension"), QStringLiteral("doc"));
    doubles.setSetting(QStringLiteral("LastFolder"), at(QStringLiteral("Old")));
    openWindow();
    write(QStringLiteral("Data/Upper.MD"), "u");
    write(QStringLiteral("Data/lower.md"), "l");
    write(QStringLiteral("Data/other.txt"), "o");

    addAll(QStringLiteral("md"), at(QStringLiteral("Data")));

    EXPECT_EQ(doubles.messages.inputs().first().proposed, QStringLiteral("doc"));
    EXPECT_EQ(doubles.dialogs.pickRequests().first().startFolder, at(QStringLiteral("Old")));
    EXPECT_EQ(sortedEntries(), QStringList({at(QStringLiteral("Data/Upper.MD")), at(QStringLiteral("Data/lower.md"))}));
    EXPECT_EQ(doubles.setting(QStringLiteral("Extension")), QStringLiteral("md"));
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolder")), at(QStringLiteral("Data")));
}

TEST_F(AddFolderTest, StarAddsEveryFileThatOpensWhateverItsName)
{
    openWindow();
    write(QStringLiteral("All/a.txt"), "a");
    write(QStringLiteral("All/picture.png"), "p");
    write(QStringLiteral("All/noextension"), "n");
    write(QStringLiteral("All/deep/er/data.bin"), QByteArray("\0\1", 2));
#ifndef Q_OS_WIN
    QFile::link(at(QStringLiteral("All/a.txt")), at(QStringLiteral("All/link.txt")));
    QFile::link(at(QStringLiteral("All/nothing")), at(QStringLiteral("All/dangling")));
    QFile::link(at(QStringLiteral("All/deep")), at(QStringLiteral("All/folderlink")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at(QStringLiteral("All/pipe"))).constData(), 0600), 0);
#endif

    addAll(QStringLiteral("*"), at(QStringLiteral("All")));

    QStringList expected{at(QStringLiteral("All/a.txt")), at(QStringLiteral("All/picture.png")),
                         at(QStringLiteral("All/noextension")), at(QStringLiteral("All/deep/er/data.bin"))};
#ifndef Q_OS_WIN
    // A link to a file opens as that file; a link that leads nowhere and a pipe do not open as files. The linked
    // folder is walked like any other.
    expected << at(QStringLiteral("All/link.txt")) << at(QStringLiteral("All/folderlink/er/data.bin"));
#endif
    expected.sort();
    EXPECT_EQ(sortedEntries(), expected);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

TEST_F(AddFolderTest, OnlyTheValueArchivePlusHiddenIsLeftOut)
{
    write(QStringLiteral("H/.hidden.txt"), "h");
    write(QStringLiteral("H/only-hidden.txt"), "2");
    write(QStringLiteral("H/hidden-read-only.txt"), "35");
    write(QStringLiteral("H/hidden-system.txt"), "38");
    write(QStringLiteral("H/plain-but-34.txt"), "34");
    ChosenValues facts;
    facts.values = {{QStringLiteral("only-hidden.txt"), 2u},
                    {QStringLiteral("hidden-read-only.txt"), 35u},
                    {QStringLiteral("hidden-system.txt"), 38u},
                    {QStringLiteral("plain-but-34.txt"), 34u}};
    doubles.fileFacts = &facts;
    openWindow();

    addAll(QStringLiteral("txt"), at(QStringLiteral("H")));

    EXPECT_EQ(sortedEntries(),
              QStringList({at(QStringLiteral("H/hidden-read-only.txt")), at(QStringLiteral("H/hidden-system.txt")),
                           at(QStringLiteral("H/only-hidden.txt"))}));
}

#ifndef Q_OS_WIN
TEST_F(AddFolderTest, ARealHiddenFileIsLeftOutUnlessItIsReadOnly)
{
    QUILLORA_SKIP_AS_ROOT();
    openWindow();
    write(QStringLiteral("H/.hidden.txt"), "h");
    write(QStringLiteral("H/.locked.txt"), "l");
    ::chmod(QFile::encodeName(at(QStringLiteral("H/.locked.txt"))).constData(), 0444);

    addAll(QStringLiteral("txt"), at(QStringLiteral("H")));

    EXPECT_EQ(form->fileList()->entries(), QStringList({at(QStringLiteral("H/.locked.txt"))}));
}
#endif

TEST_F(AddFolderTest, CancellingThePromptChangesNothingAndCancellingThePickerKeepsOnlyTheExtension)
{
    doubles.setSetting(QStringLiteral("Extension"), QStringLiteral("doc"));
    doubles.setSetting(QStringLiteral("LastFolder"), at(QStringLiteral("Old")));
    openWindow();
    write(QStringLiteral("Old/a.txt"), "a");

    find<QPushButton>(form, "addAllTextFilesInFolder")->click();
    EXPECT_EQ(doubles.setting(QStringLiteral("Extension")), QStringLiteral("doc"));
    EXPECT_TRUE(doubles.dialogs.pickRequests().isEmpty());

    doubles.messages.typeNext(QStringLiteral("txt"));
    find<QPushButton>(form, "addAllTextFilesInFolder")->click();
    EXPECT_EQ(doubles.setting(QStringLiteral("Extension")), QStringLiteral("txt"));
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolder")), at(QStringLiteral("Old")));
    EXPECT_EQ(doubles.dialogs.pickRequests().size(), 1);

    EXPECT_EQ(form->fileList()->count(), 0);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_EQ(doubles.events.count, 0);
}

TEST_F(AddFolderTest, RunningTwiceListsEveryFileTwiceAndAnEmptyFolderAddsNothing)
{
    openWindow();
    write(QStringLiteral("T/a.txt"), "a");
    write(QStringLiteral("T/s/b.txt"), "b");
    QDir(work.path()).mkpath(QStringLiteral("Empty/inner"));

    addAll(QStringLiteral("txt"), at(QStringLiteral("T")));
    addAll(QStringLiteral("txt"), at(QStringLiteral("T")));
    addAll(QStringLiteral("txt"), at(QStringLiteral("Empty")));

    const QStringList once{at(QStringLiteral("T/a.txt")), at(QStringLiteral("T/s/b.txt"))};
    EXPECT_EQ(form->fileList()->entries(), once + once);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

#ifndef Q_OS_WIN
TEST_F(AddFolderTest, AFolderWithoutPermissionIsPassedOverQuietly)
{
    QUILLORA_SKIP_AS_ROOT();
    openWindow();
    write(QStringLiteral("P/a.txt"), "a");
    write(QStringLiteral("P/closed/secret.txt"), "s");
    write(QStringLiteral("P/unsearchable/hidden.txt"), "u");
    write(QStringLiteral("P/z/c.txt"), "c");
    const QByteArray closed = QFile::encodeName(at(QStringLiteral("P/closed")));
    const QByteArray unsearchable = QFile::encodeName(at(QStringLiteral("P/unsearchable")));
    ::chmod(closed.constData(), 0);
    // Its names can be read, but none of its files can be reached.
    ::chmod(unsearchable.constData(), 0600);

    addAll(QStringLiteral("txt"), at(QStringLiteral("P")));

    ::chmod(closed.constData(), 0700);
    ::chmod(unsearchable.constData(), 0700);
    EXPECT_EQ(form->fileList()->entries(),
              QStringList({at(QStringLiteral("P/a.txt")), at(QStringLiteral("P/z/c.txt"))}));
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_EQ(pointerState(), pointer::defaultArrow);
}
#endif

TEST_F(AddFolderTest, ClearListIsRefusedWhileTheFolderIsWalked)
{
    openWindow();
    write(QStringLiteral("W/a.txt"), "a");
    write(QStringLiteral("W/s/b.txt"), "b");
    list({QStringLiteral("earlier.txt")});
    QList<int> pointerAtYields;
    doubles.events.onYield = [&](int) {
        pointerAtYields << pointerState();
        find<QPushButton>(form, "clearList")->click();
    };

    addAll(QStringLiteral("txt"), at(QStringLiteral("W")));

    ASSERT_FALSE(pointerAtYields.isEmpty());
    EXPECT_EQ(pointerAtYields, QList<int>(pointerAtYields.size(), pointer::hourglass));
    EXPECT_EQ(
        form->fileList()->entries(),
        QStringList({QStringLiteral("earlier.txt"), at(QStringLiteral("W/a.txt")), at(QStringLiteral("W/s/b.txt"))}));
    doubles.events.onYield = nullptr;
    find<QPushButton>(form, "clearList")->click();
    EXPECT_EQ(form->fileList()->count(), 0);
}

TEST_F(AddFolderTest, ASecondClickDuringTheWalkKeepsTheHourglassUntilTheFirstEnds)
{
    openWindow();
    write(QStringLiteral("W/a.txt"), "a");
    write(QStringLiteral("W/s/b.txt"), "b");
    write(QStringLiteral("W/t/c.txt"), "c");
    bool clickedAgain = false;
    QList<int> pointerAfterSecond;
    doubles.events.onYield = [&](int) {
        if (!clickedAgain) {
            clickedAgain = true;
            addAll(QStringLiteral("txt"), at(QStringLiteral("W/s")));
            return;
        }
        pointerAfterSecond << pointerState();
        find<QPushButton>(form, "clearList")->click();
    };

    addAll(QStringLiteral("txt"), at(QStringLiteral("W")));

    ASSERT_FALSE(pointerAfterSecond.isEmpty());
    EXPECT_EQ(pointerAfterSecond, QList<int>(pointerAfterSecond.size(), pointer::hourglass));
    QStringList expected{at(QStringLiteral("W/s/b.txt")), at(QStringLiteral("W/a.txt")),
                         at(QStringLiteral("W/s/b.txt")), at(QStringLiteral("W/t/c.txt"))};
    // The sub-folders' order is the platform's, so compare as sets with counts.
    QStringList actual = form->fileList()->entries();
    EXPECT_EQ(actual.first(), at(QStringLiteral("W/s/b.txt")));
    actual.sort();
    expected.sort();
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(pointerState(), pointer::defaultArrow);
}

TEST_F(AddFolderTest, ClosingTheWindowDuringTheWalkAddsNothingMoreAndDropsTheHourglass)
{
    openWindow();
    write(QStringLiteral("W/a.txt"), "a");
    write(QStringLiteral("W/s/b.txt"), "b");
    doubles.events.onYield = [&](int yield) {
        if (yield == 1)
            form->close();
    };

    addAll(QStringLiteral("txt"), at(QStringLiteral("W")));

    EXPECT_EQ(form->fileList()->count(), 0);
    EXPECT_EQ(doubles.endProgramCalls, 1);
    EXPECT_EQ(pointerState(), pointer::defaultArrow);
}

// A root folder without touching the real one: a root holding one file and no folders.
class LoneRoot : public FileFacts
{
public:
    bool dateTimeReadable(const QString& path) override { return path == root(); }
    std::optional<quint32> attributes(const QString& path) override
    {
        if (path == root() || path == root() + root())
            return attribute::directory;
        return std::nullopt;
    }
    bool opensAsExistingFile(const QString&) override { return false; }
    bool isRootFolder(const QString& path) override { return path.count(nativeSeparator()) == path.size(); }
    QStringList listFiles(const QString&, const QString&) override { return {}; }
    QStringList listSubfolders(const QString&) override { return {}; }
    QList<ListedFile> listFilesWithFacts(const QString& folder, const QString&) override
    {
        listed << folder;
        return {ListedFile{QStringLiteral("a.txt"), true, attribute::archive}};
    }
    static QString root() { return QString(nativeSeparator()); }
    QStringList listed;
};

TEST_F(AddFolderTest, ARootFolderGivesPathsWithOneSeparatorAfterIt)
{
    LoneRoot facts;
    doubles.fileFacts = &facts;
    openWindow();

    addAll(QStringLiteral("txt"), LoneRoot::root());

    EXPECT_EQ(facts.listed, QStringList({LoneRoot::root()}));
    EXPECT_EQ(form->fileList()->entries(), QStringList({LoneRoot::root() + QStringLiteral("a.txt")}));
}

} // namespace
} // namespace quillora::testing
