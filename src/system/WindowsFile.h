#pragma once

// What the Windows implementations in src/system share: a handle that closes
// itself, a path as the system takes it (UTF-16, from the program's
// Windows-1250 text through our own table), and the failure that names a file
// and keeps the system's error code. Included by …Windows.cpp only.

#include "text/Failure.h"

#include <filesystem>
#include <string>
#include <string_view>

#include <windows.h>

namespace notarion {

// Closes the handle it holds when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~Handle() { Reset(INVALID_HANDLE_VALUE); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void Reset(HANDLE handle) {
        if (Valid())
            ::CloseHandle(m_handle);
        m_handle = handle;
    }
    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }

private:
    HANDLE m_handle;
};

// Windows' code for a folder where a file should be (ERROR_DIRECTORY_NOT_SUPPORTED
// of the SDK; MinGW's headers lack its name).
constexpr DWORD kFolderInTheWay = 336;

// The cp1250 path as the system takes it (UTF-16).
std::wstring NativePath(std::string_view cp1250Path);

// Throw Failure for what could not be done to the file at path: its cause
// names the file and keeps the system's error code (GetLastError).
[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, DWORD error);

} // namespace notarion
