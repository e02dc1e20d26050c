#pragma once

// The XML document model: a small tree with a lenient reader and a
// tab-indented writer. Report files and list files are read through it, list
// files are written through it.
//
// XmlDocument owns Root, a nameless element whose children are the top-level
// nodes. XmlNode owns its children and its attributes. All text in the model
// is UTF-16. The reader never throws and never crashes on malformed content:
// it stops at the first syntax error, keeps what it read before, and reports
// where it stopped. Only file-system errors (a file that cannot be opened or read,
// created or written) are thrown, as Failure.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

enum class XmlNodeKind { Element = 0, Declaration = 1, Comment = 2 };

struct XmlAttribute {
    std::u16string Name;
    std::u16string Value;
};

class XmlAttributes {
public:
    // Append an attribute; duplicate names are not checked.
    void Add(XmlAttribute attribute);
    int Count() const;
    // The attribute at index, or nullptr outside 0 to Count() - 1.
    XmlAttribute* At(int index);
    const XmlAttribute* At(int index) const;
    void Clear();

private:
    std::vector<XmlAttribute> m_items;
};

class XmlNode {
public:
    XmlNodeKind Kind = XmlNodeKind::Element;
    std::u16string Name;
    std::u16string Value;
    std::u16string CData;
    XmlAttributes Attributes;

    XmlNode() = default;
    XmlNode(XmlNodeKind kind, std::u16string name);
    ~XmlNode();
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    // Append a child; the node takes ownership. Returns the child.
    XmlNode* AddChild(std::unique_ptr<XmlNode> child);
    int ChildCount() const;
    // The child at index, or nullptr outside 0 to ChildCount() - 1.
    XmlNode* ChildAt(int index) const;
    // The first child whose name equals name without regard to letter case.
    // When none does and create is true, a new empty element of that name is
    // appended and returned; otherwise nullptr.
    XmlNode* FindChild(std::u16string_view name, bool create);
    // Find without creating (const).
    const XmlNode* FindChild(std::u16string_view name) const;
    void ClearChildren();

private:
    std::vector<std::unique_ptr<XmlNode>> m_children;
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
    XmlNode* FindChild(std::u16string_view name, bool create);
    const XmlNode* FindChild(std::u16string_view name) const;
    void Clear();
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

} // namespace notarion
