#pragma once

// The one list of skin images: their resource names, pixel sizes and uses,
// and the places where the windows put live text over them. The drawing
// program paints from it and writes the resource file; the checking program
// compares the committed pictures with it. Standard library only, so the
// check builds and runs without a display.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace notarion::skins {

// One skin picture: lower-case resource name (the file is name + ".jpg"),
// exact pixel size, and the window part that shows it.
struct SkinImage {
    std::string_view name;
    int width;
    int height;
    std::string_view use;
};

inline constexpr std::array kSkinImages{
    SkinImage{"glowny_tlo", 776, 570, "main window background (TFGlowny ImTlo)"},
    SkinImage{"glowny_powitanie", 534, 211, "welcome panel (ImPowitanie, panel at 146,154)"},
    SkinImage{"glowny_postep", 480, 17, "progress strip (ImPostep, panel at 34,546)"},
    SkinImage{"glowny_wstecz", 91, 36, "back button \"Wstecz\" (ImWstecz, panel 89x33 at 640,531)"},
    SkinImage{"about_tlo", 410, 298, "about window background (TFAbout Image1)"},
    SkinImage{"realizacja_tlo", 751, 481, "list editor background (Imrealizacja at -2,-4)"},
    SkinImage{"browser_tlo", 850, 600, "document viewer background (TFBrowser ImTlo)"},
    SkinImage{"browser_dol", 850, 34, "document viewer bottom band with the resize grip (ImDown)"},
    SkinImage{"browsermini_tlo", 632, 440, "preview window background (TFBrowserMini ImTlo)"},
    SkinImage{"wyboropcji_tlo", 445, 242, "option chooser background (TFWyborOpcji ImTlo)"},
    SkinImage{"oknowarning", 350, 150, "message box background (ImWarning)"},
    SkinImage{"ikoinfo", 42, 43, "message box icon 1, information (ImIkona at 12,4)"},
    SkinImage{"ikopytanie", 42, 43, "message box icon 2, question (ImIkona at 12,4)"},
    SkinImage{"ikouwaga", 42, 43, "message box icon 3, warning (ImIkona at 12,4)"},
    SkinImage{"buttak", 88, 26, "message box button \"Tak\" (ImButTak at 63,116)"},
    SkinImage{"buttakakt", 88, 26, "message box button \"Tak\", highlighted"},
    SkinImage{"butnie", 88, 26, "message box button \"Nie\" (ImButNie at 156,116)"},
    SkinImage{"butnieakt", 88, 26, "message box button \"Nie\", highlighted"},
    SkinImage{"butanuluj", 88, 26, "message box button \"Anuluj\" (ImButAnuluj at 248,116)"},
    SkinImage{"butanulujakt", 88, 26, "message box button \"Anuluj\", highlighted"},
    SkinImage{"butzamknij", 88, 26, "message box button \"Zamknij\" (ImButZamknij at 190,116)"},
    SkinImage{"butzamknijakt", 88, 26, "message box button \"Zamknij\", highlighted"},
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

inline constexpr std::array kLiveTextZones{
    // White when idle, yellow under the mouse, bold 11 px.
    LiveTextZone{
        "glowny_powitanie", {132, 68, 349, 28}, 0xFFFFFF, kReadableContrast, "first choice, white"},
    LiveTextZone{"glowny_powitanie",
                 {132, 68, 349, 28},
                 0xFFFF00,
                 kReadableContrast,
                 "first choice, yellow"},
    LiveTextZone{"glowny_powitanie",
                 {132, 132, 373, 20},
                 0xFFFFFF,
                 kReadableContrast,
                 "second choice, white"},
    LiveTextZone{"glowny_powitanie",
                 {132, 132, 373, 20},
                 0xFFFF00,
                 kReadableContrast,
                 "second choice, yellow"},
    // The viewer's command column: colour 0x3C3C00 as 0x00BBGGRR, grey on hover.
    LiveTextZone{"browser_tlo", {15, 76, 99, 131}, 0x003C3C, kReadableContrast, "viewer commands"},
    LiveTextZone{
        "browser_tlo", {15, 76, 99, 131}, 0x808080, kHoverContrast, "viewer commands, hovered"},
    // The version lines: mint in the main window's footer, light teal in the
    // about window.
    LiveTextZone{"glowny_tlo", {529, 546, 100, 17}, 0xB9D7CD, kReadableContrast, "version line"},
    LiveTextZone{"about_tlo", {100, 202, 199, 18}, 0x0C705C, kReadableContrast, "version line"},
    // The message text, colour 0x444444.
    LiveTextZone{"oknowarning", {17, 51, 313, 53}, 0x444444, kReadableContrast, "message text"},
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
