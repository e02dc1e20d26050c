#include "platform/SetPdf.h"

#include "platform/PageDocument.h"
#include "platform/PageResources.h"
#include "platform/PdfOutline.h"
#include "platform/QtText.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "system/SystemReason.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <QAbstractTextDocumentLayout>
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
#include <QTextFrame>

#include <algorithm>
#include <functional>
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

// A piece of a page (or a page) as a document in the set's font.
void SetPage(QTextDocument& document, const QString& html) {
    document.setDefaultFont(SetFont(BodyPointSize));
    document.setHtml(html);
    ApplyBodyMargins(document, html);
    UseSetFont(document);
}

// True when the layout of a document laid out on pages is one to trust: no
// taller than the limit, its blocks one below the other and everything inside
// its height. A position past where Qt's fixed-point numbers overflow shows as
// one that goes back up or lies outside.
bool LayoutHolds(QTextDocument& document, qreal maxHeight) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const qreal height = layout->documentSize().height();
    if (!(height >= 0 && height <= maxHeight))
        return false;
    qreal top = 0;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        // A table or a floating picture is checked for its place only: a
        // float may stand beside the blocks that follow it.
        const bool block = it.currentFrame() == nullptr;
        const QRectF box = block ? layout->blockBoundingRect(it.currentBlock())
                                 : layout->frameBoundingRect(it.currentFrame());
        if (box.top() < (block ? top : 0) - 1 || box.bottom() > height + 1)
            return false;
        if (block)
            top = box.top();
    }
    return true;
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

// What painting is told by its caller: whether to go on after a page, and
// that the last page is painted and the device about to be closed.
struct PaintHooks {
    std::function<bool()> KeepGoing;
    std::function<void()> BeforeEnd;
};

// The set laid out on one device. Counting lays every document out piece by
// piece and keeps only its page count; painting lays them out once more, a
// piece at a time, so that no more than one piece is ever in memory.
class SetLayout {
public:
    SetLayout(QPagedPaintDevice& device, const SetLayoutLimits& limits)
        : m_device(device), m_limits(limits) {
        const int dpi = device.logicalDpiY();
        const QRectF paint = device.pageLayout().paintRectPixels(dpi);
        m_footerFont = QFont(SetFont(FooterPointSize), &device);
        m_footerHeight = QFontMetricsF(m_footerFont, &device).lineSpacing() * 2;
        m_body = QSizeF(paint.width(), paint.height() - m_footerHeight);
    }

    // Count the pages of every document, then lay out the first page. Any
    // status but Done comes with FailedPath.
    SetOutputStatus Count(const SetContents& contents, const QDateTime& generated) {
        for (const SetDocument& entry : contents.Documents) {
            int pages = 0;
            const SetOutputStatus status = EachPiece(entry.Path, [&](QTextDocument& piece) {
                pages += PagesOf(piece);
                return true;
            });
            if (status != SetOutputStatus::Done)
                return status;
            m_documentPages.push_back(std::max(1, pages));
        }
        int titlePages = 1;
        for (int round = 0; round < TitlePageRounds; ++round) {
            StartPages.clear();
            int page = titlePages;
            for (const int pages : m_documentPages) {
                StartPages.push_back(page);
                page += pages;
            }
            PageCount = page;
            m_title = std::make_unique<PageTextDocument>(PageResources());
            SetPage(*m_title, TitlePageHtml(contents, generated, StartPages));
            LayOut(*m_title);
            if (PagesOf(*m_title) == titlePages)
                break;
            titlePages = PagesOf(*m_title);
        }
        return SetOutputStatus::Done;
    }

    // Paint every page in the device's page ranges. PaintFailed when the
    // device fails or KeepGoing says no; a document that no longer gives the
    // pages it was counted with is DocumentUnreadable, with FailedPath.
    SetOutputStatus Paint(const SetContents& contents, const PaintHooks& hooks) {
        QPainter painter;
        if (!painter.begin(&m_device))
            return SetOutputStatus::PaintFailed;
        const QPageRanges ranges = m_device.pageRanges();
        int number = 0;
        bool painted = false;
        const auto paintPages = [&](QTextDocument& document) {
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
                if (hooks.KeepGoing && !hooks.KeepGoing())
                    return false;
            }
            return true;
        };
        SetOutputStatus status =
            paintPages(*m_title) ? SetOutputStatus::Done : SetOutputStatus::PaintFailed;
        for (std::size_t i = 0; i < contents.Documents.size() && status == SetOutputStatus::Done;
             ++i) {
            const int first = number;
            status = EachPiece(contents.Documents[i].Path, paintPages);
            // A document shorter than its count still fills the pages counted.
            if (status == SetOutputStatus::Done && number != first + m_documentPages[i]) {
                status = SetOutputStatus::DocumentUnreadable;
                FailedPath = contents.Documents[i].Path;
            }
        }
        if (hooks.BeforeEnd)
            hooks.BeforeEnd();
        if (!painter.end() && status == SetOutputStatus::Done)
            status = SetOutputStatus::PaintFailed;
        return status;
    }

    std::string FailedPath;
    // The system's code of a document that could not be read, else 0.
    int FailedError = 0;
    std::vector<int> StartPages;
    int PageCount = 0;

