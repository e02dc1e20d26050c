// This program on Windows: the system names its executable, and a program
// "takes its place" by running as a child whose exit code this process then
// passes on, since Windows has no exec.

#include "system/OwnProgram.h"

#include "text/Cp1250.h"

#include <cstdlib>
#include <string>

#include <windows.h>

namespace notarion {

namespace {

// One word of a command line as CommandLineToArgvW and the C runtime read it
// back: quoted, backslashes before a quote doubled.
void AppendQuoted(std::wstring& line, const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += word;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

} // namespace

std::filesystem::path OwnProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path);
        }
        path.resize(path.size() * 2);
    }
}

RunInPlaceFailure RunInPlace(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments) {
    std::wstring line;
    AppendQuoted(line, program.wstring());
    for (const std::string& argument : arguments) {
        line += L' ';
        const std::u16string wide = Utf8ToUtf16(argument);
        AppendQuoted(line, std::wstring(wide.begin(), wide.end()));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &child)) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND,
                static_cast<int>(error)};
    }
    ::CloseHandle(child.hThread);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(child.hProcess, &exitCode);
    ::CloseHandle(child.hProcess);
    std::exit(static_cast<int>(exitCode));
}

} // namespace notarion
