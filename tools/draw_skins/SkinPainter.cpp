#include "SkinPainter.h"

#include "ui/layout/Geometry.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace notarion::skins {

using namespace palette;

namespace {

// The smallest caption size still comfortable to read on a school monitor.
constexpr int kSmallestCaption = 8;

// Tolerance for anti-aliased edges that touch a rectangle's border.
constexpr qreal kEdgeTolerance = 0.05;

bool Encloses(const QRectF& outer, const QRectF& inner) {
    return inner.left() >= outer.left() - kEdgeTolerance &&
           inner.top() >= outer.top() - kEdgeTolerance &&
           inner.right() <= outer.right() + kEdgeTolerance &&
           inner.bottom() <= outer.bottom() + kEdgeTolerance;
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

QFont SkinFont(int pixelSize, QFont::Weight weight) {
    QFont font(QString::fromLatin1(notarion::layout::kCaptionFontFamily));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

SkinCanvas::SkinCanvas(std::string name, int width, int height)
    : m_name(std::move(name)), m_image(width, height, QImage::Format_RGB32) {
    m_image.fill(palette::kTeal);
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

void SkinCanvas::Caption(const QRectF& area, const QString& text, const QFont& font,
                         const QColor& colour, Across across, int underlinedLetter) {
    QFont sized = font;
    for (int pixelSize = font.pixelSize();; --pixelSize) {
        sized.setPixelSize(pixelSize);
        const QFontMetricsF metrics(sized);
        const qreal advance = metrics.horizontalAdvance(text);
        qreal x = area.left();
        if (across == Across::Centre) {
            x = area.center().x() - advance / 2;
        } else if (across == Across::Right) {
            x = area.right() - advance;
        }
        // Whole pixels keep the glyph stems crisp after JPEG compression.
        x = std::round(x);
        const qreal centred = std::round(area.center().y() + metrics.capHeight() / 2);
        const qreal underlineOffset = std::max<qreal>(1.5, metrics.underlinePos());
        const QRectF glyphs = metrics.tightBoundingRect(text);
        // Centred on the capitals first; a pixel or two up or down is
        // better than a smaller font when descenders or accents touch.
        for (const qreal shift : {0.0, -1.0, 1.0, -2.0, 2.0}) {
            const qreal baseline = centred + shift;
            QRectF ink = glyphs.translated(x, baseline);
            const qreal underlineY = baseline + underlineOffset;
            if (underlinedLetter >= 0) {
                ink = ink.united(QRectF(x, underlineY - 0.5, 1, 1));
            }
            const bool fits = Encloses(area, ink);
            const bool lastChance = pixelSize <= kSmallestCaption && shift == 2.0;
            if (!fits && !lastChance) {
                continue;
            }
            if (!fits) {
                Problem("caption \"" + Utf8(text) + "\" does not fit its area");
            }
            m_painter.save();
            m_painter.setFont(sized);
            m_painter.setPen(colour);
            m_painter.drawText(QPointF(x, baseline), text);
            if (underlinedLetter >= 0 && underlinedLetter < text.size()) {
                const qreal from = x + metrics.horizontalAdvance(text.left(underlinedLetter));
                const qreal width = metrics.horizontalAdvance(text.mid(underlinedLetter, 1));
                m_painter.setRenderHint(QPainter::Antialiasing, false);
                m_painter.setPen(QPen(colour, 1));
                m_painter.drawLine(QPointF(from, underlineY),
                                   QPointF(from + width - 1, underlineY));
            }
            m_painter.restore();
            return;
        }
    }
}

void SkinCanvas::Paragraph(const QRectF& area, const QString& text, const QFont& font,
                           const QColor& colour) {
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(colour);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF needed = m_painter.boundingRect(area, flags, text);
    if (!Encloses(area, needed)) {
        Problem("paragraph \"" + Utf8(text) + "\" needs more room");
    }
    m_painter.drawText(area, flags, text);
    m_painter.restore();
}

QImage SkinCanvas::Finish(std::vector<std::string>& problems) {
    m_painter.end();
    problems.insert(problems.end(), m_problems.begin(), m_problems.end());
    m_problems.clear();
    return m_image;
}

void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(rect, gradient);
}

void Outline(QPainter& painter, const QRectF& rect, qreal radius, const QColor& colour) {
    painter.save();
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.restore();
}

void WhiteWell(QPainter& painter, const QRectF& inner) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A soft shadow above and left, as if the well were sunk into the panel.
    painter.fillRect(inner.adjusted(-3, -3, 3, 3), QColor(0, 0, 0, 40));
    painter.fillRect(inner.adjusted(-2, -2, 2, 2), kFrame);
    painter.fillRect(inner.adjusted(-1, -1, 1, 1), kMintPale);
    painter.fillRect(inner, Qt::white);
    painter.restore();
}

void GlyphButton(QPainter& painter, const QRectF& area, Glyph glyph) {
    painter.save();
    QPainterPath tile;
    tile.addRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, kTealLight.lighter(115));
    gradient.setColorAt(1, kTealLight.darker(110));
    painter.fillPath(tile, gradient);
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
    painter.drawPath(tile);

    const QPointF centre = area.center();
    const qreal reach = std::min(area.width(), area.height()) * 0.22;
    painter.setPen(QPen(kWarmWhite, 1.7, Qt::SolidLine, Qt::RoundCap));
    switch (glyph) {
    case Glyph::Close:
        painter.drawLine(centre + QPointF(-reach, -reach), centre + QPointF(reach, reach));
        painter.drawLine(centre + QPointF(-reach, reach), centre + QPointF(reach, -reach));
        break;
    case Glyph::Minimise:
        painter.drawLine(QPointF(centre.x() - reach, centre.y() + reach),
                         QPointF(centre.x() + reach, centre.y() + reach));
        break;
    case Glyph::Help:
    case Glyph::About: {
        QFont font = SkinFont(static_cast<int>(area.height() * 0.72), QFont::Bold);
        painter.setFont(font);
        const QString letter = glyph == Glyph::Help ? QStringLiteral("?") : QStringLiteral("i");
        const QFontMetricsF metrics(font);
        const QRectF ink = metrics.tightBoundingRect(letter);
        // Centre the ink itself: "?" and "i" have very different side bearings.
        const QPointF origin(std::round(centre.x() - ink.center().x()),
                             std::round(centre.y() - ink.center().y()));
        painter.drawText(origin, letter);
        break;
    }
    }
    painter.restore();
}

void Emblem(QPainter& painter, const QRectF& rect) {
    painter.save();
    const qreal size = std::min(rect.width(), rect.height());
    const QRectF tile(rect.center().x() - size / 2, rect.center().y() - size / 2, size, size);
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, size * 0.22, size * 0.22);
    QLinearGradient gold(tile.topLeft(), tile.bottomLeft());
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(1, kGold);
    painter.fillPath(tilePath, gold);

