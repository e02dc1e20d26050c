#pragma once

// The Qt resource file that lists the skin pictures, and the README beside
// them: written from the skin table by the drawing program and read back by
// the check. Standard library only.

#include <string>
#include <string_view>
#include <vector>

namespace notarion::skins {

// The resource prefix under which the windows ask for the pictures.
inline constexpr std::string_view kResourcePrefix = "/skins";

// One <file> line of a resource file: the name the program asks for and the
// file path relative to the resource file.
struct ResourceEntry {
    std::string alias;
    std::string path;
};

// The text of the resource file listing every picture of the skin table
// as alias name + ".jpg" with the path "skins/" + name + ".jpg".
std::string ComposeResourceFile();

// The README of the skins folder: every picture with its size and use.
std::string ComposeSkinsReadme();

// Reads the <file> entries of the first <qresource> whose prefix is
// kResourcePrefix; returns false and fills error when the text holds no such
// section or an entry has no alias or no path.
bool ParseResourceFile(std::string_view text, std::vector<ResourceEntry>& entries,
                       std::string& error);

} // namespace notarion::skins
