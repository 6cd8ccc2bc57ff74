// The keys that press a focused push button: Space, and Enter or Return as on Windows.
#include "support/TestSupport.h"
#include "ui/Controls.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quillora {
namespace {

TEST(ButtonKeys, SpaceEnterAndReturnPressAFocusedButtonOnce)
{
    struct Case
    {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        bool autoRepeat;
        int clicks;
    };
    const Case cases[] = {
        {"Space", Qt::Key_Space, Qt::NoModifier, false, 1},
        {"Return", Qt::Key_Return, Qt::NoModifier, false, 1},
        {"Enter on the keypad", Qt::Key_Enter, Qt::KeypadModifier, false, 1},
        {"Return held down", Qt::Key_Return, Qt::NoModifier, true, 0},
        {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, false, 0},
        {"A letter", Qt::Key_A, Qt::NoModifier, false, 0},
    };
    for (const Case& c : cases) {
        QWidget window;
        QPushButton* button = makePushButton(&window, QStringLiteral("Start Converting"), twips(120, 120, 7800, 405));
        int clicks = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
        window.show();
        button->setFocus();
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString(), c.autoRepeat);
        QCoreApplication::sendEvent(button, &press);
        QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers, QString(), c.autoRepeat);
        QCoreApplication::sendEvent(button, &release);
        EXPECT_EQ(clicks, c.clicks) << c.what;
    }
}

} // namespace
} // namespace quillora
