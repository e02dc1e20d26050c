#pragma once

// Opening the help pages that lie beside the executable. The page is handed
// to the desktop's default handler for local files; the outcome is not
// examined, as nothing in the program depends on the help being readable.

#include <QUrl>

#include <functional>
#include <string>

namespace notarion {

// Relative help paths with the names as the program gives them; each folder
// and name is found without regard to letter case.
inline constexpr const char* HelpIndexPage = "Pomoc/index.htm";
inline constexpr const char* HelpReportMenuPage = "pomoc/menuraport.htm";

// The path below folder that relativePath names, each component matched
// without regard to letter case against what exists ("pomoc/menuraport.htm"
// finds "Pomoc/menuraport.htm"). Both "/" and "\" separate components. From
// the first component that has no match on, the components are kept as
// given. Paths are cp1250 text; never fails.
std::string ResolvePathIgnoringCase(const std::string& folder, const std::string& relativePath);

// Opens help pages with an exchangeable opener, so tests can watch what
// would be opened without starting a browser.
class HelpOpener {
public:
    using UrlOpener = std::function<void(const QUrl&)>;

    // An opener that hands pages to the desktop (QDesktopServices::openUrl).
    HelpOpener();
    // An opener that hands each page's URL to opener instead.
    explicit HelpOpener(UrlOpener opener);

    // Open appFolder + relativePath (resolved ignoring case) as a local file.
    // Failures are not reported: a missing page shows nothing of ours.
    void Open(const std::string& appFolder, const std::string& relativePath) const;

private:
    UrlOpener m_opener;
};

} // namespace notarion
