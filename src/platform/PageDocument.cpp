#include "platform/PageDocument.h"

#include "platform/QtText.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace notarion {
namespace {

// Only the head of a page is searched for its charset declaration.
constexpr std::size_t CharsetSearchLimit = 4096;

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The value of the first "charset=" in the page's head, lower-cased; empty
// when there is none.
std::string DeclaredCharset(std::string_view bytes) {
    const std::string head =
        LowerAscii(bytes.substr(0, std::min(bytes.size(), CharsetSearchLimit)));
    const std::size_t at = head.find("charset=");
    if (at == std::string::npos)
        return {};
    std::size_t begin = at + 8;
    while (begin < head.size() && (head[begin] == '"' || head[begin] == '\'' || head[begin] == ' '))
        ++begin;
    std::size_t end = begin;
    while (end < head.size() && (std::isalnum(static_cast<unsigned char>(head[end])) ||
                                 head[end] == '-' || head[end] == '_'))
        ++end;
    return head.substr(begin, end - begin);
}

// True when the bytes are UTF-8 as Qt's decoder reads it, checked in
// stretches so that a large page is never held twice.
bool IsUtf8(std::string_view bytes) {
    constexpr std::size_t Stretch = 1 << 20;
    QStringDecoder decoder(QStringDecoder::Utf8);
    for (std::size_t at = 0; at < bytes.size(); at += Stretch) {
        const std::string_view part = bytes.substr(at, Stretch);
        // The decoder works when its result becomes text.
        const QString text =
            decoder(QByteArrayView(part.data(), static_cast<qsizetype>(part.size())));
        if (decoder.hasError())
            return false;
    }
    return true;
}

// The encoding of a page by DecodePage's rules, and the length of its
// byte-order mark; none for Windows-1250.
std::optional<QStringDecoder::Encoding> PageEncoding(std::string_view page, std::size_t& mark) {
    mark = 0;
    if (page.starts_with("\xEF\xBB\xBF")) {
        mark = 3;
        return QStringDecoder::Utf8;
    }
    if (page.starts_with("\xFF\xFE") || page.starts_with("\xFE\xFF")) {
        mark = 2;
        return page[0] == '\xFF' ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE;
    }
    const std::string charset = DeclaredCharset(page);
    if (charset == "utf-8" || charset == "utf8")
        return QStringDecoder::Utf8;
    if (charset == "iso-8859-1" || charset == "latin1")
        return QStringDecoder::Latin1;
    if (charset == "windows-1250" || charset == "cp1250" || charset == "x-cp1250")
        return std::nullopt;
    // Undeclared or unknown: a Polish page that is not valid UTF-8 is almost
    // certainly in the code page the program itself writes.
    if (IsUtf8(page))
        return QStringDecoder::Utf8;
    return std::nullopt;
}

// The number of a body attribute such as leftmargin="20", if the page's body
// tag carries it.
std::optional<int> BodyMargin(const QString& html, const QString& attribute) {
    const qsizetype body = html.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
    if (body < 0)
        return std::nullopt;
    const qsizetype close = html.indexOf(QChar(u'>'), body);
    const QString tag = html.mid(body, close < 0 ? -1 : close - body);
    qsizetype at = tag.indexOf(attribute + u'=', 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    at += attribute.size() + 1;
    while (at < tag.size() && (tag[at] == u'"' || tag[at] == u'\''))
        ++at;
    qsizetype end = at;
    while (end < tag.size() && tag[end].isDigit() && end - at < 4)
        ++end;
    if (end == at)
        return std::nullopt;
    return tag.mid(at, end - at).toInt();
}

} // namespace

QString DecodePage(std::string_view bytes) {
    PageDecoder decoder(bytes);
    return decoder.Decode(bytes.substr(decoder.MarkLength()));
}

PageDecoder::PageDecoder(std::string_view page) {
    const std::optional<QStringDecoder::Encoding> encoding = PageEncoding(page, m_markLength);
    if (encoding)
        m_decoder = QStringDecoder(*encoding);
    else
        m_cp1250 = true;
}

QString PageDecoder::Decode(std::string_view stretch) {
    if (m_cp1250)
        return QStringFromCp1250(stretch);
    return m_decoder(QByteArrayView(stretch.data(), static_cast<qsizetype>(stretch.size())));
}

void ApplyBodyMargins(QTextDocument& document, const QString& html) {
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    if (const auto left = BodyMargin(html, QStringLiteral("leftmargin")))
        frame.setLeftMargin(*left);
    if (const auto right = BodyMargin(html, QStringLiteral("rightmargin")))
        frame.setRightMargin(*right);
    if (const auto top = BodyMargin(html, QStringLiteral("topmargin")))
        frame.setTopMargin(*top);
    document.rootFrame()->setFrameFormat(frame);
}

void DrawDocumentPage(QPainter& painter, QTextDocument& document, int page, const QSizeF& body,
                      qreal top) {
    painter.save();
    painter.translate(0, top - page * body.height());
    const QRectF view(0, page * body.height(), body.width(), body.height());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace notarion
