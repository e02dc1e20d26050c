#include "app/AddedReports.h"

#include "check/ReportCheck.h"
#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <algorithm>

namespace notarion {

std::u16string UnknownKindFile::Message() const {
    if (Nearest.empty())
        return NotAReportMessage(Path);
    return u"Plik: " + Cp1250ToUtf16(Path) +
           u" nie jest sprawozdaniem żadnego ze znanych rodzajów. Czy chodziło o „" +
           Cp1250ToUtf16(Nearest) +
           u"”?\rNie dodano go do listy. „Popraw” otworzy go w edytorze sprawozdań: po wybraniu "
           u"rodzaju i zapisaniu plik zostanie dodany do listy.";
}

AddedReports AddChosenReports(ReportCatalogue& catalogue, const std::vector<std::string>& chosen) {
    AddedReports added;
    const auto unreachable = std::find_if(
        chosen.begin(), chosen.end(), [](const std::string& path) { return !FileExists(path); });
    added.Tried.assign(chosen.begin(), unreachable);
    if (unreachable != chosen.end())
        added.Unopenable = *unreachable;
    const std::size_t before = catalogue.Slots.size();
    try {
        AppendToCatalogue(catalogue, added.Tried);
    } catch (const ReportFileError& error) {
        added.Damaged = error.Path();
    }
    // The entries are looked at before they go: their kind text is what the
    // check compares with the nine.
    for (std::size_t i = before; i < catalogue.Slots.size(); ++i) {
        const ReportEntry& entry = catalogue.Slots[i];
        if (KindIndex(entry.Kind) < 0)
            added.UnknownKinds.push_back({entry.Path, NearestKind(entry.Kind)});
    }
    TakeOutUnknownKinds(catalogue, before);
    added.Changed = catalogue.Slots.size() != before;
    return added;
}

} // namespace notarion
