#include "ui/TFAbout.h"

#include "platform/SkinImage.h"

#include <QLabel>

namespace notarion {

namespace {

constexpr QSize AboutSize(399, 287);
constexpr QRect Image1Rect(0, 0, 410, 298);
constexpr QRect LCloseRect(364, 18, 17, 17);
constexpr QPoint OffsetFromMainWindow(170, 120);
// The outline is one pixel wider than the window, as the window always had.
constexpr QSize OutlineSize(400, 287);
constexpr int CornerEllipse = 6;
// The version line under the program's name, in the picture's light teal.
constexpr QRect LWersjaRect(0, 202, 399, 18);
constexpr int VersionPixelHeight = 12;
constexpr std::uint32_t VersionColour = 0x5C700C;

} // namespace

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
    SetUpSkinnedWindow(this, AboutSize, StaysOnTop::No);
    setModal(true);
    Image1 = new QLabel(this);
    Image1->setGeometry(Image1Rect);
    TryLoadSkinImage(QStringLiteral("about_tlo"), Image1);
    LWersja =
        MakeVersionLabel(this, LWersjaRect, VersionPixelHeight, VersionColour, Qt::AlignCenter);
    LClose = new HotArea(this, LCloseRect);
    connect(LClose, &HotArea::clicked, this, &TFAbout::LCloseClick);
}

void TFAbout::ShowOver(const QWidget* owner) {
    if (owner != nullptr) {
        PlaceRelativeTo(this, owner, OffsetFromMainWindow);
    }
    SetRoundedOutline(this, OutlineSize.width(), OutlineSize.height(), CornerEllipse,
                      CornerEllipse);
    exec();
}

void TFAbout::LCloseClick() {
    accept();
}

} // namespace notarion
