#include "platform/PdfOutline.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string_view>

namespace notarion {
namespace {

// A reader of the few PDF objects the outline needs: tokens, dictionaries,
// references, the cross-reference table and the page tree.

bool IsPdfSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsDelimiter(char c) {
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '/' || c == '%';
}

struct Cursor {
    std::string_view Text;
    std::size_t Pos = 0;
    // How deep the current token nests; a damaged file cannot exhaust the stack.
    int Depth = 0;
};

constexpr int MaxNesting = 32;

void SkipSpace(Cursor& c) {
    while (c.Pos < c.Text.size()) {
        if (IsPdfSpace(c.Text[c.Pos])) {
            ++c.Pos;
        } else if (c.Text[c.Pos] == '%') {
            while (c.Pos < c.Text.size() && c.Text[c.Pos] != '\n' && c.Text[c.Pos] != '\r')
                ++c.Pos;
        } else {
            return;
        }
    }
}

std::string_view NextToken(Cursor& c);

// The rest of a dictionary or an array whose opening was just read, up to and
// including its closing token; false when the text ends first.
bool SkipToClose(Cursor& c, std::string_view close) {
    if (++c.Depth > MaxNesting)
        return false;
    for (;;) {
        const std::string_view token = NextToken(c);
        if (token.empty())
            return false;
        if (token == close) {
            --c.Depth;
            return true;
        }
    }
}

// The next token: a whole dictionary, array or string counts as one token.
// Empty at the end of the text or inside an unterminated structure.
std::string_view NextToken(Cursor& c) {
    SkipSpace(c);
    const std::size_t begin = c.Pos;
    const std::string_view text = c.Text;
    if (begin >= text.size())
        return {};
    const char first = text[begin];
    if (text.substr(begin, 2) == "<<") {
        c.Pos += 2;
        if (!SkipToClose(c, ">>"))
            return {};
    } else if (text.substr(begin, 2) == ">>") {
        c.Pos += 2;
    } else if (first == '[') {
        ++c.Pos;
        if (!SkipToClose(c, "]"))
            return {};
    } else if (first == ']' || first == '{' || first == '}' || first == ')' || first == '>') {
        ++c.Pos;
    } else if (first == '(') {
        int depth = 0;
        for (; c.Pos < text.size(); ++c.Pos) {
            const char ch = text[c.Pos];
            if (ch == '\\') {
                ++c.Pos;
            } else if (ch == '(') {
                ++depth;
            } else if (ch == ')' && --depth == 0) {
                break;
            }
        }
        if (c.Pos >= text.size())
            return {};
        ++c.Pos;
    } else if (first == '<') {
        const std::size_t close = text.find('>', begin);
        if (close == std::string_view::npos)
            return {};
        c.Pos = close + 1;
    } else {
        // A name keeps its slash; a name or any other word ends at a space
        // or a delimiter.
        c.Pos += first == '/' ? 1 : 0;
        while (c.Pos < text.size() && !IsPdfSpace(text[c.Pos]) && !IsDelimiter(text[c.Pos]))
            ++c.Pos;
    }
    return text.substr(begin, c.Pos - begin);
}

std::optional<long long> AsInteger(std::string_view token) {
    long long value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    return value;
}

// One value: a reference "N G R" counts as one value, anything else is one token.
std::string_view NextValue(Cursor& c) {
    const std::size_t begin = (SkipSpace(c), c.Pos);
    const std::string_view first = NextToken(c);
    if (!AsInteger(first))
        return first;
    Cursor ahead = c;
    if (AsInteger(NextToken(ahead)) && NextToken(ahead) == "R") {
        c = ahead;
        return c.Text.substr(begin, c.Pos - begin);
    }
    return first;
}

// The value of key ("/Name") at the top level of a dictionary token.
std::optional<std::string_view> DictionaryValue(std::string_view dictionary, std::string_view key) {
    if (!dictionary.starts_with("<<"))
        return std::nullopt;
    Cursor c{dictionary, 2};
    for (;;) {
        const std::string_view name = NextToken(c);
        if (name.empty() || name == ">>")
            return std::nullopt;
        const std::string_view value = NextValue(c);
        if (value.empty())
            return std::nullopt;
        if (name == key)
            return value;
    }
}

// The object number of a reference value "N G R".
std::optional<int> ReferencedObject(std::string_view value) {
    Cursor c{value, 0};
    const auto number = AsInteger(NextToken(c));
    const auto generation = AsInteger(NextToken(c));
    if (!number || !generation || NextToken(c) != "R" || *number <= 0 || *number > 8'000'000)
        return std::nullopt;
    return static_cast<int>(*number);
}

// The parts of a PDF file the outline is built on.
class PdfStructure {
public:
    explicit PdfStructure(std::string_view pdf) : m_ends{{}, 0, pdf} {}
    explicit PdfStructure(const PdfEnds& ends) : m_ends(ends) {}

