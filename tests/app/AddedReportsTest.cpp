#include "app/AddedReports.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

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

    ReportCatalogue catalogue;
    const AddedReports added = AddChosenReports(catalogue, {good, lower, trip});
    EXPECT_TRUE(added.Changed);
    ASSERT_EQ(catalogue.Slots.size(), 1u);
    EXPECT_EQ(catalogue.Count, 1);
    ASSERT_EQ(added.UnknownKinds.size(), 2u);
    EXPECT_EQ(added.UnknownKinds[0].Path, lower);
    EXPECT_EQ(added.UnknownKinds[0].Nearest, "Sprawozdanie dyrektora");
    EXPECT_NE(added.UnknownKinds[0].Message().find(u"Czy chodziło o „Sprawozdanie dyrektora”?"),
              std::u16string::npos);
    // A kind close to none of the nine is no report: named as before.
    EXPECT_TRUE(added.UnknownKinds[1].Nearest.empty());
    EXPECT_EQ(added.UnknownKinds[1].Message(), NotAReportMessage(trip));
    EXPECT_FALSE(AddChosenReports(catalogue, {lower}).Changed);
}

} // namespace
