#pragma once

// The one list of skin images: their resource names, pixel sizes and uses,
// and the places where the windows put live text over them. The drawing
// program paints from it and writes the resource file; the checking program
// compares the committed pictures with it. Standard library only, so the
// check builds and runs without a display.

#include "ui/layout/TFAboutLayout.h"
#include "ui/layout/TFBrowserLayout.h"
#include "ui/layout/TFBrowserMiniLayout.h"
#include "ui/layout/TFGlownyLayout.h"
#include "ui/layout/TFRealProgramuLayout.h"
#include "ui/layout/TFWarningLayout.h"
#include "ui/layout/TFWyborOpcjiLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace notarion::skins {

namespace ui = notarion::layout;

// One skin picture: lower-case resource name (the file is name + ".jpg"),
// exact pixel size, and the window part that shows it.
struct SkinImage {
    std::string_view name;
    int width;
    int height;
    std::string_view use;
};

// A picture exactly as big as the window part that shows it.
constexpr SkinImage Filling(std::string_view name, ui::Size size, std::string_view use) {
    return {name, size.width, size.height, use};
}

inline constexpr std::array kSkinImages{
    Filling("glowny_tlo", ui::glowny::kWindow.Extent(), "main window background (TFGlowny ImTlo)"),
    Filling("glowny_powitanie", ui::glowny::kWelcome.Extent(),
            "welcome panel (ImPowitanie, panel at 146,154)"),
    Filling("glowny_postep", ui::glowny::kProgress.Extent(),
            "progress strip (ImPostep, panel at 34,546)"),
    SkinImage{"glowny_wstecz", 91, 36, "back button \"Wstecz\" (ImWstecz, panel 89x33 at 640,531)"},
    Filling("about_tlo", ui::about::kImage.Extent(), "about window background (TFAbout Image1)"),
    Filling("realizacja_tlo", ui::editor::kImage.Extent(),
            "list editor background (Imrealizacja at -2,-4)"),
    Filling("browser_tlo", ui::viewer::kBackground.Extent(),
            "document viewer background (TFBrowser ImTlo)"),
    Filling("browser_dol", ui::viewer::kBottomBand,
            "document viewer bottom band with the resize grip (ImDown)"),
    Filling("browsermini_tlo", ui::preview::kImage.Extent(),
            "preview window background (TFBrowserMini ImTlo)"),
    Filling("wyboropcji_tlo", ui::chooser::kWindowSize,
            "option chooser background (TFWyborOpcji ImTlo)"),
    Filling("oknowarning", ui::message::kWindowSize, "message box background (ImWarning)"),
    Filling("ikoinfo", ui::message::kIcon.Extent(),
            "message box icon 1, information (ImIkona at 12,4)"),
    Filling("ikopytanie", ui::message::kIcon.Extent(),
            "message box icon 2, question (ImIkona at 12,4)"),
    Filling("ikouwaga", ui::message::kIcon.Extent(),
            "message box icon 3, warning (ImIkona at 12,4)"),
    Filling("buttak", ui::message::kYes.Extent(),
            "message box button \"Tak\" (ImButTak at 63,116)"),
    Filling("buttakakt", ui::message::kYes.Extent(), "message box button \"Tak\", highlighted"),
    Filling("butnie", ui::message::kNo.Extent(),
            "message box button \"Nie\" (ImButNie at 156,116)"),
    Filling("butnieakt", ui::message::kNo.Extent(), "message box button \"Nie\", highlighted"),
    Filling("butanuluj", ui::message::kCancel.Extent(),
            "message box button \"Anuluj\" (ImButAnuluj at 248,116)"),
    Filling("butanulujakt", ui::message::kCancel.Extent(),
            "message box button \"Anuluj\", highlighted"),
    Filling("butzamknij", ui::message::kCloseButton.Extent(),
            "message box button \"Zamknij\" (ImButZamknij at 190,116)"),
    Filling("butzamknijakt", ui::message::kCloseButton.Extent(),
            "message box button \"Zamknij\", highlighted"),
    Filling("butpopraw", ui::message::kMend.Extent(),
            "message box button \"Popraw\" (ImButPopraw at 97,116)"),
    Filling("butpoprawakt", ui::message::kMend.Extent(),
            "message box button \"Popraw\", highlighted"),
};

// A rectangle in the pixel coordinates of one picture.
struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

// A place where a window draws text of its own over a picture, with the
// text's colour (0xRRGGBB) and the contrast ratio the picture must leave it.
// The rectangles are where the glyphs go, so decorations drawn on purpose
// beside the text (the welcome panel's icons in the leading spaces of its
// choices) lie outside them.
struct LiveTextZone {
    std::string_view image;
    PixelRect area;
    std::uint32_t textRgb;
    double minContrast;
    std::string_view what;
};

