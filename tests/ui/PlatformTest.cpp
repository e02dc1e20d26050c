// The adapters at the Qt boundary: text conversion, skin pictures, help
// pages, the folder picker and the file dialogs.

#include "ShellTestSupport.h"

#include "platform/FileDialog.h"
#include "platform/HelpPages.h"
#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "platform/TEmbeddedWB.h"
#include "platform/TGetFolder.h"
#include "text/Failure.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace notarion {
namespace {

using testing::FolderText;

// ---------------------------------------------------------------- text

TEST(QtText, Cp1250AndQStringConvertBothWays) {
    struct Case {
        std::string cp1250;
        QString text;
    };
    const std::vector<Case> cases = {
        {"", QString()},
        {"Za\xbf\xf3\xb3\xe6 g\xea\x9c\x6c\xb9 ja\x9f\xf1", QStringLiteral(u"Zażółć gęślą jaźń")},
        {"\xaf\xd3\xa3\xc6 \x8c\x8f\xd1", QStringLiteral(u"ŻÓŁĆ ŚŹŃ")},
        {"Plik: C:\\dane\\1a.xml", QStringLiteral(u"Plik: C:\\dane\\1a.xml")},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(QStringFromCp1250(each.cp1250), each.text) << each.cp1250;
        EXPECT_EQ(Cp1250FromQString(each.text), each.cp1250) << each.text.toStdString();
    }
}

TEST(QtText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Cp1250FromQString(QStringLiteral(u"Жук €")), "??? \x80");
    EXPECT_EQ(Cp1250FromQString(QString::fromUcs4(U"a\U0001F600b")), "a?b");
}

TEST(QtText, CarriageReturnStartsANewLineOnALabel) {
    EXPECT_EQ(QStringForLabel(u"Brak plików.\rProgram nie ma co przetwarzać."),
              QStringLiteral(u"Brak plików.\nProgram nie ma co przetwarzać."));
    EXPECT_EQ(QStringForLabel(u"a\r\nb\r\rc"), QStringLiteral("a\nb\n\nc"));
}

// ---------------------------------------------------------------- JPEG

// A small JPEG made with libjpeg itself, in the given colour space.
std::vector<unsigned char> EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                                      unsigned char value) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width * components), value);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

