#pragma once

// The message box: title strip, icon, message text and the four buttons, of
// which each mode shows some.

#include "ui/layout/Geometry.h"

namespace notarion::layout::message {

inline constexpr Size kWindowSize{350, 150};
inline constexpr Rect kTitleStrip{56, 5, 281, 23};
inline constexpr Rect kClose{323, 8, 17, 17};
inline constexpr Rect kIcon{12, 4, 42, 43};
inline constexpr Rect kText{17, 51, 313, 53};
inline constexpr std::uint32_t kTextColour = 0x444444;
inline constexpr int kTextPixelHeight = 12;
inline constexpr Rect kYes{63, 116, 88, 26};
inline constexpr Rect kNo{156, 116, 88, 26};
inline constexpr Rect kCancel{248, 116, 88, 26};
inline constexpr Rect kCloseButton{190, 116, 88, 26};
// "Popraw" stands left of "Zamknij" in the set that offers mending a file.
inline constexpr Rect kMend{97, 116, 88, 26};

} // namespace notarion::layout::message