private:
    // Read the document at path, lay its pieces out one after another and
    // hand each to use; PaintFailed when use says no.
    SetOutputStatus EachPiece(const std::string& path,
                              const std::function<bool(QTextDocument&)>& use) {
        FailedPath = path;
        std::string bytes;
        try {
            bytes = ReadWholeFile(path);
        } catch (const Failure& failure) {
            FailedError = failure.Cause().SystemError;
            const std::optional<FileStatus> status = StatusOfFile(path);
            return status && static_cast<std::uint64_t>(status->Size) > MaxReadableFileSize
                       ? SetOutputStatus::DocumentTooLong
                       : SetOutputStatus::DocumentUnreadable;
        }
        const PageResources resources(FolderOf(path));
        PagePieces pieces(bytes, m_limits.Pieces);
        QString html;
        for (PieceStep step = pieces.Next(html); step != PieceStep::End; step = pieces.Next(html)) {
            if (step == PieceStep::TooLong)
                return SetOutputStatus::DocumentTooLong;
            PageTextDocument piece(resources);
            SetPage(piece, html);
            // The text of the piece lives on in the document alone.
            html = QString();
            LayOut(piece);
            if (!LayoutHolds(piece, m_limits.MaxPieceHeight))
                return SetOutputStatus::DocumentTooLong;
            if (!use(piece))
                return SetOutputStatus::PaintFailed;
        }
        FailedPath.clear();
        return SetOutputStatus::Done;
    }

    void LayOut(QTextDocument& document) const {
        // The layout scales the pages' pixel measures to the device itself.
        document.documentLayout()->setPaintDevice(&m_device);
        document.setPageSize(m_body);
    }

    static int PagesOf(const QTextDocument& document) { return std::max(1, document.pageCount()); }

    QPagedPaintDevice& m_device;
    SetLayoutLimits m_limits;
    QFont m_footerFont;
    qreal m_footerHeight = 0;
    QSizeF m_body;
    std::unique_ptr<QTextDocument> m_title;
    std::vector<int> m_documentPages;
};

// The PDF writer's output passed on to the file as it comes, keeping only the
// file's two ends, which the outline is built from: the head as it is
// written, the tail from the mark on.
class PdfFileSink : public QIODevice {
public:
    // Begin the file at path; throws Failure when it cannot be begun.
    void Begin(const std::string& path, NamedBy namedBy) {
        m_file = std::make_unique<AtomicFileWriter>(path, namedBy);
        open(QIODevice::WriteOnly);
    }
    // Keep every byte written from now on.
    void MarkTail() {
        m_tailOffset = m_size;
        m_keepTail = true;
    }
    PdfEnds Ends() const { return {m_head, m_tailOffset, m_tail}; }
    bool Failed() const { return m_failed; }
    // The system's code of the write that failed, 0 when it gave none.
    int FailedError() const { return m_error; }
    // Append the last bytes and put the file in place; throws Failure.
    void Finish(std::string_view bytes) {
        m_file->Append(bytes);
        m_file->Commit();
    }

    bool isSequential() const override { return true; }

protected:
    qint64 writeData(const char* data, qint64 size) override {
        if (m_failed || !m_file)
            return -1;
        const std::string_view bytes(data, static_cast<std::size_t>(size));
        try {
            m_file->Append(bytes);
        } catch (const Failure& failure) {
            // Qt's writer does not stop on a failed write; painting asks.
            m_failed = true;
            m_error = failure.Cause().SystemError;
            return -1;
        }
        if (m_head.size() < HeadSize)
            m_head.append(bytes.substr(0, HeadSize - m_head.size()));
        if (m_keepTail)
            m_tail.append(bytes);
        m_size += static_cast<std::uint64_t>(size);
        return size;
    }
    qint64 readData(char*, qint64) override { return -1; }

private:
    // The writer's header, information and catalogue take a few hundred bytes.
    static constexpr std::size_t HeadSize = 16 * 1024;

    std::unique_ptr<AtomicFileWriter> m_file;
    std::string m_head;
    std::string m_tail;
    std::uint64_t m_size = 0;
    std::uint64_t m_tailOffset = 0;
    bool m_keepTail = false;
    bool m_failed = false;
    int m_error = 0;
};

