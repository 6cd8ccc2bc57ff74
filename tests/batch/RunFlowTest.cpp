// The run's checks, its progress at each yield, and what may happen between two files.
#include "BatchWindowFixture.h"
#include "shell/Controls.h"
#include "shell/WindowPointer.h"

#include <QDir>

namespace quillora::testing {
namespace {

const QString folderMissing = QStringLiteral("Folder does not exist. Please select another folder.");

TEST_F(BatchWindowTest, AnEmptyListRunsQuietly)
{
    openWindow();
    form->PushButton13->click();
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_EQ(doubles.events.count, 0);
    EXPECT_FALSE(form->IsConverting);
    EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
}

TEST_F(BatchWindowTest, AChosenFolderThatIsNotThereStopsTheRunBeforeAnyFile)
{
    openWindow();
    const QString source = write(QStringLiteral("in/a.txt"), "a b");
    const QString aFile = write(QStringLiteral("plain.txt"), "x");
    list({source});
    for (const QString& folder : {QString(), at(QStringLiteral("missing")), aFile}) {
        SCOPED_TRACE(folder.toStdString());
        doubles.messages.clear();
        chooseFolder(folder);
        form->PushButton13->click();
        ASSERT_EQ(doubles.messages.shown().size(), 1);
        EXPECT_EQ(
            doubles.messages.shown().first(),
            (MessageBoxRequest{QStringLiteral("Quillora"), folderMissing, MessageIcon::None, MessageButtons::Ok}));
        EXPECT_EQ(doubles.events.count, 0);
        EXPECT_FALSE(form->IsConverting);
    }
    EXPECT_EQ(readFile(source), QByteArray("a b"));
}

TEST_F(BatchWindowTest, ProgressShowsTheShareDoneWithThisFileAndTheHourglassUntilTheEnd)
{
    openWindow();
    QDir().mkpath(at(QStringLiteral("out")));
    list({write(QStringLiteral("in/a.txt"), "a"), write(QStringLiteral("in/b.txt"), "b"),
          write(QStringLiteral("in/c.txt"), "c")});
    chooseFolder(at(QStringLiteral("out")));
    QList<double> percents;
    QStringList captions;
    QList<int> pointers;
    QList<bool> converting;
    doubles.events.onYield = [&](int) {
        percents << form->ProgressBar1->percent();
        captions << form->ProgressBar1->caption();
        pointers << form->pointer->state();
        converting << form->IsConverting;
    };
    doubles.messages.onShow([&](const MessageBoxRequest&) {
        // "Done." comes after the bar and the pointer are reset.
        EXPECT_EQ(form->ProgressBar1->percent(), 0);
        EXPECT_EQ(form->ProgressBar1->caption(), QStringLiteral("Progress Bar"));
        EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
    });
    form->PushButton13->click();

    ASSERT_EQ(percents.size(), 3);
    EXPECT_DOUBLE_EQ(percents[0], 100.0 / 3);
    EXPECT_DOUBLE_EQ(percents[1], 200.0 / 3);
    EXPECT_DOUBLE_EQ(percents[2], 100.0);
    EXPECT_EQ(captions,
              QStringList({QStringLiteral("Processing: a.txt"), QStringLiteral("Processing: b.txt"),
                           QStringLiteral("Processing: c.txt")}));
    // The hourglass comes on after the first yield and stays until the end.
    EXPECT_EQ(pointers, QList<int>({pointer::defaultArrow, pointer::hourglass, pointer::hourglass}));
    EXPECT_EQ(converting, QList<bool>({true, true, true}));
    ASSERT_EQ(doubles.messages.shown().size(), 1);
    EXPECT_EQ(doubles.messages.shown().first(),
              (MessageBoxRequest{QStringLiteral("Quillora"), QStringLiteral("Done."), MessageIcon::None,
                                 MessageButtons::Ok}));
    EXPECT_FALSE(form->IsConverting);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
}

TEST_F(BatchWindowTest, ASecondStartDuringARunDoesNothing)
{
    openWindow();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    form->Option2->click();
    doubles.events.onYield = [&](int) { form->PushButton13->click(); };
    form->PushButton13->click();
    EXPECT_EQ(doubles.events.count, 2);
    EXPECT_EQ(doubles.messages.texts(), QStringList{QStringLiteral("Done.")});
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c\r\nd"));
}

TEST_F(BatchWindowTest, ClosingDuringARunEndsTheProgramBeforeTheNextFile)
{
    openWindow();
    form->show();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d"),
          write(QStringLiteral("in/c.txt"), "e f")});
    form->Option2->click();
    doubles.events.onYield = [&](int yield) {
        if (yield == 2)
            form->close();
    };
    form->PushButton13->click();

    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("3"));
    EXPECT_EQ(doubles.endProgramCalls, 1);
    EXPECT_EQ(doubles.events.count, 2);
    EXPECT_EQ(readFile(at(QStringLiteral("in/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c d"));
    EXPECT_EQ(readFile(at(QStringLiteral("in/c.txt"))), QByteArray("e f"));
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_FALSE(form->IsConverting);
}

TEST_F(BatchWindowTest, TheDestinationIsReadAgainForEachFile)
{
    openWindow();
    QDir().mkpath(at(QStringLiteral("out1")));
    QDir().mkpath(at(QStringLiteral("out2")));
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d"),
          write(QStringLiteral("in/c.txt"), "e f")});
    chooseFolder(at(QStringLiteral("out1")));
    doubles.events.onYield = [&](int yield) {
        if (yield == 2)
            form->Text5->setText(at(QStringLiteral("out2")));
        if (yield == 3)
            form->Option2->click();
    };
    form->PushButton13->click();

    EXPECT_EQ(readFile(at(QStringLiteral("out1/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_FALSE(QFile::exists(at(QStringLiteral("out1/b.txt"))));
    EXPECT_EQ(readFile(at(QStringLiteral("out2/b.txt"))), QByteArray("c\r\nd"));
    EXPECT_FALSE(QFile::exists(at(QStringLiteral("out2/c.txt"))));
    EXPECT_EQ(readFile(at(QStringLiteral("in/c.txt"))), QByteArray("e\r\nf"));
}

TEST_F(BatchWindowTest, WithNeitherOptionSelectedResultsGoToTheChosenFolderNotTheCurrentOne)
{
    openWindow();
    QDir().mkpath(at(QStringLiteral("out")));
    QDir().mkpath(at(QStringLiteral("current")));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(at(QStringLiteral("current")));
    list({write(QStringLiteral("in/a.txt"), "a b")});
    chooseFolder(at(QStringLiteral("out")));
    form->Option1->setAutoExclusive(false);
    form->Option1->setChecked(false);
    form->Option1->setAutoExclusive(true);
    ASSERT_FALSE(form->Option1->isChecked() || form->Option2->isChecked());
    form->PushButton13->click();
    QDir::setCurrent(previous);

    EXPECT_EQ(readFile(at(QStringLiteral("out/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_TRUE(QDir(at(QStringLiteral("current"))).isEmpty());
    EXPECT_EQ(readFile(at(QStringLiteral("in/a.txt"))), QByteArray("a b"));
}

TEST_F(BatchWindowTest, ClearListIsRefusedUnderTheRunsHourglass)
{
    openWindow();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    form->Option2->click();
    doubles.events.onYield = [&](int yield) {
        if (yield == 2)
            form->PushButton12->click();
    };
    form->PushButton13->click();
    EXPECT_EQ(form->fileList->count(), 2);
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c\r\nd"));
}

TEST_F(BatchWindowTest, AListClearedBeforeTheHourglassShowsEndsTheRunWithOneReport)
{
    openWindow();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d"),
          write(QStringLiteral("in/c.txt"), "e f")});
    form->Option2->click();
    doubles.events.onYield = [&](int yield) {
        if (yield == 1)
            form->PushButton12->click();
    };
    form->PushButton13->click();

    EXPECT_EQ(form->fileList->count(), 0);
    // The first file was taken before the list was cleared.
    EXPECT_EQ(readFile(at(QStringLiteral("in/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c d"));
    ASSERT_EQ(doubles.messages.errors().size(), 1);
    EXPECT_EQ(doubles.messages.errors().first().text,
              ErrorReport::boxText(QStringLiteral("Index out of bounds"),
                                   ErrorReport::programOrigin(QStringLiteral("Form3.PushButton13_Click")), 114));
    EXPECT_EQ(doubles.messages.texts().last(), QStringLiteral("Done."));
    EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
}

TEST_F(BatchWindowTest, FilesAddedDuringARunWaitButCountInTheProgress)
{
    openWindow();
    const QString late = write(QStringLiteral("in/late.txt"), "x y");
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    form->Option2->click();
    QList<double> percents;
    doubles.events.onYield = [&](int yield) {
        percents << form->ProgressBar1->percent();
        if (yield == 1)
            list({late, late});
    };
    form->PushButton13->click();
    EXPECT_EQ(doubles.events.count, 2);
    ASSERT_EQ(percents.size(), 2);
    EXPECT_DOUBLE_EQ(percents[0], 50.0);
    EXPECT_DOUBLE_EQ(percents[1], 50.0);
    EXPECT_EQ(readFile(late), QByteArray("x y"));
}

} // namespace
} // namespace quillora::testing
