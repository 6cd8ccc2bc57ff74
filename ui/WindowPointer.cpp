// Sets the window's cursor for each pointer state and follows the mouse over the watched controls.
#include "ui/WindowPointer.h"

#include <QAbstractScrollArea>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
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
    watch(control, pointer::defaultArrow);
}

void WindowPointer::handOver(QWidget* control)
{
    watch(control, pointer::custom);
}

void WindowPointer::watch(QWidget* control, int state)
{
    control->setProperty(roleProperty, state);
    control->setMouseTracking(true);
    control->removeEventFilter(this);
    control->installEventFilter(this);
    // A text box receives the mouse in its viewport, which stands for the whole box.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
        watch(area->viewport(), state);
}

bool WindowPointer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove || state_ == pointer::hourglass)
        return false;
    auto* control = static_cast<QWidget*>(watched);
    // A move that a control leaves unhandled (a push button, or a control that does not follow the mouse) travels
    // up to its parent; it is not a move over the parent and changes nothing there.
    const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (control->childAt(position))
        return false;
    const QVariant role = control->property(roleProperty);
    if (role.isValid())
        setState(role.toInt());
    return false;
}

std::optional<QCursor> loadCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    // A cursor file starts like an icon file (type 2) and keeps the hot spot in its first directory entry.
    if (bytes.size() < 22 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 2 || bytes[3] != 0
        || (bytes[4] == 0 && bytes[5] == 0))
        return std::nullopt;
    const auto word = [&bytes](int at) { return int(uchar(bytes[at])) | (int(uchar(bytes[at + 1])) << 8); };
    QImage image;
    if (!image.loadFromData(bytes, "cur") && !image.loadFromData(bytes, "ico"))
        return std::nullopt;
    const int x = word(10);
    const int y = word(12);
    if (x >= image.width() || y >= image.height())
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), x, y);
}

} // namespace quillora
