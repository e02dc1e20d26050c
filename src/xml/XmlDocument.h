#pragma once

// The XML document model: a small tree with a lenient reader and a
// tab-indented writer. Report files and list files are read through it, list
// files are written through it.
//
// XmlDocument owns Root, a nameless element whose children are the top-level
// nodes, and the memory of every node, attribute and text of the tree (one
// arena, released with the document). Nodes are read through XmlNode and
// changed only through their document, which keeps that memory. All text in
// the model is UTF-16. The reader never throws and never crashes on
// malformed content: it stops at the first syntax error, keeps what it read
// before, and reports where it stopped. Only file-system errors (a file that
// cannot be opened or read, created or written) are thrown, as Failure.

#include "xml/XmlArena.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace notarion {

enum class XmlNodeKind : std::uint8_t { Element = 0, Declaration = 1, Comment = 2 };

struct XmlAttribute {
    std::u16string_view Name;
    std::u16string_view Value;
};

class XmlNode {
public:
    XmlNodeKind Kind() const { return m_kind; }
    std::u16string_view Name() const { return {m_name, m_nameSize}; }
    // The text after the node's tag (entities decoded, ends trimmed).
    std::u16string_view Value() const { return {m_value, m_valueSize}; }
    // Value() in the bytes of the Windows-1250 text it was read from, when it
    // was read from such a text and held no entity; none otherwise. The
    // writers take values in those bytes, so most of them are never
    // converted back from UTF-16.
    std::optional<std::string_view> Cp1250Value() const {
        if (!m_cp1250Copy)
            return std::nullopt;
        return std::string_view(reinterpret_cast<const char*>(m_value + m_valueSize), m_valueSize);
    }
    // The text of the last CDATA section inside the element.
    std::u16string_view CData() const;

    int ChildCount() const { return static_cast<int>(m_childCount); }
    std::span<const XmlNode* const> Children() const { return {m_children, m_childCount}; }
    // The child at index, or nullptr outside 0 to ChildCount() - 1.
    const XmlNode* ChildAt(int index) const;
    // The first child whose name equals name without regard to letter case.
    const XmlNode* FindChild(std::u16string_view name) const;
    XmlNode* FindChild(std::u16string_view name);

    std::span<const XmlAttribute> Attributes() const;
    int AttributeCount() const { return static_cast<int>(Attributes().size()); }
    // The attribute at index, or nullptr outside 0 to AttributeCount() - 1.
    const XmlAttribute* AttributeAt(int index) const;

    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

private:
    friend class XmlDocument;
    friend struct XmlTreeBuilder;

    // What few nodes have: attributes and a CDATA section.
    struct Extra {
        XmlAttribute* Attributes = nullptr;
        std::uint32_t AttributeCount = 0;
        std::uint32_t AttributeCapacity = 0;
        std::u16string_view CData;
    };

    XmlNode() = default;
    XmlNode(XmlNodeKind kind, std::u16string_view name) : m_kind(kind) { SetName(name); }
    void SetName(std::u16string_view name);
    void SetValue(std::u16string_view value);
    // value, whose storage continues with its value.size() bytes in Windows-1250.
    void SetValueWithCp1250Copy(std::u16string_view value);
    Extra& TheExtra(XmlArena& arena);
    void AppendChild(XmlArena& arena, XmlNode* child);

    XmlNodeKind m_kind = XmlNodeKind::Element;
    // True while m_children holds exactly m_childCount slots (as the reader
    // leaves it); otherwise the room is m_childCount rounded up to a power of two.
    bool m_childrenExact = false;
    // True when the value's storage continues with its Windows-1250 bytes.
    bool m_cp1250Copy = false;
    std::uint32_t m_nameSize = 0;
    std::uint32_t m_valueSize = 0;
    std::uint32_t m_childCount = 0;
    const char16_t* m_name = nullptr;
    const char16_t* m_value = nullptr;
    XmlNode** m_children = nullptr;
    Extra* m_extra = nullptr;
};

