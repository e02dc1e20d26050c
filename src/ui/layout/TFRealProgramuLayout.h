#pragma once

// The list editor: the kind chooser, the list, the commands of the side
// panel. Its picture lies up and left of the window's origin.

#include "ui/layout/Geometry.h"

namespace notarion::layout::editor {

inline constexpr Size kWindowSize{749, 477};
inline constexpr Rect kImage{-2, -4, 751, 481};
// The white frame of the kind chooser, and the combo box inside it, whose
// own edges the frame hides.
inline constexpr Rect kKindFrame{26, 43, 294, 15};
inline constexpr Point kKindBoxPos{-3, -3};
inline constexpr int kKindBoxWidth = 317;
inline constexpr Rect kKindArrow{327, 41, 17, 17};
inline constexpr Rect kList{29, 82, 486, 367};
// The side panel's commands, one under another at equal steps, centred on
// the main command below them. Each area is the whole pill drawn for it.
inline constexpr int kCommandStep = 21;
inline constexpr int kCommandTop = 249;
inline constexpr int kCommandHeight = 19;
inline constexpr Rect kAddFile{565, kCommandTop, 161, kCommandHeight};
inline constexpr Rect kRemoveFile{565, kCommandTop + kCommandStep, 161, kCommandHeight};
inline constexpr Rect kSave{565, kCommandTop + 2 * kCommandStep, 161, kCommandHeight};
inline constexpr Rect kPreview{565, kCommandTop + 3 * kCommandStep, 161, kCommandHeight};
inline constexpr Rect kEditReport{565, kCommandTop + 4 * kCommandStep, 161, kCommandHeight};
inline constexpr Rect kOrderByClass{565, kCommandTop + 5 * kCommandStep, 161, kCommandHeight};
inline constexpr Rect kCheckSet{565, kCommandTop + 6 * kCommandStep, 161, kCommandHeight};
inline constexpr Rect kGenerate{586, 399, 119, 31};
inline constexpr Point kFinalLabelPos{370, 416};

// Where the editor lies over the main window when it is shown.
inline constexpr Point kOffsetWhenShown{17, 52};

} // namespace notarion::layout::editor
