// Draws every skin picture of the program with QPainter and writes them as
// baseline JPEG files, together with the resource file that lists them and
// the README of the skins folder. With --preview it also writes PNG
// previews with the hot areas outlined and the windows put together, for a
// person to look at.
//
// Usage: draw_skins RESOURCES_FOLDER [--preview FOLDER]

#include "JpegFile.h"
#include "SkinCheck.h"
#include "SkinManifest.h"
#include "SkinTable.h"
#include "Skins.h"
#include "ui/layout/QtGeometry.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using namespace notarion::skins;
using notarion::layout::ToQPoint;
using notarion::layout::ToQRect;

namespace {

// High enough that text edges show no ringing, low enough for small files.
constexpr int kJpegQuality = 92;

RgbPicture ToRgb(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    RgbPicture picture;
    picture.width = rgb.width();
    picture.height = rgb.height();
    picture.rgb.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = rgb.constScanLine(y);
        picture.rgb.insert(picture.rgb.end(), line, line + rgb.width() * 3);
    }
    return picture;
}

std::string ReadWhole(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Replaces path with the new content only when it differs, so an unchanged
// picture keeps its time stamp and does not rebuild the resources.
bool ReplaceIfChanged(const fs::path& fresh, const fs::path& path, std::string& error) {
    std::error_code code;
    if (fs::exists(path) && ReadWhole(fresh) == ReadWhole(path)) {
        fs::remove(fresh, code);
        return true;
    }
    fs::rename(fresh, path, code);
    if (code) {
        error = "cannot replace " + path.string() + ": " + code.message();
        return false;
    }
    return true;
}

bool WriteText(const fs::path& path, const std::string& text, std::string& error) {
    const fs::path fresh = path.string() + ".new";
    {
        std::ofstream stream(fresh, std::ios::binary | std::ios::trunc);
        stream << text;
        if (!stream) {
            error = "cannot write " + fresh.string();
            return false;
        }
    }
    return ReplaceIfChanged(fresh, path, error);
}

// ---------------------------------------------------------------------------
// Previews for the eye: not part of the program.

void OutlineAreas(QImage& image, const std::vector<HotArea>& areas, QPoint offset = {}) {
    QPainter painter(&image);
    painter.setPen(QPen(QColor(255, 0, 160, 200), 1));
    for (const HotArea& area : areas) {
        painter.drawRect(area.rect.translated(offset).adjusted(0, 0, -1, -1));
    }
}

// Text a window writes over its picture. The condensed face is the closest
// installed match for the narrow system font that most windows' fixed-size
// labels were laid out for; commands are set in the skins' own face.
enum class LiveFace { Narrow, Commands };
void LiveText(QPainter& painter, const QRect& rect, const QString& text, int pixelSize, bool bold,
              QColor colour, bool wrap = false, LiveFace face = LiveFace::Narrow) {
    QFont font(face == LiveFace::Commands
                   ? QString::fromLatin1(notarion::layout::kCaptionFontFamily)
                   : QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0), text);
}

// A colour of the windows' tables, written 0x00BBGGRR.
QColor Bgr(std::uint32_t bgr) {
    return QColor::fromRgb(notarion::layout::RgbFromBgr(bgr));
}

