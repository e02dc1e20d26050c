#pragma once

// What the platforms' atomic writers share (internal to src/system): the
// name of a temporary file and the path a user-named write lands on.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace notarion {

// A file name as the file system spells it (UTF-8 here, UTF-16 on Windows).
using NativeName = std::filesystem::path::string_type;
using NativeNameView = std::basic_string_view<NativeName::value_type>;

// The temporary that will take the target's place: ".<target>.<16 hex
// digits>.tmp", hidden beside it. The digits come from the system's random
// source, so another user cannot guess the name and plant something there
// first; the form lets the next save of the same target recognise a
// temporary that a killed writer left behind.
NativeName TemporaryNameFor(NativeNameView target, std::uint64_t random);

// True when name has the form TemporaryNameFor gives for target.
bool IsTemporaryNameFor(NativeNameView name, NativeNameView target);

// The path a write through links lands on: each link is followed to the file
// it names, so that the file itself is replaced and the link stays a link.
// None when the links go round in a circle (or past the kernel's own limit).
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path);

} // namespace notarion
