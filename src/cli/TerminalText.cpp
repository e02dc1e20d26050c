#include "cli/TerminalText.h"

#include "text/Cp1250.h"

namespace notarion {

std::string TerminalText(std::string_view cp1250) {
    return Cp1250ToUtf8(cp1250);
}

namespace {

// A control character as the text a person can read and a terminal does not
// obey: \t, \n and \r by name, the rest by their number.
void AppendEscaped(std::string& out, unsigned code) {
    static constexpr char Digits[] = "0123456789abcdef";
    switch (code) {
    case '\t':
        out += "\\t";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    default:
        out += code < 0x80 ? "\\x" : "\\u00";
        out += Digits[(code >> 4) & 15];
        out += Digits[code & 15];
    }
}

// UTF-8 text with its control characters escaped, but for keep (a line
// break that separates a message's lines).
std::string EscapeControls(std::string_view utf8, char keep) {
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        // C1 controls (U+0080 to U+009F) start sequences on many terminals too.
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
        if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            AppendEscaped(shown, next);
            ++i;
        } else if ((byte < 0x20 || byte == 0x7F) && utf8[i] != keep) {
            AppendEscaped(shown, byte);
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

} // namespace

std::string TerminalMessage(std::u16string_view message) {
    // The core separates lines with a carriage return; a line feed inside a
    // message came with a name and is shown escaped like any control.
    std::string text = EscapeControls(Utf16ToUtf8(message), '\r');
    for (char& c : text) {
        if (c == '\r')
            c = '\n';
    }
    return text;
}

std::string OneLine(std::string_view utf8) {
    return EscapeControls(utf8, '\0');
}

} // namespace notarion
