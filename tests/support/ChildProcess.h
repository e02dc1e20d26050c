#pragma once

// Work run in a child process under a limit the test binary itself must not
// take on: a disk that takes no more bytes, another user. The child hands
// back a text, so that the test checks it in the parent.

#include <cstdint>
#include <functional>
#include <string>

namespace notarion::testing {

// The text that work gives in a child process that first runs limit; empty
// when no child could be made or the child gave nothing.
std::string TextFromChild(const std::function<void()>& limit,
                          const std::function<std::string()>& work);

// A limit for TextFromChild: no file grows beyond bytes, as on a full disk.
// A write past it fails (EFBIG), for root too, instead of ending the process.
void LimitFileSize(std::uint64_t bytes);

} // namespace notarion::testing
