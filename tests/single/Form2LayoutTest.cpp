// The window's controls: names, captions, places, fonts, keyboard order and colours.
#include "Form2Fixture.h"
#include "shell/Styling.h"

#include <QGroupBox>

namespace quillora::testing {
namespace {

TEST_F(Form2Test, EveryControlStandsInItsPlaceWithItsCaption)
{
    Form2& window = open();
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
        {window.PushButton13, "PushButton13", &window, twips(120, 90, 7800, 405), "< Back"},
        {window.Frame2, "Frame2", &window, twips(120, 600, 7800, 2100), "Text To Convert"},
        {window.Text1, "Text1", window.Frame2, twips(240, 300, 7335, 1005), nullptr},
        {window.Picture1, "Picture1", window.Frame2, twips(240, 1290, 7335, 645), nullptr},
        {window.PushButton1, "PushButton1", &window, twips(120, 2790, 3860, 405), "Load Text From Text File"},
        {window.PushButton5, "PushButton5", &window, twips(4080, 2790, 3860, 405), "Save Text To Text File"},
        {window.PushButton7, "PushButton7", &window, twips(120, 3285, 3860, 405), "Clear Text"},
        {window.PushButton8, "PushButton8", &window, twips(4080, 3285, 3860, 405), "Load Sample/Example Text"},
        {window.PushButton17, "PushButton17", &window, twips(120, 3765, 7800, 405), "Start Converting"},
        {window.Frame3, "Frame3", &window, twips(120, 4290, 7800, 3210), "Converted Text"},
        {window.Text2, "Text2", window.Frame3, twips(240, 240, 7335, 1905), nullptr},
        {window.Picture2, "Picture2", window.Frame3, twips(240, 2220, 7335, 885), nullptr},
        {window.PushButton4, "PushButton4", &window, twips(120, 7560, 3860, 405), "Save Result As Text File"},
        {window.PushButton2, "PushButton2", &window, twips(4080, 7560, 3860, 405), "Clear Text"},
        {window.ProgressBar1, "ProgressBar1", &window, twips(120, 8070, 7800, 405), nullptr},
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
    EXPECT_EQ(window.ProgressBar1->text(), QStringLiteral("Progress Bar"));
}

TEST_F(Form2Test, TabGoesFromTheInputThroughTheButtonsToBack)
{
    Form2& window = open();
    const QList<QWidget*> expected{window.Text1,       window.PushButton1, window.PushButton7, window.PushButton17,
                                   window.PushButton5, window.PushButton8, window.Text2,       window.PushButton4,
                                   window.PushButton2, window.PushButton13};
    QList<QWidget*> order;
    QWidget* at = window.Text1;
    do {
        if (at->focusPolicy() & Qt::TabFocus && at->isEnabled())
            order << at;
        at = at->nextInFocusChain();
    } while (at != window.Text1 && order.size() < 40);
    EXPECT_EQ(order, expected);
}

TEST_F(Form2Test, WindowFramesAndStripsTakeTheButtonFaceColour)
{
    Form2& window = open();
    const QColor face = buttonFaceColour();
    for (QWidget* control :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(window.Frame2), static_cast<QWidget*>(window.Frame3),
          static_cast<QWidget*>(window.Picture1), static_cast<QWidget*>(window.Picture2)}) {
        EXPECT_EQ(control->palette().color(QPalette::Window), face) << control->objectName().toStdString();
        EXPECT_TRUE(control->autoFillBackground()) << control->objectName().toStdString();
    }
}

TEST_F(Form2Test, ShownCentredOnceAndStartedUpOnlyOnce)
{
    form = std::make_unique<Form2>(services.services(), [] {});
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("stored"));
    form->show();
    EXPECT_EQ(form->Text1->text(), QStringLiteral("stored"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((form->geometry().center() - screen.center()).manhattanLength(), 4);

    form->Text1->setText(QStringLiteral("typed"));
    form->hide();
    form->show();
    form->Form_Load();
    EXPECT_EQ(form->Text1->text(), QStringLiteral("typed"));
}

TEST_F(Form2Test, TheHandCursorBesideTheProgramIsLoadedAndABrokenOneReported)
{
    open();
    EXPECT_FALSE(form->pointer->hasCustomImage());
    EXPECT_TRUE(services.messages.shown().isEmpty());

    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/HAND-M.CUR"),
                services.programFolder.path() + QStringLiteral("/HAND-M.CUR"));
    open();
    EXPECT_TRUE(form->pointer->hasCustomImage());
    EXPECT_TRUE(services.messages.shown().isEmpty());

    writeFile(services.programFolder.path() + QStringLiteral("/HAND-M.CUR"), QByteArray("not a cursor"));
    open();
    EXPECT_FALSE(form->pointer->hasCustomImage());
    EXPECT_EQ(services.messages.shown(),
              QList<MessageBoxRequest>{error("Form2.Form_Load", 106, QStringLiteral("Invalid picture"))});
}

TEST_F(Form2Test, HandOverTheButtonsArrowOverBackgroundFramesAndInput)
{
    Form2& window = open();
    for (QPushButton* button : {window.PushButton1, window.PushButton2, window.PushButton4, window.PushButton5,
                                window.PushButton7, window.PushButton8, window.PushButton13, window.PushButton17}) {
        window.pointer->setState(pointer::defaultArrow);
        moveOver(button);
        EXPECT_EQ(window.pointer->state(), pointer::custom) << button->objectName().toStdString();
    }
    moveOver(window.Frame2);
    EXPECT_EQ(window.pointer->state(), pointer::defaultArrow);
    moveOver(window.PushButton1);
    moveOver(window.Text1->viewport());
    EXPECT_EQ(window.pointer->state(), pointer::defaultArrow);
    moveOver(window.PushButton1);
    moveOver(window.Frame3);
    EXPECT_EQ(window.pointer->state(), pointer::defaultArrow);
    moveOver(window.PushButton1);
    moveOver(&window, QPointF(2, 2));
    EXPECT_EQ(window.pointer->state(), pointer::defaultArrow);

    // The output box, the strips and the progress bar change nothing.
    moveOver(window.PushButton1);
    for (QWidget* control : {window.Text2->viewport(), static_cast<QWidget*>(window.Picture1),
                             static_cast<QWidget*>(window.Picture2), static_cast<QWidget*>(window.ProgressBar1)}) {
        moveOver(control);
        EXPECT_EQ(window.pointer->state(), pointer::custom) << control->objectName().toStdString();
    }
}

} // namespace
} // namespace quillora::testing