QByteArray Bytes(const std::vector<unsigned char>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

TEST(DecodeJpeg, ColourAndGreyPicturesComeOutAsRgb) {
    const QImage colour = DecodeJpeg(Bytes(EncodeJpeg(20, 10, JCS_RGB, 3, 200)));
    EXPECT_EQ(colour.size(), QSize(20, 10));
    EXPECT_NEAR(qRed(colour.pixel(5, 5)), 200, 3);

    const QImage grey = DecodeJpeg(Bytes(EncodeJpeg(7, 9, JCS_GRAYSCALE, 1, 128)));
    EXPECT_EQ(grey.size(), QSize(7, 9));
    EXPECT_NEAR(qRed(grey.pixel(3, 3)), 128, 3);
    EXPECT_NEAR(qBlue(grey.pixel(3, 3)), 128, 3);
}

// The same bytes decoded by libjpeg into plain RGB, as a reference.
QImage ReferenceRgb(const QByteArray& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

TEST(DecodeJpeg, PicturesComeOutOpaqueInTheFormatWindowsPaintWithTheSameColours) {
    QFile skin(SkinResourcePath(QStringLiteral("glowny_tlo")));
    ASSERT_TRUE(skin.open(QIODevice::ReadOnly));
    const std::vector<QByteArray> pictures = {
        skin.readAll(),
        Bytes(EncodeJpeg(7, 9, JCS_GRAYSCALE, 1, 128)),
    };
    for (const QByteArray& bytes : pictures) {
        const QImage image = DecodeJpeg(bytes);
        ASSERT_EQ(image.format(), QImage::Format_RGB32);
        // A pixel whose fourth byte is not 0xff is not a valid RGB32 pixel.
        bool opaque = true;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            opaque = opaque && std::all_of(row, row + image.width(),
                                           [](QRgb pixel) { return qAlpha(pixel) == 255; });
        }
        EXPECT_TRUE(opaque);
        EXPECT_EQ(image.convertToFormat(QImage::Format_RGB888), ReferenceRgb(bytes));
    }
}

TEST(DecodeJpeg, UndecodableBytesThrowFailureInsteadOfAborting) {
    const QByteArray good = Bytes(EncodeJpeg(16, 16, JCS_RGB, 3, 90));
    const std::vector<QByteArray> bad = {
        QByteArray(),
        QByteArray("not a picture at all"),
        QByteArray("\x89PNG\r\n\x1a\n", 8),
        good.left(2),
        good.left(20),
        Bytes(EncodeJpeg(8, 8, JCS_CMYK, 4, 10)),
    };
    for (const QByteArray& bytes : bad) {
        EXPECT_THROW(DecodeJpeg(bytes), Failure) << bytes.size() << " bytes";
    }
}

TEST(DecodeJpeg, EveryTruncationEitherDecodesOrThrows) {
    // A damaged picture must never take the process down: each cut either
    // gives a picture of the full size (the rest filled in) or a Failure.
    const QByteArray good = Bytes(EncodeJpeg(33, 17, JCS_RGB, 3, 60));
    for (qsizetype length = 0; length <= good.size(); ++length) {
        QByteArray cut = good.left(length);
        try {
            const QImage image = DecodeJpeg(cut);
            EXPECT_EQ(image.size(), QSize(33, 17)) << length;
        } catch (const Failure&) {
            SUCCEED();
        }
        if (length > 0) {
            // Flip one byte in the middle as well.
            cut[length / 2] = static_cast<char>(~cut[length / 2]);
            try {
                (void)DecodeJpeg(cut);
            } catch (const Failure&) {
            }
        }
    }
}

TEST(SkinImage, NamesAreMatchedWithoutRegardToCase) {
    EXPECT_EQ(SkinResourcePath(QStringLiteral("ButTakAkt")),
              QStringLiteral(":/skins/buttakakt.jpg"));
    EXPECT_EQ(SkinResourcePath(QStringLiteral("OKNOWARNING")),
              QStringLiteral(":/skins/oknowarning.jpg"));
    EXPECT_TRUE(SkinResourcePath(QStringLiteral("brak_takiego")).isEmpty());
}

TEST(SkinImage, EveryWindowPictureDecodesAtItsSize) {
    struct Case {
        const char* name;
        QSize size;
    };
    const Case cases[] = {
        {"glowny_tlo", {776, 570}},   {"glowny_powitanie", {534, 211}},
        {"glowny_postep", {480, 17}}, {"glowny_wstecz", {91, 36}},
        {"about_tlo", {410, 298}},    {"realizacja_tlo", {751, 481}},
        {"oknowarning", {350, 150}},  {"ikoinfo", {42, 43}},
        {"ikopytanie", {42, 43}},     {"ikouwaga", {42, 43}},
        {"buttak", {88, 26}},         {"butzamknijakt", {88, 26}},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(LoadSkinImage(QString::fromLatin1(each.name)).size(), each.size) << each.name;
    }
}

TEST(SkinImage, MissingPictureThrowsAndLeavesTheLabelAlone) {
    EXPECT_THROW(LoadSkinImage(QStringLiteral("brak_takiego")), Failure);
    QLabel label;
    LoadSkinImage(QStringLiteral("ikoinfo"), &label);
    const qint64 before = label.pixmap().cacheKey();
    EXPECT_THROW(LoadSkinImage(QStringLiteral("brak_takiego"), &label), Failure);
    EXPECT_FALSE(TryLoadSkinImage(QStringLiteral("brak_takiego"), &label));
    EXPECT_EQ(label.pixmap().cacheKey(), before);
    EXPECT_TRUE(TryLoadSkinImage(QStringLiteral("IkoUwaga"), &label));
    EXPECT_EQ(label.pixmap().size(), QSize(42, 43));
}

TEST(SkinImage, ALabelDecodesItsPictureOnlyWhenFirstShown) {
    struct Case {
        const char* name;
        QSize shown; // the picture's size, empty when it cannot be shown
    };
    const Case cases[] = {{"IkoInfo", {42, 43}}, {"brak_takiego", {0, 0}}};
    for (const Case& each : cases) {
        QWidget window;
        auto* label = new QLabel(&window);
        int missing = 0;
        LoadSkinImageWhenShown(QString::fromLatin1(each.name), label, [&missing] { ++missing; });
        EXPECT_TRUE(label->pixmap().isNull()) << each.name;
        window.show();
        EXPECT_EQ(label->pixmap().size(), each.shown) << each.name;
        window.hide();
        window.show();
        EXPECT_EQ(missing, each.shown.isEmpty() ? 1 : 0) << each.name;
    }
    // A label already on screen gets its picture at once.
    QLabel shown;
    shown.show();
    LoadSkinImageWhenShown(QStringLiteral("ikouwaga"), &shown);
    EXPECT_EQ(shown.pixmap().size(), QSize(42, 43));
}

// ---------------------------------------------------------------- help pages

class HelpPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("Pomoc"));
        Touch(QStringLiteral("Pomoc/index.htm"));
        Touch(QStringLiteral("Pomoc/MenuRaport.htm"));
        m_folder = FolderText(m_dir) + "/";
    }
    void Touch(const QString& relative) {
        QFile file(m_dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
    std::string m_folder;
};

TEST_F(HelpPagesTest, EachComponentIsFoundWithoutRegardToCase) {
    struct Case {
        std::string relative;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"pomoc/menuraport.htm", "Pomoc/MenuRaport.htm"},
        {"Pomoc\\index.htm", "Pomoc/index.htm"},
        {"POMOC/INDEX.HTM", "Pomoc/index.htm"},
        // From the first missing component on, the path is kept as given.
        {"pomoc/brak.htm", "Pomoc/brak.htm"},
        {"Inne/Strona.htm", "Inne/Strona.htm"},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(ResolvePathIgnoringCase(m_folder, each.relative), m_folder + each.expected)
            << each.relative;
    }
}

