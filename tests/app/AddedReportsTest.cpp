#include "app/AddedReports.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace notarion;

namespace {

TEST(AddedReports, KindsCloseToOneOfTheNineAreNamedWithTheGuessAndLeftOutWithNoReports) {
    const notarion::testing::TempFolder temp;
    const auto write = [&](const std::string& name, const std::string& doc) {
        std::ofstream(temp.PathOf(name), std::ios::binary)
            << "<Szkola><Doc>" + doc + "</Doc><Belfer>Ala</Belfer></Szkola>";
        return temp.File(name);
    };
    const std::string good = write("a.xml", "Sprawozdanie dyrektora");
    const std::string lower = write("b.xml", "sprawozdanie dyrektora");
    const std::string trip = write("c.xml", "Sprawozdanie z wycieczki");
    const std::string after = write("d.xml", "Sprawozdanie dyrektora");
    const std::string missing = temp.File("brak.xml");

    ReportCatalogue catalogue;
    const AddedReports added = AddChosenReports(catalogue, {good, lower, trip, missing, after});
    EXPECT_TRUE(added.Changed);
    EXPECT_EQ(added.Tried, (std::vector<std::string>{good, lower, trip}));
    EXPECT_EQ(added.Unopenable, missing);
    EXPECT_TRUE(added.Damaged.empty());
    ASSERT_EQ(catalogue.Slots.size(), 1u);
    EXPECT_EQ(catalogue.Count, 1);
    EXPECT_EQ(catalogue.Slots[0].Path, good);
    ASSERT_EQ(added.UnknownKinds.size(), 2u);
    EXPECT_EQ(added.UnknownKinds[0].Path, lower);
    EXPECT_EQ(added.UnknownKinds[0].Nearest, "Sprawozdanie dyrektora");
    EXPECT_NE(added.UnknownKinds[0].Message().find(u"„Popraw”"), std::u16string::npos);
    // A kind close to none of the nine is no report: named as before.
    EXPECT_EQ(added.UnknownKinds[1].Path, trip);
    EXPECT_TRUE(added.UnknownKinds[1].Nearest.empty());
    EXPECT_EQ(added.UnknownKinds[1].Message(), NotAReportMessage(trip));

    // Nothing of a known kind: the catalogue stays as it was.
    EXPECT_FALSE(AddChosenReports(catalogue, {lower}).Changed);
    EXPECT_EQ(catalogue.Slots.size(), 1u);
}

} // namespace
