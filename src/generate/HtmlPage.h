#pragma once

// The HTML page writer. Every document of the system is built line by line in
// an HtmlBuffer, framed by BeginPage and EndPage, and saved by SaveBuffer as
// cp1250 lines each ended by CR LF. Building blocks insert their text
// unchanged: no escaping, no trimming.

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// An ordered list of cp1250 lines without line ends.
struct HtmlBuffer {
    std::vector<std::string> Lines;
};

// Empty the buffer and append the 22 lines of the page head and style block.
void BeginPage(HtmlBuffer& buffer);
// Append "</div>", "</body>", "</html>".
void EndPage(HtmlBuffer& buffer);

void AddLabelLine(HtmlBuffer& buffer, std::string_view label, std::string_view value);
void AddBoldLine(HtmlBuffer& buffer, std::string_view text);
void AddTextLine(HtmlBuffer& buffer, std::string_view text);
void AddSpacer(HtmlBuffer& buffer);
void AddHeading(HtmlBuffer& buffer, std::string_view text);
void OpenParagraph(HtmlBuffer& buffer);
void CloseParagraph(HtmlBuffer& buffer);
void OpenList(HtmlBuffer& buffer);
void AddListItem(HtmlBuffer& buffer, std::string_view text);
void CloseList(HtmlBuffer& buffer);

// The file form of a buffer: every line followed by CR LF.
std::string BufferBytes(const HtmlBuffer& buffer);

// Write the buffer to path, replacing any file; the file is written whole or
// not at all. Throws Failure (an UnwritableDocument cause naming path and the
// system's error) when it cannot be created or written.
void SaveBuffer(const HtmlBuffer& buffer, const std::string& path);

// True when the text holds a comma anywhere but at its last character: a
// "who" text naming several students gets the plural label.
bool HasComma(std::string_view text);

} // namespace notarion
