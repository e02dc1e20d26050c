#include "xml/XmlDocument.h"

#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "xml/XmlTreeBuilder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <utility>

namespace notarion {

bool NamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && UpperCaseChar(a[i]) != UpperCaseChar(b[i]))
            return false;
    return true;
}

// Names are mostly ASCII: those letters are compared here, and only other
// characters go through the code page and its case table.
bool NamesEqual(std::string_view wanted, std::u16string_view name) {
    if (wanted.size() != name.size())
        return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const auto byte = static_cast<unsigned char>(wanted[i]);
        const char16_t other = name[i];
        if (byte == other)
            continue;
        if (byte < 0x80 && other < 0x80) {
            const auto upper = [](unsigned c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
            if (upper(byte) != upper(other))
                return false;
            continue;
        }
        const char16_t c = Cp1250Char(byte);
        if (c != other && UpperCaseChar(c) != UpperCaseChar(other))
            return false;
    }
    return true;
}

void XmlNode::SetName(std::u16string_view name) {
    m_name = name.data();
    m_nameSize = static_cast<std::uint32_t>(name.size());
}

void XmlNode::SetValue(std::u16string_view value) {
    m_value = value.data();
    m_valueSize = static_cast<std::uint32_t>(value.size());
    m_cp1250Copy = false;
}

void XmlNode::SetValueWithCp1250Copy(std::u16string_view value) {
    SetValue(value);
    m_cp1250Copy = !value.empty();
}

std::u16string_view XmlNode::CData() const {
    return m_extra != nullptr ? m_extra->CData : std::u16string_view();
}

std::span<const XmlAttribute> XmlNode::Attributes() const {
    if (m_extra == nullptr)
        return {};
    return {m_extra->Attributes, m_extra->AttributeCount};
}

const XmlAttribute* XmlNode::AttributeAt(int index) const {
    const std::span<const XmlAttribute> attributes = Attributes();
    return index >= 0 && static_cast<std::size_t>(index) < attributes.size()
               ? &attributes[static_cast<std::size_t>(index)]
               : nullptr;
}

const XmlNode* XmlNode::ChildAt(int index) const {
    return index >= 0 && index < ChildCount() ? m_children[index] : nullptr;
}

const XmlNode* XmlNode::FindChild(std::u16string_view name) const {
    for (const XmlNode* child : Children())
        if (NamesEqual(child->Name(), name))
            return child;
    return nullptr;
}

XmlNode* XmlNode::FindChild(std::u16string_view name) {
    return const_cast<XmlNode*>(std::as_const(*this).FindChild(name));
}

XmlNode::Extra& XmlNode::TheExtra(XmlArena& arena) {
    if (m_extra == nullptr)
        m_extra = new (arena.Allocate<Extra>(1)) Extra();
    return *m_extra;
}

void XmlNode::AppendChild(XmlArena& arena, XmlNode* child) {
    const std::uint32_t room =
        m_childrenExact || m_childCount == 0 ? m_childCount : std::bit_ceil(m_childCount);
    if (m_childCount == room) {
        const std::uint32_t larger = std::bit_ceil(m_childCount + 1);
        XmlNode** grown = arena.Allocate<XmlNode*>(larger);
        std::copy_n(m_children, m_childCount, grown);
        m_children = grown;
        m_childrenExact = false;
    }
    m_children[m_childCount++] = child;
}

void XmlTreeBuilder::AddAttribute(XmlArena& arena, XmlNode& node, XmlAttribute attribute) {
    XmlNode::Extra& extra = node.TheExtra(arena);
    if (extra.AttributeCount == extra.AttributeCapacity) {
        const std::uint32_t larger = std::max<std::uint32_t>(4, 2 * extra.AttributeCapacity);
        XmlAttribute* grown = arena.Allocate<XmlAttribute>(larger);
        std::uninitialized_copy_n(extra.Attributes, extra.AttributeCount, grown);
        extra.Attributes = grown;
        extra.AttributeCapacity = larger;
    }
    new (&extra.Attributes[extra.AttributeCount++]) XmlAttribute(attribute);
}

void XmlTreeBuilder::SetChildren(XmlArena& arena, XmlNode& node, XmlNode* const* children,
                                 std::size_t count) {
    node.m_childCount = static_cast<std::uint32_t>(count);
    node.m_childrenExact = true;
    node.m_children = nullptr;
    if (count == 0)
        return;
    node.m_children = arena.Allocate<XmlNode*>(count);
    std::copy_n(children, count, node.m_children);
}

XmlNode& XmlDocument::AddChild(XmlNode& parent, XmlNodeKind kind, std::u16string_view name,
                               std::u16string_view value) {
    XmlNode& child = XmlTreeBuilder::NewNode(m_arena, kind);
    child.SetName(m_arena.Store(name));
    child.SetValue(m_arena.Store(value));
    parent.AppendChild(m_arena, &child);
    return child;
}

XmlNode& XmlDocument::FindOrAddChild(XmlNode& parent, std::u16string_view name) {
    if (XmlNode* found = parent.FindChild(name))
        return *found;
    return AddChild(parent, XmlNodeKind::Element, name);
}

void XmlDocument::SetValue(XmlNode& node, std::u16string_view value) {
    node.SetValue(m_arena.Store(value));
}

void XmlDocument::SetCData(XmlNode& node, std::u16string_view text) {
    XmlTreeBuilder::SetCData(m_arena, node, m_arena.Store(text));
}

void XmlDocument::AddAttribute(XmlNode& node, std::u16string_view name, std::u16string_view value) {
    XmlTreeBuilder::AddAttribute(m_arena, node, {m_arena.Store(name), m_arena.Store(value)});
}

void XmlDocument::Clear() {
    new (&Root) XmlNode();
    m_arena.Clear();
}

XmlLoadResult XmlDocument::LoadFromFile(std::string_view path) {
    const std::optional<std::string> bytes = ReadFileIfPresent(path);
    if (!bytes || bytes->empty())
        return {};
    return LoadFromBytes(*bytes);
}

void XmlDocument::SaveToFile(std::string_view path) const {
    WriteWholeFile(path, ToBytes(), NamedBy::User);
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
