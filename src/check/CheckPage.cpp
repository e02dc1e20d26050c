#include "check/CheckPage.h"

#include "check/FindingText.h"
#include "reports/ClassOrder.h"
#include "reports/ReportKind.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace notarion {
namespace {

constexpr std::string_view LinkPrefix = "pozycja:";
constexpr std::string_view FileLinkPrefix = "plik:";

std::string Cp(std::string_view utf8) {
    return Utf8ToCp1250(utf8);
}

// How many reports of one kind a class has, in a word.
std::string Presence(int count) {
    if (count == 0)
        return "<b>" + Cp("brak") + "</b>";
    if (count == 1)
        return Cp("jest");
    return "<b>" + Cp("podwójne") + " (" + std::to_string(count) + ")</b>";
}

void WriteClassTable(const CheckResult& result, HtmlBuffer& page) {
    if (result.Classes.empty())
        return;
    AppendLine(page, "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">");
    std::string header = "  <tr><th>Klasa</th>";
    for (const ReportKind kind : {ReportKind::Class, ReportKind::Behaviour, ReportKind::Tutor})
        header += "<th>" + KindText(kind) + "</th>";
    AppendLine(page, header + "</tr>");
    for (const ClassTally& tally : result.Classes) {
        AppendLine(page, "  <tr><td>" + PageText(Cp1250ToUtf8(tally.Name)) + "</td><td>" +
                             Presence(tally.ClassReports) + "</td><td>" +
                             Presence(tally.BehaviourReports) + "</td><td>" +
                             Presence(tally.TutorReports) + "</td></tr>");
    }
    AppendLine(page, "</table>");
}

// The folder that holds every file named by the findings, or the empty text
// when they lie in more than one.
std::string CommonFolder(const CheckResult& result) {
    std::string folder;
    for (const Finding& finding : result.Findings) {
        const std::string own = FolderOf(finding.File);
        if (folder.empty())
            folder = own;
        else if (own != folder)
            return {};
    }
    return folder;
}

// A file's name as the page shows it: without the common folder.
std::string ShownName(const std::string& file, const std::string& folder) {
    if (!folder.empty() && file.size() > folder.size() + 1 && file.starts_with(folder) &&
        IsPathSeparator(file[folder.size()]))
        return file.substr(folder.size() + 1);
    return file;
}

void WriteKindCounts(const ReportCatalogue& catalogue, HtmlBuffer& page) {
    AppendLine(page, "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">");
    AppendLine(page, "  <tr><th>Rodzaj sprawozdania</th><th>Liczba</th></tr>");
    for (const KindInfo& kind : KindTable()) {
        int count = 0;
        for (const ReportEntry& entry : catalogue.Slots) {
            if (entry.Kind == kind.Text)
                ++count;
        }
        AppendLine(page, "  <tr><td>" + Cp(kind.Label) + "</td><td>" + std::to_string(count) +
                             "</td></tr>");
    }
    AppendLine(page, "</table>");
}

// The findings of one level about one report file.
struct ReportGroup {
    std::string File;
    std::string Class;
    std::vector<const Finding*> Findings;
};

// The files named by the findings of one level: the reports with a class
// by their class in school order, then the others by their shown name; in
// the order each file is first named where that leaves a tie.
std::vector<ReportGroup> GroupsOf(const CheckResult& result, Severity level,
                                  const std::string& folder) {
    std::vector<ReportGroup> groups;
    std::map<std::string, std::size_t> indexOf;
    for (const Finding& finding : result.Findings) {
        if (finding.Level != level)
            continue;
        const auto [at, added] = indexOf.emplace(finding.File, groups.size());
        if (added)
            groups.push_back({finding.File, finding.ReportClass, {}});
        groups[at->second].Findings.push_back(&finding);
    }
    std::stable_sort(groups.begin(), groups.end(), [&](const auto& a, const auto& b) {
        if (a.Class.empty() != b.Class.empty())
            return b.Class.empty();
        return a.Class.empty()
                   ? CompareInSchoolOrder(ShownName(a.File, folder), ShownName(b.File, folder)) < 0
                   : CompareInSchoolOrder(a.Class, b.Class) < 0;
    });
    return groups;
}

// The link that mends a report: its catalogue entry, or for a file of the
// folder that the catalogue left out (an unknown kind) its place among
// folderFiles; none for a file the editor cannot open.
std::string MendLink(const ReportGroup& group, const std::vector<std::string>& folderFiles) {
    const int entry = group.Findings.front()->ListPosition;
    if (entry >= 0)
        return ReportLink(entry);
    for (const Finding* finding : group.Findings) {
        if (finding->Kind == Problem::UnrepresentableFileName ||
            finding->Kind == Problem::UnreadableFile)
            return {};
    }
    const auto found = std::find(folderFiles.begin(), folderFiles.end(), group.File);
    if (found == folderFiles.end())
        return {};
    return FolderFileLink(static_cast<int>(found - folderFiles.begin()));
}

void AddGroupHeading(HtmlBuffer& page, const std::string& text) {
    AppendLine(page, "   <p class=\"N\"><b><u>" + text + "</u></b></p>");
}

// The findings of one level under the class of their report and the file's
// name. The element stands in every message that is about one, so it is
// added only to the messages that do not say it.
void WriteFindings(const CheckResult& result, Severity level, const std::string& folder,
                   const std::vector<std::string>& folderFiles, HtmlBuffer& page) {
    const std::vector<ReportGroup> groups = GroupsOf(result, level, folder);
    if (groups.empty())
        return;
    AddBoldLine(page, Cp(level == Severity::Error
                             ? "Błędy (przez nie dokumenty nie powstaną):"
                             : "Ostrzeżenia (dokumenty powstaną, ale coś w nich zginie "
                               "albo powtórzy się):"));
    const ShownText asIs = [](std::string_view utf8) { return std::string(utf8); };
    const ReportGroup* previous = nullptr;
    for (const ReportGroup& group : groups) {
        if (!group.Class.empty() &&
            (previous == nullptr || CompareInSchoolOrder(previous->Class, group.Class) != 0))
            AddGroupHeading(page, Cp("Klasa ") + PageText(Cp1250ToUtf8(group.Class)));
        else if (group.Class.empty() && previous != nullptr && !previous->Class.empty())
            AddGroupHeading(page, Cp("Pozostałe sprawozdania"));
        previous = &group;
        std::string heading =
            "<b>" + PageText(Cp1250ToUtf8(ShownName(group.File, folder))) + "</b>";
        if (const std::string link = MendLink(group, folderFiles); !link.empty())
            heading += " &ndash; <a href=\"" + link + "\">Popraw</a>";
        // A paragraph of its own, so the name never runs on after the
        // previous file's last finding.
        AppendLine(page, "   <p class=\"N\">" + heading + "</p>");
        OpenList(page);
        for (const Finding* finding : group.Findings) {
            const std::string message = FindingMessage(*finding, asIs);
            const std::string element = Cp1250ToUtf8(finding->Element);
            std::string item = PageText(message);
            if (!element.empty() && message.find(element) == std::string::npos)
                item = PageText(element) + ": " + item;
            AddListItem(page, item);
        }
        CloseList(page);
    }
}

// The number a link of the page carries after its prefix; -1 for any other link.
int NumberAfter(std::string_view prefix, std::string_view link) {
    if (link.substr(0, prefix.size()) != prefix)
        return -1;
    const std::string_view digits = link.substr(prefix.size());
    int number = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 0)
        return -1;
    return number;
}

} // namespace

std::string ReportLink(int entry) {
    return std::string(LinkPrefix) + std::to_string(entry);
}

int EntryOfReportLink(std::string_view link) {
    return NumberAfter(LinkPrefix, link);
}

std::string FolderFileLink(int index) {
    return std::string(FileLinkPrefix) + std::to_string(index);
}

int FolderFileOfLink(std::string_view link) {
    return NumberAfter(FileLinkPrefix, link);
}

std::string PageText(std::string_view utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t c = units[i];
        switch (c) {
        case u'<':
            text += "&lt;";
            continue;
        case u'>':
            text += "&gt;";
            continue;
        case u'&':
            text += "&amp;";
            continue;
        case u'"':
            text += "&quot;";
            continue;
        default:
            break;
        }
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        if (pair) {
            const unsigned code = 0x10000u + ((c - 0xD800u) << 10) + (units[i + 1] - 0xDC00u);
            text += "&#" + std::to_string(code) + ";";
            ++i;
            continue;
        }
        const std::string spelt = Utf16ToCp1250(std::u16string_view(&units[i], 1));
        text += spelt != "?" || c == u'?' ? spelt : "&#" + std::to_string(unsigned{c}) + ";";
    }
    return text;
}

