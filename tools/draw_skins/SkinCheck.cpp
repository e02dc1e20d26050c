#include "SkinCheck.h"

#include "SkinManifest.h"
#include "SkinTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace notarion::skins {

namespace {

// Text zones may hold a few stray pixels of JPEG ringing from a nearby
// edge; one pixel in a hundred is allowed to miss the contrast.
constexpr double kRequiredShare = 0.99;

constexpr std::string_view kJpegSuffix = ".jpg";

// The linear light of each 8-bit sRGB level, computed once: the check
// looks at hundreds of thousands of pixels.
const std::array<double, 256>& LinearLevels() {
    static const std::array<double, 256> levels = [] {
        std::array<double, 256> table{};
        for (std::size_t level = 0; level < table.size(); ++level) {
            const double c = static_cast<double>(level) / 255.0;
            table[level] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return levels;
}

double Channel(std::uint32_t value) {
    return LinearLevels()[value & 0xFFu];
}

double Luminance(std::uint32_t rgb) {
    return 0.2126 * Channel(rgb >> 16) + 0.7152 * Channel(rgb >> 8) + 0.0722 * Channel(rgb);
}

std::string Describe(const SkinImage& image) {
    return std::to_string(image.width) + "x" + std::to_string(image.height);
}

} // namespace

double ContrastRatio(std::uint32_t first, std::uint32_t second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double ShareReadable(const RgbPicture& picture, int x, int y, int width, int height,
                     std::uint32_t textRgb, double minContrast) {
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(picture.width, x + width);
    const int bottom = std::min(picture.height, y + height);
    if (left >= right || top >= bottom) {
        return 0.0;
    }
    long readable = 0;
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            if (ContrastRatio(picture.At(column, row), textRgb) >= minContrast) {
                ++readable;
            }
        }
    }
    const long total = static_cast<long>(right - left) * (bottom - top);
    return static_cast<double>(readable) / static_cast<double>(total);
}

std::vector<std::string> CheckSkins(const std::filesystem::path& qrcPath) {
    std::vector<std::string> problems;
    // A folder opens as a stream on this platform and throws on the first
    // read, so only a regular file is read.
    std::error_code notFile;
    std::ifstream stream;
    if (std::filesystem::is_regular_file(qrcPath, notFile))
        stream.open(qrcPath, std::ios::binary);
    if (!stream.is_open() || !stream) {
        problems.push_back("cannot read " + qrcPath.string());
        return problems;
    }
    const std::string text{std::istreambuf_iterator<char>(stream),
                           std::istreambuf_iterator<char>()};
    std::vector<ResourceEntry> entries;
    std::string error;
    if (!ParseResourceFile(text, entries, error)) {
        problems.push_back(qrcPath.string() + ": " + error);
        return problems;
    }

    const std::filesystem::path base = qrcPath.parent_path();
    std::map<std::string, RgbPicture> decoded;
    std::set<std::filesystem::path> listedFiles;
    for (const ResourceEntry& entry : entries) {
        const std::string& alias = entry.alias;
        if (alias.size() <= kJpegSuffix.size() ||
            alias.compare(alias.size() - kJpegSuffix.size(), kJpegSuffix.size(), kJpegSuffix) !=
                0) {
            problems.push_back(alias + ": alias does not end in .jpg");
            continue;
        }
        const std::string name = alias.substr(0, alias.size() - kJpegSuffix.size());
        const auto image = FindSkinImage(name);
        if (!image) {
            problems.push_back(alias + ": not in the skin table");
            continue;
        }
        if (decoded.count(name) != 0) {
            problems.push_back(alias + ": listed twice");
            continue;
        }
        const std::filesystem::path file = base / entry.path;
        listedFiles.insert(std::filesystem::weakly_canonical(file));
        RgbPicture picture;
        if (!ReadJpeg(file, picture, error)) {
            problems.push_back(alias + ": " + error);
            continue;
        }
        if (picture.width != image->width || picture.height != image->height) {
            problems.push_back(alias + ": is " + std::to_string(picture.width) + "x" +
                               std::to_string(picture.height) + ", must be " + Describe(*image));
        }
        if (!picture.sequential) {
            problems.push_back(alias + ": is progressive, must be baseline");
        }
        if (picture.components != 3) {
            problems.push_back(alias + ": has " + std::to_string(picture.components) +
                               " colour components, must have 3");
        }
        decoded.emplace(name, std::move(picture));
    }

    for (const SkinImage& image : kSkinImages) {
        if (std::none_of(entries.begin(), entries.end(), [&](const ResourceEntry& entry) {
                return entry.alias == std::string(image.name) + std::string(kJpegSuffix);
            })) {
            problems.push_back(std::string(image.name) + ": missing from " +
                               qrcPath.filename().string());
        }
    }

    // A picture left in the folder but not listed is stale artwork that a
    // reader would take for the real thing.
    const std::filesystem::path folder = base / "skins";
    std::error_code code;
    for (const auto& item : std::filesystem::directory_iterator(folder, code)) {
        if (item.path().extension() == kJpegSuffix &&
            listedFiles.count(std::filesystem::weakly_canonical(item.path())) == 0) {
            problems.push_back(item.path().filename().string() + ": not listed in " +
                               qrcPath.filename().string());
        }
    }

    for (const LiveTextZone& zone : kLiveTextZones) {
        const auto found = decoded.find(std::string(zone.image));
        if (found == decoded.end()) {
            continue; // already reported above
        }
        const double share = ShareReadable(found->second, zone.area.x, zone.area.y, zone.area.width,
                                           zone.area.height, zone.textRgb, zone.minContrast);
        if (share < kRequiredShare) {
            problems.push_back(std::string(zone.image) + ": " + std::string(zone.what) +
                               " would be hard to read (" +
                               std::to_string(static_cast<int>(std::round(share * 100))) +
                               "% of the area reaches the contrast)");
        }
    }
    return problems;
}

} // namespace notarion::skins
