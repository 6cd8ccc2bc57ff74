// "Add Text File(s)": the dialog request, one and several chosen files, bad names, large selections.
#include "BatchWindowFixture.h"

namespace quillora::testing {
namespace {

const QChar nul(u'\0');

TEST_F(BatchWindowTest, AddFilesAsksForSeveralTextFilesAndCancellingAddsNothing)
{
    openWindow();
    form->addTextFiles();
    ASSERT_EQ(doubles.dialogs.openRequests().size(), 1);
    const FileDialogRequest& request = doubles.dialogs.openRequests().first();
    EXPECT_EQ(request.title, QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"));
    EXPECT_EQ(request.filter, QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    EXPECT_TRUE(request.multipleSelection);
    EXPECT_EQ(form->fileList()->count(), 0);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_EQ(doubles.events.count, 0);
}

TEST_F(BatchWindowTest, OneChosenFileIsAddedAsTheDialogGaveItAndAgainWhenChosenAgain)
{
    openWindow();
    write(QStringLiteral("in/a.txt"), "a");
    // Doubled separators inside a single path stay: only the folder-and-names form is tidied.
    const QString asGiven = at(QStringLiteral("in")) + nativeSeparator() + nativeSeparator() + QStringLiteral("a.txt");
    doubles.dialogs.openNext(asGiven);
    doubles.dialogs.openNext(asGiven);
    find<QPushButton>(form, "addTextFiles")->click();
    find<QPushButton>(form, "addTextFiles")->click();
    EXPECT_EQ(form->fileList()->entries(), QStringList({asGiven, asGiven}));
    EXPECT_EQ(doubles.events.count, 0);
}

TEST_F(BatchWindowTest, SeveralChosenFilesAreFolderAndNameInDialogOrderWithOneYieldEach)
{
    openWindow();
    write(QStringLiteral("in/b.txt"), "b");
    write(QStringLiteral("in/a.txt"), "a");
    write(QStringLiteral("in/c d.txt"), "c");
    const QString folder = at(QStringLiteral("in"));
    doubles.dialogs.openNext(folder + nul + QStringLiteral("b.txt") + nul + QStringLiteral("a.txt") + nul
                             + QStringLiteral("c d.txt"));
    QList<qsizetype> countsAtYields;
    doubles.events.onYield = [&](int) { countsAtYields << form->fileList()->count(); };
    find<QPushButton>(form, "addTextFiles")->click();
    const QString sep(nativeSeparator());
    EXPECT_EQ(form->fileList()->entries(),
              QStringList({folder + sep + QStringLiteral("b.txt"), folder + sep + QStringLiteral("a.txt"),
                           folder + sep + QStringLiteral("c d.txt")}));
    // Each yield comes before its own file is added.
    EXPECT_EQ(countsAtYields, QList<qsizetype>({0, 1, 2}));
}

TEST_F(BatchWindowTest, FilesChosenInARootFolderGetOneSeparatorAfterTheRoot)
{
    UnreadableAttributes facts;
    facts.everyPathReadable = true;
    doubles.fileFacts = &facts;
    openWindow();
    const QString root(nativeSeparator());
    doubles.dialogs.openNext(root + nul + QStringLiteral("a.txt") + nul + QStringLiteral("b.txt"));
    find<QPushButton>(form, "addTextFiles")->click();
    EXPECT_EQ(form->fileList()->entries(),
              QStringList({root + QStringLiteral("a.txt"), root + QStringLiteral("b.txt")}));
}

TEST_F(BatchWindowTest, AFileWhoseAttributesCannotBeReadIsNamedAndSkippedAndTheOthersAdded)
{
    UnreadableAttributes facts;
    doubles.fileFacts = &facts;
    openWindow();
    const QString folder = at(QStringLiteral("in"));
    QString selection = folder;
    for (const QString& name : {QStringLiteral("1.txt"), QStringLiteral("Ж.txt"), QStringLiteral("3.txt"),
                                QStringLiteral("4.txt"), QStringLiteral("5.txt")}) {
        write(QStringLiteral("in/") + name, "x");
        selection += nul + name;
    }
    const QString bad = folder + nativeSeparator() + QStringLiteral("3.txt");
    facts.unreadable.insert(bad);
    doubles.dialogs.openNext(selection);
    find<QPushButton>(form, "addTextFiles")->click();

    EXPECT_EQ(form->fileList()->count(), 4);
    EXPECT_FALSE(form->fileList()->entries().contains(bad));
    EXPECT_TRUE(form->fileList()->entries().contains(folder + nativeSeparator() + QStringLiteral("Ж.txt")));
    ASSERT_EQ(doubles.messages.shown().size(), 1);
    const MessageBoxRequest& box = doubles.messages.shown().first();
    EXPECT_EQ(box.text, bad + QStringLiteral("\r\rwas not added because it has bad characters in the filename."));
    EXPECT_EQ(box.title, QStringLiteral("Quillora"));
    EXPECT_EQ(box.icon, MessageIcon::None);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);

    // The same for a single chosen file.
    doubles.messages.clear();
    doubles.dialogs.openNext(bad);
    find<QPushButton>(form, "addTextFiles")->click();
    EXPECT_EQ(form->fileList()->count(), 4);
    EXPECT_EQ(doubles.messages.texts(),
              QStringList{bad + QStringLiteral("\r\rwas not added because it has bad characters in the filename.")});
}

TEST_F(BatchWindowTest, ASelectionOfMoreThanThirtyTwoThousandFilesIsAddedWhole)
{
    UnreadableAttributes facts;
    facts.everyPathReadable = true;
    doubles.fileFacts = &facts;
    openWindow();
    constexpr int chosen = 40000;
    QStringList parts{QStringLiteral("/many")};
    for (int i = 0; i < chosen; ++i)
        parts << QStringLiteral("f%1.txt").arg(i);
    doubles.dialogs.openNext(parts.join(nul));
    find<QPushButton>(form, "addTextFiles")->click();
    ASSERT_EQ(form->fileList()->count(), chosen);
    EXPECT_EQ(form->fileList()->entryAt(chosen),
              QStringLiteral("/many") + nativeSeparator() + QStringLiteral("f39999.txt"));
    EXPECT_EQ(doubles.events.count, chosen);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

TEST_F(BatchWindowTest, ClosingTheWindowWhileFilesAreAddedStopsAdding)
{
    UnreadableAttributes facts;
    facts.everyPathReadable = true;
    doubles.fileFacts = &facts;
    openWindow();
    form->show();
    doubles.dialogs.openNext(QStringLiteral("/f") + nul + QStringLiteral("a") + nul + QStringLiteral("b") + nul
                             + QStringLiteral("c"));
    doubles.events.onYield = [&](int yield) {
        if (yield == 2)
            form->close();
    };
    find<QPushButton>(form, "addTextFiles")->click();
    EXPECT_EQ(form->fileList()->count(), 1);
    EXPECT_EQ(doubles.endProgramCalls, 1);
}

} // namespace
} // namespace quillora::testing
