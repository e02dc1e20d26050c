// What a laid-out page may load: pictures and style sheets named by the page
// are looked for while Qt parses and lays it out, so every case goes through
// setHtml and the layout, as the viewer and the set's PDF do.

#include "platform/PageResources.h"

#include "support/FileBytes.h"
#include "support/Pictures.h"
#include "support/PipeFeeder.h"
#include "support/TempFolder.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::PipeFeeder;
using testing::TallPicturePng;
using testing::TempFolder;
using testing::WriteBytes;

// A folder of pages with a picture and a style sheet beside them, the same
// two in a folder outside it, a pipe that answers with the picture, and links
// from the pages' folder to the outside and to a device.
class PageResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pages = m_root.Path() / "strony";
        m_outside = m_root.Path() / "obce";
        fs::create_directories(m_pages);
        fs::create_directories(m_outside);
        for (const fs::path& folder : {m_pages, m_outside}) {
            WriteBytes(folder / "obraz.png", TallPicturePng());
            WriteBytes(folder / "duzy.css", "p { font-size: 72pt }");
        }
        fs::create_symlink(m_outside / "obraz.png", m_pages / "skrot.png");
        fs::create_symlink("/dev/zero", m_pages / "zero.png");
        m_pipe = std::make_unique<PipeFeeder>(m_pages / "potok.png", TallPicturePng());
    }

    // The page laid out in a document of the pages' folder: its height, and
    // the size of the background picture of its first text, if any.
    struct Laid {
        qreal Height = 0;
        QSize Background;
    };
    Laid LayOut(const QString& html) const {
        PageTextDocument document{PageResources(m_pages.string())};
        document.setHtml(html);
        Laid laid;
        laid.Height = document.documentLayout()->documentSize().height();
        const QTextBlock first = document.begin();
        if (first.isValid() && first.begin() != first.end())
            laid.Background = first.begin().fragment().charFormat().background().texture().size();
        return laid;
    }

    QString Outside(const char* name) const {
        return QString::fromStdString((m_outside / name).string());
    }

    TempFolder m_root;
    fs::path m_pages;
    fs::path m_outside;
    std::unique_ptr<PipeFeeder> m_pipe;
};

TEST_F(PageResourcesTest, PicturesComeOnlyFromRegularFilesInsideThePagesFolder) {
    const struct {
        QString Source;
        bool Shown;
    } cases[] = {
        {"obraz.png", true},
        {QString::fromStdString((m_pages / "obraz.png").string()), true},
        {"file://" + QString::fromStdString((m_pages / "obraz.png").string()), true},
        {Outside("obraz.png"), false},
        {"../obce/obraz.png", false},
        {"skrot.png", false},
        {"/dev/zero", false},
        {"zero.png", false},
        {"potok.png", false},
        {"http://example.com/obraz.png", false},
        {"data:image/png;base64," + QByteArray::fromStdString(TallPicturePng()).toBase64(), false},
        {"brak.png", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Source.toStdString());
        const qreal height = LayOut("<img src=\"" + c.Source + "\">").Height;
        if (c.Shown)
            EXPECT_GE(height, 200);
        else
            EXPECT_LT(height, 100);
    }
    EXPECT_FALSE(m_pipe->Opened()) << "the pipe was opened";
}

TEST_F(PageResourcesTest, StyleSheetsAndCssPicturesComeOnlyFromInsideThePagesFolder) {
    const auto linked = [](const QString& sheet) {
        return "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + sheet + "\"/><p>Tekst</p>";
    };
    const auto imported = [](const QString& sheet) {
        return "<style>@import url(\"" + sheet + "\");</style><p>Tekst</p>";
    };
    const qreal plain = LayOut("<p>Tekst</p>").Height;
    EXPECT_GT(LayOut(linked("duzy.css")).Height, 2 * plain);
    EXPECT_GT(LayOut(imported("duzy.css")).Height, 2 * plain);
    for (const QString& sheet : {Outside("duzy.css"), QStringLiteral("../obce/duzy.css"),
                                 QStringLiteral("/dev/zero"), QStringLiteral("potok.png")}) {
        SCOPED_TRACE(sheet.toStdString());
        EXPECT_EQ(LayOut(linked(sheet)).Height, plain);
        EXPECT_EQ(LayOut(imported(sheet)).Height, plain);
    }

    const auto background = [this](const QString& picture) {
        return LayOut("<p style=\"background-image: url('" + picture + "')\">Tekst</p>").Background;
    };
    EXPECT_EQ(background("obraz.png"), QSize(40, 200));
    for (const QString& picture :
         {Outside("obraz.png"), QStringLiteral("/dev/zero"), QStringLiteral("potok.png")}) {
        SCOPED_TRACE(picture.toStdString());
        EXPECT_LE(background(picture).height(), 1);
    }
    EXPECT_FALSE(m_pipe->Opened()) << "the pipe was opened";
}

TEST_F(PageResourcesTest, ADocumentWithoutAFolderLoadsNoFileAtAll) {
    PageTextDocument document{PageResources()};
    document.setHtml("<img src=\"" + QString::fromStdString((m_pages / "obraz.png").string()) +
                     "\">");
    EXPECT_LT(document.documentLayout()->documentSize().height(), 100);
}

} // namespace
} // namespace notarion