inline constexpr double kReadableContrast = 4.5;
inline constexpr double kHoverContrast = 3.0;

// The width the choices' leading spaces take in their bold 11 px font; the
// welcome picture puts the choices' icons there.
inline constexpr int kChoiceIndentPixels = 52;

constexpr PixelRect WithoutIndent(ui::Rect choice) {
    return {choice.x + kChoiceIndentPixels, choice.y, choice.width - kChoiceIndentPixels,
            choice.height};
}

constexpr PixelRect Plain(ui::Rect rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

// The command labels first to last (exclusive) of the viewer's column, with
// a pixel more to the right and below for the ink's smoothed edge. The
// column has two groups, the shown document's commands and the whole set's,
// with a heading drawn between them, so each group is a zone of its own.
constexpr PixelRect CommandColumn(std::size_t first, std::size_t last) {
    const auto& labels = ui::viewer::kLabels;
    int left = labels[first].rect.x;
    int top = labels[first].rect.y;
    int right = left;
    int bottom = top;
    for (std::size_t i = first; i < last; ++i) {
        const ui::Rect rect = labels[i].rect;
        left = rect.x < left ? rect.x : left;
        top = rect.y < top ? rect.y : top;
        right = rect.x + rect.width > right ? rect.x + rect.width : right;
        bottom = rect.y + rect.height > bottom ? rect.y + rect.height : bottom;
    }
    return {left, top, right - left + 1, bottom - top + 1};
}

inline constexpr std::size_t kFirstSetLabel =
    ui::viewer::kLabels.size() - ui::viewer::kSetLabelCount;
constexpr PixelRect DocumentCommands() {
    return CommandColumn(0, kFirstSetLabel);
}
constexpr PixelRect SetCommands() {
    return CommandColumn(kFirstSetLabel, ui::viewer::kLabels.size());
}

inline constexpr std::array kLiveTextZones{
    // White when idle, yellow under the mouse.
    LiveTextZone{"glowny_powitanie", WithoutIndent(ui::glowny::kNewSet),
                 ui::RgbFromBgr(ui::glowny::kChoiceColour), kReadableContrast,
                 "first choice, white"},
    LiveTextZone{"glowny_powitanie", WithoutIndent(ui::glowny::kNewSet),
                 ui::RgbFromBgr(ui::glowny::kChoiceHoverColour), kReadableContrast,
                 "first choice, yellow"},
    LiveTextZone{"glowny_powitanie", WithoutIndent(ui::glowny::kExistingList),
                 ui::RgbFromBgr(ui::glowny::kChoiceColour), kReadableContrast,
                 "second choice, white"},
    LiveTextZone{"glowny_powitanie", WithoutIndent(ui::glowny::kExistingList),
                 ui::RgbFromBgr(ui::glowny::kChoiceHoverColour), kReadableContrast,
                 "second choice, yellow"},
    LiveTextZone{"browser_tlo", DocumentCommands(), ui::RgbFromBgr(ui::viewer::kCommandColour),
                 kReadableContrast, "viewer commands"},
    LiveTextZone{"browser_tlo", DocumentCommands(), ui::RgbFromBgr(ui::viewer::kCommandHoverColour),
                 kHoverContrast, "viewer commands, hovered"},
    LiveTextZone{"browser_tlo", SetCommands(), ui::RgbFromBgr(ui::viewer::kCommandColour),
                 kReadableContrast, "viewer set commands"},
    LiveTextZone{"browser_tlo", SetCommands(), ui::RgbFromBgr(ui::viewer::kCommandHoverColour),
                 kHoverContrast, "viewer set commands, hovered"},
    // Where the documents are, written by the viewer into its bottom band.
    LiveTextZone{"browser_dol", Plain(ui::viewer::kFolderLine),
                 ui::RgbFromBgr(ui::viewer::kFolderLineColour), kReadableContrast,
                 "documents folder line"},
    // The version lines, written by the windows over their pictures; the
    // about window centres its line in the middle half of its width.
    LiveTextZone{"glowny_tlo", Plain(ui::glowny::kVersionLine),
                 ui::RgbFromBgr(ui::glowny::kVersionColour), kReadableContrast, "version line"},
    LiveTextZone{"about_tlo",
                 {100, ui::about::kVersionLine.y, 199, ui::about::kVersionLine.height},
                 ui::RgbFromBgr(ui::about::kVersionColour),
                 kReadableContrast,
                 "version line"},
    LiveTextZone{"oknowarning", Plain(ui::message::kText), ui::RgbFromBgr(ui::message::kTextColour),
                 kReadableContrast, "message text"},
};

// The picture of that name, or nothing when the table has none.
constexpr std::optional<SkinImage> FindSkinImage(std::string_view name) {
    for (const SkinImage& image : kSkinImages) {
        if (image.name == name) {
            return image;
        }
    }
    return std::nullopt;
}

} // namespace notarion::skins
