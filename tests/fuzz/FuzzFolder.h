#pragma once

// A folder of the fuzzing process's own, in memory where the system offers
// one, removed when the process ends.

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace notarion::fuzz {

inline std::string PrivateFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path memory = "/dev/shm";
    const fs::path base = fs::is_directory(memory, error) ? memory : fs::temp_directory_path();
    // A new name: making a folder fails when the name is taken.
    std::random_device random;
    static fs::path created;
    for (int attempt = 0; created.empty() && attempt < 100; ++attempt) {
        const fs::path candidate = base / ("notarion-fuzz-" + std::to_string(random()));
        if (fs::create_directory(candidate, error))
            created = candidate;
    }
    if (created.empty())
        std::abort();
    fs::permissions(created, fs::perms::owner_all, error);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(created, ignored);
    });
    return created.string();
}

} // namespace notarion::fuzz
