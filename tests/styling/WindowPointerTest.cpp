// Pointer states, the hover rule that never replaces the hourglass, and the hand cursor shipped beside the program.
#include "ui/WindowPointer.h"

#include "platform/Failure.h"
#include "platform/NativeFileFacts.h"
#include "support/TestSupport.h"
#include "ui/Styling.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using quillora::WindowPointer;
namespace pointer = quillora::pointer;

namespace {

QString shippedHandCursor()
{
    // The build puts the cursor file beside the program, where the test programs run too.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/HAND-M.CUR");
}

// A mouse move as the window system delivers it: to the control under the mouse, travelling to its parents
// when the control does not follow the mouse.
void moveOver(QWidget* control, QPointF inside = QPointF(2, 2))
{
    QMouseEvent move(QEvent::MouseMove, inside, control->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

class HoverTest : public ::testing::Test
{
protected:
    HoverTest()
    {
        window.resize(400, 300);
        button1->setGeometry(0, 0, 100, 30);
        button2->setGeometry(110, 0, 100, 30);
        frame->setGeometry(0, 40, 300, 150);
        strip->setGeometry(10, 20, 100, 20);
        text->setGeometry(10, 50, 200, 60);
        output->setGeometry(0, 200, 200, 60);
        pointer->handOver(button1);
        pointer->handOver(button2);
        pointer->arrowOver(frame);
        pointer->arrowOver(text);
    }

    QWidget window;
    QPushButton* button1 = new QPushButton(QStringLiteral("One"), &window);
    QPushButton* button2 = new QPushButton(QStringLiteral("Two"), &window);
    QGroupBox* frame = new QGroupBox(QStringLiteral("Frame"), &window);
    QLabel* strip = new QLabel(QStringLiteral("strip"), frame);
    QPlainTextEdit* text = new QPlainTextEdit(frame);
    QPlainTextEdit* output = new QPlainTextEdit(&window);
    WindowPointer* pointer = new WindowPointer(&window);
};

TEST_F(HoverTest, HandOverButtonsArrowOverFramesTextBoxAndBackground)
{
    EXPECT_EQ(pointer->state(), pointer::defaultArrow);
    moveOver(button1);
    EXPECT_EQ(pointer->state(), pointer::custom);
    moveOver(button2);
    EXPECT_EQ(pointer->state(), pointer::custom);
    moveOver(frame);
    EXPECT_EQ(pointer->state(), pointer::defaultArrow);

    moveOver(button1);
    moveOver(text->viewport());
    EXPECT_EQ(pointer->state(), pointer::defaultArrow);

    moveOver(button1);
    moveOver(&window, QPointF(350, 250));
    EXPECT_EQ(pointer->state(), pointer::defaultArrow);
}

TEST_F(HoverTest, ControlsWithoutAHandlerChangeNothingThoughTheirParentsHaveOne)
{
    moveOver(button1);
    moveOver(strip);
    EXPECT_EQ(pointer->state(), pointer::custom);
    moveOver(output->viewport());
    EXPECT_EQ(pointer->state(), pointer::custom);
    moveOver(output);
    EXPECT_EQ(pointer->state(), pointer::custom);
}

TEST_F(HoverTest, NothingReplacesTheHourglass)
{
    pointer->setState(pointer::hourglass);
    for (QWidget* control : {static_cast<QWidget*>(button1), static_cast<QWidget*>(frame), text->viewport(),
                             static_cast<QWidget*>(&window)}) {
        moveOver(control, control == &window ? QPointF(350, 250) : QPointF(2, 2));
        EXPECT_EQ(pointer->state(), pointer::hourglass);
        EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    }
    pointer->setState(pointer::defaultArrow);
    moveOver(button1);
    EXPECT_EQ(pointer->state(), pointer::custom);
}

TEST_F(HoverTest, TheCustomStateShowsTheHandImageOrElseTheArrow)
{
    pointer->setState(pointer::custom);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    ASSERT_NO_THROW(quillora::loadCustomPointerImage(*pointer, shippedHandCursor()));
    EXPECT_TRUE(pointer->hasCustomImage());
    // The image takes effect at once when the hand is already showing.
    EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);
    pointer->setState(pointer::defaultArrow);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    moveOver(button2);
    EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);
}

TEST(HandCursor, TheShippedFileIsA32PixelHandWithItsHotSpotOnTheFingertip)
{
    const std::optional<QCursor> cursor = quillora::loadCursorFile(shippedHandCursor());
    ASSERT_TRUE(cursor.has_value()) << shippedHandCursor().toStdString();
    const QImage image = cursor->pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    const QPoint hotSpot = cursor->hotSpot();
    EXPECT_EQ(hotSpot, QPoint(11, 1));
    // The hot spot lies on the drawn hand, the fingertip is its topmost point and the corners are see-through.
    EXPECT_EQ(qAlpha(image.pixel(hotSpot)), 255);
    for (int y = 0; y < hotSpot.y(); ++y) {
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << x << "," << y;
    }
    EXPECT_EQ(qAlpha(image.pixel(0, 31)), 0);
    EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0);
}

TEST(HandCursor, LoadedFromBesideTheProgramOnlyWhenItIsThere)
{
    QWidget window;
    WindowPointer pointer(&window);
    QTemporaryDir programFolder;
    const QString folder = QDir::toNativeSeparators(programFolder.path());
    quillora::NativeFileFacts facts;

    EXPECT_NO_THROW(quillora::loadHandCursor(pointer, folder, facts));
    EXPECT_FALSE(pointer.hasCustomImage());

    QFile::copy(shippedHandCursor(), programFolder.path() + QStringLiteral("/HAND-M.CUR"));
    quillora::loadHandCursor(pointer, folder, facts);
    EXPECT_TRUE(pointer.hasCustomImage());
}

TEST(HandCursor, AFileThatIsNoCursorIsAnInvalidPicture)
{
    QWidget window;
    WindowPointer pointer(&window);
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/HAND-M.CUR");
    quillora::testing::writeFile(path, QByteArray("this is text, not a cursor"));
    try {
        quillora::loadCustomPointerImage(pointer, path);
        ADD_FAILURE() << "no failure";
    } catch (const quillora::Failure& failure) {
        EXPECT_EQ(failure.description(), QStringLiteral("Invalid picture"));
    }
    EXPECT_FALSE(pointer.hasCustomImage());

    // The first bytes of a cursor file without any image behind them.
    quillora::testing::writeFile(path, QByteArray("\0\0\2\0\1\0 \0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 22));
    EXPECT_THROW(quillora::loadCustomPointerImage(pointer, path), quillora::Failure);
    EXPECT_FALSE(pointer.hasCustomImage());
}

} // namespace
