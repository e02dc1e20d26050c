// Bookmarks appended to a finished PDF: the original bytes stay, the update
// is read back by our reader and by poppler, and files of another form are
// refused without being touched.

#include "platform/PdfOutline.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <regex>

namespace notarion {
namespace {

// A small PDF of the classic form with the given number of empty pages,
// its cross-reference offsets computed as a writer would.
std::string MinimalPdf(int pages) {
    std::vector<std::string> objects;
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (int i = 0; i < pages; ++i)
        kids += std::to_string(3 + i) + " 0 R ";
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) +
                      " >>");
    for (int i = 0; i < pages; ++i)
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>");
    objects.push_back("<< /Producer (test (nested) \\) paren) >>");

    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    const std::string info = std::to_string(objects.size());
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info " +
           info + " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

const std::vector<OutlineEntry> ThreeEntries = {
    {u"Uczniowie z oceną wzorową z zachowania", 0},
    {u"Klasyfikacja uczniów - zachowanie", 2},
    {u"Sprawozdanie dyrektora szkoły (ŻÓŁĆ)", 3},
};

TEST(PdfOutline, AppendsAnUpdateThatReadsBackWithTitlesAndPages) {
    const std::string original = MinimalPdf(4);
    std::string pdf = original;
    ASSERT_TRUE(AppendOutline(pdf, ThreeEntries).Ok());
    EXPECT_EQ(pdf.substr(0, original.size()), original);

    const std::vector<OutlineEntry> read = ReadOutline(pdf);
    ASSERT_EQ(read.size(), ThreeEntries.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].Title, ThreeEntries[i].Title);
        EXPECT_EQ(read[i].Page, ThreeEntries[i].Page);
    }
    EXPECT_EQ(CountPdfPages(pdf), 4);
    EXPECT_NE(pdf.find("/PageMode /UseOutlines"), std::string::npos);
    EXPECT_NE(pdf.find("/Info 7 0 R"), std::string::npos) << "the information stays";
}

