// Long pages cut into pieces for the layout: the pieces together show the
// page's text whole and in order, each looks as its stretch of the page did,
// and cuts stay out of what opening elements again would change.

#include "platform/PagePieces.h"

#include "generate/HtmlPage.h"
#include "platform/PageDocument.h"
#include "text/Cp1250.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace notarion {
namespace {

// A page in the generator's own form with classes of report lines, each line
// ending in a line break, and a student list per class.
std::string GeneratedPage(int classes, int lines) {
    HtmlBuffer page;
    BeginPage(page);
    AddHeading(page, "REALIZACJA PROGRAM\xD3W WYCHOWAWCZYCH");
    for (int c = 0; c < classes; ++c) {
        AddSpacer(page);
        AddBoldLine(page, std::to_string(c + 1) + "a");
        OpenParagraph(page);
        AddLabelLine(page, "Wychowawca: ", "Jan Kowalski");
        AddBoldLine(page, "Og\xF3lne:");
        for (int i = 0; i < lines; ++i)
            AddTextLine(page, "Wiersz " + std::to_string(c) + "." + std::to_string(i) +
                                  " za\xBF\xF3\xB3\xE6 <b>g\xEA\x9Cl\xB9</b> ja\x9F\xF1");
        OpenList(page);
        AddListItem(page, "Zofia \x8Cwi\xEAtek - 5,10");
        CloseList(page);
        CloseParagraph(page);
    }
    EndPage(page);
    return BufferBytes(page);
}

std::vector<QString> AllPieces(std::string_view page, PieceLimits limits,
                               PieceStep* last = nullptr) {
    PagePieces pieces(page, limits);
    std::vector<QString> all;
    QString piece;
    PieceStep step;
    while ((step = pieces.Next(piece)) == PieceStep::Piece)
        all.push_back(piece);
    if (last)
        *last = step;
    return all;
}

// The words the page shows, as Qt's layout reads it.
QStringList ShownWords(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().split(QRegularExpression(QStringLiteral("\\s+")),
                                        Qt::SkipEmptyParts);
}

constexpr PieceLimits Small{4000, 40000};

TEST(PagePieces, APageBelowTheLimitIsOnePieceWithItsTextUnchanged) {
    const std::string page = GeneratedPage(3, 5);
    const std::vector<QString> pieces = AllPieces(page, {});
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0], DecodePage(page));
    EXPECT_EQ(AllPieces("", {}).size(), 1u) << "an empty page still has its one piece";
}

TEST(PagePieces, PiecesShowTheWholeTextInOrderEachUnderThePagesHead) {
    const std::string page = GeneratedPage(12, 60);
    const QString whole = DecodePage(page);
    const std::vector<QString> pieces = AllPieces(page, Small);
    ASSERT_GT(pieces.size(), 5u);
    const QString head = whole.left(whole.indexOf(QStringLiteral("<body")));
    QStringList shown;
    for (const QString& piece : pieces) {
        EXPECT_TRUE(piece.startsWith(head));
        EXPECT_LT(piece.size(), head.size() + 2 * Small.Characters);
        shown += ShownWords(piece);
    }
    EXPECT_EQ(shown, ShownWords(whole));
}

TEST(PagePieces, APieceReopensTheElementsOpenWhereItBegins) {
    // The text lines stand in the page's div after their paragraph was
    // closed by the next one; the bold run and the font stay open.
    HtmlBuffer page;
    BeginPage(page);
    OpenParagraph(page);
    AppendLine(page, "<p class=\"N\"><b>Og\xF3lne:</b></p><font color=\"red\"><b>");
    for (int i = 0; i < 400; ++i)
        AddTextLine(page, "Wiersz " + std::to_string(i));
    AppendLine(page, "</b></font>");
    EndPage(page);
    const std::vector<QString> pieces = AllPieces(BufferBytes(page), {1000, 10000});
    ASSERT_GT(pieces.size(), 2u);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const QString body = pieces[i].mid(pieces[i].indexOf(QStringLiteral("<body")));
        EXPECT_TRUE(body.contains(QRegularExpression(
            QStringLiteral("^<body[^>]*><div class=\"N\"><font color=\"red\"><b>\r\n"))))
            << body.left(200).toStdString();
        // The lines of the piece are bold in red, as in the page.
        QTextDocument document;
        document.setHtml(pieces[i]);
        QTextBlock block = document.begin();
        while (block.isValid() && !block.text().contains(QStringLiteral("Wiersz")))
            block = block.next();
        ASSERT_TRUE(block.isValid());
        const QTextCharFormat format = block.begin().fragment().charFormat();
        EXPECT_TRUE(format.font().bold());
        EXPECT_EQ(format.foreground().color(), QColor(Qt::red));
    }
}

TEST(PagePieces, NoCutFallsInsideATableAPreOrANumberedList) {
    for (const char* element : {"table", "pre", "ol"}) {
        SCOPED_TRACE(element);
        const std::string name = element;
        const std::string open = name == "table" ? "<table><tr><td>" : "<" + name + ">";
        const std::string close = name == "table" ? "</td></tr></table>" : "</" + name + ">";
        HtmlBuffer page;
        BeginPage(page);
        for (int i = 0; i < 100; ++i)
            AddTextLine(page, "przed " + std::to_string(i));
        AppendLine(page, open);
        for (int i = 0; i < 600; ++i)
            AppendLine(page, (name == "ol" ? "<li>" : "") + std::string("w ") + std::to_string(i) +
                                 (name == "ol" ? "</li>" : "<br>"));
        AppendLine(page, close);
        for (int i = 0; i < 100; ++i)
            AddTextLine(page, "po " + std::to_string(i));
        EndPage(page);
        PieceStep last;
        const std::vector<QString> pieces = AllPieces(BufferBytes(page), {1000, 40000}, &last);
        EXPECT_EQ(last, PieceStep::End);
        int holding = 0;
        for (const QString& piece : pieces) {
            if (piece.contains(QString::fromStdString("w 0")))
                ++holding;
            EXPECT_EQ(piece.count(QString::fromStdString(open)),
                      piece.count(QString::fromStdString(close)));
        }
        EXPECT_EQ(holding, 1);
        EXPECT_GT(pieces.size(), 2u) << "cut before and after";

        // With no place to cut within the limit the page is refused.
        AllPieces(BufferBytes(page), {1000, 4000}, &last);
        EXPECT_EQ(last, PieceStep::TooLong);
    }
}

TEST(PagePieces, PagesInEveryEncodingAreCutAlike) {
    const std::string cp1250 = GeneratedPage(8, 40);
    const QString text = DecodePage(cp1250);
    const QByteArray utf8 = text.toUtf8();
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const std::vector<QString> expected = AllPieces(cp1250, Small);
    ASSERT_GT(expected.size(), 3u);
    // The declared code page becomes a lie in UTF-8; the UTF-8 is read as such.
    QByteArray declaredUtf8 = utf8;
    declaredUtf8.replace("windows-1250", "utf-8");
    for (const QByteArray& bytes : {declaredUtf8, utf16}) {
        std::vector<QString> pieces =
            AllPieces(std::string_view(bytes.constData(), bytes.size()), Small);
        for (QString& piece : pieces)
            piece.replace(QStringLiteral("utf-8"), QStringLiteral("windows-1250"));
        EXPECT_EQ(pieces, expected);
    }
}

} // namespace
} // namespace notarion
