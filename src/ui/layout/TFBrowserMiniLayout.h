#pragma once

// The preview window: its picture, the close button and the viewer panel.

#include "ui/layout/Geometry.h"

namespace notarion::layout::preview {

inline constexpr Size kWindowSize{630, 438};
// The picture's panel is larger than the window; the picture ends earlier.
inline constexpr Rect kBackgroundPanel{0, 0, 638, 447};
inline constexpr Rect kImage{0, 0, 632, 440};
inline constexpr Rect kClose{598, 11, 15, 14};
// The window's caption over the picture's title band: what the window shows.
inline constexpr Rect kCaption{54, 7, 400, 25};
inline constexpr int kCaptionPixelHeight = 14;
// 0x00BBGGRR, the warm white of the pictures' captions.
inline constexpr unsigned kCaptionColour = 0x00F1F8FB;
inline constexpr Rect kViewerPanel{29, 38, 574, 376};
// Where the preview lies over the main window, also while that is dragged.
inline constexpr Point kOffsetFromMainWindow{72, 74};

} // namespace notarion::layout::preview
