#include "reports/ClassOrder.h"

#include "reports/ReportKind.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace notarion {
namespace {

TEST(ClassOrder, ClassesComeInTheOrderASchoolCountsThem) {
    // Each name comes before every later one; the names in one row count
    // as the same class.
    const std::vector<std::vector<std::string>> ordered = {
        {"1a", "I a", "Ia", "1 A"},
        {"1b", "Ib"},
        {"2a", "IIa", "02a"},
        {"2b"},
        {"4d", "IV d"},
        {"9a", "IXa"},
        {"10a", "Xa"},
        {"12c"},
        {"Oddział A"},
        {"Oddział Ą"},
        {"Oddział B"},
        {""},
    };
    for (std::size_t row = 0; row < ordered.size(); ++row) {
        for (std::size_t other = 0; other < ordered.size(); ++other) {
            for (const std::string& a : ordered[row]) {
                for (const std::string& b : ordered[other]) {
                    const int expected = row < other ? -1 : (row > other ? 1 : 0);
                    const int got = CompareInSchoolOrder(Utf8ToCp1250(a), Utf8ToCp1250(b));
                    EXPECT_EQ((got > 0) - (got < 0), expected) << a << " / " << b;
                }
            }
        }
    }
}

ReportEntry Entry(ReportKind kind, const std::string& pieces, const std::string& path) {
    const std::string text = KindText(kind);
    return {Utf8ToCp1250(text + " - " + pieces), path, text};
}

std::vector<std::string> Paths(const ReportCatalogue& catalogue) {
    std::vector<std::string> paths;
    for (const ReportEntry& entry : catalogue.Slots)
        paths.push_back(entry.Path);
    return paths;
}

TEST(ClassOrder, EveryKindIsOrderedInItsOwnSlotsStableWithinAClass) {
    ReportCatalogue catalogue;
    catalogue.Slots = {
        Entry(ReportKind::Behaviour, "4d - Nowak", "z4d"),
        Entry(ReportKind::Behaviour, "1a - Kowal", "z1a"),
        Entry(ReportKind::Class, "10a - Lis", "k10a"),
        Entry(ReportKind::Class, "2a - Lis", "k2a-first"),
        Entry(ReportKind::Class, "1b - Lis", "k1b"),
        Entry(ReportKind::Class, "2a - Adamska", "k2a-second"),
        // The subject holds the separator; the class is found from the end.
        Entry(ReportKind::FailJustification, "Język angielski - grupa 1 - 3a - Lis", "u3a"),
        Entry(ReportKind::FailJustification, "Matematyka - 1a - Lis", "u1a"),
        Entry(ReportKind::Subject, "Matematyka - Lis", "pm"),
        Entry(ReportKind::Subject, "Biologia - Żak", "pb"),
        {},
        Entry(ReportKind::CardHours, "Żak", "hz"),
        Entry(ReportKind::CardHours, "Łukasz", "hl"),
        Entry(ReportKind::CardHours, "Adamska", "ha"),
        // A kind's entries left apart by an added file keep their places.
        Entry(ReportKind::Behaviour, "2c - Nowak", "z2c"),
    };
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
    EXPECT_TRUE(OrderByClass(catalogue));
    const std::vector<std::string> expected = {"z1a",  "z2c", "k1b", "k2a-first", "k2a-second",
                                               "k10a", "u1a", "u3a", "pb",        "pm",
                                               "",     "ha",  "hl",  "hz",        "z4d"};
    EXPECT_EQ(Paths(catalogue), expected);
    EXPECT_EQ(catalogue.Count, 15);
    EXPECT_FALSE(OrderByClass(catalogue)) << "a second ordering moves nothing";
}

} // namespace
} // namespace notarion
