#pragma once

// Painting the icon description with QPainter.

#include "IconGeometry.h"

#include <QImage>

namespace notarion::icon {

// The icon as a transparent ARGB picture of size x size pixels.
QImage PaintIcon(const Geometry& geometry, int size);

} // namespace notarion::icon
