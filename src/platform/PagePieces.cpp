#include "platform/PagePieces.h"

#include <algorithm>
#include <array>

namespace notarion {
namespace {

// The page's bytes are decoded this many at a time.
constexpr std::size_t DecodeStretch = 64 * 1024;
// The body tag is looked for this far into a page; a page without one in
// its head is cut without a head to repeat.
constexpr qsizetype PrologueSearch = 64 * 1024;

// Qt's reader skips blanks, except the paragraph separator.
bool IsBlank(QChar c) {
    return c.isSpace() && c != QChar::ParagraphSeparator;
}

void SkipBlanks(QStringView text, qsizetype& at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
}

// A word as Qt's reader takes it: quoted, or up to a blank, '<', '=', '>' or
// "/>". Returns the word without quotes.
QStringView ReadWord(QStringView text, qsizetype& at) {
    const qsizetype n = text.size();
    if (at < n && (text[at] == u'"' || text[at] == u'\'')) {
        const QChar quote = text[at];
        const qsizetype begin = ++at;
        while (at < n) {
            const QChar c = text[at++];
            // A single quote after a backslash does not end the word.
            if (c == quote && (quote == u'"' || text[at - 2] != u'\\'))
                return text.mid(begin, at - 1 - begin);
        }
        return text.mid(begin);
    }
    const qsizetype begin = at;
    while (at < n) {
        const QChar c = text[at];
        if (c == u'>' || c == u'<' || c == u'=' || IsBlank(c) ||
            (c == u'/' && at + 1 < n && text[at + 1] == u'>'))
            break;
        ++at;
    }
    return text.mid(begin, at - begin);
}

// The attributes after a tag's name, read only to step over quoted values.
void SkipAttributes(QStringView text, qsizetype& at) {
    while (at < text.size()) {
        SkipBlanks(text, at);
        if (at < text.size() && (text[at] == u'>' || text[at] == u'/'))
            return;
        if (ReadWord(text, at).isEmpty())
            return;
        SkipBlanks(text, at);
        if (at < text.size() && text[at] == u'=') {
            ++at;
            SkipBlanks(text, at);
            ReadWord(text, at);
        }
    }
}

// How Qt's reader classes the elements it knows, as far as the open elements
// depend on it.
bool IsBlockElement(const QString& name) {
    static const std::array<QStringView, 19> blocks = {
        u"blockquote", u"body", u"caption", u"center", u"dd", u"div", u"dl", u"dt", u"h1", u"h2",
        u"h3",         u"h4",   u"h5",      u"h6",     u"hr", u"li",  u"ol", u"p",  u"pre"};
    return name == u"ul" || name == u"td" || name == u"th" || name == u"qt" ||
           std::find(blocks.begin(), blocks.end(), name) != blocks.end();
}

bool HasNoContent(const QString& name) {
    return name == u"br" || name == u"img" || name == u"hr" || name == u"meta";
}

// Whether Qt lets an element of this name be a child of parent.
bool AllowedIn(const QString& name, const QString& parent) {
    if (name == u"dd" || name == u"dt")
        return parent == u"dl";
    if (name == u"tr")
        return parent == u"table" || parent == u"thead" || parent == u"tbody" || parent == u"tfoot";
    if (name == u"td" || name == u"th")
        return parent == u"tr";
    if (name == u"thead" || name == u"tbody" || name == u"tfoot" || name == u"caption")
        return parent == u"table";
    if (name == u"body")
        return parent != u"head";
    return true;
}

// Elements inside which a piece may not end: opened again they would start
// a new table, restart the numbering or show what the head hides.
bool KeepsPieceOpen(const QString& name) {
    static const std::array<QStringView, 14> keep = {
        u"table",   u"thead", u"tbody", u"tfoot", u"tr",    u"td",     u"th",
        u"caption", u"pre",   u"ol",    u"head",  u"style", u"script", u"title"};
    return std::find(keep.begin(), keep.end(), name) != keep.end();
}

bool HasOpen(const std::vector<PagePieces::OpenElement>& open, QStringView name) {
    return std::any_of(open.begin(), open.end(),
                       [&](const PagePieces::OpenElement& e) { return e.Name == name; });
}

} // namespace

PagePieces::PagePieces(std::string_view page, PieceLimits limits)
    : m_page(page), m_decoder(page), m_limits(limits) {
    m_decoded = m_decoder.MarkLength();
}

bool PagePieces::DecodeMore() {
    if (m_decoded >= m_page.size())
        return false;
    const std::string_view stretch = m_page.substr(m_decoded, DecodeStretch);
    m_decoded += stretch.size();
    m_text += m_decoder.Decode(stretch);
    return true;
}

PagePieces::Read PagePieces::ReadTag(qsizetype from, Tag& tag) const {
    const QStringView text(m_text);
    const qsizetype n = text.size();
    const qsizetype open = text.indexOf(u'<', from);
    if (open < 0)
        return Read::NoTag;
    // A tag not closed in the text decoded so far may close further on.
    const bool more = m_decoded < m_page.size();
    qsizetype at = open + 1;
    SkipBlanks(text, at);
    tag = Tag{};
    tag.Begin = open;
    if (at < n && text[at] == u'!') {
        ++at;
        const bool comment = text.mid(at, 2) == u"--";
        const qsizetype close = comment ? text.indexOf(u"-->", at + 2) : text.indexOf(u'>', at);
        if (close < 0 && more)
            return Read::NeedMore;
        tag.End = close < 0 ? n : close + (comment ? 3 : 1);
        return Read::Done;
    }
    if (at < n && text[at] == u'/') {
        ++at;
        tag.Kind = TagKind::End;
        tag.Name = ReadWord(text, at).toString().toLower().trimmed();
    } else {
        tag.Kind = TagKind::Start;
        tag.Name = ReadWord(text, at).toString().toLower();
        if (at < n && IsBlank(text[at]))
            SkipAttributes(text, at);
    }
    while (at < n && text[at] != u'>') {
        if (text[at] == u'/')
            tag.SelfClosed = true;
        ++at;
    }
    if (at >= n && more)
        return Read::NeedMore;
    tag.End = std::min(at + 1, n);
    return Read::Done;
}

void PagePieces::TakePrologue() {
    m_started = true;
    while (m_text.size() < PrologueSearch && DecodeMore()) {
    }
    // The head is what comes before the body's content; without a body tag
    // near the start there is no head to repeat.
    Tag tag;
    for (qsizetype at = 0; at < m_text.size() && at < PrologueSearch; at = tag.End) {
        if (ReadTag(at, tag) != Read::Done)
            return;
        if (tag.Kind == TagKind::Start && tag.Name == u"body") {
            m_prologue = m_text.left(tag.End);
            m_text.remove(0, tag.End);
            return;
        }
    }
}

void PagePieces::Apply(const Tag& tag) {
    if (tag.Kind == TagKind::End) {
        // An end tag closes the nearest open element of its name, and
        // everything opened inside it; one that closes nothing is ignored.
        for (std::size_t i = m_open.size(); i-- > 0;) {
            if (m_open[i].Name == tag.Name) {
                m_open.resize(i);
                return;
            }
        }
        return;
    }
    if (tag.Kind != TagKind::Start)
        return;
    const QString& name = tag.Name;
    // A cell or a row outside a table gets the table around it.
    if (name == u"td" && !HasOpen(m_open, u"tr")) {
        if (!HasOpen(m_open, u"table"))
            m_open.push_back({QStringLiteral("table"), QStringLiteral("<table>")});
        m_open.push_back({QStringLiteral("tr"), QStringLiteral("<tr>")});
    } else if (name == u"tr" && !HasOpen(m_open, u"table")) {
        m_open.push_back({QStringLiteral("table"), QStringLiteral("<table>")});
    }
    if (name == u"p") {
        // A paragraph closes the paragraph it would fall into, with the
        // inline elements open inside that.
        for (std::size_t i = m_open.size(); i-- > 0;) {
            if (IsBlockElement(m_open[i].Name)) {
                if (m_open[i].Name == u"p")
                    m_open.resize(i);
                break;
            }
        }
    } else if (name == u"li" && !m_open.empty() && m_open.back().Name == u"li") {
        m_open.pop_back();
    }
    while (!m_open.empty() && !AllowedIn(name, m_open.back().Name))
        m_open.pop_back();
    if (!tag.SelfClosed && !HasNoContent(name))
        m_open.push_back({name, m_text.mid(tag.Begin, tag.End - tag.Begin)});
}

bool PagePieces::MayEndHere() {
    if (m_scanned < m_limits.Characters)
        return false;
    // Not just before the end: a last piece of closing tags would be a blank
    // page. Enough text is decoded to tell.
    const qsizetype least = m_limits.Characters / 8;
    while (m_text.size() - m_scanned < least && DecodeMore()) {
    }
    if (m_text.size() - m_scanned < least)
        return false;
    return std::none_of(m_open.begin(), m_open.end(),
                        [](const OpenElement& e) { return KeepsPieceOpen(e.Name); });
}

QString PagePieces::Emit(qsizetype end) {
    QString piece;
    piece.reserve(m_prologue.size() + m_reopen.size() + end);
    piece.append(m_prologue).append(m_reopen).append(QStringView(m_text).left(end));
    m_text.remove(0, end);
    m_scanned -= end;
    m_reopen.clear();
    for (const OpenElement& element : m_open)
        m_reopen += element.Tag;
    return piece;
}

PieceStep PagePieces::Next(QString& piece) {
    if (m_done)
        return PieceStep::End;
    if (!m_started)
        TakePrologue();
    for (;;) {
        Tag tag;
        const Read read = ReadTag(m_scanned, tag);
        if (read == Read::NoTag)
            // Plain text to the end of what is decoded: nothing in it to read again.
            m_scanned = m_text.size();
        if (read == Read::NeedMore || (read == Read::NoTag && m_decoded < m_page.size())) {
            if (m_text.size() > m_limits.MaxCharacters)
                return PieceStep::TooLong;
            DecodeMore();
            continue;
        }
        if (read == Read::NoTag) {
            m_done = true;
            piece = Emit(m_text.size());
            return PieceStep::Piece;
        }
        Apply(tag);
        m_scanned = tag.End;
        const bool breakOrEnd =
            tag.Kind == TagKind::End || (tag.Kind == TagKind::Start && tag.Name == u"br");
        if (breakOrEnd && MayEndHere()) {
            piece = Emit(m_scanned);
            return PieceStep::Piece;
        }
        if (m_scanned > m_limits.MaxCharacters)
            return PieceStep::TooLong;
    }
}

} // namespace notarion
