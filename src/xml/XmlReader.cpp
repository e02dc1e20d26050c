// The lenient reader. It walks the decoded text once, keeps the elements that
// are open on an explicit stack (so no input can exhaust the call stack), and
// stops at the first syntax error, keeping every node read before it.

#include "xml/XmlDocument.h"

#include "text/Cp1250.h"

#include <algorithm>

namespace notarion {
namespace {

bool IsWhitespace(char16_t c) {
    return c == 9 || c == 10 || c == 13 || c == 32;
}

std::u16string Trim(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= 32)
        ++first;
    while (last > first && text[last - 1] <= 32)
        --last;
    return std::u16string(text.substr(first, last - first));
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperCaseChar(a[i]) != UpperCaseChar(b[i]))
            return false;
    return true;
}

class Reader {
public:
    Reader(std::u16string_view text, XmlNode& root) : m_text(text), m_root(root) {}

    // True when the whole text was read without a syntax error.
    bool Run();
    std::size_t Position() const { return m_pos; }

private:
    enum class Step { Failed, Closed, Open, CData };

    bool AtEnd() const { return m_pos >= m_text.size(); }

    // The next character, or 0 with the end flag set when the text is used up.
    char16_t Next() {
        if (AtEnd()) {
            m_end = true;
            return 0;
        }
        return m_text[m_pos++];
    }

    void SkipWhitespace() {
        while (!AtEnd() && IsWhitespace(m_text[m_pos]))
            ++m_pos;
    }

    // Characters up to (not including) the first one for which stop is true,
    // or up to the end of the text.
    template <typename Stop> std::u16string_view ReadUntil(Stop stop) {
        const std::size_t start = m_pos;
        while (!AtEnd() && !stop(m_text[m_pos]))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }

    // The text up to a terminator, and the position moved past it. A
    // terminator that never comes yields the empty text and ends the input.
    std::u16string_view ReadUpTo(std::u16string_view terminator) {
        const std::size_t found = m_text.find(terminator, m_pos);
        if (found == std::u16string_view::npos) {
            m_pos = m_text.size();
            m_end = true;
            return {};
        }
        const std::u16string_view result = m_text.substr(m_pos, found - m_pos);
        m_pos = found + terminator.size();
        return result;
    }

    Step ReadNode(XmlNode& node, XmlNode& current);
    bool ReadAttributes(XmlNode& node, bool& selfClosed);

    std::u16string_view m_text;
    XmlNode& m_root;
    std::size_t m_pos = 0;
    bool m_end = false;
};

bool Reader::Run() {
    std::vector<XmlNode*> open{&m_root};
    while (!m_end && !open.empty()) {
        XmlNode& current = *open.back();
        SkipWhitespace();
        if (AtEnd())
            return true; // The end of the text closes every open element.
        if (Next() != u'<')
            return false;
        if (!AtEnd() && m_text[m_pos] == u'/') {
            ++m_pos;
            const std::u16string_view name =
                ReadUntil([](char16_t c) { return IsWhitespace(c) || c == u'>'; });
            SkipWhitespace();
            if (Next() != u'>' || !EqualsIgnoreCase(name, current.Name))
                return false;
            open.pop_back();
            continue;
        }
        if (static_cast<int>(open.size()) > MaxXmlDepth)
            return false;
        auto child = std::make_unique<XmlNode>();
        const Step step = ReadNode(*child, current);
        if (step == Step::Failed)
            return false;
        if (step == Step::CData)
            continue;
        XmlNode* added = current.AddChild(std::move(child));
        if (step == Step::Open)
            open.push_back(added);
    }
    return true;
}

