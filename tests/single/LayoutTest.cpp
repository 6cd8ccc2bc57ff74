// The window's controls: names, captions, places, fonts, keyboard order and colours.
#include "SingleTextFixture.h"
#include "ui/Styling.h"

#include <QGroupBox>

namespace quillora::testing {
namespace {

TEST_F(SingleTextTest, EveryControlStandsInItsPlaceWithItsCaption)
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
        QRect twipsPlace;
        const char* caption;
    };
    const Expected controls[] = {
        {find<QPushButton>(window, "back"), "back", &window, twips(120, 90, 7800, 405), "< Back"},
        {find<QGroupBox>(window, "inputFrame"), "inputFrame", &window, twips(120, 600, 7800, 2100), "Text To Convert"},
        {find<TextBoxControl>(window, "inputText"), "inputText", find<QGroupBox>(window, "inputFrame"),
         twips(240, 300, 7335, 1005), nullptr},
        {find<UnicodeStrip>(window, "inputStrip"), "inputStrip", find<QGroupBox>(window, "inputFrame"),
         twips(240, 1290, 7335, 645), nullptr},
        {find<QPushButton>(window, "loadText"), "loadText", &window, twips(120, 2790, 3860, 405),
         "Load Text From Text File"},
        {find<QPushButton>(window, "saveText"), "saveText", &window, twips(4080, 2790, 3860, 405),
         "Save Text To Text File"},
        {find<QPushButton>(window, "clearInput"), "clearInput", &window, twips(120, 3285, 3860, 405), "Clear Text"},
        {find<QPushButton>(window, "loadSample"), "loadSample", &window, twips(4080, 3285, 3860, 405),
         "Load Sample/Example Text"},
        {find<QPushButton>(window, "startConverting"), "startConverting", &window, twips(120, 3765, 7800, 405),
         "Start Converting"},
        {find<QGroupBox>(window, "resultFrame"), "resultFrame", &window, twips(120, 4290, 7800, 3210),
         "Converted Text"},
        {find<TextBoxControl>(window, "resultText"), "resultText", find<QGroupBox>(window, "resultFrame"),
         twips(240, 240, 7335, 1905), nullptr},
        {find<UnicodeStrip>(window, "resultStrip"), "resultStrip", find<QGroupBox>(window, "resultFrame"),
         twips(240, 2220, 7335, 885), nullptr},
        {find<QPushButton>(window, "saveResult"), "saveResult", &window, twips(120, 7560, 3860, 405),
         "Save Result As Text File"},
        {find<QPushButton>(window, "clearResult"), "clearResult", &window, twips(4080, 7560, 3860, 405), "Clear Text"},
        {find<ProgressBarControl>(window, "progressBar"), "progressBar", &window, twips(120, 8070, 7800, 405), nullptr},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(expected.control->objectName(), QString::fromLatin1(expected.name));
        EXPECT_EQ(expected.control->parentWidget(), expected.parent);
        EXPECT_EQ(expected.control->geometry(), expected.twipsPlace);
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
    form = std::make_unique<SingleTextWindow>(services.services(), [] {});
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
