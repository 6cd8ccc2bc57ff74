// The keyboard focus is easy to see: each kind of control, in its real window, gains a frame at least two pixels
// wide whose pixels differ from the unfocused control's by a contrast of at least 3:1 on every side.
#include "app/Application.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "windows/batch/BatchWindow.h"
#include "windows/single/SingleTextWindow.h"

#include <QImage>
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>
#include <cmath>
#include <functional>

namespace quillora {
namespace {

// The contrast ratio of two colours by their relative luminance, as WCAG 2.2 defines both.
double contrastRatio(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb colour) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The widest run of pixels that focus changed by at least 3:1, walking in from the edge at start by step, within
// the first eight pixels.
int focusRunFromEdge(const QImage& unfocused, const QImage& focused, QPoint start, QPoint step)
{
    int widest = 0;
    int run = 0;
    QPoint at = start;
    for (int i = 0; i < 8 && unfocused.rect().contains(at); ++i, at += step) {
        run = contrastRatio(unfocused.pixel(at), focused.pixel(at)) >= 3 ? run + 1 : 0;
        widest = std::max(widest, run);
    }
    return widest;
}

TEST(FocusFrame, EveryKindOfControlShowsAWideContrastingFrame)
{
    testing::TestServices doubles;
    Application program(doubles.services());
    struct Case
    {
        const char* control;
        std::function<QWidget&()> window;
    };
    const Case cases[] = {
        {"back", [&]() -> QWidget& { return program.batchWindow(); }},
        {"startConverting", [&]() -> QWidget& { return program.singleTextWindow(); }},
        {"resultsToFolder", [&]() -> QWidget& { return program.batchWindow(); }},
        {"resultsInPlace", [&]() -> QWidget& { return program.batchWindow(); }},
        {"fileListView", [&]() -> QWidget& { return program.batchWindow(); }},
        {"destinationFolder", [&]() -> QWidget& { return program.batchWindow(); }},
        {"inputText", [&]() -> QWidget& { return program.singleTextWindow(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        QWidget& window = c.window();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QWidget* control = window.findChild<QWidget*>(QLatin1String(c.control));
        ASSERT_NE(control, nullptr);
        control->setEnabled(true);
        control->clearFocus();
        ASSERT_TRUE(QTest::qWaitFor([control] { return !control->hasFocus(); }));
        const QImage unfocused = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([control] { return control->hasFocus(); }));
        const QImage focused = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(unfocused.size(), focused.size());

        const int right = focused.width() - 1;
        const int bottom = focused.height() - 1;
        const struct
        {
            const char* side;
            QPoint start;
            QPoint step;
        } sides[] = {
            {"left", {0, bottom / 2}, {1, 0}},
            {"right", {right, bottom / 2}, {-1, 0}},
            {"top", {right / 2, 0}, {0, 1}},
            {"bottom", {right / 2, bottom}, {0, -1}},
        };
        for (const auto& side : sides)
            EXPECT_GE(focusRunFromEdge(unfocused, focused, side.start, side.step), 2) << side.side;
    }
}

} // namespace
} // namespace quillora
