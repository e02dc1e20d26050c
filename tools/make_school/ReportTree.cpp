#include "make_school/ReportTree.h"

#include "text/Cp1250.h"

#include <array>
#include <optional>

namespace notarion::sample {
namespace {

constexpr std::string_view LineEnd = "\r\n";

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}

void WriteNode(const ReportNode& node, std::size_t depth, std::string& out) {
    const std::string indent(depth, '\t');
    out += indent;
    if (node.Text.empty() && node.Children.empty()) {
        out += '<' + node.Name + "/>";
        out += LineEnd;
        return;
    }
    out += '<' + node.Name + '>' + EscapeText(node.Text);
    if (!node.Children.empty()) {
        // The element's own text must stand before its first child: text
        // after a child's end tag is something the program refuses to read.
        out += LineEnd;
        for (const ReportNode& child : node.Children)
            WriteNode(child, depth + 1, out);
        out += indent;
    }
    out += "</" + node.Name + '>';
    out += LineEnd;
}

} // namespace

int KindOrder(std::string_view kind) {
    const std::optional<ReportKind> known = KindOf(kind);
    return known ? Info(*known).CataloguePosition : ReportKindCount;
}

ReportNode& ReportNode::Add(std::string_view name, std::string_view text) {
    Children.push_back(ReportNode{std::string(name), std::string(text), {}});
    return Children.back();
}

const ReportNode* ReportNode::Find(std::string_view name) const {
    for (const ReportNode& child : Children) {
        if (EqualIgnoringCase(child.Name, name))
            return &child;
    }
    return nullptr;
}

std::string EscapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string TreeText(const ReportNode& root) {
    std::string out;
    WriteNode(root, 0, out);
    return out;
}

std::string ReportBytes(const ReportNode& root, FileEncoding encoding, std::string_view comment) {
    std::string text = "<?xml version=\"1.0\" encoding=\"";
    text += encoding == FileEncoding::Utf16 ? "UTF-16" : "windows-1250";
    text += "\"?>";
    text += LineEnd;
    if (!comment.empty()) {
        text += "<!-- ";
        text += comment;
        text += " -->";
        text += LineEnd;
    }
    text += TreeText(root);

    if (encoding == FileEncoding::Windows1250)
        return Utf8ToCp1250(text);
    const std::u16string wide = Utf8ToUtf16(text);
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * wide.size());
    for (const char16_t unit : wide) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string ListFileBytes(const std::vector<ListPosition>& positions) {
    // Values arrive as Windows-1250 already; the markup is plain ASCII, so the
    // tree writer serves for these bytes unchanged.
    ReportNode root{"Naglowki", {}, {}};
    root.Add("IlePozycji", std::to_string(positions.size()));
    for (std::size_t n = 0; n < positions.size(); ++n) {
        ReportNode& position = root.Add("Pozycja" + std::to_string(n));
        position.Add("Tresc", positions[n].Title);
        position.Add("Adres", positions[n].Path);
        position.Add("Typ", positions[n].Kind);
    }
    return TreeText(root);
}

} // namespace notarion::sample
