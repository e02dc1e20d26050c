// The sample school's reviewed set becomes one PDF; poppler's tools read it
// back as any reader would: pages, text in every Polish letter, embedded
// fonts, bookmarks.

#include "platform/SetPdf.h"

#include "PdfTestSupport.h"
#include "generate/DocumentSet.h"
#include "generate/HtmlPage.h"
#include "generate/SetSummary.h"
#include "platform/PageDocument.h"
#include "platform/PdfOutline.h"
#include "platform/QtText.h"
#include "reports/ReportCatalogue.h"
#include "support/Pictures.h"
#include "support/PipeFeeder.h"
#include "text/Cp1250.h"

#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>

#include <gtest/gtest.h>

#include <QFileInfo>

#include <regex>
#include <set>
#include <sstream>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TempFolder;

// The heading by which a document is found in the text: its title, or for
// the head teacher's document the heading its sections carry.
std::string HeadingOf(const std::string& fileName) {
    if (fileName == SummaryFileName)
        return "ZESTAWIENIE WYNIKÓW KLASYFIKACJI";
    for (const DocumentInfo& document : DocumentTable()) {
        if (document.FileName == fileName)
            return document.Title.empty() ? "SPRAWOZDANIE DYREKTORA SZKOŁY"
                                          : Cp1250ToUtf8(document.Title);
    }
    return {};
}

// The catalogue of the sample school, for the report counts.
ReportCatalogue SampleCatalogue() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::path(NOTARION_EXAMPLES) / "szkola")) {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path().string());
    }
    ReportCatalogue catalogue;
    EXPECT_TRUE(LoadCatalogue(catalogue, files, [](int, int, const std::u16string&) {}));
    return catalogue;
}

// The reviewed documents of the sample school copied into a folder of their own.
void CopySampleSet(const TempFolder& folder) {
    for (const auto& entry :
         fs::directory_iterator(fs::path(NOTARION_GENERATE_TEST_DATA) / "szkola")) {
        if (entry.path().extension() == ".htm")
            fs::copy_file(entry.path(), folder.Path() / entry.path().filename());
    }
}

// One PDF of the sample set, made once for all the checks that read it.
class SampleSetPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new TempFolder;
        CopySampleSet(*s_folder);
        s_contents = new SetContents(DescribeSet(SampleCatalogue(), s_folder->Text()));
        s_pdfPath = s_folder->File("Protokoly.pdf");
        s_result = new SetOutputResult(WriteSetPdf(*s_contents, s_pdfPath, NamedBy::User,
                                                   QDateTime(QDate(2024, 6, 21), QTime(14, 5))));
    }
    static void TearDownTestSuite() {
        delete s_result;
        delete s_contents;
        delete s_folder;
    }

    static std::string PageText(int page) {
        return RunCommand("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page) +
                          " -enc UTF-8 '" + s_pdfPath + "' -");
    }

    static inline TempFolder* s_folder = nullptr;
    static inline SetContents* s_contents = nullptr;
    static inline SetOutputResult* s_result = nullptr;
    static inline std::string s_pdfPath;
};

TEST_F(SampleSetPdf, IsWrittenWithAPageCountThatPdfinfoConfirms) {
    ASSERT_TRUE(s_result->Ok()) << Utf16ToUtf8(SetOutputMessage(*s_result));
    const std::string info = RunCommand("pdfinfo '" + s_pdfPath + "'");
    EXPECT_EQ(testing::InfoField(info, "Pages"), std::to_string(s_result->PageCount));
    EXPECT_EQ(testing::InfoField(info, "Page size"), "595 x 842 pts (A4)");
    EXPECT_EQ(testing::InfoField(info, "Title"), "Dokumenty klasyfikacyjnej rady pedagogicznej");
    // The title page comes first, then the figures, and every document takes
    // at least a page.
    ASSERT_EQ(s_result->StartPages.size(), 15u);
    EXPECT_EQ(s_contents->Documents.front().Path, s_folder->File("Zestawienie.htm"));
    EXPECT_EQ(s_result->StartPages.front(), 1);
    for (std::size_t i = 1; i < s_result->StartPages.size(); ++i)
        EXPECT_GT(s_result->StartPages[i], s_result->StartPages[i - 1]);
    EXPECT_GT(s_result->PageCount, s_result->StartPages.back());
}

