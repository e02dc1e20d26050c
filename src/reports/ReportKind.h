#pragma once

// The nine report kinds. A report's kind is the exact text of its "Doc"
// element; kinds are always compared exactly, letter case included.

#include <array>
#include <string>
#include <string_view>

namespace notarion {

inline constexpr int ReportKindCount = 9;

// The kind text for index 0 to 8 (the index of the list editor's kind
// selector), or the empty text for any other index. Texts are cp1250.
std::string KindText(int index);

// The index 0 to 8 of a kind text, or -1 when it is none of the nine.
int KindIndex(std::string_view kind);

// The kind texts in the order of the ordered catalogue (behaviour reports
// first, the head teacher's report last).
const std::array<std::string, ReportKindCount>& KindsInCatalogueOrder();

} // namespace notarion
