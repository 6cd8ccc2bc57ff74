// The window's controls: names, captions, rows and places, fonts, keyboard order and colours.
#include "SingleTextFixture.h"
#include "ui/Styling.h"

#include <QGroupBox>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace quillora::testing {
namespace {

TEST_F(SingleTextTest, EveryControlHasItsNameParentCaptionAndFont)
{
    SingleTextWindow& window = open();
    EXPECT_EQ(window.size(), QSize(536, 571));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillora"));
    EXPECT_FALSE(window.windowIcon().isNull());

    struct Expected
    {
        QWidget* control;
        const char* name;
        QWidget* parent;
        const char* caption;
    };
    const Expected controls[] = {
        {find<QPushButton>(window, "back"), "back", &window, "< Back"},
        {find<QGroupBox>(window, "inputFrame"), "inputFrame", &window, "Text To Convert"},
        {find<TextBoxControl>(window, "inputText"), "inputText", find<QGroupBox>(window, "inputFrame"), nullptr},
        {find<UnicodeStrip>(window, "inputStrip"), "inputStrip", find<QGroupBox>(window, "inputFrame"), nullptr},
        {find<QPushButton>(window, "loadText"), "loadText", &window, "Load Text From Text File"},
        {find<QPushButton>(window, "saveText"), "saveText", &window, "Save Text To Text File"},
        {find<QPushButton>(window, "clearInput"), "clearInput", &window, "Clear Text"},
        {find<QPushButton>(window, "loadSample"), "loadSample", &window, "Load Sample/Example Text"},
        {find<QPushButton>(window, "startConverting"), "startConverting", &window, "Start Converting"},
        {find<QGroupBox>(window, "resultFrame"), "resultFrame", &window, "Converted Text"},
        {find<TextBoxControl>(window, "resultText"), "resultText", find<QGroupBox>(window, "resultFrame"), nullptr},
        {find<UnicodeStrip>(window, "resultStrip"), "resultStrip", find<QGroupBox>(window, "resultFrame"), nullptr},
        {find<QPushButton>(window, "saveResult"), "saveResult", &window, "Save Result As Text File"},
        {find<QPushButton>(window, "clearResult"), "clearResult", &window, "Clear Text"},
        {find<ProgressBarControl>(window, "progressBar"), "progressBar", &window, nullptr},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(expected.control->objectName(), QString::fromLatin1(expected.name));
        EXPECT_EQ(expected.control->parentWidget(), expected.parent);
        const QFont font = expected.control->font();
        EXPECT_EQ(font.family(), QStringLiteral("Arial"));
        EXPECT_TRUE(font.bold());
        const bool button = qobject_cast<QPushButton*>(expected.control) != nullptr;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), button ? 11.25 : 9.0);
        if (auto* pushButton = qobject_cast<QPushButton*>(expected.control)) {
            EXPECT_EQ(pushButton->text(), QString::fromUtf8(expected.caption));
            EXPECT_EQ(pushButton->palette().color(QPalette::Button), QColor(Qt::white));
        } else if (auto* frame = qobject_cast<QGroupBox*>(expected.control)) {
            EXPECT_EQ(frame->title(), QString::fromUtf8(expected.caption));
        }
    }
    EXPECT_EQ(find<ProgressBarControl>(window, "progressBar")->text(), QStringLiteral("Progress Bar"));
}

TEST_F(SingleTextTest, ControlsStandInRowsInsideTheWindowAndTheirFrames)
{
    SingleTextWindow& window = open();
    const auto place = [&window](const char* name) { return find<QWidget>(window, name)->geometry(); };
    // A few places as the user measures them, in pixels.
    EXPECT_EQ(place("back"), QRect(8, 6, 520, 27));
    EXPECT_EQ(place("inputText"), QRect(16, 20, 489, 67));
    EXPECT_EQ(place("progressBar"), QRect(8, 538, 520, 27));

    // The window from top to bottom, each row from left to right; the controls of a row share its top and height.
    const std::vector<std::vector<const char*>> rows = {{"back"},
                                                        {"inputFrame"},
                                                        {"loadText", "saveText"},
                                                        {"clearInput", "loadSample"},
                                                        {"startConverting"},
                                                        {"resultFrame"},
                                                        {"saveResult", "clearResult"},
                                                        {"progressBar"}};
    int rowsBottom = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.front());
        const QRect first = place(row.front());
        EXPECT_GT(first.top(), rowsBottom);
        rowsBottom = first.bottom();
        // Every row starts at the window's left margin and ends at its right one, give or take a pixel.
        EXPECT_EQ(first.left(), place("back").left());
        EXPECT_LE(std::abs(place(row.back()).right() - place("back").right()), 1);
        EXPECT_TRUE(window.rect().contains(place(row.back())));
        for (size_t at = 1; at < row.size(); ++at) {
            EXPECT_EQ(place(row[at]).top(), first.top()) << row[at];
            EXPECT_EQ(place(row[at]).height(), first.height()) << row[at];
            EXPECT_GT(place(row[at]).left(), place(row[at - 1]).right()) << row[at];
        }
    }
    // In each frame the text box stands above its strip, both inside the frame; the input strip shares the box's last
    // row of pixels, as it always has.
    for (const auto& [frame, box, strip] : {std::tuple{"inputFrame", "inputText", "inputStrip"},
                                            std::tuple{"resultFrame", "resultText", "resultStrip"}}) {
        SCOPED_TRACE(frame);
        const QRect inside(QPoint(0, 0), place(frame).size());
        EXPECT_TRUE(inside.contains(place(box)));
        EXPECT_TRUE(inside.contains(place(strip)));
        EXPECT_GE(place(strip).top(), place(box).bottom());
        EXPECT_EQ(place(strip).left(), place(box).left());
        EXPECT_EQ(place(strip).width(), place(box).width());
    }
}

