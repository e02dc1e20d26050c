#pragma once

// Baseline JPEG files through libjpeg-turbo: writing the skin pictures and
// reading them back for the check. Standard library and jpeglib.h only.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace notarion::skins {

// A decoded picture: 8-bit RGB, rows top to bottom, no padding.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    // True when the file was a single-scan (baseline or extended sequential) JPEG.
    bool sequential = false;
    // The number of colour components stored in the file.
    int components = 0;

    // The pixel at x, y as 0xRRGGBB; x and y must lie inside the picture.
    std::uint32_t At(int x, int y) const;
};

// Encodes an RGB picture as a baseline JPEG with full-resolution colour (no
// chroma subsampling, so thin coloured text stays sharp) and writes it to
// path; returns false and fills error when the file cannot be written.
bool WriteBaselineJpeg(const std::filesystem::path& path, const RgbPicture& picture, int quality,
                       std::string& error);

// Reads and decodes the JPEG file at path; returns false and fills error when
// the file is missing, damaged or not a JPEG. Never aborts the process.
bool ReadJpeg(const std::filesystem::path& path, RgbPicture& picture, std::string& error);

} // namespace notarion::skins
