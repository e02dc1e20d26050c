#pragma once

// The document viewer: the command column, the title strip, the viewer
// panel and the bottom band with its grip. The band and the panel follow
// the window's height; everything else stays where it is.

#include "ui/layout/Geometry.h"

#include <array>

namespace notarion::layout::viewer {

inline constexpr int kWindowWidth = 850;
inline constexpr int kOpeningHeight = 500;
inline constexpr int kMinimumHeight = 400;
inline constexpr int kMaximumHeight = 600;
inline constexpr std::uint32_t kBackgroundColour = 0x5A4646;
inline constexpr Rect kBackground{0, 0, 850, 600};
inline constexpr Rect kTitleStrip{8, 6, 801, 16};
inline constexpr Rect kClose{817, 8, 16, 14};
inline constexpr int kOutlineCorner = 12;

// The band's top lies this far above the bottom; the grip lies in the band.
inline constexpr int kBottomBandOffset = 32;
inline constexpr Size kBottomBand{850, 34};
inline constexpr Rect kGrip{827, 10, 12, 13};

// The command column: a white column of the picture, with the command
// labels inside it, as wide as the longest one-line caption in the
// commands' font ("Podgląd wydruku ...").
inline constexpr int kCommandLeft = 15;
inline constexpr int kCommandWidth = 126;
inline constexpr Rect kCommandColumn{8, 40, 2 * (kCommandLeft - 8) + kCommandWidth, 600};

// The panel's height is the window's height less kViewerPanelHeightLoss: it
// ends where the bottom band begins, and the viewer fills it exactly. The
// viewer draws its scroll bars at its very edge, so neither the band nor the
// panel may cover any of it, or the lower arrow goes. It begins as far right
// of the command column as the column is from the window's edge.
inline constexpr Point kViewerPanelTopLeft{kCommandColumn.x + kCommandColumn.width + 7, 48};
inline constexpr int kViewerPanelWidth = 825 - kViewerPanelTopLeft.x;
inline constexpr int kViewerPanelHeightLoss = kViewerPanelTopLeft.y + kBottomBandOffset;
inline constexpr int kViewerOverhang = 0;

inline constexpr Point kOffsetFromMainWindow{30, 50};

// The command column: labels that light up under the mouse, and underline
// labels between them that keep their own colour. Under the mouse a command
// takes the skin's gold, darkened to read on the white column: grey would
// look switched off.
inline constexpr std::uint32_t kCommandColour = 0x3C3C00;
inline constexpr std::uint32_t kCommandHoverColour = 0x2C7AA9;

struct Label {
    const char* name;
    Rect rect;
    const char16_t* caption;
    std::uint32_t colour;
};

inline constexpr const char16_t* kUnderline = u"_____________";
inline constexpr Label kChooseOption{
    "LWyborOpcji", {kCommandLeft, 76, kCommandWidth, 14}, u"Wybierz opcję ...", kCommandColour};
inline constexpr Label kUnderline1{
    "Label1", {kCommandLeft, 86, kCommandWidth, 13}, kUnderline, 0x092337};
inline constexpr Label kSave{
    "LZapisz", {kCommandLeft, 104, kCommandWidth, 13}, u"Zapisz jako ...", kCommandColour};
inline constexpr Label kCopy{"LKopiuj", {15, 120, 81, 13}, u"Kopiuj", kCommandColour};
inline constexpr Label kUnderline2{
    "LKreska1", {kCommandLeft, 128, kCommandWidth, 13}, kUnderline, 0x092337};
inline constexpr Label kPrint{
    "LDrukuj", {kCommandLeft, 146, kCommandWidth, 13}, u"Drukuj", kCommandColour};
inline constexpr Label kPrintPreview{
    "LPodglond", {kCommandLeft, 163, kCommandWidth, 13}, u"Podgląd wydruku ...", kCommandColour};
inline constexpr Label kUnderline3{"LKreska2", {15, 173, 81, 13}, kUnderline, 0x2E2E2E};
inline constexpr Label kCloseCommand{
    "LClose", {kCommandLeft, 192, kCommandWidth, 14}, u"Zamknij", kCommandColour};

// The two commands for the whole set sit below the column of the shown
// document's commands, under a heading that the skin carries; the longer
// caption takes two lines of the column's width.
inline constexpr Rect kSetHeading{kCommandLeft, 222, kCommandWidth, 17};
inline constexpr Label kSaveSet{"LZapiszZestaw",
                                {kCommandLeft, 250, kCommandWidth, 27},
                                u"Zapisz zestaw jako PDF \u2026",
                                kCommandColour};
inline constexpr Label kPrintSet{"LDrukujZestaw",
                                 {kCommandLeft, 281, kCommandWidth, 13},
                                 u"Drukuj zestaw \u2026",
                                 kCommandColour};
// Opens the folder of the set's documents in the desktop's file manager.
inline constexpr Label kOpenFolder{
    "LOtworzFolder", {kCommandLeft, 298, kCommandWidth, 13}, u"Otwórz folder", kCommandColour};

// Shows the page of the set's figures; Alt with its letter does the same
// from anywhere in the window, the letter underlined in the caption.
inline constexpr Label kSummary{
    "LZestawienie", {kCommandLeft, 315, kCommandWidth, 13}, u"Zestawienie", kCommandColour};
inline constexpr char16_t kSummaryAltLetter = u'Z';
// The skin's hints stand below the set's commands.
inline constexpr int kHintsTop = kSummary.rect.y + kSummary.rect.height + 14;

// The labels in column order; the last kSetLabelCount are the set's commands.
inline constexpr std::size_t kSetLabelCount = 4;
inline constexpr std::array kLabels{
    kChooseOption, kUnderline1,   kSave,    kCopy,     kUnderline2, kPrint,  kPrintPreview,
    kUnderline3,   kCloseCommand, kSaveSet, kPrintSet, kOpenFolder, kSummary};

// The line of the bottom band that says where the documents are, left of
// the band's own hint, in the band's light ink.
inline constexpr Rect kFolderLine{12, 9, 480, 16};
inline constexpr int kFolderLinePixels = 11;
inline constexpr std::uint32_t kFolderLineColour = 0xD8F0E0;

} // namespace notarion::layout::viewer