TEST_F(SingleTextTest, TabGoesFromTheInputThroughTheButtonsToBack)
{
    SingleTextWindow& window = open();
    const QList<QWidget*> expected{
        find<TextBoxControl>(window, "inputText"),  find<QPushButton>(window, "loadText"),
        find<QPushButton>(window, "clearInput"),    find<QPushButton>(window, "startConverting"),
        find<QPushButton>(window, "saveText"),      find<QPushButton>(window, "loadSample"),
        find<TextBoxControl>(window, "resultText"), find<QPushButton>(window, "saveResult"),
        find<QPushButton>(window, "clearResult"),   find<QPushButton>(window, "back")};
    QList<QWidget*> order;
    QWidget* at = find<TextBoxControl>(window, "inputText");
    do {
        if (at->focusPolicy() & Qt::TabFocus && at->isEnabled())
            order << at;
        at = at->nextInFocusChain();
    } while (at != find<TextBoxControl>(window, "inputText") && order.size() < 40);
    EXPECT_EQ(order, expected);
}

TEST_F(SingleTextTest, WindowFramesAndStripsTakeTheButtonFaceColour)
{
    SingleTextWindow& window = open();
    const QColor face = buttonFaceColour();
    for (QWidget* control :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(find<QGroupBox>(window, "inputFrame")),
          static_cast<QWidget*>(find<QGroupBox>(window, "resultFrame")),
          static_cast<QWidget*>(find<UnicodeStrip>(window, "inputStrip")),
          static_cast<QWidget*>(find<UnicodeStrip>(window, "resultStrip"))}) {
        EXPECT_EQ(control->palette().color(QPalette::Window), face) << control->objectName().toStdString();
        EXPECT_TRUE(control->autoFillBackground()) << control->objectName().toStdString();
    }
}

TEST_F(SingleTextTest, ShownCentredOnceAndStartedUpOnlyOnce)
{
    form = std::make_unique<SingleTextWindow>(services.services());
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("stored"));
    form->show();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QStringLiteral("stored"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((form->geometry().center() - screen.center()).manhattanLength(), 4);

    find<TextBoxControl>(form, "inputText")->setText(QStringLiteral("typed"));
    form->hide();
    form->show();
    form->load();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QStringLiteral("typed"));
}

TEST_F(SingleTextTest, TheHandCursorBesideTheProgramIsLoadedAndABrokenOneReported)
{
    open();
    EXPECT_FALSE(form->pointer()->hasCustomImage());
    EXPECT_TRUE(services.messages.shown().isEmpty());

    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/HAND-M.CUR"),
                services.programFolder.path() + QStringLiteral("/HAND-M.CUR"));
    open();
    EXPECT_TRUE(form->pointer()->hasCustomImage());
    EXPECT_TRUE(services.messages.shown().isEmpty());

    writeFile(services.programFolder.path() + QStringLiteral("/HAND-M.CUR"), QByteArray("not a cursor"));
    open();
    EXPECT_FALSE(form->pointer()->hasCustomImage());
    EXPECT_EQ(services.messages.shown(),
              QList<MessageBoxRequest>{error("Form2.Form_Load", 106, QStringLiteral("Invalid picture"))});
}

TEST_F(SingleTextTest, HandOverTheButtonsArrowOverBackgroundFramesAndInput)
{
    SingleTextWindow& window = open();
    for (QPushButton* button : {find<QPushButton>(window, "loadText"), find<QPushButton>(window, "clearResult"),
                                find<QPushButton>(window, "saveResult"), find<QPushButton>(window, "saveText"),
                                find<QPushButton>(window, "clearInput"), find<QPushButton>(window, "loadSample"),
                                find<QPushButton>(window, "back"), find<QPushButton>(window, "startConverting")}) {
        window.pointer()->setState(pointer::defaultArrow);
        moveOver(button);
        EXPECT_EQ(window.pointer()->state(), pointer::custom) << button->objectName().toStdString();
    }
    moveOver(find<QGroupBox>(window, "inputFrame"));
    EXPECT_EQ(window.pointer()->state(), pointer::defaultArrow);
    moveOver(find<QPushButton>(window, "loadText"));
    moveOver(find<TextBoxControl>(window, "inputText")->viewport());
    EXPECT_EQ(window.pointer()->state(), pointer::defaultArrow);
    moveOver(find<QPushButton>(window, "loadText"));
    moveOver(find<QGroupBox>(window, "resultFrame"));
    EXPECT_EQ(window.pointer()->state(), pointer::defaultArrow);
    moveOver(find<QPushButton>(window, "loadText"));
    moveOver(&window, QPointF(2, 2));
    EXPECT_EQ(window.pointer()->state(), pointer::defaultArrow);

    // The output box, the strips and the progress bar change nothing.
    moveOver(find<QPushButton>(window, "loadText"));
    for (QWidget* control : {find<TextBoxControl>(window, "resultText")->viewport(),
                             static_cast<QWidget*>(find<UnicodeStrip>(window, "inputStrip")),
                             static_cast<QWidget*>(find<UnicodeStrip>(window, "resultStrip")),
                             static_cast<QWidget*>(find<ProgressBarControl>(window, "progressBar"))}) {
        moveOver(control);
        EXPECT_EQ(window.pointer()->state(), pointer::custom) << control->objectName().toStdString();
    }
}

} // namespace
} // namespace quillora::testing
