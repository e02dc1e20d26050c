#include "generate/SetContents.h"

#include "generate/DocumentSet.h"
#include "generate/SetSummary.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "text/Cp1250.h"

#include <algorithm>

namespace notarion {

SetContents DescribeSet(const ReportCatalogue& catalogue, const std::string& folder) {
    SetContents contents;
    contents.Folder = folder;
    const std::size_t used =
        std::min(static_cast<std::size_t>(std::max(catalogue.Count, 0)), catalogue.Slots.size());
    for (const std::string& kind : KindsInCatalogueOrder()) {
        const auto count =
            std::count_if(catalogue.Slots.begin(), catalogue.Slots.begin() + used,
                          [&](const ReportEntry& entry) { return entry.Kind == kind; });
        contents.Counts.push_back({kind, static_cast<int>(count)});
    }
    contents.Documents.push_back(
        {Utf8ToCp1250(SummaryTitle), DocumentPath(folder, SummaryFileName)});
    for (int option = 0; option < DocumentCount; ++option) {
        contents.Documents.push_back(
            {DocumentTitleForOption(option), DocumentPath(folder, DocumentFileForOption(option))});
    }
    return contents;
}

} // namespace notarion
