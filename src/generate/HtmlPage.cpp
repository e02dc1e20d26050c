#include "generate/HtmlPage.h"

#include "text/Cp1250.h"
#include "text/Failure.h"
#include "text/FileSystem.h"

#include <array>

namespace notarion {
namespace {

std::string Line(std::string_view a, std::string_view b = {}, std::string_view c = {},
                 std::string_view d = {}, std::string_view e = {}) {
    std::string line;
    line.reserve(a.size() + b.size() + c.size() + d.size() + e.size());
    line.append(a).append(b).append(c).append(d).append(e);
    return line;
}

// The frame lines as cp1250, converted once from this file's UTF-8.
const std::array<std::string, 22>& FrameLines() {
    static const std::array<std::string, 22> lines = [] {
        const std::array<std::string_view, 22> utf8 = {
            "<html><head>",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">",
            "<title>Podgląd zawartości</title>",
            "</head>",
            "<STYLE TYPE=\"text/css\">",
            "<!--",
            "BODY { ",
            "scrollbar-face-color: #025646;",
            "scrollbar-highlight-color: #FFFFFF;",
            "scrollbar-3dlight-color: #265845;",
            "scrollbar-darkshadow-color: #265845;",
            "scrollbar-shadow-color: #FFFFFF;",
            "scrollbar-arrow-color: #FFFFFF;",
            "scrollbar-track-color: #FFFFFF; }  ",
            ".N {font-family: tahoma,verdana,arial;  font-size: 10pt; font-weight: normal; "
            "text-decoration: none;color: #000000; MARGIN-BOTTOM: 0pt; MARGIN-TOP: 0pt}",
            ".M {font-family: verdana, tahoma, arial;  font-size: 8pt; font-weight: normal; "
            "text-decoration: none;color: #000000; }",
            ".U {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; "
            "text-decoration: underline; color: #000000; }",
            "div.w p, p.w {MARGIN-BOTTOM: 0pt; MARGIN-TOP: 0pt}",
            "-->",
            "</STYLE>",
            "<body bgcolor=\"#FFFFFF\" topmargin=\"0\" leftmargin=\"20\" rightmargin=\"20\">",
            "<div class=\"N\">",
        };
        std::array<std::string, 22> converted;
        for (std::size_t i = 0; i < utf8.size(); ++i)
            converted[i] = Utf8ToCp1250(utf8[i]);
        return converted;
    }();
    return lines;
}

// Add a line, and pass it on when the buffer streams to its document.
void Append(HtmlBuffer& buffer, std::string line) {
    const std::size_t bytes = line.size() + 2;
    buffer.Lines.push_back(std::move(line));
    if (buffer.Stream != nullptr)
        buffer.Stream->Added(bytes);
}

// The document's own failure: the cause names the document and keeps the
// system's reason the file could not be written.
[[noreturn]] void Unwritable(const Failure& failure, const std::string& path) {
    throw Failure(failure.what(),
                  {FailureKind::UnwritableDocument, path, {}, {}, failure.Cause().SystemError});
}

} // namespace

void BeginPage(HtmlBuffer& buffer) {
    buffer.Lines.assign(FrameLines().begin(), FrameLines().end());
}

void EndPage(HtmlBuffer& buffer) {
    Append(buffer, "</div>");
    Append(buffer, "</body>");
    Append(buffer, "</html>");
}

void AddLabelLine(HtmlBuffer& buffer, std::string_view label, std::string_view value) {
    Append(buffer, Line("   <p class=\"N\"><b>", label, "</b> ", value, "</p>"));
}

void AddBoldLine(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, Line("   <p class=\"N\"><b>", text, "</b></p>"));
}

void AddTextLine(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, Line("   ", text, "<br>"));
}

void AddSpacer(HtmlBuffer& buffer) {
    Append(buffer, "<p align=\"left\">&nbsp;</p>");
}

void AddHeading(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, Line("<p align=\"center\"><br><b>", text, "</b></p>"));
}

void OpenParagraph(HtmlBuffer& buffer) {
    Append(buffer, "<p align=\"left\">");
}

void CloseParagraph(HtmlBuffer& buffer) {
    Append(buffer, "</p>");
}

void OpenList(HtmlBuffer& buffer) {
    Append(buffer, "   <ul>");
}

void AddListItem(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, Line("     <li>", text, "</li>"));
}

void CloseList(HtmlBuffer& buffer) {
    Append(buffer, "   </ul>");
}

std::string BufferBytes(const HtmlBuffer& buffer) {
    std::size_t size = 0;
    for (const auto& line : buffer.Lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : buffer.Lines)
        bytes.append(line).append("\r\n");
    return bytes;
}

void SaveBuffer(const HtmlBuffer& buffer, const std::string& path) {
    try {
        WriteWholeFile(path, BufferBytes(buffer));
    } catch (const Failure& failure) {
        Unwritable(failure, path);
    }
}

DocumentStream::DocumentStream(HtmlBuffer& buffer, std::string path)
    : m_buffer(buffer), m_path(std::move(path)) {
    for (const auto& line : m_buffer.Lines)
        m_held += line.size() + 2;
    m_buffer.Stream = this;
}

DocumentStream::~DocumentStream() {
    m_buffer.Stream = nullptr;
}

void DocumentStream::Added(std::size_t lineBytes) {
    m_held += lineBytes;
    if (m_held < BlockBytes)
        return;
    WriteHeld();
    m_buffer.Lines.clear();
    m_held = 0;
}

void DocumentStream::WriteHeld() {
    try {
        // The file is opened with the first block, so a document that fails
        // before then touches the folder as little as a saved buffer.
        if (!m_writer)
            m_writer = std::make_unique<AtomicFileWriter>(m_path);
        m_writer->Append(BufferBytes(m_buffer));
    } catch (const Failure& failure) {
        Unwritable(failure, m_path);
    }
}

void DocumentStream::Save() {
    WriteHeld();
    try {
        m_writer->Commit();
    } catch (const Failure& failure) {
        Unwritable(failure, m_path);
    }
    m_held = 0;
}

bool HasComma(std::string_view text) {
    if (text.size() < 2)
        return false;
    return text.substr(0, text.size() - 1).find(',') != std::string_view::npos;
}

} // namespace notarion
