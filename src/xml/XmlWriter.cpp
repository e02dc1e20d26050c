// The writer: one node per line, children one indent unit deeper, CR LF line
// ends. A leaf with text takes one line; an empty leaf is one self-closed tag.

#include "xml/XmlDocument.h"

namespace notarion {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

void WriteNode(const XmlNode& node, const std::u16string& indent, const std::u16string& unit,
               std::u16string& out) {
    if (node.Kind() == XmlNodeKind::Comment) {
        out += indent;
        out += u"<!-- ";
        out += node.Value();
        out += u" -->";
        out += kLineEnd;
        return;
    }
    const bool hasBody = !node.CData().empty() || node.ChildCount() > 0;
    const bool selfClosed = node.Value().empty() && !hasBody;
    const bool declaration = node.Kind() == XmlNodeKind::Declaration;

    out += indent;
    out += declaration ? u"<?" : u"<";
    out += node.Name();
    for (const XmlAttribute& attribute : node.Attributes()) {
        out += u' ';
        out += attribute.Name;
        out += u"=\"";
        out += EscapeText(attribute.Value);
        out += u'"';
    }
    if (declaration) {
        out += u"?>";
    } else {
        if (selfClosed)
            out += u'/';
        out += u'>';
    }
    out += EscapeText(node.Value());
    if (hasBody)
        out += kLineEnd;
    if (!node.CData().empty()) {
        out += indent;
        out += unit;
        out += u"<![CDATA[";
        out += node.CData();
        out += u"]]>";
        out += kLineEnd;
    }
    if (node.ChildCount() > 0) {
        const std::u16string deeper = indent + unit;
        for (const XmlNode* child : node.Children())
            WriteNode(*child, deeper, unit, out);
        out += indent;
    }
    if (!selfClosed && !declaration) {
        out += u"</";
        out += node.Name();
        out += u'>';
    }
    out += kLineEnd;
}

} // namespace

std::u16string XmlDocument::ToText() const {
    std::u16string out;
    for (const XmlNode* child : Root.Children())
        WriteNode(*child, std::u16string(), IndentUnit, out);
    return out;
}

} // namespace notarion
