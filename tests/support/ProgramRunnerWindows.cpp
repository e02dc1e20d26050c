#include "support/ProgramRunner.h"

#include "text/Cp1250.h"

#include <windows.h>

namespace notarion::testing {

namespace {

std::wstring Wide(const std::string& utf8) {
    const std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

// One word of a command line, quoted so that the C runtime's reading of the
// line (CommandLineToArgvW) gives it back exactly: backslashes count only
// before a quotation mark.
std::wstring Quoted(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return word;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() {
        if (m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr)
            ::CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }

private:
    HANDLE m_handle;
};

// A file the child inherits as one of its standard streams.
HANDLE OpenInherited(const wchar_t* path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

int RunProgramToFiles(const std::string& program, const std::vector<std::string>& words,
                      const std::string& workingFolder, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
    const Handle input(OpenInherited(L"NUL", GENERIC_READ, OPEN_EXISTING));
    const Handle output(OpenInherited(out.c_str(), GENERIC_WRITE, CREATE_ALWAYS));
    const Handle errors(OpenInherited(err.c_str(), GENERIC_WRITE, CREATE_ALWAYS));
    if (!input.Valid() || !output.Valid() || !errors.Valid())
        return -1;
    const std::wstring application = Wide(program);
    std::wstring commandLine = Quoted(application);
    for (const std::string& word : words)
        commandLine += L" " + Quoted(Wide(word));
    const std::wstring folder = Wide(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = output.Get();
    startup.hStdError = errors.Get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                          CREATE_NO_WINDOW, nullptr, folder.empty() ? nullptr : folder.c_str(),
                          &startup, &process))
        return -1;
    const Handle running(process.hProcess);
    const Handle thread(process.hThread);
    DWORD code = 0;
    if (::WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.hProcess, &code))
        return -1;
    return static_cast<int>(code);
}

} // namespace notarion::testing
