#pragma once

// The layout tables' rectangles as Qt values, for the windows and the skin
// painter alike.

#include "ui/layout/Geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace notarion::layout {

constexpr QRect ToQRect(Rect rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

constexpr QPoint ToQPoint(Point point) {
    return QPoint(point.x, point.y);
}

constexpr QSize ToQSize(Size size) {
    return QSize(size.width, size.height);
}

} // namespace notarion::layout
