#include "IconGeometry.h"

#include <cstdio>
#include <sstream>

namespace notarion::icon {

namespace {

// A coordinate of the unit square on a canvas of size pixels, as SVG text.
std::string At(double unit, int size) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", unit * size);
    return text;
}

template <std::size_t N> std::string Points(const std::array<Point, N>& points, int size) {
    std::string text;
    for (const Point& point : points) {
        if (!text.empty()) {
            text += ' ';
        }
        text += At(point.x, size) + ',' + At(point.y, size);
    }
    return text;
}

} // namespace

std::string HexColour(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

std::string IconSvg(const Geometry& g, int size) {
    const std::string edge = std::to_string(size);
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << edge << "\" height=\"" << edge
        << "\" viewBox=\"0 0 " << edge << ' ' << edge << "\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"tile\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\""
        << At(g.tileInset, size) << "\" x2=\"0\" y2=\"" << At(1 - g.tileInset, size) << "\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << HexColour(g.tileTop) << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << HexColour(g.tileBottom) << "\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n"
        << "  <rect x=\"" << At(g.tileInset, size) << "\" y=\"" << At(g.tileInset, size)
        << "\" width=\"" << At(1 - 2 * g.tileInset, size) << "\" height=\""
        << At(1 - 2 * g.tileInset, size) << "\" rx=\"" << At(g.tileRadius, size)
        << "\" fill=\"url(#tile)\"/>\n"
        << "  <polygon points=\"" << Points(g.page, size) << "\" fill=\"" << HexColour(g.pageColour)
        << "\"/>\n"
        << "  <polygon points=\"" << Points(g.fold, size) << "\" fill=\"" << HexColour(g.foldColour)
        << "\"/>\n"
        << "  <polyline points=\"" << Points(g.check, size) << "\" fill=\"none\" stroke=\""
        << HexColour(g.checkColour) << "\" stroke-width=\"" << At(g.checkWidth, size)
        << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
        << "</svg>\n";
    return svg.str();
}

} // namespace notarion::icon
