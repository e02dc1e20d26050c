#include "IconPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace notarion::icon {

namespace {

QColor Colour(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb | 0xFF000000u));
}

template <std::size_t N> QPolygonF Polygon(const std::array<Point, N>& points) {
    QPolygonF polygon;
    for (const Point& point : points) {
        polygon << QPointF(point.x, point.y);
    }
    return polygon;
}

} // namespace

QImage PaintIcon(const Geometry& g, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Everything is described in the unit square.
    painter.scale(size, size);
    painter.setPen(Qt::NoPen);

    const QRectF tile(g.tileInset, g.tileInset, 1 - 2 * g.tileInset, 1 - 2 * g.tileInset);
    QLinearGradient gradient(tile.topLeft(), tile.bottomLeft());
    gradient.setColorAt(0, Colour(g.tileTop));
    gradient.setColorAt(1, Colour(g.tileBottom));
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, g.tileRadius, g.tileRadius);
    painter.fillPath(tilePath, gradient);

    painter.setBrush(Colour(g.pageColour));
    painter.drawPolygon(Polygon(g.page));
    painter.setBrush(Colour(g.foldColour));
    painter.drawPolygon(Polygon(g.fold));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(Colour(g.checkColour), g.checkWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(Polygon(g.check));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace notarion::icon
