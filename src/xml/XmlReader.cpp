// The lenient reader. It walks the decoded text once, keeps the elements that
// are open on an explicit stack (so no input can exhaust the call stack), and
// stops at the first syntax error, keeping every node read before it. Nodes
// and texts go straight into the document's arena; the children of an open
// element wait on one shared stack and get their exact array when it closes.

#include "xml/XmlDocument.h"

#include "text/Cp1250.h"
#include "xml/XmlTreeBuilder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace notarion {
namespace {

// The reader walks Windows-1250 bytes as they are, one character per byte,
// and UTF-16 units after an FF FE mark; only the names and texts it keeps
// are widened to UTF-16. The syntax itself is ASCII in both.
unsigned Code(char c) {
    return static_cast<unsigned char>(c);
}
unsigned Code(char16_t c) {
    return c;
}

// What ends the reader's runs of characters, one bit per run, looked up
// once per character.
enum Stops : unsigned char {
    Blank = 1,
    EndOfTagName = 2,
    EndOfEndTagName = 4,
    EndOfAttributeName = 8
};

constexpr std::array<unsigned char, 256> kStops = [] {
    std::array<unsigned char, 256> table{};
    for (const char c : {'\t', '\n', '\r', ' '})
        table[static_cast<unsigned char>(c)] =
            Blank | EndOfTagName | EndOfEndTagName | EndOfAttributeName;
    table['/'] |= EndOfTagName;
    table['>'] |= EndOfTagName | EndOfEndTagName | EndOfAttributeName;
    table['='] |= EndOfAttributeName;
    return table;
}();

template <typename Char> bool Is(Stops stop, Char c) {
    const unsigned code = Code(c);
    if constexpr (sizeof(Char) > 1) {
        if (code >= kStops.size())
            return false;
    }
    return (kStops[code] & stop) != 0;
}

template <typename Char> bool IsWhitespace(Char c) {
    return Is(Blank, c);
}

void Widen(std::string_view text, char16_t* out) {
    Cp1250ToUtf16(text, out);
}
void Widen(std::u16string_view text, char16_t* out) {
    std::memcpy(out, text.data(), text.size() * sizeof(char16_t));
}

template <typename Char> std::basic_string_view<Char> Trim(std::basic_string_view<Char> text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && Code(text[first]) <= 32)
        ++first;
    while (last > first && Code(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}

// An ASCII terminator in the reader's character type.
template <typename Char, std::size_t N> struct Ascii {
    Char Text[N - 1];
    constexpr explicit Ascii(const char (&ascii)[N]) : Text{} {
        for (std::size_t i = 0; i + 1 < N; ++i)
            Text[i] = static_cast<Char>(ascii[i]);
    }
    constexpr std::basic_string_view<Char> View() const { return {Text, N - 1}; }
};

// An element whose content is being read, and where its children begin on
// the pending stack.
struct OpenElement {
    XmlNode* Node;
    std::size_t FirstChild;
};

// The reader's two stacks, kept from one load to the next on each thread,
// so that reading a report asks the heap for nothing but the tree's blocks.
// A load never starts another on its thread, so one pair serves every load.
struct ReaderStacks {
    std::vector<OpenElement> Open;
    std::vector<XmlNode*> Pending;

    // Empty; room that only a very large document needed is given back.
    void Reset() {
        constexpr std::size_t kKeptRoom = 4096;
        Open.clear();
        Pending.clear();
        if (Open.capacity() > kKeptRoom)
            std::vector<OpenElement>().swap(Open);
        if (Pending.capacity() > kKeptRoom)
            std::vector<XmlNode*>().swap(Pending);
    }
};

ReaderStacks& TheStacks() {
    thread_local ReaderStacks stacks;
    return stacks;
}

template <typename Char> class Reader {
public:
    using View = std::basic_string_view<Char>;

    Reader(View text, XmlDocument& document)
        : m_text(text), m_document(document), m_arena(XmlTreeBuilder::Arena(document)) {}

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
        return static_cast<char16_t>(Code(m_text[m_pos++]));
    }

    void SkipWhitespace() {
        while (!AtEnd() && IsWhitespace(m_text[m_pos]))
            ++m_pos;
    }

    // Characters up to (not including) the first one for which stop is true,
    // or up to the end of the text.
    template <typename Stop> View ReadUntil(Stop stop) {
        const std::size_t start = m_pos;
        while (!AtEnd() && !stop(m_text[m_pos]))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }

    // The text up to a terminator, and the position moved past it. A
    // terminator that never comes yields the empty text and ends the input.
    View ReadUpTo(View terminator) {
        const std::size_t found = m_text.find(terminator, m_pos);
        if (found == View::npos) {
            m_pos = m_text.size();
            m_end = true;
            return {};
        }
        const View result = m_text.substr(m_pos, found - m_pos);
        m_pos = found + terminator.size();
        return result;
    }

    // text widened into the arena.
    std::u16string_view Keep(View text) {
        if (text.empty())
            return {};
        char16_t* out = m_arena.template Allocate<char16_t>(text.size());
        Widen(text, out);
        return {out, text.size()};
    }

    // A kept text: widened once, and unescaped only when it holds an entity.
    std::u16string_view KeepText(View text) {
        if (text.find(static_cast<Char>('&')) == View::npos)
            return Keep(text);
        return m_arena.Store(UnescapeText(Keep(text)));
    }

    // An element's text, as KeepText keeps it. Read from Windows-1250 bytes
    // without an entity, its bytes are kept too, right after it, for the
    // writers (XmlNode::Cp1250Value).
    void KeepValue(XmlNode& node, View text) {
        if constexpr (sizeof(Char) == 1) {
            if (!text.empty() && text.find('&') == View::npos) {
                const std::size_t size = text.size();
                char16_t* out = m_arena.template Allocate<char16_t>(size + (size + 1) / 2);
                Widen(text, out);
                std::memcpy(out + size, text.data(), size);
                XmlTreeBuilder::SetValueWithCp1250Copy(node, {out, size});
                return;
            }
        }
        XmlTreeBuilder::SetValue(node, KeepText(text));
    }

    // Read the name of an end tag; true when it closes the current element.
    // The tag nearly always does, so its name is first compared in place;
    // only another name is read character by character.
    bool EndTagCloses(std::u16string_view current) {
        const std::size_t size = current.size();
        if (m_text.size() - m_pos > size && Is(EndOfEndTagName, m_text[m_pos + size]) &&
            NamesEqual(m_text.substr(m_pos, size), current)) {
            m_pos += size;
            return true;
        }
        return NamesEqual(ReadUntil([](Char c) { return Is(EndOfEndTagName, c); }), current);
    }

    void Close(const OpenElement& element) {
        XmlTreeBuilder::SetChildren(m_arena, *element.Node, m_pending.data() + element.FirstChild,
                                    m_pending.size() - element.FirstChild);
        m_pending.resize(element.FirstChild);
    }

    bool Read();
    Step ReadNode(XmlNode& node, XmlNode& current);
    bool ReadAttributes(XmlNode& node, bool& selfClosed);

    View m_text;
    XmlDocument& m_document;
    XmlArena& m_arena;
    std::size_t m_pos = 0;
    bool m_end = false;
    ReaderStacks& m_stacks = TheStacks();
    std::vector<OpenElement>& m_open = m_stacks.Open;
    std::vector<XmlNode*>& m_pending = m_stacks.Pending;
};

template <typename Char> bool Reader<Char>::Run() {
    m_stacks.Reset();
    m_open.push_back({&m_document.Root, 0});
    const bool complete = Read();
    // Whatever stopped the reading, every element still open keeps the
    // children read so far.
    while (!m_open.empty()) {
        Close(m_open.back());
        m_open.pop_back();
    }
    m_stacks.Reset();
    return complete;
}

template <typename Char> bool Reader<Char>::Read() {
    while (!m_end && !m_open.empty()) {
        XmlNode& current = *m_open.back().Node;
        SkipWhitespace();
        if (AtEnd())
            return true; // The end of the text closes every open element.
        if (Next() != u'<')
            return false;
        if (!AtEnd() && Code(m_text[m_pos]) == u'/') {
            ++m_pos;
            const bool closes = EndTagCloses(current.Name());
            SkipWhitespace();
            if (Next() != u'>' || !closes)
                return false;
            Close(m_open.back());
            m_open.pop_back();
            continue;
        }
        if (static_cast<int>(m_open.size()) > MaxXmlDepth)
            return false;
        XmlNode& child = XmlTreeBuilder::NewNode(m_arena, XmlNodeKind::Element);
        const Step step = ReadNode(child, current);
        if (step == Step::Failed)
            return false;
        if (step == Step::CData)
            continue;
        m_pending.push_back(&child);
        if (step == Step::Open)
            m_open.push_back({&child, m_pending.size()});
    }
    return true;
}

// One node, from the character after "<". Open means an element whose content
// follows; Closed a node that is complete; CData a section whose text went to
// the current node.
template <typename Char>
typename Reader<Char>::Step Reader<Char>::ReadNode(XmlNode& node, XmlNode& current) {
    static constexpr Ascii<Char, 4> CDataEnd("]]>");
    static constexpr Ascii<Char, 4> CommentEnd("-->");
    if (!AtEnd() && Code(m_text[m_pos]) == u'!') {
        ++m_pos;
        if (m_text.size() - m_pos < 7) {
            m_pos = m_text.size();
            return Step::Failed;
        }
        if (NamesEqual(m_text.substr(m_pos, 7), u"[CDATA[")) {
            m_pos += 7;
            XmlTreeBuilder::SetCData(m_arena, current, Keep(ReadUpTo(CDataEnd.View())));
            return Step::CData;
        }
        // Anything else after "<!" is read as a comment.
        XmlTreeBuilder::SetKind(node, XmlNodeKind::Comment);
        Next();
        Next();
        XmlTreeBuilder::SetValue(node, Keep(Trim(ReadUpTo(CommentEnd.View()))));
        return Step::Closed;
    }
    if (!AtEnd() && Code(m_text[m_pos]) == u'?') {
        ++m_pos;
        XmlTreeBuilder::SetKind(node, XmlNodeKind::Declaration);
    }
    const View name = ReadUntil([](Char c) { return Is(EndOfTagName, c); });
    if (name.empty())
        return Step::Failed;
    XmlTreeBuilder::SetName(node, Keep(name));
    bool selfClosed = false;
    if (!ReadAttributes(node, selfClosed))
        return Step::Failed;
    // The text after the tag belongs to this node, whatever closed the tag.
    SkipWhitespace();
    const std::size_t textEnd = std::min(m_text.find(static_cast<Char>('<'), m_pos), m_text.size());
    const View text = m_text.substr(m_pos, textEnd - m_pos);
    m_pos = textEnd;
    KeepValue(node, Trim(text));
    if (selfClosed || node.Kind() == XmlNodeKind::Declaration)
        return Step::Closed;
    return Step::Open;
}

template <typename Char> bool Reader<Char>::ReadAttributes(XmlNode& node, bool& selfClosed) {
    for (;;) {
        SkipWhitespace();
        if (AtEnd())
            return false;
        const unsigned c = Code(m_text[m_pos]);
        if (c == u'/' && m_pos + 1 < m_text.size() && Code(m_text[m_pos + 1]) == u'>') {
            m_pos += 2;
            selfClosed = true;
            return true;
        }
        if (c == u'>') {
            ++m_pos;
            return true;
        }
        const View name = Trim(ReadUntil([](Char ch) { return Is(EndOfAttributeName, ch); }));
        if (node.Kind() == XmlNodeKind::Declaration && name.size() == 1 && Code(name[0]) == u'?')
            return Next() == u'>';
        SkipWhitespace();
        if (Next() != u'=')
            return false;
        SkipWhitespace();
        if (Next() != u'"')
            return false;
        const View value = ReadUntil([](Char ch) { return Code(ch) == u'"'; });
        if (Next() != u'"')
            return false;
        XmlTreeBuilder::AddAttribute(m_arena, node, {Keep(name), KeepText(value)});
    }
}

// The UTF-16 text after an FF FE mark.
std::u16string DecodeUtf16(std::string_view bytes) {
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

// Where a load stopped, with the line and column a person looks for. The
// lines are counted a line at a time, not a character at a time: a whole
// report is counted after every complete load.
template <typename Char>
XmlLoadResult StopResult(std::basic_string_view<Char> text, bool complete, std::size_t position) {
    XmlLoadResult result;
    result.Complete = complete;
    result.Offset = std::min(position, text.size());
    result.UnreadCharacters = text.size() - result.Offset;
    const std::basic_string_view<Char> read = text.substr(0, result.Offset);
    std::size_t lineStart = 0;
    for (std::size_t newline = read.find(static_cast<Char>('\n')); newline != read.npos;
         newline = read.find(static_cast<Char>('\n'), lineStart)) {
        ++result.Line;
        lineStart = newline + 1;
    }
    result.Column = result.Offset - lineStart + 1;
    return result;
}

// The first block of the arena: what the tree of a report this size needs
// (its nodes, names and widened texts come to three or four times its
// bytes), so a report mostly costs one allocation.
constexpr std::size_t kFirstBlockPerByte = 4;
constexpr std::size_t kLargestFirstBlock = std::size_t{1} << 20;

} // namespace

XmlLoadResult XmlDocument::LoadFromBytes(std::string_view bytes) {
    Clear();
    if (bytes.size() < 2)
        return {};
    m_arena.Reserve(std::min(bytes.size() * kFirstBlockPerByte, kLargestFirstBlock));
    Unicode = static_cast<unsigned char>(bytes[0]) == 0xFF &&
              static_cast<unsigned char>(bytes[1]) == 0xFE;
    const auto read = [this](auto text) {
        Reader reader(text, *this);
        const bool complete = reader.Run();
        return StopResult(text, complete, complete ? text.size() : reader.Position());
    };
    if (!Unicode)
        return read(bytes);
    const std::u16string text = DecodeUtf16(bytes);
    return read(std::u16string_view(text));
}

} // namespace notarion
