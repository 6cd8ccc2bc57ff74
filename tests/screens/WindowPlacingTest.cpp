// Where the windows open: centred in the screen's free area, with the top-left corner on it when a window is larger,
// by the placing rule over many areas and by the real windows on small and scaled screens.
#include "ui/WindowPlacing.h"

#include "app/Application.h"
#include "app/MainMenu.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "windows/batch/BatchWindow.h"
#include "windows/single/SingleTextWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtWidgets/qtestsupport_widgets.h>
#include <cstdlib>

namespace quillora {
namespace {

TEST(WindowPlacing, CentresInTheAreaAndKeepsTheCornerOnIt)
{
    struct Case
    {
        const char* name;
        QSize window;
        QRect area;
        QPoint expected;
    };
    const Case cases[] = {
        {"fits", {536, 571}, {0, 0, 1280, 1024}, {371, 226}},
        {"fits below a top panel", {200, 100}, {0, 30, 800, 570}, {299, 264}},
        {"fits on a second screen", {200, 100}, {1280, 0, 1024, 768}, {1691, 333}},
        {"same size as the area", {640, 512}, {0, 0, 640, 512}, {0, 0}},
        {"taller: the scaled batch window", {536, 571}, {0, 0, 640, 512}, {51, 0}},
        {"taller below a top panel", {536, 571}, {0, 14, 640, 498}, {51, 14}},
        {"wider", {900, 100}, {0, 0, 800, 600}, {0, 249}},
        {"larger both ways on a second screen", {900, 700}, {1280, 20, 800, 580}, {1280, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(centredInArea(c.window, c.area), c.expected);
    }
}

// Run in a program of its own on the screen the parent test sets up; skipped in the ordinary run.
TEST(WindowPlacing, RealWindowsOnThisScreen)
{
    if (qEnvironmentVariableIsEmpty("QUILLORA_PLACING_CHILD"))
        GTEST_SKIP() << "runs under the screens of EveryWindowOpensOnTheScreen";
    testing::TestServices doubles;
    Application program(doubles.services());
    program.start();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const std::pair<const char*, QWidget*> windows[] = {
        {"main menu", &program.mainMenu()},
        {"single-text window", &program.singleTextWindow()},
        {"batch window", &program.batchWindow()},
    };
    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(area.contains(frame.topLeft()))
            << "frame at " << frame.x() << "," << frame.y() << " in " << area.width() << "x" << area.height();
        if (window->width() <= area.width())
            EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 16) << "not centred across";
        else
            EXPECT_EQ(frame.left(), area.left());
        if (window->height() <= area.height())
            EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 16) << "not centred down";
        else
            EXPECT_EQ(frame.top(), area.top());
        window->hide();
    }
}

TEST(WindowPlacing, EveryWindowOpensOnTheScreen)
{
    if (!qEnvironmentVariableIsEmpty("QUILLORA_PLACING_CHILD"))
        GTEST_SKIP();
    struct Screen
    {
        int width;
        int height;
        const char* scale;
    };
    const Screen screens[] = {{1280, 1024, "2"}, {800, 600, "1"}, {1920, 1080, "1.5"}, {1024, 768, "1"}};
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const Screen& screen : screens) {
        const QString name = QStringLiteral("%1x%2 at %3").arg(screen.width).arg(screen.height).arg(screen.scale);
        SCOPED_TRACE(name.toStdString());
        const QString config = folder.filePath(QStringLiteral("screen.json"));
        testing::writeFile(config,
                           QStringLiteral(R"({"screens": [{"name": "placing", "x": 0, "y": 0, "width": %1,
            "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                               .arg(screen.width)
                               .arg(screen.height)
                               .toUtf8());
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUILLORA_PLACING_CHILD"), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(screen.scale));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=WindowPlacing.RealWindowsOnThisScreen"),
                     QStringLiteral("--gtest_brief=1")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_FALSE(output.contains("SKIPPED")) << output.toStdString();
    }
}

} // namespace
} // namespace quillora
