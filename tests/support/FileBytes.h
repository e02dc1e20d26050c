#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace notarion::testing {

// The path the system opens for a UTF-8 path text. Windows reads a plain
// string in its own code page, never as UTF-8, so tests name every path
// with Polish letters through this.
std::filesystem::path Utf8Path(std::string_view utf8);

// The path the system opens for the core's cp1250 path text.
std::filesystem::path Cp1250Path(const std::string& cp1250Text);

// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// Writes bytes as the whole file, making the folders above it; a file that
// cannot be written throws, so a test never goes on from a missing fixture.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// A symbolic link at link that names target. False where a test cannot make
// one: Windows asks for a privilege that a test cannot count on.
bool MakeLink(const std::filesystem::path& target, const std::filesystem::path& link);

// The lines of a text without their line feeds (a carriage return stays, so
// a stray one still shows).
std::vector<std::string> Lines(const std::string& text);

} // namespace notarion::testing
