#include "generate/HtmlPage.h"

#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <array>
#include <initializer_list>

namespace notarion {
namespace {

// The frame lines in file form as cp1250, converted once from this file's UTF-8.
const std::string& FrameBytes() {
    static const std::string bytes = [] {
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
        std::string converted;
        for (const std::string_view line : utf8)
            converted.append(Utf8ToCp1250(line)).append("\r\n");
        return converted;
    }();
    return bytes;
}

// Add a line made of the pieces, and pass it on when the buffer streams to
// its document.
void Append(HtmlBuffer& buffer, std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces)
        buffer.Bytes.append(piece);
    buffer.Bytes.append("\r\n");
    if (buffer.Stream != nullptr)
        buffer.Stream->Added();
}

// The document's own failure: the cause names the document and keeps the
// system's reason the file could not be written.
[[noreturn]] void Unwritable(const Failure& failure, const std::string& path) {
    throw Failure(failure.what(),
                  {FailureKind::UnwritableDocument, path, {}, {}, failure.Cause().SystemError});
}

} // namespace

void BeginPage(HtmlBuffer& buffer) {
    buffer.Bytes.assign(FrameBytes());
}

void EndPage(HtmlBuffer& buffer) {
    Append(buffer, {"</div>"});
    Append(buffer, {"</body>"});
    Append(buffer, {"</html>"});
}

void AppendLine(HtmlBuffer& buffer, std::string_view line) {
    Append(buffer, {line});
}

void AddLabelLine(HtmlBuffer& buffer, std::string_view label, std::string_view value) {
    Append(buffer, {"   <p class=\"N\"><b>", label, "</b> ", value, "</p>"});
}

void AddBoldLine(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, {"   <p class=\"N\"><b>", text, "</b></p>"});
}

void AddTextLine(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, {"   ", text, "<br>"});
}

void AddSpacer(HtmlBuffer& buffer) {
    Append(buffer, {"<p align=\"left\">&nbsp;</p>"});
}

void AddHeading(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, {"<p align=\"center\"><br><b>", text, "</b></p>"});
}

void OpenParagraph(HtmlBuffer& buffer) {
    Append(buffer, {"<p align=\"left\">"});
}

void CloseParagraph(HtmlBuffer& buffer) {
    Append(buffer, {"</p>"});
}

void OpenList(HtmlBuffer& buffer) {
    Append(buffer, {"   <ul>"});
}

void AddListItem(HtmlBuffer& buffer, std::string_view text) {
    Append(buffer, {"     <li>", text, "</li>"});
}

void CloseList(HtmlBuffer& buffer) {
    Append(buffer, {"   </ul>"});
}

void SaveBuffer(const HtmlBuffer& buffer, const std::string& path) {
    try {
        WriteWholeFile(path, buffer.Bytes, NamedBy::Program);
    } catch (const Failure& failure) {
        Unwritable(failure, path);
    }
}

DocumentStream::DocumentStream(HtmlBuffer& buffer, std::string path)
    : m_buffer(buffer), m_path(std::move(path)) {
    // One block and the line that fills it: the buffer never grows further.
    m_buffer.Bytes.reserve(BlockBytes + 4096);
    m_buffer.Stream = this;
}

DocumentStream::~DocumentStream() {
    m_buffer.Stream = nullptr;
}

void DocumentStream::Added() {
    if (m_buffer.Bytes.size() < BlockBytes)
        return;
    WriteHeld();
    m_buffer.Bytes.clear();
}

void DocumentStream::WriteHeld() {
    try {
        // The file is opened with the first block, so a document that fails
        // before then touches the folder as little as a saved buffer.
        if (!m_writer)
            m_writer = std::make_unique<AtomicFileWriter>(m_path, NamedBy::Program);
        m_writer->Append(m_buffer.Bytes);
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
}

bool HasComma(std::string_view text) {
    if (text.size() < 2)
        return false;
    return text.substr(0, text.size() - 1).find(',') != std::string_view::npos;
}

} // namespace notarion