TEST_F(SampleSetPdf, EveryDocumentStartsOnItsOwnPageInChooserOrder) {
    for (std::size_t i = 0; i < s_contents->Documents.size(); ++i) {
        const std::string name = fs::path(s_contents->Documents[i].Path).filename().string();
        SCOPED_TRACE(name);
        const int page = s_result->StartPages[i] + 1;
        const std::string text = PageText(page);
        EXPECT_NE(text.find(HeadingOf(name)), std::string::npos) << text;
        // The page before belongs to another document: the heading is not
        // there, so the document did not begin at the foot of the previous one.
        if (i > 0) {
            EXPECT_EQ(PageText(page - 1).find(HeadingOf(name)), std::string::npos);
        }
    }
}

TEST_F(SampleSetPdf, TitlePageNamesTheSetAndWhereEachDocumentStarts) {
    // With the layout kept, each line of the page's tables stays one line.
    const std::string text = RunCommand("pdftotext -layout -l 1 -enc UTF-8 '" + s_pdfPath + "' -");
    EXPECT_NE(text.find("Dokumenty klasyfikacyjnej rady pedagogicznej"), std::string::npos);
    EXPECT_NE(text.find(s_folder->Text()), std::string::npos) << text;
    EXPECT_NE(text.find("Wygenerowano: 21.06.2024, 14:05"), std::string::npos) << text;
    // Each kind with its count on one line, then the total of the 76 reports.
    int total = 0;
    for (const KindCount& kind : s_contents->Counts) {
        total += kind.Count;
        const std::regex line(Cp1250ToUtf8(kind.Kind) + " +" + std::to_string(kind.Count) + "\n");
        EXPECT_TRUE(std::regex_search(text, line)) << Cp1250ToUtf8(kind.Kind) << "\n" << text;
    }
    EXPECT_EQ(total, 76);
    EXPECT_TRUE(std::regex_search(text, std::regex("Razem +76\n"))) << text;
    // The documents in chooser order, each with the page it starts on.
    std::size_t at = 0;
    for (std::size_t i = 0; i < s_contents->Documents.size(); ++i) {
        const std::string line = std::to_string(i + 1) + ". +" +
                                 Cp1250ToUtf8(s_contents->Documents[i].Title) + " +strona " +
                                 std::to_string(s_result->StartPages[i] + 1) + "\n";
        std::smatch match;
        const std::string rest = text.substr(at);
        ASSERT_TRUE(std::regex_search(rest, match, std::regex(line))) << line << "\n" << text;
        at += static_cast<std::size_t>(match.position(0) + match.length(0));
    }
}

TEST_F(SampleSetPdf, EveryPageCarriesItsNumberAndTheTotal) {
    const std::string total = std::to_string(s_result->PageCount);
    for (int page = 1; page <= s_result->PageCount; ++page) {
        const std::string footer = "Strona " + std::to_string(page) + " z " + total;
        EXPECT_NE(PageText(page).find(footer), std::string::npos) << footer;
    }
}

TEST_F(SampleSetPdf, HoldsEveryPolishLetterOfTheDocumentsAndNoLigatures) {
    // Every non-ASCII character the documents use must come back out of the
    // PDF as the same character.
    std::set<char16_t> letters;
    for (const SetDocument& document : s_contents->Documents) {
        for (const char16_t c : Cp1250ToUtf16(ReadBytes(document.Path))) {
            if (c > 0x7F && c != 0xA0)
                letters.insert(c);
        }
    }
    EXPECT_GE(letters.size(), 15u);
    const std::u16string text =
        Utf8ToUtf16(RunCommand("pdftotext -enc UTF-8 '" + s_pdfPath + "' -"));
    for (const char16_t letter : letters)
        EXPECT_NE(text.find(letter), std::u16string::npos)
            << Utf16ToUtf8(std::u16string(1, letter));
    // A ligature would make "klasyfikacja" unsearchable in a reader.
    EXPECT_EQ(text.find_first_of(u"\uFB00\uFB01\uFB02\uFB03\uFB04"), std::u16string::npos);
}

TEST_F(SampleSetPdf, EmbedsEveryFontItUses) {
    const std::string fonts = RunCommand("pdffonts '" + s_pdfPath + "'");
    std::istringstream lines(fonts);
    std::string line;
    int listed = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("name") || line.starts_with("---") || line.empty())
            continue;
        ++listed;
        EXPECT_NE(line.find("DejaVuSans"), std::string::npos) << line;
        // Columns: name, type, encoding, emb, sub, uni, object ID.
        std::istringstream columns(line);
        std::vector<std::string> words;
        for (std::string word; columns >> word;)
            words.push_back(word);
        ASSERT_GE(words.size(), 7u) << line;
        EXPECT_EQ(words[words.size() - 5], "yes") << "not embedded: " << line;
        EXPECT_EQ(words[words.size() - 3], "yes") << "no Unicode map: " << line;
    }
    EXPECT_GE(listed, 2) << fonts; // regular and bold
}

