#include "xml/XmlDocument.h"

#include "text/Cp1250.h"
#include "text/Failure.h"
#include "text/FileSystem.h"

#include <optional>

namespace notarion {

void XmlAttributes::Add(XmlAttribute attribute) {
    m_items.push_back(std::move(attribute));
}

int XmlAttributes::Count() const {
    return static_cast<int>(m_items.size());
}

XmlAttribute* XmlAttributes::At(int index) {
    return index >= 0 && index < Count() ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

const XmlAttribute* XmlAttributes::At(int index) const {
    return index >= 0 && index < Count() ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

void XmlAttributes::Clear() {
    m_items.clear();
}

XmlNode::XmlNode(XmlNodeKind kind, std::u16string name) : Kind(kind), Name(std::move(name)) {}

XmlNode::~XmlNode() {
    ClearChildren();
}

XmlNode* XmlNode::AddChild(std::unique_ptr<XmlNode> child) {
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

int XmlNode::ChildCount() const {
    return static_cast<int>(m_children.size());
}

XmlNode* XmlNode::ChildAt(int index) const {
    return index >= 0 && index < ChildCount() ? m_children[static_cast<std::size_t>(index)].get()
                                              : nullptr;
}

namespace {

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && UpperCaseChar(a[i]) != UpperCaseChar(b[i]))
            return false;
    return true;
}

} // namespace

XmlNode* XmlNode::FindChild(std::u16string_view name, bool create) {
    for (const auto& child : m_children)
        if (NamesEqual(child->Name, name))
            return child.get();
    if (!create)
        return nullptr;
    return AddChild(std::make_unique<XmlNode>(XmlNodeKind::Element, std::u16string(name)));
}

const XmlNode* XmlNode::FindChild(std::u16string_view name) const {
    for (const auto& child : m_children)
        if (NamesEqual(child->Name, name))
            return child.get();
    return nullptr;
}

void XmlNode::ClearChildren() {
    // Children are released one subtree at a time from the deepest level up,
    // so even a very deep tree never recurses through the destructors.
    std::vector<std::unique_ptr<XmlNode>> pending = std::move(m_children);
    m_children.clear();
    while (!pending.empty()) {
        std::unique_ptr<XmlNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& grandchild : node->m_children)
            pending.push_back(std::move(grandchild));
        node->m_children.clear();
    }
}

XmlLoadResult XmlDocument::LoadFromFile(std::string_view path) {
    const std::optional<std::string> bytes = ReadFileIfPresent(path);
    if (!bytes || bytes->empty())
        return {};
    return LoadFromBytes(*bytes);
}

void XmlDocument::SaveToFile(std::string_view path) const {
    WriteWholeFile(path, ToBytes());
}

std::string XmlDocument::ToBytes() const {
    const std::u16string text = ToText();
    if (!Unicode)
        return Utf16ToCp1250(text);
    if (text.empty())
        return {};
    std::string bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back(static_cast<char>(0xFF));
    bytes.push_back(static_cast<char>(0xFE));
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

XmlNode* XmlDocument::FindChild(std::u16string_view name, bool create) {
    return Root.FindChild(name, create);
}

const XmlNode* XmlDocument::FindChild(std::u16string_view name) const {
    return Root.FindChild(name);
}

void XmlDocument::Clear() {
    Root.ClearChildren();
}

std::u16string ReplaceAllIgnoreCase(std::u16string_view source, std::u16string_view find,
                                    std::u16string_view replacement) {
    if (find.empty())
        return std::u16string(source);
    std::u16string result;
    result.reserve(source.size());
    std::size_t pos = 0;
    while (pos < source.size()) {
        if (source.size() - pos >= find.size() &&
            NamesEqual(source.substr(pos, find.size()), find)) {
            result += replacement;
            pos += find.size();
        } else {
            result.push_back(source[pos]);
            ++pos;
        }
    }
    return result;
}

std::u16string EscapeText(std::u16string_view text) {
    if (text.find_first_of(u"&<>\"") == std::u16string_view::npos)
        return std::u16string(text);
    std::u16string result = ReplaceAllIgnoreCase(text, u"&", u"&amp;");
    result = ReplaceAllIgnoreCase(result, u"<", u"&lt;");
    result = ReplaceAllIgnoreCase(result, u">", u"&gt;");
    return ReplaceAllIgnoreCase(result, u"\"", u"&quot;");
}

std::u16string UnescapeText(std::u16string_view text) {
    if (text.find(u'&') == std::u16string_view::npos)
        return std::u16string(text);
    std::u16string result = ReplaceAllIgnoreCase(text, u"&quot;", u"\"");
    result = ReplaceAllIgnoreCase(result, u"&gt;", u">");
    result = ReplaceAllIgnoreCase(result, u"&lt;", u"<");
    return ReplaceAllIgnoreCase(result, u"&amp;", u"&");
}

} // namespace notarion
