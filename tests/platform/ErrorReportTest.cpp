// The error report: exact box text, going on after a failed step, and a failed choice entering its branch.
#include "platform/ErrorReport.h"

#include "platform/testing/ScriptedMessageBoxes.h"
#include "support/TestSupport.h"

namespace quillora {
namespace {

using testing::ScriptedMessageBoxes;

TEST(ErrorReport, ShowsTheApplicationErrorBoxAndGoesOn)
{
    ScriptedMessageBoxes boxes;
    ErrorReport report(boxes, ErrorReport::programOrigin(QStringLiteral("Form3.PushButton13_Click")));
    QList<int> ran;
    EXPECT_TRUE(report.step(100, [&] { ran << 100; }));
    EXPECT_FALSE(report.step(102, [&] {
        ran << 102;
        throw Failure::permissionDenied();
    }));
    EXPECT_TRUE(report.step(104, [&] { ran << 104; }));
    EXPECT_EQ(ran, (QList<int>{100, 102, 104}));
    ASSERT_EQ(boxes.shown().size(), 1);
    const MessageBoxRequest& box = boxes.shown().first();
    EXPECT_EQ(box.title, QStringLiteral("Application Error"));
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.text,
              QStringLiteral("Permission denied\r\nin Quillora2021/08/31.Form3.PushButton13_Click at line 102"
                             "\r\rPlease email screenshot of this message to support@corvanta.example"));
    EXPECT_EQ(report.failureCount(), 1);
}

TEST(ErrorReport, TheFolderWalkKeepsItsOwnOrigin)
{
    ScriptedMessageBoxes boxes;
    ErrorReport report(boxes, QStringLiteral("Tarnwick2021/08/31.AddFolder.GetSubDirectories2016"));
    report.step(7, [] { throw Failure::overflow(); });
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().text,
              QStringLiteral("Overflow\r\nin Tarnwick2021/08/31.AddFolder.GetSubDirectories2016 at line 7\r\r"
                             "Please email screenshot of this message to support@corvanta.example"));
}

TEST(ErrorReport, AFailedChoiceGoesOnWithItsBranch)
{
    ScriptedMessageBoxes boxes;
    ErrorReport report(boxes, ErrorReport::programOrigin(QStringLiteral("Form2.PushButton1_Click")));
    EXPECT_TRUE(report.choice(112, []() -> bool { throw Failure::fileNotFound(); }));
    EXPECT_FALSE(report.choice(114, [] { return false; }));
    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(report.currentLine(), 114);
}

TEST(ErrorReport, OutOfMemoryIsReportedLikeAnyFailure)
{
    ScriptedMessageBoxes boxes;
    ErrorReport report(boxes, ErrorReport::programOrigin(QStringLiteral("X.Y")));
    report.step(130, [] { throw std::bad_alloc(); });
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().first().text.startsWith(QStringLiteral("Out of memory\r\n")));
}

} // namespace
} // namespace quillora
