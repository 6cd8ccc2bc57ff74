// Start-up and the main menu: the "FormStart" choice, the web site draw, the samples hook and the hand-over.
#include "app/MainMenu.h"

#include "app/WebSite.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"

#include <QPushButton>
#include <memory>

namespace quillora {
namespace {

using testing::find;

using testing::TestServices;

class MainMenuTest : public ::testing::Test
{
protected:
    MainMenuTest()
        : menu(doubles.services(),
               ConversionWindows{[this] { return opened(single, singleLoads); },
                                 [this] { return opened(batch, batchLoads); }})
    {
        QObject::connect(&menu, &MainMenu::sampleFilesUnrecorded, [this] {
            ++recordings;
            doubles.setSetting(QStringLiteral("Snapshot"), QStringLiteral("recorded"));
        });
    }

    QWidget* opened(std::unique_ptr<QWidget>& window, int& loads)
    {
        if (!window) {
            window = std::make_unique<QWidget>();
            ++loads;
        }
        return window.get();
    }

    bool visible(const std::unique_ptr<QWidget>& window) const { return window && window->isVisible(); }

    TestServices doubles;
    std::unique_ptr<QWidget> single;
    std::unique_ptr<QWidget> batch;
    int singleLoads = 0;
    int batchLoads = 0;
    int recordings = 0;
    MainMenu menu;
};

TEST_F(MainMenuTest, FirstStartShowsTheMenuRecordsSamplesAndStoresZero)
{
    menu.startUp();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(single || batch);
    EXPECT_EQ(recordings, 1);
    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("0"));
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Quillora"));
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
    EXPECT_TRUE(doubles.shell.opened.isEmpty());
}

TEST_F(MainMenuTest, StoredWindowOpensDirectly)
{
    doubles.setSetting(QStringLiteral("Snapshot"), QStringLiteral("already"));
    doubles.setSetting(QStringLiteral("FormStart"), QStringLiteral("3"));
    menu.startUp();
    EXPECT_TRUE(visible(batch));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(single);
    EXPECT_EQ(recordings, 0);
    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("0"));
}

TEST_F(MainMenuTest, SingleTextWindowOpensDirectlyAndOtherNumbersShowTheMenu)
{
    doubles.setSetting(QStringLiteral("FormStart"), QStringLiteral("2"));
    menu.startUp();
    EXPECT_TRUE(visible(single));
    EXPECT_FALSE(menu.isVisible());

    for (const char* value : {"1", "5", "0"}) {
        TestServices other;
        other.setSetting(QStringLiteral("FormStart"), QString::fromLatin1(value));
        MainMenu another(other.services(), ConversionWindows{[] { return nullptr; }, [] { return nullptr; }});
        another.startUp();
        EXPECT_TRUE(another.isVisible()) << value;
        EXPECT_TRUE(other.messages.shown().isEmpty()) << value;
    }
}

TEST_F(MainMenuTest, FormStartThatIsNoNumberReportsThenOpensTheBatchWindow)
{
    doubles.setSetting(QStringLiteral("FormStart"), QStringLiteral("\xFF broken"));
    menu.startUp();
    ASSERT_EQ(doubles.messages.shown().size(), 1);
    EXPECT_EQ(doubles.messages.shown().first().text,
              QStringLiteral("Type mismatch\r\nin Quillora2021/08/31.Form1.Form_Load at line 132\r\r"
                             "Please email screenshot of this message to support@corvanta.example"));
    EXPECT_TRUE(visible(batch));
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("0"));
}

TEST_F(MainMenuTest, ButtonsHandOverAndWindowsKeepTheirState)
{
    menu.startUp();
    find<QPushButton>(menu, "convertSingleText")->click();
    EXPECT_TRUE(visible(single));
    EXPECT_FALSE(menu.isVisible());
    single->hide();
    menu.show();
    find<QPushButton>(menu, "convertMultipleFiles")->click();
    EXPECT_TRUE(visible(batch));
    batch->hide();
    menu.show();
    find<QPushButton>(menu, "convertSingleText")->click();
    EXPECT_EQ(singleLoads, 1);
    EXPECT_EQ(batchLoads, 1);
}

TEST_F(MainMenuTest, ClosingTheMenuEndsTheProgramWithoutWritingSettings)
{
    menu.startUp();
    doubles.setSetting(QStringLiteral("FormStart"), QStringLiteral("0"));
    menu.close();
    EXPECT_EQ(doubles.endProgramCalls, 1);
    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("0"));
}

TEST(WebSite, OpensOnlyWhenSevenIsDrawn)
{
    testing::RecordedShell shell;
    testing::ScriptedRandomSource random;
    int opened = 0;
    for (int n = 1; n <= 100; ++n) {
        random.value = (n - 1) / 100.0 + 0.001;
        EXPECT_EQ(OpenWebSiteAtRandom(random, shell), n);
        if (n == 7)
            opened = int(shell.opened.size());
    }
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("https://www.corvanta.example/quillora")});
    EXPECT_EQ(random.seeded, 100);
}

} // namespace
} // namespace quillora