TEST_F(SampleSetPdf, HasOneBookmarkPerDocumentOnItsFirstPage) {
    const std::vector<OutlineEntry> outline = ReadOutline(ReadBytes(s_pdfPath));
    ASSERT_EQ(outline.size(), s_contents->Documents.size());
    for (std::size_t i = 0; i < outline.size(); ++i) {
        EXPECT_EQ(Utf16ToCp1250(outline[i].Title), s_contents->Documents[i].Title);
        EXPECT_EQ(outline[i].Page, s_result->StartPages[i]);
    }
    // Poppler reads the same outline.
    const std::string xml = RunCommand("pdftohtml -xml -i -q -stdout '" + s_pdfPath + "'");
    std::size_t at = xml.find("<outline>");
    ASSERT_NE(at, std::string::npos) << xml.substr(0, 2000);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const std::string item = "<item page=\"" + std::to_string(s_result->StartPages[i] + 1) +
                                 "\">" + Cp1250ToUtf8(s_contents->Documents[i].Title) + "</item>";
        at = xml.find(item, at);
        ASSERT_NE(at, std::string::npos) << item;
    }
}

TEST(SetPdf, PaintsOnlyThePagesInTheDevicesRangeWithTheSetsPageNumbers) {
    TempFolder folder;
    CopySampleSet(folder);
    const SetContents contents = DescribeSet(ReportCatalogue{}, folder.Text());
    const std::string path = folder.File("range.pdf");
    SetOutputResult result;
    {
        QPdfWriter writer(QStringFromCp1250(path));
        writer.setPageRanges(QPageRanges::fromString(QStringLiteral("2-3")));
        result = PaintSet(contents, writer, QDateTime());
    }
    ASSERT_TRUE(result.Ok());
    const std::string total = " z " + std::to_string(result.PageCount);
    const std::string text = RunCommand("pdftotext -enc UTF-8 '" + path + "' -");
    EXPECT_EQ(CountPdfPages(ReadBytes(path)), 2);
    EXPECT_NE(text.find("Strona 2" + total), std::string::npos) << text;
    EXPECT_NE(text.find("Strona 3" + total), std::string::npos) << text;
    EXPECT_EQ(text.find("Strona 1" + total), std::string::npos) << text;
}

TEST(SetPdf, FailedWriteLeavesNoPartialFileAndKeepsTheEarlierOne) {
    TempFolder folder;
    CopySampleSet(folder);
    const SetContents contents = DescribeSet(ReportCatalogue{}, folder.Text());
    const std::string earlier = folder.File("earlier.pdf");
    testing::WriteBytes(earlier, "earlier");
    fs::create_directory(folder.Path() / "taken.pdf");

    struct Case {
        const char* What;
        std::string Target;
        std::string MissingDocument;
        SetOutputStatus Expected;
    };
    const std::vector<Case> cases = {
        {"folder missing", folder.File("nowhere/set.pdf"), "", SetOutputStatus::FileUnwritable},
        {"a folder in the way", folder.File("taken.pdf"), "", SetOutputStatus::FileUnwritable},
        {"document missing", earlier, "Lista_Ndst.htm", SetOutputStatus::DocumentUnreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        if (!c.MissingDocument.empty())
            fs::rename(folder.Path() / c.MissingDocument, folder.Path() / "moved.htm");
        const SetOutputResult result = WriteSetPdf(contents, c.Target, NamedBy::User, QDateTime());
        EXPECT_EQ(result.Status, c.Expected);
        // The system's reason follows the path.
        EXPECT_NE(result.SystemError, 0);
        SetOutputResult withoutReason = result;
        withoutReason.SystemError = 0;
        EXPECT_NE(SetOutputMessage(result), SetOutputMessage(withoutReason));
        if (!c.MissingDocument.empty()) {
            EXPECT_EQ(result.Path, folder.File(c.MissingDocument));
            fs::rename(folder.Path() / "moved.htm", folder.Path() / c.MissingDocument);
        }
    }
    EXPECT_EQ(ReadBytes(earlier), "earlier");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "taken.pdf"));
    EXPECT_FALSE(fs::exists(folder.Path() / "nowhere"));
    // Nothing else was left behind: the documents, the figures, the earlier file, the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 17);
}

