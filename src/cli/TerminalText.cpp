#include "cli/TerminalText.h"

#include "text/Cp1250.h"

namespace notarion {

std::string TerminalText(std::string_view cp1250) {
    return Cp1250ToUtf8(cp1250);
}

std::string TerminalMessage(std::u16string_view message) {
    std::u16string lines(message);
    for (char16_t& c : lines) {
        if (c == u'\r')
            c = u'\n';
    }
    return Utf16ToUtf8(lines);
}

std::optional<std::string> CoreTextFromArgument(std::string_view utf8) {
    std::string core = Utf8ToCp1250(utf8);
    // A '?' that was not in the argument stands for a character the code page
    // lacks (or a malformed byte); the round trip shows it.
    if (Cp1250ToUtf8(core) != utf8)
        return std::nullopt;
    return core;
}

std::string OneLine(std::string_view utf8) {
    std::string line(utf8);
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return line;
}

} // namespace notarion
