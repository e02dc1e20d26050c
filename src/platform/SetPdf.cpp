#include "platform/SetPdf.h"

#include "platform/PageDocument.h"
#include "platform/PdfOutline.h"
#include "platform/QtText.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace notarion {
namespace {

constexpr qreal BodyPointSize = 10;
constexpr qreal FooterPointSize = 8;
// The first page's list of documents is laid out again when its own length
// moves the start pages; two rounds settle it, the third is a safeguard.
constexpr int TitlePageRounds = 3;

const QString SetHeading = QStringLiteral("Dokumenty klasyfikacyjnej rady pedagogicznej");

QFont SetFont(qreal pointSize) {
    QFont font(QString::fromLatin1(SetFontFamily));
    font.setPointSizeF(pointSize);
    // Without shaping there are no ligatures: a reader that searches or
    // copies "klasyfikacja" finds the letters f and i, not one "fi" glyph.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Set every character of the document in the set's font, keeping sizes and
// weights: the pages ask for fonts this machine may lack or may have only in
// a form the PDF writer cannot embed as text.
void UseSetFont(QTextDocument& document) {
    document.setDefaultFont(SetFont(BodyPointSize));
    QTextCharFormat family;
    family.setFontFamilies({QString::fromLatin1(SetFontFamily)});
    family.setFontStyleStrategy(QFont::PreferNoShaping);
    QTextCursor cursor(&document);
    // One edit block, so the document is laid out once at the end, not after
    // every block.
    cursor.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(family);
        cursor.mergeBlockCharFormat(family);
    }
    cursor.endEditBlock();
}

// The document of a generated page, or null when its file cannot be read.
std::unique_ptr<QTextDocument> LoadDocument(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const Failure&) {
        return nullptr;
    }
    const QString html = DecodePage(bytes);
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(SetFont(BodyPointSize));
    document->setHtml(html);
    ApplyBodyMargins(*document, html);
    UseSetFont(*document);
    return document;
}

QString Escaped(const std::string& cp1250) {
    return QStringFromCp1250(cp1250).toHtmlEscaped();
}

QString GenerationText(const QDateTime& generated) {
    return generated.isValid() ? generated.toString(QStringLiteral("dd.MM.yyyy, HH:mm"))
                               : QStringLiteral("nieznany");
}

// The first page: what the set is, and where each document starts (page
// numbers as the footers count them, from 1).
QString TitlePageHtml(const SetContents& contents, const QDateTime& generated,
                      const std::vector<int>& startPages) {
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<p align=\"center\" style=\"font-size: 14pt\"><b>%1</b></p><p></p>")
                .arg(SetHeading.toHtmlEscaped());
    html += QStringLiteral("<p><b>Folder dokumentów:</b> %1</p>").arg(Escaped(contents.Folder));
    html += QStringLiteral("<p><b>Wygenerowano:</b> %1</p><p></p>")
                .arg(GenerationText(generated).toHtmlEscaped());

    html += QStringLiteral("<p><b>Sprawozdania według rodzaju</b></p>"
                           "<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">");
    int total = 0;
    for (const KindCount& kind : contents.Counts) {
        total += kind.Count;
        html += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                    .arg(Escaped(kind.Kind))
                    .arg(kind.Count);
    }
    html += QStringLiteral("<tr><td><b>Razem</b></td><td align=\"right\"><b>%1</b></td></tr>"
                           "</table><p></p>")
                .arg(total);

    html += QStringLiteral("<p><b>Dokumenty</b></p>"
                           "<table cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">");
    for (std::size_t i = 0; i < contents.Documents.size(); ++i) {
        const int page = i < startPages.size() ? startPages[i] + 1 : 0;
        html +=
            QStringLiteral(
                "<tr><td width=\"6%\">%1.</td><td>%2</td><td align=\"right\">strona %3</td></tr>")
                .arg(i + 1)
                .arg(Escaped(contents.Documents[i].Title))
                .arg(page);
    }
    html += QStringLiteral("</table></body></html>");
    return html;
}

// The set laid out on one device: the first page's document and the
// documents of the set, each with its page count.
class SetLayout {
public:
    SetLayout(QPagedPaintDevice& device) : m_device(device) {
        const int dpi = device.logicalDpiY();
        const QRectF paint = device.pageLayout().paintRectPixels(dpi);
        m_footerFont = QFont(SetFont(FooterPointSize), &device);
        m_footerHeight = QFontMetricsF(m_footerFont, &device).lineSpacing() * 2;
        m_body = QSizeF(paint.width(), paint.height() - m_footerHeight);
    }

    // Load and lay out every document, then the first page; false (with
    // FailedPath) when a document cannot be read.
    bool Build(const SetContents& contents, const QDateTime& generated) {
        for (const SetDocument& entry : contents.Documents) {
            std::unique_ptr<QTextDocument> document = LoadDocument(entry.Path);
            if (!document) {
                FailedPath = entry.Path;
                return false;
            }
            LayOut(*document);
            m_documents.push_back(std::move(document));
        }
        int titlePages = 1;
        for (int round = 0; round < TitlePageRounds; ++round) {
            StartPages.clear();
            int page = titlePages;
            for (const auto& document : m_documents) {
                StartPages.push_back(page);
                page += PagesOf(*document);
            }
            PageCount = page;
            m_title = std::make_unique<QTextDocument>();
            m_title->setDefaultFont(SetFont(BodyPointSize));
            m_title->setHtml(TitlePageHtml(contents, generated, StartPages));
            UseSetFont(*m_title);
            LayOut(*m_title);
            if (PagesOf(*m_title) == titlePages)
                break;
            titlePages = PagesOf(*m_title);
        }
        return true;
    }

    // Paint every page in the device's page ranges; false when the device
    // fails.
    bool Paint() {
        QPainter painter;
        if (!painter.begin(&m_device))
            return false;
        const QPageRanges ranges = m_device.pageRanges();
        int number = 0;
        bool painted = false;
        const auto paintDocument = [&](QTextDocument& document) {
            for (int page = 0; page < PagesOf(document); ++page) {
                ++number;
                if (!ranges.isEmpty() && !ranges.contains(number))
                    continue;
                // The painter starts on the first page; later ones are added.
                if (painted && !m_device.newPage())
                    return false;
                painted = true;
                DrawDocumentPage(painter, document, page, m_body, 0);
                painter.setFont(m_footerFont);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(0, m_body.height(), m_body.width(), m_footerHeight),
                                 Qt::AlignHCenter | Qt::AlignBottom,
                                 QStringLiteral("Strona %1 z %2").arg(number).arg(PageCount));
            }
            return true;
        };
        bool ok = paintDocument(*m_title);
        for (const auto& document : m_documents)
            ok = ok && paintDocument(*document);
        return painter.end() && ok;
    }

    std::string FailedPath;
    std::vector<int> StartPages;
    int PageCount = 0;

private:
    void LayOut(QTextDocument& document) const {
        // The layout scales the pages' pixel measures to the device itself.
        document.documentLayout()->setPaintDevice(&m_device);
        document.setPageSize(m_body);
    }

    static int PagesOf(const QTextDocument& document) { return std::max(1, document.pageCount()); }

    QPagedPaintDevice& m_device;
    QFont m_footerFont;
    qreal m_footerHeight = 0;
    QSizeF m_body;
    std::unique_ptr<QTextDocument> m_title;
    std::vector<std::unique_ptr<QTextDocument>> m_documents;
};

