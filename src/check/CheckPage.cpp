#include "check/CheckPage.h"

#include "check/FindingText.h"
#include "reports/ReportKind.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <charconv>
#include <map>

namespace notarion {
namespace {

constexpr std::string_view LinkPrefix = "pozycja:";

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

// The findings of one level, grouped by file in the order each file is
// first named. The element stands in every message that is about one, so
// it is added only to the messages that do not say it.
void WriteFindings(const CheckResult& result, Severity level, const std::string& folder,
                   HtmlBuffer& page) {
    std::vector<std::string> files;
    std::map<std::string, std::vector<const Finding*>> byFile;
    for (const Finding& finding : result.Findings) {
        if (finding.Level != level)
            continue;
        auto& group = byFile[finding.File];
        if (group.empty())
            files.push_back(finding.File);
        group.push_back(&finding);
    }
    if (files.empty())
        return;
    AddBoldLine(page, Cp(level == Severity::Error
                             ? "Błędy (przez nie dokumenty nie powstaną):"
                             : "Ostrzeżenia (dokumenty powstaną, ale coś w nich zginie "
                               "albo powtórzy się):"));
    const ShownText asIs = [](std::string_view utf8) { return std::string(utf8); };
    for (const std::string& file : files) {
        const std::vector<const Finding*>& group = byFile[file];
        const int entry = group.front()->ListPosition;
        std::string heading = "<b>" + PageText(Cp1250ToUtf8(ShownName(file, folder))) + "</b>";
        if (entry >= 0)
            heading += " &ndash; <a href=\"" + ReportLink(entry) + "\">Popraw</a>";
        // A paragraph of its own, so the name never runs on after the
        // previous file's last finding.
        AppendLine(page, "   <p class=\"N\">" + heading + "</p>");
        OpenList(page);
        for (const Finding* finding : group) {
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

} // namespace

std::string ReportLink(int entry) {
    return std::string(LinkPrefix) + std::to_string(entry);
}

int EntryOfReportLink(std::string_view link) {
    if (link.substr(0, LinkPrefix.size()) != LinkPrefix)
        return -1;
    const std::string_view digits = link.substr(LinkPrefix.size());
    int entry = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), entry);
    if (error != std::errc() || end != digits.data() + digits.size() || entry < 0)
        return -1;
    return entry;
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

HtmlBuffer CheckPage(const CheckResult& result, const ReportCatalogue* catalogue) {
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
    WriteFindings(result, Severity::Error, folder, page);
    WriteFindings(result, Severity::Warning, folder, page);
    EndPage(page);
    return page;
}

} // namespace notarion
