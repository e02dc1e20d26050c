#pragma once

// The order in which a school counts its classes: 1a, 1b, 2a, ..., 10a (also
// with Roman numbers, Ia ... XIIc), and the catalogue ordered that way within
// each kind. Texts are cp1250.

#include "reports/ReportCatalogue.h"

#include <string_view>

namespace notarion {

// Negative when class a comes before class b, positive after, 0 when they
// count as the same class. A leading number (Arabic or Roman) counts by its
// value, later digit runs too; letters compare without regard to case, each
// Polish letter right after its base letter; blanks are ignored. Names
// without a leading number follow the numbered ones, an empty name is last.
int CompareInSchoolOrder(std::string_view a, std::string_view b);

// Reorder the reports of every kind: the kinds with a class by their class
// in school order, the others (subject, activity, teacher) by the pieces of
// their title in the same order. Reports that compare equal keep their
// order, and every kind keeps the slots it had, so the places of the kinds
// and any empty slot stay. Returns whether any entry moved. Never fails.
bool OrderByClass(ReportCatalogue& catalogue);

} // namespace notarion