TEST_F(HelpPagesTest, AnExactSpellingWinsOverAnotherCase) {
    Touch(QStringLiteral("Pomoc/INDEX.HTM"));
    EXPECT_EQ(ResolvePathIgnoringCase(m_folder, "Pomoc/INDEX.HTM"), m_folder + "Pomoc/INDEX.HTM");
    EXPECT_EQ(ResolvePathIgnoringCase(m_folder, "Pomoc/index.htm"), m_folder + "Pomoc/index.htm");
}

TEST_F(HelpPagesTest, OpenerReceivesTheResolvedLocalFile) {
    std::vector<QUrl> opened;
    const HelpOpener opener([&opened](const QUrl& url) { opened.push_back(url); });
    opener.Open(m_folder, HelpReportMenuPage);
    opener.Open(m_folder, HelpIndexPage);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(opened[0].toLocalFile(), m_dir.filePath(QStringLiteral("Pomoc/MenuRaport.htm")));
    EXPECT_EQ(opened[1].toLocalFile(), m_dir.filePath(QStringLiteral("Pomoc/index.htm")));
}

TEST_F(HelpPagesTest, WithoutABrowserThePageOpensInTheProgramsOwnViewerOrAMessageSaysSo) {
    std::vector<QUrl> offered;
    const HelpOpener opener = HelpOpener::WithDesktop([&offered](const QUrl& url) {
        offered.push_back(url);
        return false;
    });
    opener.Open(m_folder, HelpIndexPage);
    ASSERT_EQ(offered.size(), 1u) << "the desktop is asked first";
    TEmbeddedWB* viewer = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<TEmbeddedWB*>(window); shown && shown->isVisible())
            viewer = shown;
    }
    ASSERT_NE(viewer, nullptr) << "no viewer of the program's own came up";
    EXPECT_EQ(viewer->DocumentPath(), m_folder + "Pomoc/index.htm");
    viewer->close();

    // A page that is not there either is named in a message.
    QString message;
    QTimer::singleShot(0, [&message] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->close();
        }
    });
    opener.Open(m_folder, "Pomoc/brak.htm");
    EXPECT_TRUE(message.contains(QStringLiteral("Nie można otworzyć pomocy")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("brak.htm")));
}

TEST(HelpPagePath, BesideTheProgramFirstThenTheInstalledDataFolder) {
    QTemporaryDir dir;
    const QDir root(dir.path());
    // A build folder (pages beside the program) and an installed tree.
    ASSERT_TRUE(root.mkpath(QStringLiteral("build/bin/Pomoc")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("usr/bin")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("usr/share/notarion/Pomoc")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("empty/bin")));
    for (const char* page :
         {"build/bin/Pomoc/index.htm", "usr/share/notarion/Pomoc/index.htm", "usr/bin/Pomoc.htm"}) {
        QFile file(root.filePath(QString::fromLatin1(page)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << page;
    }
    const std::string base = FolderText(dir) + "/";
    struct Case {
        std::string appFolder;
        std::string relative;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"build/bin/", HelpIndexPage, "build/bin/Pomoc/index.htm"},
        {"usr/bin/", HelpIndexPage, "usr/share/notarion/Pomoc/index.htm"},
        {"usr/bin", "pomoc/INDEX.htm", "usr/share/notarion/Pomoc/index.htm"},
        // Found nowhere: the path beside the program, as it always was.
        {"usr/bin/", HelpReportMenuPage, "usr/bin/pomoc/menuraport.htm"},
        {"empty/bin/", HelpIndexPage, "empty/bin/Pomoc/index.htm"},
    };
    for (const Case& each : cases) {
        EXPECT_EQ(HelpPagePath(base + each.appFolder, each.relative), base + each.expected)
            << each.appFolder << " " << each.relative;
    }
}

TEST(HelpOpener, OpensTheInstalledPageWhenNoneLiesBesideTheProgram) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("share/notarion/Pomoc")));
    QFile page(dir.filePath(QStringLiteral("share/notarion/Pomoc/menuraport.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    std::vector<QUrl> opened;
    const HelpOpener opener([&opened](const QUrl& url) { opened.push_back(url); });
    opener.Open(FolderText(dir) + "/bin/", HelpReportMenuPage);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(),
              dir.filePath(QStringLiteral("share/notarion/Pomoc/menuraport.htm")));
}

TEST(HelpOpener, PolishFolderNamesSurviveTheWayToTheUrl) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral(u"Szkoła/Pomoc")));
    std::vector<QUrl> opened;
    const HelpOpener opener([&opened](const QUrl& url) { opened.push_back(url); });
    opener.Open(Cp1250FromQString(dir.filePath(QStringLiteral(u"Szkoła"))), "pomoc/index.htm");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(), dir.filePath(QStringLiteral(u"Szkoła/Pomoc/index.htm")));
}

