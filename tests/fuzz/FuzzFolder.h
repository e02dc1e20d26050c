#pragma once

// A folder of the fuzzing process's own, in memory where the system offers
// one, removed when the process ends.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace notarion::fuzz {

inline std::string PrivateFolder() {
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/notarion-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    static std::string created;
    created = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(created, ignored);
    });
    return pattern;
}

} // namespace notarion::fuzz
