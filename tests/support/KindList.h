#pragma once

// The list editor's list of one kind over a vector, and catalogue entries
// that print as their texts, so a failed comparison says what differs.

#include "reports/ReportCatalogue.h"
#include "text/Cp1250.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace notarion {

inline void PrintTo(const ReportEntry& entry, std::ostream* out) {
    *out << "{\"" << Cp1250ToUtf8(entry.Title) << "\", \"" << Cp1250ToUtf8(entry.Path) << "\", \""
         << Cp1250ToUtf8(entry.Kind) << "\"}";
}

} // namespace notarion

namespace notarion::testing {

// Records what the catalogue asked of it besides the items.
class VectorKindList : public KindList {
public:
    explicit VectorKindList(std::vector<std::string> items = {}) : Items(std::move(items)) {}
    void ClearItems() override {
        Items.clear();
        ++ClearCalls;
    }
    void AddItem(const std::string& title) override { Items.push_back(title); }
    int ItemCount() const override { return static_cast<int>(Items.size()); }
    std::string ItemText(int position) const override {
        return position >= 0 && position < ItemCount() ? Items[static_cast<std::size_t>(position)]
                                                       : std::string();
    }
    void SelectFirstItem() override { ++SelectCalls; }

    std::vector<std::string> Items;
    int SelectCalls = 0;
    int ClearCalls = 0;
};

} // namespace notarion::testing