TEST(PdfOutline, EveryNewCrossReferenceEntryPointsAtItsObject) {
    std::string pdf = MinimalPdf(4);
    ASSERT_TRUE(AppendOutline(pdf, ThreeEntries).Ok());
    const std::size_t xref = pdf.rfind("\nxref\n") + 1;
    const std::string section = pdf.substr(xref);
    // Subsection headers, then 20-byte entries with the object's offset.
    const std::regex header(R"((\d+) (\d+)\n)");
    std::size_t checked = 0;
    for (auto it = std::sregex_iterator(section.begin(), section.end(), header);
         it != std::sregex_iterator(); ++it) {
        const int first = std::stoi((*it)[1]);
        const int count = std::stoi((*it)[2]);
        const std::size_t entries = static_cast<std::size_t>(it->position(0) + it->length(0));
        for (int i = 0; i < count; ++i) {
            const std::string entry =
                section.substr(entries + 20 * static_cast<std::size_t>(i), 20);
            ASSERT_EQ(entry.substr(10), " 00000 n\r\n");
            const std::size_t offset = std::stoul(entry.substr(0, 10));
            EXPECT_EQ(pdf.compare(offset, std::to_string(first + i).size() + 6,
                                  std::to_string(first + i) + " 0 obj"),
                      0)
                << "object " << first + i;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 1 + 1 + ThreeEntries.size()); // catalogue, outline, items
    EXPECT_NE(pdf.find("startxref\n" + std::to_string(xref) + "\n%%EOF\n"), std::string::npos);
}

TEST(PdfOutline, PopplerReadsTheOutlineAndTheWholeFile) {
    testing::TempFolder folder;
    std::string pdf = MinimalPdf(4);
    ASSERT_TRUE(AppendOutline(pdf, ThreeEntries).Ok());
    const std::string path = folder.File("outline.pdf");
    testing::WriteBytes(path, pdf);
    const std::string info = testing::RunCommand("pdfinfo '" + path + "' 2>&1");
    EXPECT_EQ(testing::InfoField(info, "Pages"), "4") << info;
    EXPECT_EQ(info.find("Error"), std::string::npos) << info;
    const std::string xml = testing::RunCommand("pdftohtml -xml -i -q -stdout '" + path + "'");
    EXPECT_NE(xml.find("<item page=\"1\">Uczniowie z oceną wzorową z zachowania</item>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<item page=\"4\">Sprawozdanie dyrektora szkoły (ŻÓŁĆ)</item>"),
              std::string::npos)
        << xml;
}

TEST(PdfOutline, AFileKnownByItsEndsGetsTheUpdateOfTheWholeFile) {
    // The catalogue and the page tree in the head, the pages between the
    // ends, the information, the table and the trailer in the tail.
    const std::string pdf = MinimalPdf(4);
    const std::size_t pages = pdf.find("3 0 obj");
    const std::size_t info = pdf.find("7 0 obj");
    const PdfEnds ends{std::string_view(pdf).substr(0, pages), info,
                       std::string_view(pdf).substr(info)};
    std::string whole = pdf;
    ASSERT_TRUE(AppendOutline(whole, ThreeEntries).Ok());
    std::string update;
    ASSERT_TRUE(OutlineUpdate(ends, ThreeEntries, update).Ok());
    EXPECT_EQ(pdf + update, whole);
    // A page whose object the head cuts short lies between the ends too.
    const PdfEnds cutShort{std::string_view(pdf).substr(0, pages + 20), info, ends.Tail};
    ASSERT_TRUE(OutlineUpdate(cutShort, ThreeEntries, update).Ok());
    EXPECT_EQ(pdf + update, whole);

    // Without the catalogue there is nothing to hang the outline on.
    const PdfEnds tailOnly{{}, info, ends.Tail};
    EXPECT_EQ(OutlineUpdate(tailOnly, ThreeEntries, update).Status, OutlineStatus::Unreadable);
    EXPECT_TRUE(update.empty());
    // A page the tree does not have is still refused.
    EXPECT_EQ(OutlineUpdate(ends, {{u"x", 4}}, update).Status, OutlineStatus::NoSuchPage);
}

TEST(PdfOutline, RefusesWhatItCannotUpdateAndLeavesTheBytesAlone) {
    std::string twice = MinimalPdf(4);
    ASSERT_TRUE(AppendOutline(twice, ThreeEntries).Ok());
    std::string withoutTrailer = MinimalPdf(2);
    withoutTrailer.erase(withoutTrailer.find("startxref"));
    std::string badOffset = MinimalPdf(2);
    badOffset.replace(badOffset.rfind("startxref\n") + 10, 3, "999");
    std::string loopingPrev = MinimalPdf(2);
    const std::size_t xref = loopingPrev.rfind("xref\n");
    loopingPrev.replace(loopingPrev.find("/Info"), 5, "/Prev " + std::to_string(xref) + " /Info");
    std::string deepNesting = MinimalPdf(2);
    deepNesting.replace(deepNesting.find("/Type /Catalog"), 14,
                        "/Deep " + std::string(200, '[') + " /Type /Catalog");

    struct Case {
        const char* What;
        std::string Pdf;
        std::vector<OutlineEntry> Entries;
        OutlineStatus Expected;
    };
    const std::vector<Case> cases = {
        {"not a pdf", "plain text", ThreeEntries, OutlineStatus::Unreadable},
        {"no trailer", withoutTrailer, ThreeEntries, OutlineStatus::Unreadable},
        {"startxref points nowhere", badOffset, ThreeEntries, OutlineStatus::Unreadable},
        {"xref chain loops", loopingPrev, ThreeEntries, OutlineStatus::Unreadable},
        {"nesting without end", deepNesting, ThreeEntries, OutlineStatus::Unreadable},
        {"outline already there", twice, ThreeEntries, OutlineStatus::HasOutline},
        {"page past the end", MinimalPdf(2), ThreeEntries, OutlineStatus::NoSuchPage},
        {"negative page", MinimalPdf(2), {{u"x", -1}}, OutlineStatus::NoSuchPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::string pdf = c.Pdf;
        EXPECT_EQ(AppendOutline(pdf, c.Entries).Status, c.Expected);
        EXPECT_EQ(pdf, c.Pdf);
    }
    std::string untouched = MinimalPdf(1);
    EXPECT_TRUE(AppendOutline(untouched, {}).Ok());
    EXPECT_EQ(untouched, MinimalPdf(1)) << "no entries, no update";
    EXPECT_TRUE(ReadOutline(MinimalPdf(1)).empty());
}

} // namespace
} // namespace notarion
