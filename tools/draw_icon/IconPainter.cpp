#include "IconPainter.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdint>
#include <vector>

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

namespace notarion::icon {

namespace {

void AppendLittleEndian(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>(value >> (8 * i) & 0xFF));
    }
}

} // namespace

QByteArray IconIco(const Geometry& geometry) {
    std::vector<QByteArray> pictures;
    for (const int size : kIcoSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        PaintIcon(geometry, size).save(&buffer, "PNG");
        pictures.push_back(png);
    }
    constexpr int kHeaderSize = 6;
    constexpr int kEntrySize = 16;
    QByteArray ico;
    AppendLittleEndian(ico, 0, 2); // reserved
    AppendLittleEndian(ico, 1, 2); // an icon, not a cursor
    AppendLittleEndian(ico, static_cast<std::uint32_t>(pictures.size()), 2);
    auto offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        // A width or height of 256 does not fit a byte and is written as 0.
        const auto side = static_cast<std::uint32_t>(kIcoSizes[i] % 256);
        AppendLittleEndian(ico, side, 1);
        AppendLittleEndian(ico, side, 1);
        AppendLittleEndian(ico, 0, 1); // no palette
        AppendLittleEndian(ico, 0, 1); // reserved
        AppendLittleEndian(ico, 1, 2); // colour planes
        AppendLittleEndian(ico, 32, 2); // bits per pixel
        AppendLittleEndian(ico, static_cast<std::uint32_t>(pictures[i].size()), 4);
        AppendLittleEndian(ico, offset, 4);
        offset += static_cast<std::uint32_t>(pictures[i].size());
    }
    for (const QByteArray& picture : pictures) {
        ico.append(picture);
    }
    return ico;
}

} // namespace notarion::icon
