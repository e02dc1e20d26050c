#include "app/StartOfWork.h"

#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <algorithm>

namespace notarion {
namespace {

// Wildcard match of "*" (any run) and "?" (one character) on upper-cased text.
bool Matches(std::u16string_view name, std::u16string_view mask) {
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::u16string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u16string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

} // namespace

std::vector<std::string> FindFiles(const std::string& pattern, const std::string& suffix,
                                   std::vector<std::string>& list) {
    const std::string full = pattern + suffix;
    const auto slash = full.find_last_of(PathSeparator);
    const std::string folder = slash == std::string::npos ? std::string() : full.substr(0, slash);
    const std::string maskText = slash == std::string::npos ? full : full.substr(slash + 1);
    const std::u16string mask = UpperCase(Cp1250ToUtf16(maskText));

    struct Found {
        std::u16string key;
        std::string name;
        bool usable;
        std::string shown;
    };
    std::vector<Found> found;
    const std::string listed = folder.empty() && slash != std::string::npos ? "/" : folder;
    for (ListedName& name : ListFileNames(listed.empty() ? "." : listed)) {
        std::u16string key = Cp1250ToUtf16(name.Text);
        for (char16_t& c : key)
            c = UpperCaseChar(c);
        if (Matches(key, mask))
            found.push_back(
                {std::move(key), std::move(name.Text), name.Usable, std::move(name.Shown)});
    }
    // The order of the original platform's file system: by name, letter case
    // ignored; a plain directory listing here would shuffle the classes.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const int byKey = a.key.compare(b.key);
        return byKey != 0 ? byKey < 0 : a.name < b.name;
    });
    // A name the code page cannot spell would open another file of the same
    // spelling, or none; it is handed back for the caller to name.
    std::vector<std::string> unusable;
    for (const Found& entry : found) {
        if (entry.usable)
            list.push_back(folder + PathSeparator + entry.name);
        else
            unusable.push_back(Cp1250ToUtf8(folder) + PathSeparator + entry.shown);
    }
    return unusable;
}

} // namespace notarion
