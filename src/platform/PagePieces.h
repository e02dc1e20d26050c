#pragma once

// A generated page cut into pieces that Qt's text layout takes one at a time.
//
// Qt keeps positions in a layout as 26.6 fixed-point numbers, which overflow
// at about 33.5 million device units: some 2,600 pages at the PDF writer's
// resolution, after which the text silently vanishes. Its HTML reader also
// needs some forty bytes for every character of a page. A long document is
// therefore read, laid out and painted piece by piece, each piece from a new
// page.
//
// Each piece is a whole page in itself: the page's head up to and including
// its body tag, then the elements that are open where the piece begins,
// opened again, then the piece's stretch of the body. To know which elements
// are open, the body is read by the rules of Qt's own HTML reader (which
// element closes which). A piece ends only after a line break or a closing
// tag, and never inside a table, preformatted text or a numbered list, where
// opening the elements again would change what is shown; so the pieces show
// the page's text whole, and as it looks, apart from the new page each one
// starts. A page shorter than one piece is one piece, its text unchanged.

#include "platform/PageDocument.h"

#include <QString>

#include <string_view>
#include <vector>

namespace notarion {

// How large the pieces of a page grow.
struct PieceLimits {
    // A piece ends at the first place that allows it once it holds this many
    // characters of the body: above the largest document of a school of a
    // thousand reports, and few enough that even empty report lines (nine
    // characters each) stay far below the height at which the layout fails.
    qsizetype Characters = 256 * 1024;
    // A piece that would grow past this many characters without a place to
    // end is refused: reading it would take too much memory.
    qsizetype MaxCharacters = 1024 * 1024;
};

// How taking the next piece ended.
enum class PieceStep {
    Piece,
    // The page has no more pieces.
    End,
    // The rest of the page offers no place to end a piece within
    // PieceLimits::MaxCharacters.
    TooLong,
};

// The pieces of one page, in order.
class PagePieces {
public:
    // The page's bytes, which must outlive this object, in any encoding
    // DecodePage reads. Never fails.
    explicit PagePieces(std::string_view page, PieceLimits limits = {});

    // The next piece, as a page of its own, into piece. Never throws.
    PieceStep Next(QString& piece);

    // One element open at the end of what was read: its name, lower-cased,
    // and its start tag as written.
    struct OpenElement {
        QString Name;
        QString Tag;
    };

private:
    // One tag read from the text (or a comment or declaration), from its '<'
    // up to the position after its '>'.
    enum class TagKind { Start, End, Other };
    struct Tag {
        TagKind Kind = TagKind::Other;
        QString Name;
        bool SelfClosed = false;
        qsizetype Begin = 0;
        qsizetype End = 0;
    };
    enum class Read { Done, NeedMore, NoTag };

    bool DecodeMore();
    Read ReadTag(qsizetype from, Tag& tag) const;
    void TakePrologue();
    void Apply(const Tag& tag);
    bool MayEndHere();
    QString Emit(qsizetype end);

    std::string_view m_page;
    std::size_t m_decoded = 0;
    PageDecoder m_decoder;
    PieceLimits m_limits;
    // The decoded text not yet given out, and how far its tags are read.
    QString m_text;
    qsizetype m_scanned = 0;
    bool m_started = false;
    bool m_done = false;
    QString m_prologue;
    // The elements open at m_scanned, and the start tags that open again the
    // elements open where the pending piece begins.
    std::vector<OpenElement> m_open;
    QString m_reopen;
};

} // namespace notarion
