// Closing any window ends the whole program: a batch run or a folder walk left behind "< Back" stops before its
// next file or folder, and the menu comes up centred however the program started.
#include "app/Application.h"
#include "app/MainMenu.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "ui/Controls.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"
#include "windows/single/SingleTextWindow.h"

#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <memory>

namespace quillora {
namespace {

using testing::find;

class ClosingTest : public ::testing::Test
{
protected:
    ClosingTest() { program = std::make_unique<Application>(doubles.services()); }

    // Sources converted in place, listed in the batch window, which is then left with "< Back".
    QStringList listSources(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            paths << QDir::toNativeSeparators(work.filePath(QStringLiteral("s%1.txt").arg(i)));
            testing::writeFile(paths.last(), "one two");
        }
        BatchWindow& batch = program->batchWindow();
        batch.fileList()->append(paths);
        find<QRadioButton>(batch, "resultsInPlace")->click();
        return paths;
    }

    testing::TestServices doubles;
    QTemporaryDir work;
    std::unique_ptr<Application> program;
};

TEST_F(ClosingTest, ClosingAnyWindowDuringARunStopsItBeforeItsNextFile)
{
    for (const char* closed : {"menu", "single"}) {
        SCOPED_TRACE(closed);
        program = std::make_unique<Application>(doubles.services());
        program->start();
        const QStringList sources = listSources(5);
        const int endsBefore = doubles.endProgramCalls;
        // "< Back" during the run, then the other window is closed while the run goes on behind it.
        doubles.events.onYield = [&](int yield) {
            if (yield == 2)
                find<QPushButton>(program->batchWindow(), "back")->click();
            if (yield == 3) {
                if (QByteArray(closed) == "single") {
                    find<QPushButton>(program->mainMenu(), "convertSingleText")->click();
                    program->singleTextWindow().close();
                } else {
                    program->mainMenu().close();
                }
            }
        };
        doubles.events.count = 0;
        find<QPushButton>(program->batchWindow(), "startConverting")->click();
        doubles.events.onYield = nullptr;

        EXPECT_EQ(doubles.endProgramCalls, endsBefore + 1);
        EXPECT_FALSE(program->batchWindow().isConverting());
        // Each file is whole: the two before the close converted, the rest as they were.
        for (int i = 0; i < sources.size(); ++i)
            EXPECT_EQ(testing::readFile(sources[i]), i < 2 ? QByteArray("one\r\ntwo") : QByteArray("one two")) << i;
        EXPECT_FALSE(doubles.messages.texts().contains(QStringLiteral("Done.")));
    }
}

TEST_F(ClosingTest, ClosingTheBatchWindowDuringAFolderWalkStopsTheWalk)
{
    QDir(work.path()).mkpath(QStringLiteral("a/b/c"));
    for (const char* folder : {"a", "a/b", "a/b/c"})
        testing::writeFile(work.filePath(QStringLiteral("%1/x.txt").arg(QLatin1String(folder))), "x");
    program->start();
    BatchWindow& batch = program->batchWindow();
    batch.show();
    doubles.messages.typeNext(QStringLiteral("txt"));
    doubles.dialogs.pickNext(QDir::toNativeSeparators(work.path()));
    int yields = 0;
    doubles.events.onYield = [&](int) {
        if (++yields == 2)
            batch.close();
    };
    find<QPushButton>(batch, "addAllTextFilesInFolder")->click();
    doubles.events.onYield = nullptr;

    EXPECT_EQ(yields, 2);
    EXPECT_EQ(batch.fileList()->count(), 0);
    EXPECT_EQ(doubles.endProgramCalls, 1);
}

TEST_F(ClosingTest, TheMenuIsCentredWhenFirstShownAfterADirectStart)
{
    for (const char* stored : {"3", "2"}) {
        SCOPED_TRACE(stored);
        doubles.setSetting(QStringLiteral("FormStart"), QLatin1String(stored));
        program = std::make_unique<Application>(doubles.services());
        program->start();
        ASSERT_FALSE(program->mainMenu().isVisible());
        QWidget& opened = QByteArray(stored) == "3" ? static_cast<QWidget&>(program->batchWindow())
                                                    : static_cast<QWidget&>(program->singleTextWindow());
        find<QPushButton>(opened, "back")->click();
        ASSERT_TRUE(program->mainMenu().isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const MainMenu& menu = program->mainMenu();
        EXPECT_EQ(menu.pos(), screen.center() - QPoint(menu.width() / 2, menu.height() / 2));
    }
}

} // namespace
} // namespace quillora