TEST(SetPdf, EmbedsPicturesOfTheSetsFolderAndNothingFromOutsideIt) {
    TempFolder folder;
    CopySampleSet(folder);
    TempFolder elsewhere;
    testing::WriteBytes(elsewhere.File("obraz.png"), testing::TallPicturePng());
    testing::WriteBytes(folder.File("obraz.png"), testing::TallPicturePng());
    const testing::PipeFeeder pipe(folder.File("potok.png"), testing::TallPicturePng());
    // Report lines are written into the documents as they are, markup included.
    const auto addLine = [&](const std::string& document, const std::string& line) {
        std::string bytes = ReadBytes(folder.File(document));
        bytes.insert(bytes.rfind("</div>"), line + "<br>\r\n");
        testing::WriteBytes(folder.File(document), bytes);
    };
    addLine("Lista_Ndst.htm", "<img src=\"" + elsewhere.File("obraz.png") + "\">");
    addLine("Lista_Ndst.htm", "<img src=\"/dev/zero\"><img src=\"potok.png\">");
    addLine("Prot_InneZadania.htm", "<span style=\"background-image: url('" +
                                        elsewhere.File("obraz.png") + "')\">tlo</span>");
    const SetContents contents = DescribeSet(ReportCatalogue{}, folder.Text());
    const std::string pdf = folder.File("Protokoly.pdf");
    ASSERT_TRUE(WriteSetPdf(contents, pdf, NamedBy::User, QDateTime()).Ok());
    EXPECT_EQ(RunCommand("pdfimages -list '" + pdf + "' | grep -c '   40   200 '"), "0\n");
    EXPECT_FALSE(pipe.Opened()) << "the pipe was opened";

    // The set's own folder is the documents' folder: a picture there shows.
    addLine("Prot_GodzinyKartowe.htm", "<img src=\"obraz.png\">");
    ASSERT_TRUE(WriteSetPdf(contents, pdf, NamedBy::User, QDateTime()).Ok());
    EXPECT_EQ(RunCommand("pdfimages -list '" + pdf + "' | grep -c '   40   200 '"), "1\n");
}

// A document of the generator's form holding the given number of numbered
// report lines, in place of the sample set's document of that name.
void WriteLongDocument(const TempFolder& folder, const std::string& name, int lines) {
    HtmlBuffer page;
    BeginPage(page);
    AddHeading(page, "D\xA3UGI DOKUMENT");
    OpenParagraph(page);
    AddBoldLine(page, "Og\xF3lne:");
    for (int i = 0; i < lines; ++i)
        AddTextLine(page, "Wiersz " + std::to_string(i) + " za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9");
    CloseParagraph(page);
    EndPage(page);
    testing::WriteBytes(folder.File(name), BufferBytes(page));
}

// The words of a text, split at blanks.
std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// True when every word of part is found in whole, in order (the footers and
// whatever else whole holds may come between).
bool InOrderWithin(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    std::size_t found = 0;
    for (std::size_t i = 0; i < whole.size() && found < part.size(); ++i) {
        if (whole[i] == part[found])
            ++found;
    }
    return found == part.size();
}

// True when every word of part is found in whole, in any order, each as
// often as part has it.
bool AllWithin(const std::vector<std::string>& part, std::vector<std::string> whole) {
    std::multiset<std::string> left(whole.begin(), whole.end());
    for (const std::string& word : part) {
        const auto at = left.find(word);
        if (at == left.end())
            return false;
        left.erase(at);
    }
    return true;
}

// The words each document of the set shows, by Qt's reading of its page,
// found in its own pages of the PDF: nothing is lost on the way.
void ExpectEveryWordOfEveryDocument(const SetContents& contents, const SetOutputResult& result,
                                    const std::string& pdf) {
    for (std::size_t i = 0; i < contents.Documents.size(); ++i) {
        SCOPED_TRACE(contents.Documents[i].Path);
        QTextDocument document;
        document.setHtml(DecodePage(ReadBytes(contents.Documents[i].Path)));
        const int first = result.StartPages[i] + 1;
        const int last =
            i + 1 < contents.Documents.size() ? result.StartPages[i + 1] : result.PageCount;
        const std::string text = RunCommand("pdftotext -enc UTF-8 -f " + std::to_string(first) +
                                            " -l " + std::to_string(last) + " '" + pdf + "' -");
        std::vector<std::string> shown = Words(document.toPlainText().toStdString());
        // The text of a table's wrapped headings comes out of the PDF line by
        // line across the cells, so there the words are found in any order,
        // and a word with soft hyphens comes out in pieces where it broke.
        const bool table = document.rootFrame()->childFrames().size() > 0;
        if (table) {
            std::erase_if(shown, [](const std::string& word) {
                return word.find("\u00AD") != std::string::npos;
            });
        }
        EXPECT_TRUE(table ? AllWithin(shown, Words(text)) : InOrderWithin(shown, Words(text)))
            << shown.size() << " words";
    }
}

