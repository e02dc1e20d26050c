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

} // namespace

void BeginPage(HtmlBuffer& buffer) {
    buffer.Lines.assign(FrameLines().begin(), FrameLines().end());
}

void EndPage(HtmlBuffer& buffer) {
    buffer.Lines.emplace_back("</div>");
    buffer.Lines.emplace_back("</body>");
    buffer.Lines.emplace_back("</html>");
}

void AddLabelLine(HtmlBuffer& buffer, std::string_view label, std::string_view value) {
    buffer.Lines.push_back(Line("   <p class=\"N\"><b>", label, "</b> ", value, "</p>"));
}

void AddBoldLine(HtmlBuffer& buffer, std::string_view text) {
    buffer.Lines.push_back(Line("   <p class=\"N\"><b>", text, "</b></p>"));
}

void AddTextLine(HtmlBuffer& buffer, std::string_view text) {
    buffer.Lines.push_back(Line("   ", text, "<br>"));
}

void AddSpacer(HtmlBuffer& buffer) {
    buffer.Lines.emplace_back("<p align=\"left\">&nbsp;</p>");
}

void AddHeading(HtmlBuffer& buffer, std::string_view text) {
    buffer.Lines.push_back(Line("<p align=\"center\"><br><b>", text, "</b></p>"));
}

void OpenParagraph(HtmlBuffer& buffer) {
    buffer.Lines.emplace_back("<p align=\"left\">");
}

void CloseParagraph(HtmlBuffer& buffer) {
    buffer.Lines.emplace_back("</p>");
}

void OpenList(HtmlBuffer& buffer) {
    buffer.Lines.emplace_back("   <ul>");
}

void AddListItem(HtmlBuffer& buffer, std::string_view text) {
    buffer.Lines.push_back(Line("     <li>", text, "</li>"));
}

void CloseList(HtmlBuffer& buffer) {
    buffer.Lines.emplace_back("   </ul>");
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
        throw Failure(failure.what(),
                      {FailureKind::UnwritableDocument, path, {}, {}, failure.Cause().SystemError});
    }
}

bool HasComma(std::string_view text) {
    if (text.size() < 2)
        return false;
    return text.substr(0, text.size() - 1).find(',') != std::string_view::npos;
}

} // namespace notarion
