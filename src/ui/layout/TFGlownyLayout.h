#pragma once

// The main window: its background picture, the title band's buttons, the
// welcome panel with its two choices, the progress strip and the back button.

#include "ui/layout/Geometry.h"

namespace notarion::layout::glowny {

inline constexpr Rect kWindow{0, 0, 776, 570};
inline constexpr Rect kTitleStrip{8, 7, 609, 23};
inline constexpr Rect kAbout{636, 10, 17, 17};
inline constexpr Rect kHelp{668, 10, 17, 17};
inline constexpr Rect kMinimise{712, 10, 17, 17};
inline constexpr Rect kClose{744, 10, 17, 17};
// The window's outline is rounded with corner ellipses of this size.
inline constexpr int kCornerEllipse = 6;

// The welcome panel; its picture fills it, and the choices lie in it.
inline constexpr Rect kWelcome{146, 154, 534, 211};
inline constexpr Rect kNewSet{80, 68, 401, 28};
inline constexpr Rect kExistingList{80, 132, 425, 20};
// The choices begin with this many spaces: the picture draws an icon there.
inline constexpr int kChoiceIndent = 17;
inline constexpr const char16_t* kNewSetCaption =
    u"Chcę przygotować protokół w oparciu o nowy zestaw";
inline constexpr const char16_t* kExistingListCaption =
    u"Chcę wygenerować protokół korzystając z istniejącej już listy ";
inline constexpr int kChoicePixelHeight = 11;
inline constexpr std::uint32_t kChoiceColour = 0xFFFFFF;
inline constexpr std::uint32_t kChoiceHoverColour = 0x00FFFF;

// The progress strip grows in steps; its picture marks each step.
inline constexpr Rect kProgress{34, 546, 480, 17};
inline constexpr int kProgressStepWidth = 80;
inline constexpr int kProgressSteps = 6;

// The back button: a panel whose larger image is clipped by it.
inline constexpr Rect kBack{640, 531, 89, 33};
inline constexpr Size kBackImage{105, 105};

// Where the companions lie while the main window is dragged.
inline constexpr Point kEditorOffsetWhileDragged{14, 51};

} // namespace notarion::layout::glowny
