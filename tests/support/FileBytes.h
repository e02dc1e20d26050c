#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace notarion::testing {

// The path the system opens for the core's cp1250 path text.
std::filesystem::path Cp1250Path(const std::string& cp1250Text);

// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// Writes bytes as the whole file, making the folders above it; a file that
// cannot be written throws, so a test never goes on from a missing fixture.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// The lines of a text without their line feeds (a carriage return stays, so
// a stray one still shows).
std::vector<std::string> Lines(const std::string& text);

} // namespace notarion::testing
