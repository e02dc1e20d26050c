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
// the main command below them.
inline constexpr int kCommandStep = 22;
inline constexpr Rect kAddFile{575, 258, 141, 15};
inline constexpr Rect kRemoveFile{575, 258 + kCommandStep, 141, 15};
inline constexpr Rect kSave{575, 258 + 2 * kCommandStep, 141, 15};
inline constexpr Rect kPreview{575, 258 + 3 * kCommandStep, 141, 15};
inline constexpr Rect kEditReport{575, 258 + 4 * kCommandStep, 141, 15};
inline constexpr Rect kCheckSet{575, 258 + 5 * kCommandStep, 141, 15};
inline constexpr Rect kGenerate{586, 399, 119, 31};
inline constexpr Point kFinalLabelPos{370, 416};

// Where the editor lies over the main window when it is shown.
inline constexpr Point kOffsetWhenShown{17, 52};

} // namespace notarion::layout::editor