TEST(SetPdf, ALongDocumentIsWrittenInPiecesWithEveryWordAndItsBookmarks) {
    TempFolder folder;
    CopySampleSet(folder);
    WriteLongDocument(folder, "Prot_RealizacjaProgramowWych.htm", 3000);
    const SetContents contents = DescribeSet(ReportCatalogue{}, folder.Text());
    const std::string pdf = folder.File("Protokoly.pdf");
    SetLayoutLimits limits;
    limits.Pieces = {8 * 1024, 64 * 1024};
    const SetOutputResult result = WriteSetPdf(contents, pdf, NamedBy::User, QDateTime(), limits);
    ASSERT_TRUE(result.Ok()) << Utf16ToUtf8(SetOutputMessage(result));
    EXPECT_EQ(testing::InfoField(RunCommand("pdfinfo '" + pdf + "'"), "Pages"),
              std::to_string(result.PageCount));
    const std::vector<OutlineEntry> outline = ReadOutline(ReadBytes(pdf));
    ASSERT_EQ(outline.size(), contents.Documents.size());
    for (std::size_t i = 0; i < outline.size(); ++i)
        EXPECT_EQ(outline[i].Page, result.StartPages[i]);
    ExpectEveryWordOfEveryDocument(contents, result, pdf);
}

// At a resolution sixteen times the PDF writer's, the height at which Qt's
// layout positions overflow comes after some 160 pages instead of 2,600.
TEST(SetPdf, ADocumentPastTheLayoutsLimitComesOutWholeOrIsRefusedNeverShort) {
    TempFolder folder;
    CopySampleSet(folder);
    WriteLongDocument(folder, "Prot_RealizacjaProgramowWych.htm", 12000);
    const SetContents contents = DescribeSet(ReportCatalogue{}, folder.Text());
    const auto paint = [&](const std::string& path, const SetLayoutLimits& limits) {
        QPdfWriter writer(QStringFromCp1250(path));
        writer.setResolution(16 * 1200);
        return PaintSet(contents, writer, QDateTime(), limits);
    };
    SetLayoutLimits inPieces;
    inPieces.Pieces = {16 * 1024, 64 * 1024};
    const std::string pdf = folder.File("kawalki.pdf");
    const SetOutputResult whole = paint(pdf, inPieces);
    ASSERT_TRUE(whole.Ok()) << Utf16ToUtf8(SetOutputMessage(whole));
    ExpectEveryWordOfEveryDocument(contents, whole, pdf);

    // In one piece the document is too tall to lay out: refused by name.
    SetLayoutLimits onePiece;
    onePiece.Pieces = {1 << 30, 1 << 30};
    const SetOutputResult refused = paint(folder.File("calosc.pdf"), onePiece);
    EXPECT_EQ(refused.Status, SetOutputStatus::DocumentTooLong);
    EXPECT_EQ(refused.Path, folder.File("Prot_RealizacjaProgramowWych.htm"));
    EXPECT_NE(Utf16ToUtf8(SetOutputMessage(refused)).find(refused.Path), std::string::npos);
}

TEST(SetPdf, GenerationTimeIsTheNewestDocumentsModification) {
    TempFolder folder;
    CopySampleSet(folder);
    const SetContents contents = DescribeSet(ReportCatalogue{}, folder.Text());
    const auto base = fs::file_time_type::clock::now() - std::chrono::hours(48);
    for (const SetDocument& document : contents.Documents)
        fs::last_write_time(document.Path, base);
    fs::last_write_time(contents.Documents[7].Path, base + std::chrono::hours(1));
    const QDateTime newest = GenerationTime(contents);
    const QDateTime expected =
        QFileInfo(QStringFromCp1250(contents.Documents[7].Path)).lastModified();
    EXPECT_EQ(newest, expected);
    EXPECT_FALSE(GenerationTime(DescribeSet(ReportCatalogue{}, folder.File("none"))).isValid());
}

} // namespace
} // namespace notarion
