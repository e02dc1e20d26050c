#pragma once

// A deliberately strict reader for the files the sample school writes, so the
// tests judge them independently of the generator: one declaration, comments,
// one document element; an element's own text only before its first child;
// every "&", "<", ">" and double quote in text written as an entity; tags
// balanced with exactly matching names. Text comes out trimmed and decoded,
// as UTF-8.

#include "text/Cp1250.h"

#include <string>
#include <string_view>
#include <vector>

namespace notarion::testing {

struct StrictElement {
    std::string Name;
    std::string Text;
    std::vector<StrictElement> Children;

    // The first child of that exact name, or null.
    const StrictElement* Child(std::string_view name) const {
        for (const StrictElement& child : Children) {
            if (child.Name == name)
                return &child;
        }
        return nullptr;
    }

    // The text of the child of that name; empty when there is none.
    std::string TextOf(std::string_view name) const {
        const StrictElement* child = Child(name);
        return child == nullptr ? std::string() : child->Text;
    }
};

// File bytes as UTF-8 text: UTF-16 little-endian after FF FE, else Windows-1250.
inline std::string DecodeFileBytes(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::u16string wide;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return Utf16ToUtf8(wide);
    }
    return Cp1250ToUtf8(bytes);
}

class StrictReader {
public:
    // Parse the text; Error() is empty when it met every rule.
    explicit StrictReader(std::string_view text) : m_text(text) {
        SkipBlanks();
        if (m_text.substr(m_pos, 5) == "<?xml") {
            const auto end = m_text.find("?>", m_pos);
            if (end == std::string_view::npos) {
                Fail("unterminated declaration");
                return;
            }
            m_pos = end + 2;
        }
        SkipBlanksAndComments();
        if (!ParseElement(m_root))
            return;
        SkipBlanksAndComments();
        if (m_pos != m_text.size())
            Fail("something after the document element");
    }

    const std::string& Error() const { return m_error; }
    const StrictElement& Root() const { return m_root; }

private:
    // Note the first broken rule; always false, for returning at once.
    bool Fail(const std::string& what) {
        if (m_error.empty())
            m_error = what + " at offset " + std::to_string(m_pos);
        return false;
    }

    void SkipBlanks() {
        while (m_pos < m_text.size() &&
               std::string_view(" \t\r\n").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
    }

    void SkipBlanksAndComments() {
        for (;;) {
            SkipBlanks();
            if (m_text.substr(m_pos, 4) != "<!--")
                return;
            const auto end = m_text.find("-->", m_pos);
            if (end == std::string_view::npos) {
                Fail("unterminated comment");
                return;
            }
            m_pos = end + 3;
        }
    }

    bool ReadText(std::string& out) {
        const auto end = m_text.find('<', m_pos);
        if (end == std::string_view::npos)
            return Fail("text runs to the end");
        std::string_view raw = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        while (!raw.empty() && static_cast<unsigned char>(raw.front()) <= 32)
            raw.remove_prefix(1);
        while (!raw.empty() && static_cast<unsigned char>(raw.back()) <= 32)
            raw.remove_suffix(1);
        static constexpr std::pair<std::string_view, char> entities[] = {
            {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '>' || raw[i] == '"')
                return Fail("unescaped markup character in text");
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            bool known = false;
            for (const auto& [entity, character] : entities) {
                if (raw.substr(i, entity.size()) == entity) {
                    out += character;
                    i += entity.size() - 1;
                    known = true;
                    break;
                }
            }
            if (!known)
                return Fail("bare ampersand in text");
        }
        return true;
    }

    bool ParseElement(StrictElement& element) {
        if (m_pos >= m_text.size() || m_text[m_pos] != '<')
            return Fail("expected a start tag");
        const auto close = m_text.find('>', m_pos);
        if (close == std::string_view::npos)
            return Fail("unterminated start tag");
        std::string_view tag = m_text.substr(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        const bool selfClosed = !tag.empty() && tag.back() == '/';
        if (selfClosed)
            tag.remove_suffix(1);
        if (tag.empty() || tag.find_first_of(" \t\r\n/<&\"") != std::string_view::npos)
            return Fail("bad element name");
        element.Name = std::string(tag);
        if (selfClosed)
            return true;
        if (!ReadText(element.Text))
            return false;
        for (;;) {
            if (m_text.substr(m_pos, 2) == "</") {
                const std::string end = "</" + element.Name + ">";
                if (m_text.substr(m_pos, end.size()) != end)
                    return Fail("end tag does not match " + element.Name);
                m_pos += end.size();
                return true;
            }
            element.Children.emplace_back();
            if (!ParseElement(element.Children.back()))
                return false;
            // Only blanks may follow a child up to the next tag.
            std::string after;
            if (!ReadText(after))
                return false;
            if (!after.empty())
                return Fail("text after a child of " + element.Name);
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
    StrictElement m_root;
};

} // namespace notarion::testing