HtmlBuffer CheckPage(const CheckResult& result, const ReportCatalogue* catalogue,
                     const std::vector<std::string>& folderFiles) {
    HtmlBuffer page;
    BeginPage(page);
    AddHeading(page, Cp("SPRAWDZENIE ZESTAWU SPRAWOZDAŃ"));
    OpenParagraph(page);
    const bool errors = result.ErrorCount() > 0;
    AddBoldLine(page, result.Findings.empty()
                          ? Cp("Zestaw gotowy do wygenerowania.")
                          : Cp("Błędy: " + std::to_string(result.ErrorCount()) +
                               ", ostrzeżenia: " + std::to_string(result.WarningCount()) + "."));
    if (errors) {
        AddTextLine(page, Cp("Co dalej: popraw sprawozdania z błędami („Popraw” przy nazwie "
                             "pliku otwiera je w edytorze) i sprawdź zestaw jeszcze raz."));
    } else {
        AddTextLine(page, Cp("Co dalej: <a href=\"" + std::string(GenerateLink) +
                             "\">Generuj zestaw</a> – dokumenty trafią do folderu Protokoly."));
    }
    const std::string folder = CommonFolder(result);
    if (!folder.empty())
        AddLabelLine(page, "Folder:", PageText(Cp1250ToUtf8(folder)));
    AddLabelLine(page, Cp("Sprawdzone sprawozdania:"), std::to_string(result.ReportsChecked));
    CloseParagraph(page);
    if (catalogue != nullptr)
        WriteKindCounts(*catalogue, page);
    WriteClassTable(result, page);
    WriteFindings(result, Severity::Error, folder, folderFiles, page);
    WriteFindings(result, Severity::Warning, folder, folderFiles, page);
    EndPage(page);
    return page;
}

} // namespace notarion
