// The program as a whole, window by window: the menu, the single-text window with a sample loaded and
// converted, the batch window with the samples and in the middle of a run. Each window must paint; with
// QUILLORA_SCREENSHOTS set to a folder the pictures are saved there.
#include "app/Application.h"
#include "app/MainMenu.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"
#include "windows/batch/PacedListModel.h"
#include "windows/single/SingleTextWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>
#include <functional>

namespace quillora {
namespace {

using testing::find;

// A picture of the window once it is on the screen and shows what shown() waits for, checked to be painted (more
// than a few colours), and saved when asked.
void picture(
    QWidget& window, const QString& name, const std::function<bool()>& shown = [] { return true; })
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << name.toStdString();
    ASSERT_TRUE(QTest::qWaitFor(shown)) << name.toStdString() << " never showed its content";
    const QImage image = window.grab().toImage();
    ASSERT_FALSE(image.isNull()) << name.toStdString();
    // On a high-density screen the picture has more pixels than the window, in the same layout.
    EXPECT_EQ(image.deviceIndependentSize().toSize(), window.size());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 4) << name.toStdString() << " looks blank";
    const QString folder = qEnvironmentVariable("QUILLORA_SCREENSHOTS");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(image.save(folder + QChar(u'/') + name + QStringLiteral(".png"))) << name.toStdString();
    }
}

TEST(Screens, EveryWindowPaintsWithItsWork)
{
    testing::TestServices doubles;
    Services services = doubles.services();
    services.programFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    QTemporaryDir results;
    const QString samples = services.programFolder + QDir::separator() + QStringLiteral("Samples");

    Application program(services);
    program.start();
    picture(program.mainMenu(), QStringLiteral("main-menu"));

    find<QPushButton>(program.mainMenu(), "convertSingleText")->click();
    SingleTextWindow& single = program.singleTextWindow();
    doubles.dialogs.openNext(samples + QDir::separator() + QStringLiteral("Mountain-letter-UTF8.txt"));
    find<QPushButton>(single, "loadText")->click();
    find<QPushButton>(single, "startConverting")->click();
    EXPECT_FALSE(single.convertedText().isEmpty());
    picture(single, QStringLiteral("single-text-window"));

    find<QPushButton>(single, "back")->click();
    find<QPushButton>(program.mainMenu(), "convertMultipleFiles")->click();
    BatchWindow& batch = program.batchWindow();
    doubles.messages.answerNext(MessageAnswer::No);
    find<QPushButton>(batch, "addSampleFiles")->click();
    // The list shows new entries a few times a second.
    const auto listShown = [&batch] { return batch.shownList()->rowCount() == batch.fileList()->rowCount(); };
    ASSERT_EQ(batch.fileList()->rowCount(), 3);
    picture(batch, QStringLiteral("batch-window"), listShown);

    find<QRadioButton>(batch, "resultsToFolder")->click();
    find<QLineEdit>(batch, "destinationFolder")->setText(QDir::toNativeSeparators(results.path()) + QDir::separator());
    bool pictured = false;
    int yields = 0;
    doubles.events.onYield = [&](int) {
        if (++yields == 2) {
            pictured = true;
            picture(batch, QStringLiteral("batch-window-running"), listShown);
        }
    };
    find<QPushButton>(batch, "startConverting")->click();
    EXPECT_TRUE(pictured);
    EXPECT_EQ(QDir(results.path()).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(doubles.messages.errors().isEmpty());
}

} // namespace
} // namespace quillora
