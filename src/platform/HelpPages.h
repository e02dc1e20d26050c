#pragma once

// Opening the help pages: beside the executable in a build folder, or in the
// data folder of an installed program (bin/../share/notarion). The page is handed
// to the desktop's default handler for local files; where the desktop has
// none (no web browser installed), the page opens in a viewer window of the
// program's own, and when the page is missing too, a message says so.

#include <QUrl>

#include <functional>
#include <string>

namespace notarion {

// Relative help paths with the names as the program gives them; each folder
// and name is found without regard to letter case.
inline constexpr const char* HelpIndexPage = "Pomoc/index.htm";
inline constexpr const char* HelpReportMenuPage = "pomoc/menuraport.htm";
inline constexpr const char* HelpEditorPage = "Pomoc/edytor.htm";

// The path below folder that relativePath names, each component matched
// without regard to letter case against what exists ("pomoc/menuraport.htm"
// finds "Pomoc/menuraport.htm"). Both "/" and "\" separate components. From
// the first component that has no match on, the components are kept as
// given. Paths are cp1250 text; never fails.
std::string ResolvePathIgnoringCase(const std::string& folder, const std::string& relativePath);

// The help page relativePath for a program whose executable lies in
// appFolder: beside it when it is there (a build folder), else in the data
// folder of an installed program; when neither has it, the path beside the
// executable. Components are matched ignoring case; never fails.
std::string HelpPagePath(const std::string& appFolder, const std::string& relativePath);

// Opens help pages with an exchangeable opener, so tests can watch what
// would be opened without starting a browser.
class HelpOpener {
public:
    using UrlOpener = std::function<void(const QUrl&)>;
    // What hands a page to the desktop: false when the desktop could not open it.
    using DesktopOpener = std::function<bool(const QUrl&)>;

    // An opener that hands pages to the desktop (QDesktopServices::openUrl),
    // falling back as WithDesktop describes.
    HelpOpener();
    // An opener that hands each page's URL to opener instead.
    explicit HelpOpener(UrlOpener opener);

    // An opener that hands each page to desktop; when desktop cannot open it,
    // an existing page is shown in the program's own viewer window (a window
    // of its own, closed by the user), and a missing one is named in a
    // message box. Never fails.
    static HelpOpener WithDesktop(DesktopOpener desktop);

    // Open the page HelpPagePath finds as a local file.
    void Open(const std::string& appFolder, const std::string& relativePath) const;

private:
    UrlOpener m_opener;
};

} // namespace notarion
