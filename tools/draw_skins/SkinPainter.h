#pragma once

// Drawing helpers shared by every skin: the colour scheme, the fonts, and
// the pieces that recur (title strips, small glyph buttons, white wells,
// captions that must fit their hot areas).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include <string>
#include <vector>

namespace notarion::skins {

// One colour scheme for the whole program: deep teal, warm white, soft gold.
namespace palette {
inline const QColor kTealDeep{0x01, 0x2E, 0x26};
inline const QColor kTealDark{0x01, 0x3C, 0x31};
inline const QColor kTeal{0x02, 0x56, 0x46};
inline const QColor kTealLight{0x0C, 0x70, 0x5C};
inline const QColor kTealLine{0x2E, 0x84, 0x72};
inline const QColor kMint{0xB9, 0xD7, 0xCD};
inline const QColor kMintPale{0xDD, 0xEC, 0xE6};
inline const QColor kWarmWhite{0xFB, 0xF8, 0xF1};
inline const QColor kPaper{0xF3, 0xEF, 0xE4};
inline const QColor kPaperShade{0xEA, 0xE4, 0xD6};
inline const QColor kGold{0xE3, 0xB2, 0x5A};
inline const QColor kGoldLight{0xF2, 0xCF, 0x86};
inline const QColor kGoldDark{0xA9, 0x7A, 0x2C};
inline const QColor kInk{0x1E, 0x2B, 0x28};
inline const QColor kFrame{0x8F, 0xB3, 0xA8};
} // namespace palette

// The typeface of every caption, at a pixel size.
QFont SkinFont(int pixelSize, QFont::Weight weight = QFont::Normal);

// Where a caption sits across its rectangle.
enum class Across { Left, Centre, Right };

// A picture being drawn, with the list of captions that did not fit.
class SkinCanvas {
public:
    // A canvas of the given size, cleared to the scheme's teal.
    SkinCanvas(std::string name, int width, int height);

    // The painter, already active on the picture; valid until Finish.
    QPainter& Painter() { return m_painter; }

    // Draws text on one line inside area, vertically centred on the capital
    // height; when the ink would leave the area, the font is made smaller
    // down to 8 px, and when even that does not fit, a problem is noted.
    void Caption(const QRectF& area, const QString& text, const QFont& font, const QColor& colour,
                 Across across = Across::Centre, int underlinedLetter = -1);

    // Draws word-wrapped text from the top of area; a problem is noted when
    // the text needs more height than the area has.
    void Paragraph(const QRectF& area, const QString& text, const QFont& font,
                   const QColor& colour);

    // Notes a problem that makes the picture unfit to ship.
    void Problem(const std::string& text) { m_problems.push_back(m_name + ": " + text); }

    // Ends painting and hands over the picture and the problems found.
    QImage Finish(std::vector<std::string>& problems);

private:
    std::string m_name;
    QImage m_image;
    QPainter m_painter;
    std::vector<std::string> m_problems;
};

// Fills rect with a vertical gradient from top to bottom colour.
void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom);

// A rounded outline one pixel wide, inside rect.
void Outline(QPainter& painter, const QRectF& rect, qreal radius, const QColor& colour);

// A white area for a live control at exactly inner, with a thin frame
// drawn just outside it so the control covers only white.
void WhiteWell(QPainter& painter, const QRectF& inner);

// The small square buttons of a title band, with their glyphs.
enum class Glyph { Close, Minimise, Help, About };
void GlyphButton(QPainter& painter, const QRectF& area, Glyph glyph);

// The program's emblem (a page with a check mark on a gold tile) in rect.
void Emblem(QPainter& painter, const QRectF& rect);

// A button face: the calm normal face, the highlighted (selected) face, or
// the gold face of a main action.
enum class Face { Normal, Highlighted, Primary, Quiet };
void ButtonFace(QPainter& painter, const QRectF& rect, Face face, qreal radius);

// The text colour that reads on a button face.
QColor FaceText(Face face);

} // namespace notarion::skins
