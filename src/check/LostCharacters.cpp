#include "check/LostCharacters.h"

#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

namespace notarion {
namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The characters of text that cp1250 cannot hold, each once; a surrogate
// pair is one character.
std::u16string Lost(std::u16string_view text) {
    std::u16string lost;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t length = 1;
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            length = 2;
        const std::u16string_view character = text.substr(i, length);
        i += length - 1;
        if (character == u"?" || Utf16ToCp1250(character) != "?")
            continue;
        if (lost.find(character) != std::u16string::npos)
            continue;
        lost += character;
    }
    return lost;
}

void Walk(const XmlNode& node, const std::string& path, std::vector<LostValue>& found) {
    for (const XmlNode* element : node.Children()) {
        const XmlNode& child = *element;
        if (child.Kind() != XmlNodeKind::Element)
            continue;
        const std::string childPath =
            (path.empty() ? std::string() : path + "/") + Utf16ToCp1250(child.Name());
        const std::u16string lost = Lost(child.Value());
        if (!lost.empty())
            found.push_back(LostValue{childPath, Utf16ToUtf8(lost)});
        Walk(child, childPath, found);
    }
}

} // namespace

std::vector<LostValue> FindLostCharacters(const XmlDocument& report) {
    std::vector<LostValue> found;
    Walk(report.Root, {}, found);
    return found;
}

} // namespace notarion
