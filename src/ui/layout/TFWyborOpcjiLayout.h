#pragma once

// The option chooser of the document viewer: the list and its two commands.

#include "ui/layout/Geometry.h"

namespace notarion::layout::chooser {

inline constexpr Size kWindowSize{445, 242};
inline constexpr Rect kList{32, 43, 381, 144};
inline constexpr Rect kConfirm{304, 213, 113, 17};
inline constexpr Rect kCancel{203, 213, 70, 17};
inline constexpr Point kOffsetFromViewer{200, 150};
inline constexpr int kListFontPixels = 13;
inline constexpr int kItemHeight = 16;
inline constexpr std::uint32_t kListTextColour = 0x3C3C00;

} // namespace notarion::layout::chooser
