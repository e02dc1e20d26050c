#pragma once

// The drawing of every skin picture, by its resource name, and the hot
// areas that each picture must carry, for the composite previews.

#include "SkinPainter.h"

#include <QRect>

#include <string_view>
#include <vector>

namespace notarion::skins {

// A rectangle of a window laid over a picture, in picture coordinates.
struct HotArea {
    const char* name;
    QRect rect;
};

// Paints the picture of that name onto canvas; returns false, painting
// nothing, when no picture of that name is known.
bool PaintSkin(std::string_view name, SkinCanvas& canvas);

// The hot areas and live controls over the picture of that name, empty for
// pictures without any.
std::vector<HotArea> HotAreasOf(std::string_view name);

} // namespace notarion::skins
