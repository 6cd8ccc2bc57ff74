// Sets the window's cursor for each pointer state and follows the mouse over the watched controls.
#include "shell/WindowPointer.h"

#include <QEvent>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace quillora {

namespace {
const char* const roleProperty = "quilloraHoverState";
}

WindowPointer::WindowPointer(QWidget* window)
    : QObject(window)
    , window_(window)
{
    arrowOver(window);
}

void WindowPointer::setState(int state)
{
    state_ = state;
    if (state == pointer::hourglass)
        window_->setCursor(Qt::WaitCursor);
    else if (state == pointer::custom && custom_)
        window_->setCursor(*custom_);
    else
        window_->setCursor(Qt::ArrowCursor);
}

void WindowPointer::setCustomImage(const QCursor& cursor)
{
    custom_ = cursor;
    if (state_ == pointer::custom)
        setState(state_);
}

void WindowPointer::arrowOver(QWidget* control)
{
    control->setProperty(roleProperty, pointer::defaultArrow);
    watch(control);
}

void WindowPointer::handOver(QWidget* control)
{
    control->setProperty(roleProperty, pointer::custom);
    watch(control);
}

void WindowPointer::watch(QWidget* control)
{
    control->setMouseTracking(true);
    control->removeEventFilter(this);
    control->installEventFilter(this);
}

bool WindowPointer::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && state_ != pointer::hourglass) {
        const QVariant role = watched->property(roleProperty);
        if (role.isValid())
            setState(role.toInt());
    }
    return false;
}

std::optional<QCursor> loadCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    // A cursor file starts like an icon file (type 2) and keeps the hot spot in its first directory entry.
    if (bytes.size() < 22 || bytes[2] != 2 || bytes[3] != 0)
        return std::nullopt;
    const auto word = [&bytes](int at) { return int(uchar(bytes[at])) | (int(uchar(bytes[at + 1])) << 8); };
    QImage image;
    if (!image.loadFromData(bytes, "cur") && !image.loadFromData(bytes, "ico"))
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), word(10), word(12));
}

} // namespace quillora