    // A page with a folded corner.
    const QRectF page(tile.left() + size * 0.24, tile.top() + size * 0.16, size * 0.52,
                      size * 0.68);
    const qreal fold = size * 0.16;
    QPainterPath pagePath;
    pagePath.moveTo(page.topLeft());
    pagePath.lineTo(page.right() - fold, page.top());
    pagePath.lineTo(page.right(), page.top() + fold);
    pagePath.lineTo(page.bottomRight());
    pagePath.lineTo(page.bottomLeft());
    pagePath.closeSubpath();
    painter.fillPath(pagePath, kWarmWhite);

    // A check mark across the page.
    painter.setPen(
        QPen(kTeal, std::max<qreal>(1.4, size * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath check;
    check.moveTo(page.left() + page.width() * 0.18, page.top() + page.height() * 0.56);
    check.lineTo(page.left() + page.width() * 0.42, page.top() + page.height() * 0.78);
    check.lineTo(page.left() + page.width() * 0.84, page.top() + page.height() * 0.28);
    painter.drawPath(check);
    painter.restore();
}

void ButtonFace(QPainter& painter, const QRectF& rect, Face face, qreal radius) {
    painter.save();
    QPainterPath path;
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    path.addRoundedRect(body, radius, radius);
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    QColor border;
    switch (face) {
    case Face::Normal:
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, QColor(0xEF, 0xEB, 0xE1));
        border = kFrame;
        break;
    case Face::Highlighted:
        gradient.setColorAt(0, kTealLight);
        gradient.setColorAt(1, kTeal);
        border = kGoldDark;
        break;
    case Face::Primary:
        gradient.setColorAt(0, kGoldLight);
        gradient.setColorAt(1, kGold);
        border = kGoldDark;
        break;
    case Face::Quiet:
        gradient.setColorAt(0, kTealLight.lighter(110));
        gradient.setColorAt(1, kTealLight.darker(105));
        border = kTealLine;
        break;
    }
    painter.fillPath(path, gradient);
    painter.setPen(QPen(border, 1));
    painter.drawPath(path);
    if (face == Face::Highlighted) {
        // A gold ring inside the border marks the button that Enter answers.
        QPainterPath ring;
        ring.addRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
        painter.setPen(QPen(kGold, 1.2));
        painter.drawPath(ring);
    }
    painter.restore();
}

QColor FaceText(Face face) {
    switch (face) {
    case Face::Normal:
        return kTeal;
    case Face::Primary:
        return kTealDeep;
    case Face::Highlighted:
    case Face::Quiet:
        break;
    }
    return kWarmWhite;
}

} // namespace notarion::skins
