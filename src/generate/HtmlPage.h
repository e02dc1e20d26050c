#pragma once

// The HTML page writer. Every document of the system is built line by line in
// an HtmlBuffer, framed by BeginPage and EndPage, and saved by SaveBuffer (or
// streamed to its file by a DocumentStream) as
// cp1250 lines each ended by CR LF. Building blocks insert their text
// unchanged: no escaping, no trimming. The buffer holds the file form itself,
// so a line costs one append and no allocation of its own.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace notarion {

class AtomicFileWriter;
class DocumentStream;

// A page being written: cp1250 lines, each followed by CR LF.
struct HtmlBuffer {
    std::string Bytes;
    // While the buffer streams to its document, where its lines go.
    DocumentStream* Stream = nullptr;
};

// Empty the buffer and append the 22 lines of the page head and style block.
void BeginPage(HtmlBuffer& buffer);
// Append "</div>", "</body>", "</html>".
void EndPage(HtmlBuffer& buffer);

// Append one line as it is, followed by CR LF.
void AppendLine(HtmlBuffer& buffer, std::string_view line);

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
inline const std::string& BufferBytes(const HtmlBuffer& buffer) {
    return buffer.Bytes;
}

// Write the buffer to path, whose name the program fixed (a document, a
// preview, a check page): whatever stands there, a link or another user's
// file included, is replaced by a new file (NamedBy::Program); the file is
// written whole or not at all. Throws Failure (an UnwritableDocument cause
// naming path and the system's error) when it cannot be created or written.
void SaveBuffer(const HtmlBuffer& buffer, const std::string& path);

// A document written while it is built: once the lines the building blocks
// add to the buffer reach BlockBytes, they are written to the document's file
// and dropped, so a document of any size holds about one block in memory. The
// file takes the document's place at Save only, whole; a stream destroyed
// without Save (a failed section) leaves nothing behind and the document
// unchanged. What stands at the document's name is replaced as SaveBuffer
// replaces it. After Save the buffer keeps the lines of the last block (all
// of them for a document smaller than a block). Bytes put into Bytes directly
// are written with the next block.
class DocumentStream {
public:
    static constexpr std::size_t BlockBytes = 64 * 1024;

    // Stream the buffer, whose present lines (the page head) come first, to path.
    DocumentStream(HtmlBuffer& buffer, std::string path);
    ~DocumentStream();
    DocumentStream(const DocumentStream&) = delete;
    DocumentStream& operator=(const DocumentStream&) = delete;

    // A line was just added to the buffer; writes a full block. Throws
    // Failure as SaveBuffer does.
    void Added();
    // Write the lines still held and put the document in place. Throws
    // Failure as SaveBuffer does; the document is then unchanged.
    void Save();

private:
    void WriteHeld();

    HtmlBuffer& m_buffer;
    std::string m_path;
    std::unique_ptr<AtomicFileWriter> m_writer;
};

// True when the text holds a comma anywhere but at its last character: a
// "who" text naming several students gets the plural label.
bool HasComma(std::string_view text);

} // namespace notarion