// One node, from the character after "<". Open means an element whose content
// follows; Closed a node that is complete; CData a section whose text went to
// the current node.
Reader::Step Reader::ReadNode(XmlNode& node, XmlNode& current) {
    if (!AtEnd() && m_text[m_pos] == u'!') {
        ++m_pos;
        if (m_text.size() - m_pos < 7) {
            m_pos = m_text.size();
            return Step::Failed;
        }
        if (EqualsIgnoreCase(m_text.substr(m_pos, 7), u"[CDATA[")) {
            m_pos += 7;
            current.CData = std::u16string(ReadUpTo(u"]]>"));
            return Step::CData;
        }
        // Anything else after "<!" is read as a comment.
        node.Kind = XmlNodeKind::Comment;
        Next();
        Next();
        node.Value = Trim(ReadUpTo(u"-->"));
        return Step::Closed;
    }
    if (!AtEnd() && m_text[m_pos] == u'?') {
        ++m_pos;
        node.Kind = XmlNodeKind::Declaration;
    }
    node.Name = std::u16string(
        ReadUntil([](char16_t c) { return IsWhitespace(c) || c == u'/' || c == u'>'; }));
    if (node.Name.empty())
        return Step::Failed;
    bool selfClosed = false;
    if (!ReadAttributes(node, selfClosed))
        return Step::Failed;
    // The text after the tag belongs to this node, whatever closed the tag.
    SkipWhitespace();
    const std::u16string_view text = ReadUntil([](char16_t c) { return c == u'<'; });
    node.Value = UnescapeText(Trim(text));
    if (selfClosed || node.Kind == XmlNodeKind::Declaration)
        return Step::Closed;
    return Step::Open;
}

bool Reader::ReadAttributes(XmlNode& node, bool& selfClosed) {
    for (;;) {
        SkipWhitespace();
        if (AtEnd())
            return false;
        const char16_t c = m_text[m_pos];
        if (c == u'/' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'>') {
            m_pos += 2;
            selfClosed = true;
            return true;
        }
        if (c == u'>') {
            ++m_pos;
            return true;
        }
        const std::u16string name = Trim(
            ReadUntil([](char16_t ch) { return IsWhitespace(ch) || ch == u'=' || ch == u'>'; }));
        if (node.Kind == XmlNodeKind::Declaration && name == u"?")
            return Next() == u'>';
        SkipWhitespace();
        if (Next() != u'=')
            return false;
        SkipWhitespace();
        if (Next() != u'"')
            return false;
        const std::u16string_view value = ReadUntil([](char16_t ch) { return ch == u'"'; });
        if (Next() != u'"')
            return false;
        node.Attributes.Add({name, UnescapeText(value)});
    }
}

std::u16string DecodeBytes(std::string_view bytes, bool& unicode) {
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    const auto b1 = static_cast<unsigned char>(bytes[1]);
    unicode = b0 == 0xFF && b1 == 0xFE;
    if (!unicode)
        return Cp1250ToUtf16(bytes);
    // UTF-16 little-endian after the mark; a trailing odd byte is ignored.
    const std::size_t count = (bytes.size() - 2) / 2;
    std::u16string text(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 + 2 * i]);
        const auto high = static_cast<unsigned char>(bytes[3 + 2 * i]);
        text[i] = static_cast<char16_t>(low | (high << 8));
    }
    return text;
}

// Where a load stopped, with the line and column a person looks for.
XmlLoadResult StopResult(std::u16string_view text, bool complete, std::size_t position) {
    XmlLoadResult result;
    result.Complete = complete;
    result.Offset = std::min(position, text.size());
    result.UnreadCharacters = text.size() - result.Offset;
    for (std::size_t i = 0; i < result.Offset; ++i) {
        if (text[i] == u'\n') {
            ++result.Line;
            result.Column = 1;
        } else {
            ++result.Column;
        }
    }
    return result;
}

} // namespace

XmlLoadResult XmlDocument::LoadFromBytes(std::string_view bytes) {
    Clear();
    if (bytes.size() < 2)
        return {};
    const std::u16string text = DecodeBytes(bytes, Unicode);
    Reader reader(text, Root);
    const bool complete = reader.Run();
    return StopResult(text, complete, complete ? text.size() : reader.Position());
}

} // namespace notarion
