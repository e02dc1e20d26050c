#include "system/Terminal.h"

#include "text/Cp1250.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string_view>

namespace notarion {

namespace {

std::string Utf8FromWide(std::wstring_view wide) {
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

// Text for a console, written as UTF-16 with WriteConsoleW: the console then
// shows every Polish letter whatever its code page. Bytes are held until a
// whole UTF-8 character (and, for speed, a line) has arrived.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : m_console(console) {}
    ~ConsoleBuffer() override { Flush(true); }

protected:
    int_type overflow(int_type ch) override {
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            m_pending.push_back(traits_type::to_char_type(ch));
            if (ch == '\n')
                Flush(false);
        }
        return traits_type::not_eof(ch);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        m_pending.append(text, static_cast<std::size_t>(count));
        if (m_pending.find('\n') != std::string::npos)
            Flush(false);
        return count;
    }
    int sync() override {
        Flush(false);
        return 0;
    }

private:
    void Flush(bool all) {
        // An incomplete UTF-8 sequence at the end waits for its last bytes.
        std::size_t end = m_pending.size();
        if (!all) {
            std::size_t start = end;
            while (start > 0 && end - start < 4 &&
                   (static_cast<unsigned char>(m_pending[start - 1]) & 0xC0) == 0x80)
                --start;
            if (start > 0) {
                const auto lead = static_cast<unsigned char>(m_pending[start - 1]);
                const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (end - (start - 1) < length)
                    end = start - 1;
            }
        }
        const std::wstring wide = WideFromUtf8(std::string_view(m_pending).substr(0, end));
        DWORD written = 0;
        if (!wide.empty())
            ::WriteConsoleW(m_console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        m_pending.erase(0, end);
    }
    static std::wstring WideFromUtf8(std::string_view utf8) {
        const std::u16string wide = Utf8ToUtf16(utf8);
        return {wide.begin(), wide.end()};
    }

    HANDLE m_console;
    std::string m_pending;
};

void PrepareStream(std::ostream& stream, DWORD handleId, FILE* file) {
    const HANDLE handle = ::GetStdHandle(handleId);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetConsoleMode(handle, &mode)) {
        // Lives as long as the program: the streams may be used up to its end.
        static_cast<void>(stream.rdbuf(new ConsoleBuffer(handle)));
    } else {
        // A file or a pipe gets the UTF-8 (or Windows-1250 page) bytes exactly,
        // without "\n" becoming "\r\n".
        ::_setmode(::_fileno(file), _O_BINARY);
    }
}

} // namespace

std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> words;
    for (int i = 1; wide != nullptr && i < count; ++i)
        words.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return words;
}

void PrepareTerminalOutput() {
    PrepareStream(std::cout, STD_OUTPUT_HANDLE, stdout);
    PrepareStream(std::cerr, STD_ERROR_HANDLE, stderr);
}

} // namespace notarion