    // The length of the whole file.
    std::size_t FileSize() const {
        return static_cast<std::size_t>(m_ends.TailOffset) + m_ends.Tail.size();
    }

    // Read the trailer chain and the catalogue; false (with Problem set) when
    // the file is not of the form read here.
    bool Read() {
        const std::size_t startxref = m_ends.Tail.rfind("startxref");
        if (startxref == std::string_view::npos)
            return Fail("startxref");
        Cursor c{m_ends.Tail, startxref + 9};
        const auto offset = AsInteger(NextToken(c));
        if (!offset || *offset < 0 || static_cast<std::size_t>(*offset) >= FileSize())
            return Fail("startxref");
        LastXref = static_cast<std::size_t>(*offset);

        std::set<std::size_t> seen;
        std::optional<std::size_t> section = LastXref;
        while (section) {
            // A chain that loops back would never end.
            if (!seen.insert(*section).second)
                return Fail("xref");
            std::string_view trailer;
            if (!ReadXrefSection(*section, trailer))
                return Fail("xref");
            if (Trailer.empty())
                Trailer = trailer;
            section.reset();
            if (const auto prev = DictionaryValue(trailer, "/Prev")) {
                const auto value = AsInteger(*prev);
                if (!value || *value < 0 || static_cast<std::size_t>(*value) >= FileSize())
                    return Fail("/Prev");
                section = static_cast<std::size_t>(*value);
            }
        }

        const auto size = DictionaryValue(Trailer, "/Size");
        const auto sizeValue = size ? AsInteger(*size) : std::nullopt;
        if (!sizeValue || *sizeValue <= 0 || *sizeValue > 8'000'000)
            return Fail("/Size");
        Size = static_cast<int>(*sizeValue);
        const auto root = DictionaryValue(Trailer, "/Root");
        const auto rootNumber = root ? ReferencedObject(*root) : std::nullopt;
        if (!rootNumber)
            return Fail("/Root");
        Root = *rootNumber;
        Catalogue = ObjectDictionary(Root).value_or(std::string_view{});
        if (Catalogue.empty())
            return Fail("catalogue");
        return true;
    }

    // The dictionary of object number, or empty when it cannot be found;
    // none when the object lies between the ends that were kept, or begins in
    // the head and runs on past it.
    std::optional<std::string_view> ObjectDictionary(int number) const {
        const auto at = m_offsets.find(number);
        if (at == m_offsets.end())
            return std::string_view{};
        std::optional<Cursor> c = CursorAt(at->second);
        if (!c)
            return std::nullopt;
        const bool inHead = c->Text.data() == m_ends.Head.data() && !m_ends.Head.empty();
        std::string_view dictionary;
        if (AsInteger(NextToken(*c)) == number && AsInteger(NextToken(*c)) &&
            NextToken(*c) == "obj")
            dictionary = NextToken(*c);
        if (dictionary.starts_with("<<"))
            return dictionary;
        if (inHead && c->Pos >= m_ends.Head.size() - 1)
            return std::nullopt;
        return std::string_view{};
    }

    // The object numbers of the pages in order; false when the tree cannot
    // be read.
    bool ReadPages(std::vector<int>& pages) const {
        const auto root = DictionaryValue(Catalogue, "/Pages");
        const auto number = root ? ReferencedObject(*root) : std::nullopt;
        std::set<int> visited;
        return number && CollectPages(*number, pages, visited);
    }

    std::string Problem;
    std::size_t LastXref = 0;
    std::string_view Trailer;
    std::string_view Catalogue;
    int Size = 0;
    int Root = 0;

private:
    // A cursor at an offset of the file, in whichever end holds it.
    std::optional<Cursor> CursorAt(std::size_t offset) const {
        if (offset >= m_ends.TailOffset && offset - m_ends.TailOffset < m_ends.Tail.size())
            return Cursor{m_ends.Tail, static_cast<std::size_t>(offset - m_ends.TailOffset)};
        if (offset < m_ends.Head.size())
            return Cursor{m_ends.Head, offset};
        return std::nullopt;
    }

