// Window building helpers with the program's fonts and colours.
#include "ui/Controls.h"

#include "ui/WindowPlacing.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace quillora {

int twipsToPixels(int value)
{
    return int(std::lround(value / 15.0));
}

QRect twips(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QFont arialBold(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void PushButtonControl::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // Holding the key down presses the button once.
    if (!event->isAutoRepeat())
        click();
    event->accept();
}

QPushButton* makePushButton(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* button = new PushButtonControl(caption, parent);
    button->setGeometry(geometry);
    button->setFont(arialBold(11.25));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    button->setPalette(palette);
    button->setAutoDefault(false);
    return button;
}

void setSpokenText(QWidget* control, const QString& description, const QString& name)
{
    if (!name.isEmpty())
        control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void makeFixedWindow(QWidget* window, int clientWidthTwips, int clientHeightTwips)
{
    window->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    window->setWindowFlags((window->windowFlags() | Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)
                           & ~Qt::WindowMaximizeButtonHint);
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(centredInArea(window->size(), screen->availableGeometry()));
    }
}

ProgressBarControl::ProgressBarControl(QWidget* parent)
    : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    setFont(arialBold(9));
}

void ProgressBarControl::setPercent(double percent)
{
    percent_ = percent;
    setValue(int(std::lround(qBound(0.0, percent, 100.0))));
}

void ProgressBarControl::setCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

} // namespace quillora
