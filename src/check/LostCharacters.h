#pragma once

// The values of a UTF-16 report that hold characters Windows-1250 cannot
// spell. The documents are written in that code page and show "?" for such
// a character, so a Cyrillic name or an emoji in a teacher's text is lost
// without a word unless the check names it.

#include <string>
#include <vector>

namespace notarion {

class XmlDocument;

struct LostValue {
    // "Szkola/Pasek/Uczen2" (cp1250; a name's own lost letters become "?").
    std::string Element;
    // The lost characters, each once, in the order met, as UTF-8.
    std::string Characters;
};

// Every element below the document's root whose text loses characters, in
// document order.
std::vector<LostValue> FindLostCharacters(const XmlDocument& report);

} // namespace notarion
