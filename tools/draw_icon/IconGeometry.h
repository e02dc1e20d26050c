#pragma once

// The program's icon as one description in a unit square: a gold tile with
// a white page and a teal check mark, the emblem the skin pictures show.
// The PNG painter and the SVG writer both draw from it, so the two formats
// show the same picture. Standard library only.

#include <array>
#include <cstdint>
#include <string>

namespace notarion::icon {

struct Point {
    double x;
    double y;
};

struct Geometry {
    // The tile: a rounded square with a vertical gradient.
    double tileInset;
    double tileRadius;
    std::uint32_t tileTop;
    std::uint32_t tileBottom;
    // The page with its folded top-right corner, and the fold itself.
    std::array<Point, 5> page;
    std::uint32_t pageColour;
    std::array<Point, 3> fold;
    std::uint32_t foldColour;
    // The check mark: a stroke with round ends.
    std::array<Point, 3> check;
    double checkWidth;
    std::uint32_t checkColour;
};

// Colours are 0xRRGGBB.
inline constexpr Geometry kIcon{
    0.0625,
    0.19,
    0xF2CF86,
    0xE3B25A,
    {{{0.27, 0.19}, {0.59, 0.19}, {0.73, 0.33}, {0.73, 0.81}, {0.27, 0.81}}},
    0xFBF8F1,
    {{{0.59, 0.19}, {0.59, 0.33}, {0.73, 0.33}}},
    0xEAE4D6,
    {{{0.35, 0.53}, {0.46, 0.66}, {0.65, 0.38}}},
    0.075,
    0x025646,
};

// The sizes of the PNG pictures of the hicolor theme.
inline constexpr std::array kPngSizes{16, 22, 24, 32, 48, 64, 128, 256};

// "#rrggbb".
std::string HexColour(std::uint32_t rgb);

// The icon as an SVG document of the given edge length in pixels.
std::string IconSvg(const Geometry& geometry, int size);

} // namespace notarion::icon