std::u16string Lines(std::initializer_list<QString> lines) {
    QString text;
    for (const QString& line : lines) {
        // An empty line stands for a part the failure does not have.
        if (!line.isEmpty())
            text += (text.isEmpty() ? QString() : QStringLiteral("\r")) + line;
    }
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
                         const QDateTime& generated, const SetLayoutLimits& limits) {
    SetLayout layout(device, limits);
    const SetOutputStatus counted = layout.Count(contents, generated);
    if (counted != SetOutputStatus::Done)
        return {counted, layout.FailedPath, 0, {}, layout.FailedError};
    SetOutputResult result{SetOutputStatus::Done, {}, layout.PageCount, layout.StartPages};
    result.Status = layout.Paint(contents, {});
    if (!result.Ok() && result.Status != SetOutputStatus::PaintFailed) {
        result.Path = layout.FailedPath;
        result.SystemError = layout.FailedError;
    }
    return result;
}

SetOutputResult WriteSetPdf(const SetContents& contents, const std::string& path, NamedBy namedBy,
                            const QDateTime& generated, const SetLayoutLimits& limits) {
    PdfFileSink sink;
    QPdfWriter writer(&sink);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(PrintMarginInches, PrintMarginInches, PrintMarginInches, PrintMarginInches),
        QPageLayout::Inch));
    writer.setTitle(SetHeading);
    writer.setCreator(QStringLiteral("Notarion"));

    SetLayout layout(writer, limits);
    const SetOutputStatus counted = layout.Count(contents, generated);
    if (counted != SetOutputStatus::Done)
        return {counted, layout.FailedPath, 0, {}, layout.FailedError};
    SetOutputResult result{SetOutputStatus::Done, {}, layout.PageCount, layout.StartPages};
    const auto failed = [&](SetOutputStatus status, const std::string& at, int error = 0) {
        result.Status = status;
        result.Path = at;
        result.SystemError = error;
        return result;
    };
    // The file is begun only now, so that a document that cannot be laid out
    // leaves not even a temporary file behind.
    try {
        sink.Begin(path, namedBy);
    } catch (const Failure& failure) {
        return failed(SetOutputStatus::FileUnwritable, path, failure.Cause().SystemError);
    }
    // The pages go to the file as they are made; what comes after the last
    // page (fonts, page tree, cross-references) is kept for the outline.
    const SetOutputStatus painted =
        layout.Paint(contents, {[&] { return !sink.Failed(); }, [&] { sink.MarkTail(); }});
    if (sink.Failed())
        return failed(SetOutputStatus::FileUnwritable, path, sink.FailedError());
    if (painted != SetOutputStatus::Done) {
        return painted == SetOutputStatus::PaintFailed
                   ? failed(painted, path)
                   : failed(painted, layout.FailedPath, layout.FailedError);
    }

    std::vector<OutlineEntry> outline;
    for (std::size_t i = 0; i < contents.Documents.size(); ++i)
        outline.push_back({Cp1250ToUtf16(contents.Documents[i].Title), result.StartPages[i]});
    std::string update;
    if (!OutlineUpdate(sink.Ends(), outline, update).Ok())
        return failed(SetOutputStatus::OutlineFailed, path);
    try {
        sink.Finish(update);
    } catch (const Failure& failure) {
        return failed(SetOutputStatus::FileUnwritable, path, failure.Cause().SystemError);
    }
    return result;
}

std::u16string SetOutputMessage(const SetOutputResult& result) {
    const QString path = QStringFromCp1250(result.Path);
    // The system's reason, when it gave one, follows the path.
    const auto reason = [&](FileAccess access) {
        return result.SystemError == 0
                   ? QString()
                   : QString::fromStdString(SystemReasonText(result.SystemError, access));
    };
    switch (result.Status) {
    case SetOutputStatus::Done:
        return {};
    case SetOutputStatus::DocumentUnreadable:
        return Lines({QStringLiteral("Nie można odczytać dokumentu zestawu:"), path,
                      reason(FileAccess::Read), QStringLiteral("Wygeneruj dokumenty ponownie.")});
    case SetOutputStatus::DocumentTooLong:
        return Lines({QStringLiteral("Dokument zestawu jest zbyt obszerny, by złożyć go w strony:"),
                      path, QStringLiteral("Żadna strona zestawu nie powstała.")});
    case SetOutputStatus::PaintFailed:
        return Lines({QStringLiteral("Nie udało się wydrukować zestawu dokumentów."),
                      QStringLiteral("Sprawdź drukarkę albo wybrany plik.")});
    case SetOutputStatus::OutlineFailed:
        return Lines({QStringLiteral("Nie udało się dodać zakładek do pliku PDF:"), path});
    case SetOutputStatus::FileUnwritable:
        return Lines({QStringLiteral("Nie można zapisać pliku:"), path, reason(FileAccess::Write)});
    }
    return {};
}

} // namespace notarion