// How a load ended. Positions count characters of the decoded text (UTF-16
// units after an FF FE mark, else one per byte).
struct XmlLoadResult {
    // True when the whole text was read without a syntax error.
    bool Complete = false;
    // The index (from 0) just past the character at which reading failed;
    // the length of the text when it was read whole.
    std::size_t Offset = 0;
    // The line and column (from 1) of Offset.
    std::size_t Line = 1;
    std::size_t Column = 1;
    // The characters from Offset to the end of the text, which were not read.
    std::size_t UnreadCharacters = 0;
    explicit operator bool() const { return Complete; }
};

class XmlDocument {
public:
    XmlNode Root;
    // True when the last text read began with FF FE; decides the encoding of SaveToFile.
    bool Unicode = false;
    std::u16string IndentUnit = u"\t";

    XmlDocument() = default;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Not complete at once (offset 0) when no file exists at path, or the
    // file is empty. Otherwise the result of LoadFromBytes. Throws Failure
    // when the file exists but cannot be opened or read (no permission, a
    // directory).
    XmlLoadResult LoadFromFile(std::string_view path);
    // Empty Root, decode and parse. Complete when the whole text was read
    // without a syntax error; otherwise the nodes read before the error stay
    // and the result says where reading stopped. Text shorter than two bytes
    // stops at offset 0.
    XmlLoadResult LoadFromBytes(std::string_view bytes);
    // Write ToText() in the document's encoding (FF FE + UTF-16LE, or
    // Windows-1250), replacing any file at path. The file is written whole or
    // not at all. Throws Failure when it cannot be created or written.
    void SaveToFile(std::string_view path) const;
    // The bytes that SaveToFile writes.
    std::string ToBytes() const;
    // The writer: the whole tree as text, CR LF line ends, tab indents.
    std::u16string ToText() const;

    XmlNode* FindChild(std::u16string_view name) { return Root.FindChild(name); }
    const XmlNode* FindChild(std::u16string_view name) const { return Root.FindChild(name); }

    // Building and changing the tree. parent and node must belong to this
    // document (Root or a node it made or read).
    XmlNode& AddChild(XmlNode& parent, XmlNodeKind kind, std::u16string_view name,
                      std::u16string_view value = {});
    // The first child of that name (any letter case), appended as an empty
    // element when there is none.
    XmlNode& FindOrAddChild(XmlNode& parent, std::u16string_view name);
    void SetValue(XmlNode& node, std::u16string_view value);
    void SetCData(XmlNode& node, std::u16string_view text);
    // Append an attribute; duplicate names are not checked.
    void AddAttribute(XmlNode& node, std::u16string_view name, std::u16string_view value);

    // An empty document; all memory of the tree is given back.
    void Clear();
    // The heap memory the tree holds.
    std::size_t HeldBytes() const { return m_arena.HeldBytes(); }

private:
    friend struct XmlTreeBuilder;
    XmlArena m_arena;
};

// The depth at which the reader gives up with a syntax error. No real report
// comes near it; it keeps a hostile file from exhausting the stack or memory.
inline constexpr int MaxXmlDepth = 10000;

// Replace every case-insensitive occurrence of find in source; matches do not
// overlap and replaced text is not scanned again. An empty find returns source.
std::u16string ReplaceAllIgnoreCase(std::u16string_view source, std::u16string_view find,
                                    std::u16string_view replacement);
// "&" "<" ">" and '"' as entities, in this order.
std::u16string EscapeText(std::u16string_view text);
// "&quot;" "&gt;" "&lt;" "&amp;" decoded, in this order, regardless of case.
std::u16string UnescapeText(std::u16string_view text);
// Equal without regard to letter case, as element names are compared.
bool NamesEqual(std::u16string_view a, std::u16string_view b);
// The same for a name in Windows-1250 bytes, compared without widening it.
bool NamesEqual(std::string_view cp1250Name, std::u16string_view name);

} // namespace notarion
