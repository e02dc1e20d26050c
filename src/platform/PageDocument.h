#pragma once

// A generated HTML page as a Qt text document: how its bytes are decoded,
// which of its body attributes the rich-text engine needs to be told, and how
// one printed page of it is drawn. The embedded viewer and the set's PDF both
// build on these, so the paper shows what the viewer shows.

#include <QString>
#include <QStringDecoder>
#include <QtGlobal>

#include <string_view>

class QPainter;
class QSizeF;
class QTextDocument;

namespace notarion {

// Margins of printed pages, as the desktop browsers print by default.
inline constexpr qreal PrintMarginInches = 0.75;

// The text of a page's bytes: the encoding is taken from a byte-order mark or
// from the page's meta charset (windows-1250 and its aliases, UTF-8,
// ISO-8859-1); without either, valid UTF-8 is read as UTF-8 and anything else
// as Windows-1250, the code page of the generated documents. Never fails.
QString DecodePage(std::string_view bytes);

// DecodePage in stretches, for a page too large to hold as text at once.
class PageDecoder {
public:
    // The encoding of the whole page, by DecodePage's rules. Never fails.
    explicit PageDecoder(std::string_view page);

    // The length of the byte-order mark at the page's start (0 when none):
    // the page's text begins after it.
    std::size_t MarkLength() const { return m_markLength; }

    // The text of the page's next stretch of bytes; a character cut at the
    // stretch's end is completed by the next stretch. Never fails.
    QString Decode(std::string_view stretch);

private:
    std::size_t m_markLength = 0;
    // Windows-1250 is decoded by the program's own table.
    bool m_cp1250 = false;
    QStringDecoder m_decoder;
};

// Give the document's frame the side and top margins that the page asks for
// in its body tag (leftmargin, rightmargin, topmargin), which the rich-text
// engine does not read itself. Never fails; absent attributes change nothing.
void ApplyBodyMargins(QTextDocument& document, const QString& html);

// Draw page number page (from 0) of a document already laid out with page
// size body, with its top edge at top on the painter, in black text. Never
// fails; a page past the end draws nothing.
void DrawDocumentPage(QPainter& painter, QTextDocument& document, int page, const QSizeF& body,
                      qreal top);

} // namespace notarion