// ---------------------------------------------------------------- folder picker

TEST(TGetFolder, CancelChangesNothing) {
    TGetFolder picker;
    picker.FolderName = "/dane/szkola";
    std::string preselected;
    picker.Choose = [&preselected](const TGetFolder& self) -> std::optional<std::string> {
        preselected = self.FolderName;
        return std::nullopt;
    };
    EXPECT_FALSE(picker.Execute());
    EXPECT_EQ(preselected, "/dane/szkola");
    EXPECT_EQ(picker.FolderName, "/dane/szkola");
    EXPECT_TRUE(picker.DisplayName.empty());
}

TEST(TGetFolder, ConfirmedChoiceBecomesFolderName) {
    struct Case {
        std::string chosen;
        std::string folder;
        std::string display;
    };
    const std::vector<Case> cases = {
        {"/dane/szko\xb3"
         "a",
         "/dane/szko\xb3"
         "a",
         "szko\xb3"
         "a"},
        {"/dane/sprawozdania/", "/dane/sprawozdania", "sprawozdania"},
        {"/", "/", "/"},
    };
    for (const Case& each : cases) {
        TGetFolder picker;
        picker.Choose = [&each](const TGetFolder&) { return std::optional(each.chosen); };
        EXPECT_TRUE(picker.Execute()) << each.chosen;
        EXPECT_EQ(picker.FolderName, each.folder);
        EXPECT_EQ(picker.DisplayName, each.display);
    }
}

// ---------------------------------------------------------------- file dialogs

TEST(FileDialog, SaveAddsTheDefaultSuffixOnlyWhereNoneIsGiven) {
    struct Case {
        std::string chosen;
        std::string saved;
    };
    const std::vector<Case> cases = {
        {"/dane/lista", "/dane/lista.xmp"},
        {"/dane/lista.xmp", "/dane/lista.xmp"},
        {"/dane/lista.txt", "/dane/lista.txt"},
        {"/dane.2024/lista", "/dane.2024/lista.xmp"},
    };
    for (const Case& each : cases) {
        FileDialog dialog(nullptr, FileDialog::Purpose::Save);
        dialog.DefaultExt = "xmp";
        dialog.Run = [&each](const FileDialog&) {
            return std::optional(std::vector<std::string>{each.chosen});
        };
        ASSERT_TRUE(dialog.Execute());
        EXPECT_EQ(dialog.FileName, each.saved);
    }
}

TEST(FileDialog, OpenKeepsEveryChosenFileInOrderAndCancelKeepsTheLastChoice) {
    FileDialog dialog(nullptr, FileDialog::Purpose::Open);
    dialog.AllowSelect = FileDialog::Selection::Multiple;
    dialog.DefaultExt = "xml";
    dialog.Run = [](const FileDialog&) {
        return std::optional(std::vector<std::string>{"/a/2.xml", "/a/1"});
    };
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/a/2.xml");
    EXPECT_EQ(dialog.FileNames, (std::vector<std::string>{"/a/2.xml", "/a/1"}));

    dialog.Run = [](const FileDialog&) { return std::optional<std::vector<std::string>>(); };
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/a/2.xml");
}

TEST(FileDialog, FilterTextBecomesQtNameFilters) {
    EXPECT_EQ(NameFiltersFromFilter("Plik listy (xmp)|*.xmp"),
              (std::vector<std::string>{"Plik listy (xmp) (*.xmp)"}));
    EXPECT_EQ(NameFiltersFromFilter("Sprawozdania|*.xml;*.XML|Wszystko|*.*"),
              (std::vector<std::string>{"Sprawozdania (*.xml *.XML)", "Wszystko (*.*)"}));
    EXPECT_EQ(NameFiltersFromFilter("Plik sprawozdania (*.xml)|*.xml"),
              (std::vector<std::string>{"Plik sprawozdania (*.xml)"}))
        << "patterns already shown are not shown twice";
    EXPECT_TRUE(NameFiltersFromFilter("").empty());
}

} // namespace
} // namespace notarion