std::u16string Lines(std::initializer_list<QString> lines) {
    QString text;
    for (const QString& line : lines)
        text += (text.isEmpty() ? QString() : QStringLiteral("\r")) + line;
    return Utf16FromQString(text);
}

} // namespace

QString SuggestedSetPdfName(const QDate& day) {
    return QStringLiteral("Protokoly_%1.pdf").arg(day.toString(QStringLiteral("yyyy-MM-dd")));
}

QDateTime GenerationTime(const SetContents& contents) {
    QDateTime newest;
    for (const SetDocument& document : contents.Documents) {
        const QFileInfo info(QStringFromCp1250(document.Path));
        if (info.exists() && (!newest.isValid() || info.lastModified() > newest))
            newest = info.lastModified();
    }
    return newest;
}

SetOutputResult PaintSet(const SetContents& contents, QPagedPaintDevice& device,
                         const QDateTime& generated) {
    SetLayout layout(device);
    if (!layout.Build(contents, generated))
        return {SetOutputStatus::DocumentUnreadable, layout.FailedPath, 0, {}};
    SetOutputResult result{SetOutputStatus::Done, {}, layout.PageCount, layout.StartPages};
    if (!layout.Paint())
        result.Status = SetOutputStatus::PaintFailed;
    return result;
}

SetOutputResult WriteSetPdf(const SetContents& contents, const std::string& path,
                            const QDateTime& generated) {
    // The PDF is made in memory and written in one go, so that the file
    // appears complete (outline included) or not at all.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SetOutputResult result;
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(PrintMarginInches, PrintMarginInches, PrintMarginInches, PrintMarginInches),
            QPageLayout::Inch));
        writer.setTitle(SetHeading);
        writer.setCreator(QStringLiteral("Notarion"));
        result = PaintSet(contents, writer, generated);
    }
    if (!result.Ok()) {
        if (result.Status == SetOutputStatus::PaintFailed)
            result.Path = path;
        return result;
    }

    std::string pdf(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
    std::vector<OutlineEntry> outline;
    for (std::size_t i = 0; i < contents.Documents.size(); ++i) {
        outline.push_back({Cp1250ToUtf16(contents.Documents[i].Title), result.StartPages[i]});
    }
    if (!AppendOutline(pdf, outline).Ok())
        return {SetOutputStatus::OutlineFailed, path, result.PageCount, result.StartPages};
    try {
        WriteWholeFile(path, pdf, NamedBy::User);
    } catch (const Failure&) {
        return {SetOutputStatus::FileUnwritable, path, result.PageCount, result.StartPages};
    }
    return result;
}

std::u16string SetOutputMessage(const SetOutputResult& result) {
    const QString path = QStringFromCp1250(result.Path);
    switch (result.Status) {
    case SetOutputStatus::Done:
        return {};
    case SetOutputStatus::DocumentUnreadable:
        return Lines({QStringLiteral("Nie można odczytać dokumentu zestawu:"), path,
                      QStringLiteral("Wygeneruj dokumenty ponownie.")});
    case SetOutputStatus::PaintFailed:
        return Lines({QStringLiteral("Nie udało się wydrukować zestawu dokumentów."),
                      QStringLiteral("Sprawdź drukarkę albo wybrany plik.")});
    case SetOutputStatus::OutlineFailed:
        return Lines({QStringLiteral("Nie udało się dodać zakładek do pliku PDF:"), path});
    case SetOutputStatus::FileUnwritable:
        return Lines({QStringLiteral("Nie można zapisać pliku:"), path});
    }
    return {};
}

} // namespace notarion
