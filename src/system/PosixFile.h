#pragma once

// What the POSIX implementations in src/system share: a descriptor that
// closes itself, a path as the system takes it, and the failure that names a
// file and keeps the system's error number. Included by …Posix.cpp only.

#include "text/Failure.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include <unistd.h>

namespace notarion {

// Closes the descriptor it holds when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void Reset(int fd) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Close now and report the error a deferred write may only show here:
    // 0 or the error number.
    int Close();

private:
    int m_fd;
};

// The cp1250 path as the system takes it (UTF-8).
std::string NativePath(std::string_view cp1250Path);

// Throw Failure for what could not be done to the file at path: its cause
// names the file and keeps the system's error number, so that a front end can
// say why.
[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int error);

} // namespace notarion
