#pragma once

// Painting the icon description with QPainter.

#include "IconGeometry.h"

#include <QByteArray>
#include <QImage>

#include <array>

namespace notarion::icon {

// The icon as a transparent ARGB picture of size x size pixels.
QImage PaintIcon(const Geometry& geometry, int size);

} // namespace notarion::icon

namespace notarion::icon {

// The sizes a Windows icon file carries: the small and large shell icons and
// the jumbo one Explorer scales from.
inline constexpr std::array kIcoSizes{16, 24, 32, 48, 256};

// The icon as a Windows .ico file: one PNG-compressed picture per size in
// kIcoSizes, which every Windows since Vista reads.
QByteArray IconIco(const Geometry& geometry);

} // namespace notarion::icon
