#pragma once

// Text conversion of the core. Internal text is Windows-1250 (std::string of
// cp1250 bytes); the XML model holds UTF-16; the file system and the terminal
// speak UTF-8. A character that Windows-1250 cannot represent becomes '?'.

#include <optional>
#include <string>
#include <string_view>

namespace notarion {

// Decode Windows-1250 bytes to UTF-16. Every byte maps to one character; the
// five bytes that the code page leaves undefined map to the C1 control of the
// same value, so any byte sequence survives a round trip.
std::u16string Cp1250ToUtf16(std::string_view text);
// The same into out, which has room for text.size() characters.
void Cp1250ToUtf16(std::string_view text, char16_t* out);
// The character of one Windows-1250 byte.
char16_t Cp1250Char(unsigned char byte);

// Encode UTF-16 to Windows-1250; unrepresentable characters (and unpaired
// surrogates, and each surrogate pair as a whole) become '?'.
std::string Utf16ToCp1250(std::u16string_view text);

// Encode UTF-16 to Windows-1250 for an HTML page: a character the code page
// lacks becomes its numeric character reference ("&#7877;"), so the page
// shows the letter and stays Windows-1250; an unpaired surrogate becomes '?'.
// Text that fits the code page gives the bytes of Utf16ToCp1250.
std::string Utf16ToCp1250Html(std::u16string_view text);

// Decode Windows-1250 bytes to UTF-8.
std::string Cp1250ToUtf8(std::string_view text);

// Encode UTF-8 to Windows-1250. Malformed UTF-8 bytes and characters outside
// the code page become '?'.
std::string Utf8ToCp1250(std::string_view text);

// A command-line argument (UTF-8) as core text (cp1250). Empty (nullopt) when
// the argument holds a character that Windows-1250 cannot represent or is not
// valid UTF-8, since the core would then look for a file of another name.
std::optional<std::string> CoreTextFromArgument(std::string_view utf8);

// UTF-8 <-> UTF-16, for boundaries that need both (malformed input becomes '?').
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Upper-case one UTF-16 character the way the original platform's CharUpper
// does for the characters report files use: ASCII, Latin-1 and Latin
// Extended-A (so Polish letters are raised too). Other characters are
// returned unchanged.
char16_t UpperCaseChar(char16_t c);

// UpperCaseChar applied to every character.
std::u16string UpperCase(std::u16string_view text);

// Raise only the ASCII letters a to z; every other byte stays as it is.
std::string UpperCaseAscii(std::string_view text);

} // namespace notarion