void WritePreviews(const fs::path& folder, const std::map<std::string, QImage>& images) {
    fs::create_directories(folder);
    for (const auto& [name, image] : images) {
        QImage outlined = image.convertToFormat(QImage::Format_RGB32);
        OutlineAreas(outlined, HotAreasOf(name));
        outlined.save(QString::fromStdString((folder / (name + "_areas.png")).string()));
    }
    const auto image = [&](const char* name) { return images.at(name); };

    // Close-ups of the small captions, enlarged three times.
    const struct {
        const char* name;
        QRect crop;
    } closeUps[] = {
        {"realizacja_tlo", {545, 240, 200, 200}}, {"realizacja_tlo", {20, 15, 340, 75}},
        {"glowny_tlo", {600, 0, 176, 40}},        {"browser_tlo", {0, 0, 140, 240}},
        {"browser_tlo", {780, 0, 70, 40}},        {"wyboropcji_tlo", {190, 200, 240, 40}},
        {"about_tlo", {330, 0, 80, 60}},          {"browsermini_tlo", {570, 0, 62, 40}},
        {"browser_dol", {780, 0, 70, 34}},
    };
    int closeUp = 0;
    for (const auto& c : closeUps) {
        QImage outlined = image(c.name).convertToFormat(QImage::Format_RGB32);
        OutlineAreas(outlined, HotAreasOf(c.name));
        outlined.copy(c.crop)
            .scaled(c.crop.size() * 3)
            .save(QString::fromStdString(
                (folder / ("closeup_" + std::to_string(++closeUp) + "_" + c.name + ".png"))
                    .string()));
    }

    // Main window, welcome state, the first choice under the mouse.
    namespace glowny = notarion::layout::glowny;
    QImage main = image("glowny_tlo").convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&main);
        const QPoint welcome = ToQPoint(glowny::kWelcome.TopLeft());
        painter.drawImage(welcome, image("glowny_powitanie"));
        const QString spaces(glowny::kChoiceIndent, QLatin1Char(' '));
        LiveText(painter, ToQRect(glowny::kNewSet).translated(welcome),
                 spaces + QString::fromUtf16(glowny::kNewSetCaption), glowny::kChoicePixelHeight,
                 true, Bgr(glowny::kChoiceHoverColour), true);
        LiveText(painter, ToQRect(glowny::kExistingList).translated(welcome),
                 spaces + QString::fromUtf16(glowny::kExistingListCaption),
                 glowny::kChoicePixelHeight, true, Bgr(glowny::kChoiceColour), true);
    }
    main.save(QString::fromStdString((folder / "main_welcome.png").string()));

    // Main window, editing state with the list editor, back button and a strip half full.
    namespace editor = notarion::layout::editor;
    QImage editing = image("glowny_tlo").convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&editing);
        const QPoint origin = ToQPoint(editor::kOffsetWhenShown);
        painter.setClipRect(QRect(origin, notarion::layout::ToQSize(editor::kWindowSize)));
        painter.drawImage(origin + ToQPoint(editor::kImage.TopLeft()), image("realizacja_tlo"));
        LiveText(painter, ToQRect(editor::kKindFrame).translated(origin),
                 QStringLiteral("Klasyfikacja klasy"), 11, false, Qt::black);
        const QRect list = ToQRect(editor::kList).translated(origin);
        for (int line = 0; line < 6; ++line) {
            LiveText(painter, QRect(list.left() + 2, list.top() + line * 13, 480, 13),
                     QStringLiteral("Klasyfikacja klasy - 2a - Anna Nowak %1").arg(line), 11, false,
                     Qt::black);
        }
        painter.setClipping(false);
        const QRect back = ToQRect(glowny::kBack);
        painter.drawImage(back, image("glowny_wstecz"), QRect(QPoint(0, 0), back.size()));
        const QRect strip = ToQRect(glowny::kProgress);
        painter.drawImage(strip.left(), strip.top(), image("glowny_postep"), 0, 0,
                          strip.width() / 2, strip.height());
    }
    editing.save(QString::fromStdString((folder / "main_editing.png").string()));

    // Message box in both modes.
    namespace message = notarion::layout::message;
    const auto at = [](notarion::layout::Rect rect) { return ToQPoint(rect.TopLeft()); };
    for (int mode : {1, 3}) {
        QImage box = image("oknowarning").convertToFormat(QImage::Format_RGB32);
        QPainter painter(&box);
        painter.drawImage(at(message::kIcon), image(mode == 1 ? "ikoinfo" : "ikopytanie"));
        LiveText(painter, ToQRect(message::kText),
                 QStringLiteral("Wystąpiły problemy z zapisem pliku.\nPrawdopodobnie nie masz "
                                "prawa do zapisu we wskazanym miejscu."),
                 message::kTextPixelHeight, false, Bgr(message::kTextColour), true);
        if (mode == 1) {
            painter.drawImage(at(message::kCloseButton), image("butzamknijakt"));
        } else {
            painter.drawImage(at(message::kYes), image("buttakakt"));
            painter.drawImage(at(message::kNo), image("butnie"));
            painter.drawImage(at(message::kCancel), image("butanuluj"));
        }
        painter.end();
        box.save(QString::fromStdString(
            (folder / ("message_mode" + std::to_string(mode) + ".png")).string()));
    }
    {
        QImage box = image("oknowarning").convertToFormat(QImage::Format_RGB32);
        QPainter painter(&box);
        painter.drawImage(at(message::kIcon), image("ikouwaga"));
        painter.drawImage(at(message::kCloseButton), image("butzamknij"));
        painter.end();
        box.save(QString::fromStdString((folder / "message_warning.png").string()));
    }
    {
        // Small pictures, enlarged twice, for a close look.
        QImage sheet(2 * 350 + 10, 3 * 150 + 2 * 26 + 30, QImage::Format_RGB32);
        sheet.fill(Qt::gray);
        QPainter painter(&sheet);
        int y = 0;
        for (const char* name : {"message_mode3.png", "message_mode1.png", "message_warning.png"}) {
            painter.drawImage(0, y, QImage(QString::fromStdString((folder / name).string())));
            y += 155;
        }
        int x = 0;
        for (const char* name : {"buttak", "buttakakt", "butnie", "butnieakt", "butanuluj",
                                 "butanulujakt", "butzamknij", "butzamknijakt"}) {
            painter.drawImage(x % 368, y + (x / 368) * 30, image(name));
            x += 92;
        }
        painter.drawImage(360, 0, image("ikoinfo"));
        painter.drawImage(410, 0, image("ikopytanie"));
        painter.drawImage(460, 0, image("ikouwaga"));
        painter.drawImage(360, 60, image("glowny_wstecz"));
        painter.end();
        sheet.scaled(sheet.size() * 2)
            .save(QString::fromStdString((folder / "message_sheet.png").string()));
    }

    // Document viewer at its opening height, with the live commands, one under the mouse.
    namespace viewer = notarion::layout::viewer;
    QImage shown(viewer::kWindowWidth, viewer::kOpeningHeight, QImage::Format_RGB32);
    {
        QPainter painter(&shown);
        painter.drawImage(0, 0, image("browser_tlo"));
        painter.fillRect(QRect(ToQPoint(viewer::kViewerPanelTopLeft),
                               QSize(viewer::kViewerPanelWidth,
                                     viewer::kOpeningHeight - viewer::kViewerPanelHeightLoss)),
                         Qt::white);
        painter.drawImage(0, viewer::kOpeningHeight - viewer::kBottomBandOffset,
                          image("browser_dol"));
        for (const viewer::Label& label : viewer::kLabels) {
            const bool hovered = std::string_view(label.name) == viewer::kPrint.name;
            // A label two lines high wraps its caption, as the window's does.
            const bool wraps = label.rect.height >= 2 * notarion::layout::kCommandFontPixels;
            LiveText(painter, ToQRect(label.rect), QString::fromUtf16(label.caption),
                     notarion::layout::kCommandFontPixels, true,
                     Bgr(hovered ? viewer::kCommandHoverColour : label.colour), wraps,
                     LiveFace::Commands);
        }
    }
    shown.save(QString::fromStdString((folder / "viewer_opening.png").string()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: draw_skins RESOURCES_FOLDER [--preview FOLDER]\n");
        return 2;
    }
    // The program only paints into images; it needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);

    const QString family = QFontInfo(SkinFont(12)).family();
    if (family != QStringLiteral("DejaVu Sans")) {
        std::fprintf(stderr,
                     "draw_skins: the DejaVu Sans font is missing (found \"%s\"); install the "
                     "fonts-dejavu-core package\n",
                     family.toUtf8().constData());
        return 1;
    }

    const fs::path resources = argv[1];
    const fs::path skinsFolder = resources / "skins";
    std::error_code code;
    fs::create_directories(skinsFolder, code);

    std::vector<std::string> problems;
    std::map<std::string, QImage> images;
    for (const SkinImage& skin : kSkinImages) {
        SkinCanvas canvas(std::string(skin.name), skin.width, skin.height);
        if (!PaintSkin(skin.name, canvas)) {
            problems.push_back(std::string(skin.name) + ": no drawing for this picture");
        }
        images[std::string(skin.name)] = canvas.Finish(problems);
    }
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "draw_skins: %s\n", problem.c_str());
        }
        std::fprintf(stderr, "draw_skins: nothing written\n");
        return 1;
    }

    std::string error;
    for (const SkinImage& skin : kSkinImages) {
        const fs::path path = skinsFolder / (std::string(skin.name) + ".jpg");
        const fs::path fresh = path.string() + ".new";
        if (!WriteBaselineJpeg(fresh, ToRgb(images[std::string(skin.name)]), kJpegQuality, error) ||
            !ReplaceIfChanged(fresh, path, error)) {
            std::fprintf(stderr, "draw_skins: %s\n", error.c_str());
            return 1;
        }
    }
    if (!WriteText(resources / "skins.qrc", ComposeResourceFile(), error) ||
        !WriteText(skinsFolder / "README.md", ComposeSkinsReadme(), error)) {
        std::fprintf(stderr, "draw_skins: %s\n", error.c_str());
        return 1;
    }

    // The same check that guards the committed pictures, so a drawing that
    // would fail it is noticed before anyone commits it.
    const std::vector<std::string> checked = CheckSkins(resources / "skins.qrc");
    for (const std::string& problem : checked) {
        std::fprintf(stderr, "draw_skins: %s\n", problem.c_str());
    }
    if (!checked.empty()) {
        return 1;
    }

    if (argc == 4) {
        // Previews show the pictures as the program gets them: decoded JPEG.
        std::map<std::string, QImage> decoded;
        for (const SkinImage& skin : kSkinImages) {
            RgbPicture picture;
            if (!ReadJpeg(skinsFolder / (std::string(skin.name) + ".jpg"), picture, error)) {
                std::fprintf(stderr, "draw_skins: %s\n", error.c_str());
                return 1;
            }
            decoded[std::string(skin.name)] =
                QImage(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                       QImage::Format_RGB888)
                    .copy();
        }
        WritePreviews(argv[3], decoded);
    }
    std::printf("draw_skins: %zu pictures written to %s\n", kSkinImages.size(),
                skinsFolder.string().c_str());
    return 0;
}