    bool Fail(std::string_view what) {
        Problem = std::string(what);
        return false;
    }

    // One classic cross-reference section and its trailer dictionary. Entries
    // already known from a newer section win.
    bool ReadXrefSection(std::size_t offset, std::string_view& trailer) {
        std::optional<Cursor> at = CursorAt(offset);
        if (!at)
            return false;
        Cursor& c = *at;
        if (NextToken(c) != "xref")
            return false;
        for (;;) {
            const std::string_view word = NextToken(c);
            if (word == "trailer")
                break;
            const auto first = AsInteger(word);
            const auto count = AsInteger(NextToken(c));
            if (!first || !count || *first < 0 || *count < 0)
                return false;
            for (long long i = 0; i < *count; ++i) {
                const auto entryOffset = AsInteger(NextToken(c));
                const auto generation = AsInteger(NextToken(c));
                const std::string_view type = NextToken(c);
                if (!entryOffset || !generation || (type != "n" && type != "f"))
                    return false;
                if (type == "n" && *entryOffset >= 0 &&
                    static_cast<std::size_t>(*entryOffset) < FileSize())
                    m_offsets.emplace(static_cast<int>(*first + i),
                                      static_cast<std::size_t>(*entryOffset));
            }
        }
        trailer = NextToken(c);
        return trailer.starts_with("<<");
    }

    bool CollectPages(int number, std::vector<int>& pages, std::set<int>& visited) const {
        if (!visited.insert(number).second)
            return false;
        const std::optional<std::string_view> kept = ObjectDictionary(number);
        if (!kept) {
            pages.push_back(number);
            return true;
        }
        const std::string_view node = *kept;
        const auto type = DictionaryValue(node, "/Type");
        if (type == "/Page") {
            pages.push_back(number);
            return true;
        }
        const auto kids = DictionaryValue(node, "/Kids");
        if (type != "/Pages" || !kids || !kids->starts_with("["))
            return false;
        Cursor c{*kids, 1};
        for (;;) {
            const std::string_view kid = NextValue(c);
            if (kid == "]")
                return true;
            const auto kidNumber = ReferencedObject(kid);
            if (!kidNumber || !CollectPages(*kidNumber, pages, visited))
                return false;
        }
    }

    PdfEnds m_ends;
    std::map<int, std::size_t> m_offsets;
};

// A PDF text string in UTF-16BE with its byte-order mark, written in hex so
// that no character needs escaping.
std::string PdfTextString(std::u16string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "<FEFF";
    for (const char16_t unit : text) {
        for (int shift = 12; shift >= 0; shift -= 4)
            out += Hex[(unit >> shift) & 0xF];
    }
    out += '>';
    return out;
}

std::string Reference(int number) {
    return std::to_string(number) + " 0 R";
}

std::string XrefEntry(std::size_t offset) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", offset);
    return std::string(entry, 20);
}

} // namespace

OutlineResult AppendOutline(std::string& pdf, const std::vector<OutlineEntry>& entries) {
    std::string update;
    const OutlineResult result = OutlineUpdate(PdfEnds{{}, 0, pdf}, entries, update);
    pdf += update;
    return result;
}

