#pragma once

// The fixed layouts of the windows: one header per window holds where its
// components lie, how big they are and the colours and captions that the
// window and the skin painter (tools/draw_skins) both need. The painter
// draws each button's picture from the same rectangle the window puts its
// hot area at, so the two cannot drift apart. Standard library only: the
// painter includes these headers without the windows.

#include <cstdint>

namespace notarion::layout {

struct Point {
    int x;
    int y;
};

struct Size {
    int width;
    int height;
};

// A rectangle relative to the component's parent (or to a skin picture).
struct Rect {
    int x;
    int y;
    int width;
    int height;

    constexpr Point TopLeft() const { return {x, y}; }
    constexpr Size Extent() const { return {width, height}; }
};

// The rectangle of that size at the parent's origin.
constexpr Rect AtOrigin(Size size) {
    return {0, 0, size.width, size.height};
}

// The face of every caption the skin pictures carry. The commands' captions
// are set alike wherever they stand, drawn into the list editor's picture or
// written by the viewer over its own: this face, size in pixels and weight
// (700: bold).
inline constexpr const char* kCaptionFontFamily = "DejaVu Sans";
inline constexpr int kCommandFontPixels = 11;
inline constexpr int kCommandFontWeight = 700;

// Colours are written 0x00BBGGRR, blue in the high byte, as the windows were
// described; the pictures' checks work in 0xRRGGBB.
constexpr std::uint32_t RgbFromBgr(std::uint32_t bgr) {
    return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

} // namespace notarion::layout
