// Where a window opens: centred in the screen's free area, its top-left corner kept on that area.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quillora {

// The top-left corner that centres a window of the given size in the area. A window wider or taller than the area
// starts at its left or top edge instead, so its title bar and first controls stay within reach.
QPoint centredInArea(QSize window, const QRect& area);

} // namespace quillora
