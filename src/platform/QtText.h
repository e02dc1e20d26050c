#pragma once

// The one place where the program's text meets Qt's: cp1250 std::string and
// UTF-16 std::u16string on the core side, QString on the widget side. Every
// window converts through these functions and nowhere else.

#include <QString>

#include <string>
#include <string_view>

namespace notarion {

// Windows-1250 bytes as a QString; never fails (every byte has a character).
QString QStringFromCp1250(std::string_view cp1250);

// UTF-16 text as a QString; never fails.
QString QStringFromUtf16(std::u16string_view utf16);

// A QString as Windows-1250 bytes; characters outside the code page become '?'.
std::string Cp1250FromQString(const QString& text);

// A QString as UTF-16 text; never fails.
std::u16string Utf16FromQString(const QString& text);

// A message text for a label: every carriage return (alone or before a line
// feed) starts a new line. Never fails.
QString QStringForLabel(std::u16string_view utf16);

// Plain text as a tooltip shows it, as it is. Qt takes a tooltip that looks
// like markup for rich text and loads the pictures it names; a report's text
// must never be read so. Never fails.
QString PlainToolTip(const QString& text);

} // namespace notarion
