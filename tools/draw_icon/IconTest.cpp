#include "IconGeometry.h"
#include "IconPainter.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace notarion::icon;

namespace {

// The colour at a point of the unit square, as 0xRRGGBB, and its opacity.
QRgb PixelAt(const QImage& image, double x, double y) {
    return image.pixel(static_cast<int>(x * image.width()), static_cast<int>(y * image.height()));
}

bool Near(QRgb pixel, std::uint32_t rgb, int tolerance) {
    return std::abs(qRed(pixel) - static_cast<int>(rgb >> 16 & 0xFF)) <= tolerance &&
           std::abs(qGreen(pixel) - static_cast<int>(rgb >> 8 & 0xFF)) <= tolerance &&
           std::abs(qBlue(pixel) - static_cast<int>(rgb & 0xFF)) <= tolerance;
}

} // namespace

TEST(Icon, EverySizeShowsTheDescribedParts) {
    for (const int size : kPngSizes) {
        const QImage image = PaintIcon(kIcon, size);
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        // Outside the rounded tile the picture is transparent.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0) << size;
        if (size < 32) {
            continue; // the smallest sizes blend the thin parts into each other
        }
        // Inside the page, away from the check mark: the page colour.
        EXPECT_TRUE(Near(PixelAt(image, 0.33, 0.26), kIcon.pageColour, 8)) << size;
        // On the check mark's corner: the check colour.
        const Point corner = kIcon.check[1];
        EXPECT_TRUE(Near(PixelAt(image, corner.x, corner.y), kIcon.checkColour, 24)) << size;
        // Left of the page, on the tile: between the gradient's two colours.
        const QRgb tile = PixelAt(image, 0.15, 0.5);
        EXPECT_EQ(qAlpha(tile), 255) << size;
        EXPECT_TRUE(Near(tile, kIcon.tileBottom, 24) || Near(tile, kIcon.tileTop, 24)) << size;
    }
}

TEST(Icon, SvgIsWellFormedAndCarriesTheSameGeometry) {
    const std::string svg = IconSvg(kIcon, 256);
    QXmlStreamReader reader(QByteArray::fromStdString(svg));
    QStringList elements;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            elements << reader.name().toString();
        }
    }
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(elements, QStringList({"svg", "defs", "linearGradient", "stop", "stop", "rect",
                                     "polygon", "polygon", "polyline"}));
    // The page's first corner at 256 pixels and every colour of the description.
    EXPECT_NE(svg.find("points=\"69.12,48.64 "), std::string::npos);
    for (const std::uint32_t colour :
         {kIcon.tileTop, kIcon.tileBottom, kIcon.pageColour, kIcon.foldColour, kIcon.checkColour}) {
        EXPECT_NE(svg.find(HexColour(colour)), std::string::npos) << HexColour(colour);
    }
}

TEST(Icon, HexColourKeepsLeadingZeros) {
    EXPECT_EQ(HexColour(0x025646), "#025646");
    EXPECT_EQ(HexColour(0xFFFFFF), "#ffffff");
    EXPECT_EQ(HexColour(0xFF000000), "#000000");
}

TEST(Icon, IcoDirectoryPointsAtOnePngPerSize) {
    const QByteArray ico = IconIco(kIcon);
    const auto byteAt = [&](qsizetype at) { return static_cast<std::uint8_t>(ico.at(at)); };
    const auto wordAt = [&](qsizetype at) { return byteAt(at) | byteAt(at + 1) << 8; };
    const auto longAt = [&](qsizetype at) {
        return static_cast<qsizetype>(wordAt(at) | wordAt(at + 2) << 16);
    };
    ASSERT_GE(ico.size(), 6);
    EXPECT_EQ(wordAt(2), 1);
    ASSERT_EQ(wordAt(4), static_cast<int>(kIcoSizes.size()));
    for (std::size_t i = 0; i < kIcoSizes.size(); ++i) {
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        EXPECT_EQ(byteAt(entry), kIcoSizes[i] % 256);
        const QImage picture = QImage::fromData(ico.mid(longAt(entry + 12), longAt(entry + 8)), "PNG");
        EXPECT_EQ(picture.width(), kIcoSizes[i]);
        EXPECT_EQ(picture.height(), kIcoSizes[i]);
    }
}
