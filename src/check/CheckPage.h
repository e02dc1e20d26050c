#pragma once

// The result of a check as a page for the window program's preview window:
// a verdict with what to do next, the folder of the reports once, the count
// of reports per kind, a table of the classes against their three per-class
// reports, then the errors and after them the warnings, each grouped by
// report file under the file's name. The page has the documents' own frame
// and code page. A file of the catalogue has a "Popraw" link that names its
// catalogue entry, so the list editor can open the report it leads to; a
// set without errors has a link that generates it.

#include "check/ReportCheck.h"
#include "generate/HtmlPage.h"
#include "reports/ReportCatalogue.h"

#include <string>
#include <string_view>

namespace notarion {

// The file name of the page in the work folder, beside the preview page.
inline constexpr std::string_view CheckPageFileName = "Sprawdzenie.htm";

// The page of a check's result, framed, ready for SaveBuffer. With a
// catalogue, the page counts its reports of each kind.
HtmlBuffer CheckPage(const CheckResult& result, const ReportCatalogue* catalogue = nullptr);

// The link of the page that generates the set.
inline constexpr std::string_view GenerateLink = "generuj:";

// The link of a page to a catalogue entry, and back: the entry a link
// names, or -1 when the link is none of the page's.
std::string ReportLink(int entry);
int EntryOfReportLink(std::string_view link);

// UTF-8 text as page text (cp1250): markup characters escaped, characters
// outside the code page as character references, so nothing is lost.
std::string PageText(std::string_view utf8);

} // namespace notarion
