#pragma once

// The result of a check as a page for the window program's preview window:
// a verdict with what to do next, the folder of the reports once, the count
// of reports per kind, a table of the classes against their three per-class
// reports, then the errors and after them the warnings. Within each, the
// findings stand under their report file's name, the files under their
// report's class in school order and the reports without a class after
// them. The page has the documents' own frame and code page. A file the
// report editor can open has a "Popraw" link: to its catalogue entry, or to
// its place among the folder's files when the catalogue left it out (an
// unknown kind), so the list editor can open it; a set without errors has a
// link that generates it.

#include "check/ReportCheck.h"
#include "generate/HtmlPage.h"
#include "reports/ReportCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The file name of the page in the work folder, beside the preview page.
inline constexpr std::string_view CheckPageFileName = "Sprawdzenie.htm";

// The page of a check's result, framed, ready for SaveBuffer. With a
// catalogue, the page counts its reports of each kind; folderFiles are the
// files the check was given besides the catalogue (CheckCatalogue's).
HtmlBuffer CheckPage(const CheckResult& result, const ReportCatalogue* catalogue = nullptr,
                     const std::vector<std::string>& folderFiles = {});

// The link of the page that generates the set.
inline constexpr std::string_view GenerateLink = "generuj:";

// The link of a page to a catalogue entry, and back: the entry a link
// names, or -1 when the link is none of the page's.
std::string ReportLink(int entry);
int EntryOfReportLink(std::string_view link);
// The same for the index of a file among the folder's files.
std::string FolderFileLink(int index);
int FolderFileOfLink(std::string_view link);

// UTF-8 text as page text (cp1250): markup characters escaped, characters
// outside the code page as character references, so nothing is lost.
std::string PageText(std::string_view utf8);

} // namespace notarion
