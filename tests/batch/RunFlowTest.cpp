// The run's checks, its progress at each yield, and what may happen between two files.
#include "BatchWindowFixture.h"
#include "ui/Controls.h"
#include "ui/WindowPointer.h"

#include <QDir>

namespace quillora::testing {
namespace {

const QString folderMissing = QStringLiteral("Folder does not exist. Please select another folder.");

TEST_F(BatchWindowTest, AnEmptyListRunsQuietly)
{
    openWindow();
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_EQ(doubles.events.count, 0);
    EXPECT_FALSE(form->isConverting());
    EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
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
        find<QPushButton>(form, "startConverting")->click();
        ASSERT_EQ(doubles.messages.shown().size(), 1);
        EXPECT_EQ(
            doubles.messages.shown().first(),
            (MessageBoxRequest{QStringLiteral("Quillora"), folderMissing, MessageIcon::None, MessageButtons::Ok}));
        EXPECT_EQ(doubles.events.count, 0);
        EXPECT_FALSE(form->isConverting());
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
        percents << find<ProgressBarControl>(form, "progressBar")->percent();
        captions << find<ProgressBarControl>(form, "progressBar")->caption();
        pointers << form->pointer()->state();
        converting << form->isConverting();
    };
    doubles.messages.onShow([&](const MessageBoxRequest&) {
        // "Done." comes after the bar and the pointer are reset.
        EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->percent(), 0);
        EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->caption(), QStringLiteral("Progress Bar"));
        EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    });
    find<QPushButton>(form, "startConverting")->click();

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
    EXPECT_FALSE(form->isConverting());
    EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->value(), 0);
}

TEST_F(BatchWindowTest, ASecondStartDuringARunDoesNothing)
{
    openWindow();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    find<QRadioButton>(form, "resultsInPlace")->click();
    doubles.events.onYield = [&](int) { find<QPushButton>(form, "startConverting")->click(); };
    find<QPushButton>(form, "startConverting")->click();
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
    find<QRadioButton>(form, "resultsInPlace")->click();
    doubles.events.onYield = [&](int yield) {
        if (yield == 2)
            form->close();
    };
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("3"));
    EXPECT_EQ(doubles.endProgramCalls, 1);
    EXPECT_EQ(doubles.events.count, 2);
    EXPECT_EQ(readFile(at(QStringLiteral("in/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c d"));
    EXPECT_EQ(readFile(at(QStringLiteral("in/c.txt"))), QByteArray("e f"));
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_FALSE(form->isConverting());
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
            find<QLineEdit>(form, "destinationFolder")->setText(at(QStringLiteral("out2")));
        if (yield == 3)
            find<QRadioButton>(form, "resultsInPlace")->click();
    };
    find<QPushButton>(form, "startConverting")->click();

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
    find<QRadioButton>(form, "resultsToFolder")->setAutoExclusive(false);
    find<QRadioButton>(form, "resultsToFolder")->setChecked(false);
    find<QRadioButton>(form, "resultsToFolder")->setAutoExclusive(true);
    ASSERT_FALSE(find<QRadioButton>(form, "resultsToFolder")->isChecked()
                 || find<QRadioButton>(form, "resultsInPlace")->isChecked());
    find<QPushButton>(form, "startConverting")->click();
    QDir::setCurrent(previous);

    EXPECT_EQ(readFile(at(QStringLiteral("out/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_TRUE(QDir(at(QStringLiteral("current"))).isEmpty());
    EXPECT_EQ(readFile(at(QStringLiteral("in/a.txt"))), QByteArray("a b"));
}

TEST_F(BatchWindowTest, ClearListIsRefusedUnderTheRunsHourglass)
{
    openWindow();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    find<QRadioButton>(form, "resultsInPlace")->click();
    doubles.events.onYield = [&](int yield) {
        if (yield == 2)
            find<QPushButton>(form, "clearList")->click();
    };
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(form->fileList()->count(), 2);
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c\r\nd"));
}

TEST_F(BatchWindowTest, AListClearedBeforeTheHourglassShowsEndsTheRunWithOneReport)
{
    openWindow();
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d"),
          write(QStringLiteral("in/c.txt"), "e f")});
    find<QRadioButton>(form, "resultsInPlace")->click();
    doubles.events.onYield = [&](int yield) {
        if (yield == 1)
            find<QPushButton>(form, "clearList")->click();
    };
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(form->fileList()->count(), 0);
    // The first file was taken before the list was cleared.
    EXPECT_EQ(readFile(at(QStringLiteral("in/a.txt"))), QByteArray("a\r\nb"));
    EXPECT_EQ(readFile(at(QStringLiteral("in/b.txt"))), QByteArray("c d"));
    ASSERT_EQ(doubles.messages.errors().size(), 1);
    EXPECT_EQ(doubles.messages.errors().first().text,
              ErrorReport::boxText(QStringLiteral("Index out of bounds"),
                                   ErrorReport::programOrigin(QStringLiteral("Form3.PushButton13_Click")), 114));
    EXPECT_EQ(doubles.messages.texts().last(), QStringLiteral("Done."));
    EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
}

TEST_F(BatchWindowTest, FilesAddedDuringARunWaitButCountInTheProgress)
{
    openWindow();
    const QString late = write(QStringLiteral("in/late.txt"), "x y");
    list({write(QStringLiteral("in/a.txt"), "a b"), write(QStringLiteral("in/b.txt"), "c d")});
    find<QRadioButton>(form, "resultsInPlace")->click();
    QList<double> percents;
    doubles.events.onYield = [&](int yield) {
        percents << find<ProgressBarControl>(form, "progressBar")->percent();
        if (yield == 1)
            list({late, late});
    };
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(doubles.events.count, 2);
    ASSERT_EQ(percents.size(), 2);
    EXPECT_DOUBLE_EQ(percents[0], 50.0);
    EXPECT_DOUBLE_EQ(percents[1], 50.0);
    EXPECT_EQ(readFile(late), QByteArray("x y"));
}

} // namespace
} // namespace quillora::testing
