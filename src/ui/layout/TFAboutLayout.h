#pragma once

// The about window: a picture larger than the window, and its close button.

#include "ui/layout/Geometry.h"

namespace notarion::layout::about {

inline constexpr Size kWindowSize{399, 287};
inline constexpr Rect kImage{0, 0, 410, 298};
inline constexpr Rect kClose{364, 18, 17, 17};
inline constexpr Point kOffsetFromMainWindow{170, 120};
// The outline is one pixel wider than the window, as the window always had.
inline constexpr Size kOutlineSize{400, 287};
inline constexpr int kCornerEllipse = 6;

} // namespace notarion::layout::about
