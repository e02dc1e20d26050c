#include "text/Cp1250.h"

#include <array>

namespace notarion {
namespace {

// Code points of the bytes 0x80 to 0xFF. The undefined bytes 0x81, 0x83,
// 0x88, 0x90 and 0x98 map to themselves, as the original platform does.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Every byte's character, so decoding is one lookup without a branch.
constexpr std::array<char16_t, 256> kAllBytes = [] {
    std::array<char16_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
        table[b] = b < 0x80 ? static_cast<char16_t>(b) : kHighHalf[b - 0x80];
    return table;
}();

char16_t DecodeByte(unsigned char byte) {
    return kAllBytes[byte];
}

// The reverse table is built once; a linear search over 128 entries per
// character would make large files slow.
struct EncodeTable {
    std::array<unsigned char, 0x10000> bytes{};
    EncodeTable() {
        for (unsigned b = 0x80; b < 0x100; ++b)
            bytes[kHighHalf[b - 0x80]] = static_cast<unsigned char>(b);
    }
};

const EncodeTable& Encoder() {
    static const EncodeTable table;
    return table;
}

char EncodeChar(char32_t c) {
    if (c < 0x80)
        return static_cast<char>(c);
    if (c > 0xFFFF)
        return '?';
    const unsigned char byte = Encoder().bytes[c];
    return byte != 0 ? static_cast<char>(byte) : '?';
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Read one UTF-8 sequence starting at text[pos]; advances pos. Returns
// kInvalid for a malformed sequence (pos then moves past one byte).
char32_t NextUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07u;
    } else {
        return kInvalid;
    }
    if (pos + static_cast<std::size_t>(extra) > text.size())
        return kInvalid;
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80)
            return kInvalid;
        value = (value << 6) | (next & 0x3Fu);
    }
    pos += static_cast<std::size_t>(extra);
    return value;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::u16string Cp1250ToUtf16(std::string_view text) {
    std::u16string out;
    out.resize(text.size());
    Cp1250ToUtf16(text, out.data());
    return out;
}

char16_t Cp1250Char(unsigned char byte) {
    return DecodeByte(byte);
}

void Cp1250ToUtf16(std::string_view text, char16_t* out) {
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = DecodeByte(static_cast<unsigned char>(text[i]));
}

std::string Utf16ToCp1250(std::u16string_view text) {
    // Written in place: a surrogate pair gives one byte for two units, so the
    // text only ever shrinks.
    std::string out(text.size(), '\0');
    std::size_t written = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            out[written++] = static_cast<char>(c);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            out[written++] = '?';
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            out[written++] = '?';
        } else {
            out[written++] = EncodeChar(c);
        }
    }
    out.resize(written);
    return out;
}

std::string Utf16ToCp1250Html(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto reference = [&out](char32_t code) {
        out += "&#" + std::to_string(static_cast<unsigned long>(code)) + ';';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            reference(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            out += '?';
        } else if (const char byte = EncodeChar(c); byte != '?') {
            out += byte;
        } else {
            reference(c);
        }
    }
    return out;
}

std::string Cp1250ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char byte : text)
        AppendUtf8(out, DecodeByte(static_cast<unsigned char>(byte)));
    return out;
}

std::string Utf8ToCp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = NextUtf8(text, pos);
        out.push_back(c == kInvalid ? '?' : EncodeChar(c));
    }
    return out;
}

std::optional<std::string> CoreTextFromArgument(std::string_view utf8) {
    std::string core = Utf8ToCp1250(utf8);
    // A '?' that was not in the argument stands for a character the code page
    // lacks (or a malformed byte); the round trip shows it.
    if (Cp1250ToUtf8(core) != utf8)
        return std::nullopt;
    return core;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = NextUtf8(text, pos);
        if (c == kInvalid || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = '?';
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t full = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                  (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            AppendUtf8(out, full);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            out.push_back('?');
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

char16_t UpperCaseChar(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 32);
    if (c < 0x80)
        return c;
    // Latin-1: à..þ except ÷ map 32 down; ÿ maps to Ÿ.
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 32);
    if (c == 0xFF)
        return 0x178;
    if (c == 0xB5)
        return c;
    // Latin Extended-A: pairs with the capital on the even code point, apart
    // from the ranges 0x139-0x148 and 0x179-0x17E, which pair odd with even.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c & 1) ? static_cast<char16_t>(c - 1) : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c : static_cast<char16_t>(c - 1);
    return c;
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        c = UpperCaseChar(c);
    return out;
}

std::string UpperCaseAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return out;
}

} // namespace notarion
