#pragma once

// The check of the committed skin pictures against the skin table: every
// picture the resource file lists exists, decodes as a single-scan colour
// JPEG of exactly the size in the table, nothing is missing or left over,
// and the places where windows draw live text leave that text readable.

#include "JpegFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace notarion::skins {

// The contrast ratio of two sRGB colours (0xRRGGBB), from 1 (equal
// luminance) to 21 (black on white), as used for text legibility.
double ContrastRatio(std::uint32_t first, std::uint32_t second);

// The share (0 to 1) of the pixels in the rectangle x, y, width, height of
// picture against which text of colour textRgb reaches minContrast; the
// rectangle is clipped to the picture, and an empty one gives 0.
double ShareReadable(const RgbPicture& picture, int x, int y, int width, int height,
                     std::uint32_t textRgb, double minContrast);

// Checks the resource file at qrcPath and the pictures it lists; returns
// the problems found, empty when everything agrees with the skin table.
std::vector<std::string> CheckSkins(const std::filesystem::path& qrcPath);

} // namespace notarion::skins
