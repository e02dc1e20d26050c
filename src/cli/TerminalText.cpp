#include "cli/TerminalText.h"

#include "system/SystemReason.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

namespace notarion {

std::string TerminalText(std::string_view cp1250) {
    return Cp1250ToUtf8(cp1250);
}

namespace {

enum class Escape { Character, Byte };

// A control character as the text a person can read and a terminal does not
// obey: \t, \n and \r by name, the rest by their number; a byte that is no
// character as "\xff".
void AppendEscaped(std::string& out, unsigned code, Escape what = Escape::Character) {
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
        out += code < 0x80 || what == Escape::Byte ? "\\x" : "\\u00";
        out += Digits[(code >> 4) & 15];
        out += Digits[code & 15];
    }
}

// The length of the well-formed UTF-8 sequence of more than one byte at
// text[i], or 0 when there is none.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    // Overlong forms, surrogates and code points beyond U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

// UTF-8 text with its control characters escaped, but for keep (a line
// break that separates a message's lines). A byte that begins no UTF-8
// character (a file name of another code page) is shown by its number too:
// raw, some terminals would take it for a control.
std::string EscapeControls(std::string_view utf8, char keep) {
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            if ((byte < 0x20 || byte == 0x7F) && utf8[i] != keep)
                AppendEscaped(shown, byte);
            else
                shown += utf8[i];
            continue;
        }
        const std::size_t length = SequenceLength(utf8, i);
        const auto next = static_cast<unsigned char>(length > 0 ? utf8[i + 1] : 0);
        if (length == 0) {
            AppendEscaped(shown, byte, Escape::Byte);
        } else if (byte == 0xC2 && next <= 0x9F) {
            // C1 controls (U+0080 to U+009F) start sequences on many terminals too.
            AppendEscaped(shown, next);
        } else {
            shown.append(utf8.substr(i, length));
        }
        if (length > 0)
            i += length - 1;
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

std::string UnwritableFileText(std::string_view utf8Path, const FailureCause& cause) {
    std::string text = "Nie można zapisać pliku: " + OneLine(utf8Path);
    if (cause.SystemError != 0)
        text += "\n" + SystemReasonText(cause.SystemError);
    return text;
}

} // namespace notarion