OutlineResult OutlineUpdate(const PdfEnds& pdf, const std::vector<OutlineEntry>& entries,
                            std::string& update) {
    update.clear();
    if (entries.empty())
        return {};
    PdfStructure structure(pdf);
    if (!structure.Read())
        return {OutlineStatus::Unreadable, structure.Problem};
    if (DictionaryValue(structure.Catalogue, "/Outlines"))
        return {OutlineStatus::HasOutline, "/Outlines"};
    std::vector<int> pages;
    if (!structure.ReadPages(pages))
        return {OutlineStatus::Unreadable, "/Pages"};
    for (const OutlineEntry& entry : entries) {
        if (entry.Page < 0 || static_cast<std::size_t>(entry.Page) >= pages.size())
            return {OutlineStatus::NoSuchPage, std::to_string(entry.Page)};
    }

    // The new objects: the outline dictionary right after the last object of
    // the file, then its items in order.
    const int outline = structure.Size;
    const int firstItem = outline + 1;
    const int count = static_cast<int>(entries.size());
    const int lastItem = firstItem + count - 1;

    std::string catalogue(structure.Catalogue.substr(0, structure.Catalogue.size() - 2));
    catalogue += "/Outlines " + Reference(outline);
    if (!DictionaryValue(structure.Catalogue, "/PageMode"))
        catalogue += " /PageMode /UseOutlines";
    catalogue += "\n>>";

    std::vector<std::string> objects;
    objects.push_back("<< /Type /Outlines /First " + Reference(firstItem) + " /Last " +
                      Reference(lastItem) + " /Count " + std::to_string(count) + " >>");
    for (int i = 0; i < count; ++i) {
        const OutlineEntry& entry = entries[static_cast<std::size_t>(i)];
        std::string item =
            "<< /Title " + PdfTextString(entry.Title) + " /Parent " + Reference(outline);
        if (i > 0)
            item += " /Prev " + Reference(firstItem + i - 1);
        if (i + 1 < count)
            item += " /Next " + Reference(firstItem + i + 1);
        item += " /Dest [" + Reference(pages[static_cast<std::size_t>(entry.Page)]) + " /Fit] >>";
        objects.push_back(std::move(item));
    }

    const std::size_t size = structure.FileSize();
    std::string added;
    if (!pdf.Tail.empty() && pdf.Tail.back() != '\n' && pdf.Tail.back() != '\r')
        added += '\n';
    const auto append = [&](int number, const std::string& body) {
        const std::size_t offset = size + added.size();
        added += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
        return offset;
    };
    const std::size_t catalogueOffset = append(structure.Root, catalogue);
    std::vector<std::size_t> offsets;
    for (int i = 0; i <= count; ++i)
        offsets.push_back(append(outline + i, objects[static_cast<std::size_t>(i)]));

    const std::size_t xref = size + added.size();
    added += "xref\n" + std::to_string(structure.Root) + " 1\n" + XrefEntry(catalogueOffset);
    added += std::to_string(outline) + " " + std::to_string(count + 1) + "\n";
    for (const std::size_t offset : offsets)
        added += XrefEntry(offset);

    std::string trailer =
        "<< /Size " + std::to_string(lastItem + 1) + " /Root " + Reference(structure.Root);
    // The document's information and identity stay those of the original.
    for (const std::string_view key : {"/Info", "/ID"}) {
        if (const auto value = DictionaryValue(structure.Trailer, key))
            trailer += " " + std::string(key) + " " + std::string(*value);
    }
    trailer += " /Prev " + std::to_string(structure.LastXref) + " >>";
    added += "trailer\n" + trailer + "\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";

    update = std::move(added);
    return {};
}

std::vector<OutlineEntry> ReadOutline(const std::string& pdf) {
    PdfStructure structure(pdf);
    std::vector<int> pages;
    if (!structure.Read() || !structure.ReadPages(pages))
        return {};
    const auto outlineValue = DictionaryValue(structure.Catalogue, "/Outlines");
    const auto outline = outlineValue ? ReferencedObject(*outlineValue) : std::nullopt;
    if (!outline)
        return {};
    std::vector<OutlineEntry> entries;
    std::set<int> visited;
    const auto first = DictionaryValue(
        structure.ObjectDictionary(*outline).value_or(std::string_view{}), "/First");
    std::optional<int> item = first ? ReferencedObject(*first) : std::nullopt;
    while (item && visited.insert(*item).second) {
        const std::string_view dictionary =
            structure.ObjectDictionary(*item).value_or(std::string_view{});
        OutlineEntry entry;
        const auto title = DictionaryValue(dictionary, "/Title");
        // Titles are read back in the hex form AppendOutline writes.
        if (title && title->starts_with("<FEFF") && title->size() % 4 == 2) {
            for (std::size_t at = 5; at + 4 <= title->size() - 1; at += 4) {
                unsigned unit = 0;
                std::from_chars(title->data() + at, title->data() + at + 4, unit, 16);
                entry.Title += static_cast<char16_t>(unit);
            }
        }
        entry.Page = -1;
        if (const auto dest = DictionaryValue(dictionary, "/Dest")) {
            Cursor c{*dest, 1};
            const auto page = ReferencedObject(NextValue(c));
            for (std::size_t i = 0; page && i < pages.size(); ++i) {
                if (pages[i] == *page)
                    entry.Page = static_cast<int>(i);
            }
        }
        entries.push_back(std::move(entry));
        const auto next = DictionaryValue(dictionary, "/Next");
        item = next ? ReferencedObject(*next) : std::nullopt;
    }
    return entries;
}

int CountPdfPages(const std::string& pdf) {
    PdfStructure structure(pdf);
    std::vector<int> pages;
    if (!structure.Read() || !structure.ReadPages(pages))
        return -1;
    return static_cast<int>(pages.size());
}

} // namespace notarion
