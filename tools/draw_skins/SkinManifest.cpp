#include "SkinManifest.h"

#include "SkinTable.h"

#include <cstdio>
#include <string>

namespace notarion::skins {

namespace {

// The value of attribute name inside one start tag, or nothing.
bool AttributeValue(std::string_view tag, std::string_view name, std::string& value) {
    const std::string key = std::string(name) + "=\"";
    std::size_t at = tag.find(key);
    // The attribute must start a word, so "xalias" is not taken for "alias".
    while (at != std::string_view::npos && at > 0 && tag[at - 1] != ' ' && tag[at - 1] != '\t' &&
           tag[at - 1] != '\n' && tag[at - 1] != '\r') {
        at = tag.find(key, at + 1);
    }
    if (at == std::string_view::npos) {
        return false;
    }
    const std::size_t begin = at + key.size();
    const std::size_t end = tag.find('"', begin);
    if (end == std::string_view::npos) {
        return false;
    }
    value = std::string(tag.substr(begin, end - begin));
    return true;
}

std::string Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string_view::npos) {
        return {};
    }
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(begin, end - begin + 1));
}

} // namespace

std::string ComposeResourceFile() {
    std::string text = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"";
    text += kResourcePrefix;
    text += "\">\n";
    for (const SkinImage& image : kSkinImages) {
        text += "    <file alias=\"" + std::string(image.name) + ".jpg\">skins/" +
                std::string(image.name) + ".jpg</file>\n";
    }
    text += "</qresource>\n</RCC>\n";
    return text;
}

std::string ComposeSkinsReadme() {
    std::string text =
        "# Skin pictures\n"
        "\n"
        "Every picture here is drawn by `tools/draw_skins` (our own QPainter program) and\n"
        "committed as a baseline JPEG. Do not edit them by hand: change the drawing code and run\n"
        "\n"
        "    cmake --build build/dev --target notarion_draw_skins\n"
        "\n"
        "which redraws the pictures, `resources/skins.qrc` and this file. The check\n"
        "`skins_match_table` (CTest) decodes every picture listed in the resource file and\n"
        "compares it with the table below, and tests the contrast left for the text that the\n"
        "windows draw over the pictures.\n"
        "\n"
        "The windows load a picture as `:/skins/<name>.jpg`.\n"
        "\n"
        "| name | size | use |\n"
        "|---|---|---|\n";
    for (const SkinImage& image : kSkinImages) {
        text += "| `" + std::string(image.name) + "` | " + std::to_string(image.width) + " x " +
                std::to_string(image.height) + " | " + std::string(image.use) + " |\n";
    }
    text +=
        "\n"
        "The captions of the hot areas (close, minimise, help, about, the list editor's commands,\n"
        "the option chooser's buttons, the title strips) are drawn into the pictures inside the\n"
        "rectangles of their hot areas. The list editor's picture lies at -2,-4 in its window, so\n"
        "a hot area at window x,y is drawn at picture x+2,y+4.\n"
        "\n"
        "Where the windows draw live text over a picture, the picture stays plain enough for it\n"
        "(checked by `skins_match_table`):\n"
        "\n"
        "| picture | rectangle x, y, width x height | text colour | text |\n"
        "|---|---|---|---|\n";
    for (const LiveTextZone& zone : kLiveTextZones) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(zone.textRgb));
        text += "| `" + std::string(zone.image) + "` | " + std::to_string(zone.area.x) + ", " +
                std::to_string(zone.area.y) + ", " + std::to_string(zone.area.width) + " x " +
                std::to_string(zone.area.height) + " | " + colour + " | " + std::string(zone.what) +
                " |\n";
    }
    return text;
}

bool ParseResourceFile(std::string_view text, std::vector<ResourceEntry>& entries,
                       std::string& error) {
    entries.clear();
    std::size_t section = 0;
    while (true) {
        section = text.find("<qresource", section);
        if (section == std::string_view::npos) {
            error = "no <qresource prefix=\"" + std::string(kResourcePrefix) + "\"> section";
            return false;
        }
        const std::size_t tagEnd = text.find('>', section);
        if (tagEnd == std::string_view::npos) {
            error = "unterminated <qresource> tag";
            return false;
        }
        std::string prefix;
        if (AttributeValue(text.substr(section, tagEnd - section), "prefix", prefix) &&
            prefix == kResourcePrefix) {
            section = tagEnd + 1;
            break;
        }
        section = tagEnd + 1;
    }
    const std::size_t sectionEnd = text.find("</qresource>", section);
    if (sectionEnd == std::string_view::npos) {
        error = "unterminated <qresource> section";
        return false;
    }
    const std::string_view body = text.substr(section, sectionEnd - section);
    std::size_t at = 0;
    while ((at = body.find("<file", at)) != std::string_view::npos) {
        const std::size_t tagEnd = body.find('>', at);
        const std::size_t close = body.find("</file>", at);
        if (tagEnd == std::string_view::npos || close == std::string_view::npos || close < tagEnd) {
            error = "malformed <file> entry";
            return false;
        }
        ResourceEntry entry;
        const std::string_view tag = body.substr(at, tagEnd - at);
        entry.path = Trimmed(body.substr(tagEnd + 1, close - tagEnd - 1));
        if (!AttributeValue(tag, "alias", entry.alias) || entry.alias.empty()) {
            error = "entry " + entry.path + " has no alias";
            return false;
        }
        if (entry.path.empty()) {
            error = "entry " + entry.alias + " has no path";
            return false;
        }
        entries.push_back(std::move(entry));
        at = close + 7;
    }
    return true;
}

} // namespace notarion::skins
