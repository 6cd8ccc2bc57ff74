// Centring a window in an area without pushing its corner off the area's top or left edge.
#include "ui/WindowPlacing.h"

#include <algorithm>

namespace quillora {

QPoint centredInArea(QSize window, const QRect& area)
{
    const QPoint centred = area.center() - QPoint(window.width() / 2, window.height() / 2);
    return QPoint(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()));
}

} // namespace quillora
