#include "ui/TFAbout.h"

#include "platform/SkinImage.h"
#include "ui/layout/QtGeometry.h"
#include "ui/layout/TFAboutLayout.h"

#include <QLabel>

namespace notarion {

namespace {

using namespace layout::about;
using layout::ToQRect;

} // namespace

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
    SetUpSkinnedWindow(this, layout::ToQSize(kWindowSize), WindowRole::Companion);
    setModal(true);
    Image1 = new QLabel(this);
    Image1->setGeometry(ToQRect(kImage));
    LoadSkinImageWhenShown(QStringLiteral("about_tlo"), Image1);
    LWersja = MakeVersionLabel(this, ToQRect(kVersionLine), kVersionPixelHeight, kVersionColour,
                               Qt::AlignCenter);
    LClose = new HotArea(this, ToQRect(kClose));
    connect(LClose, &HotArea::clicked, this, &TFAbout::LCloseClick);
}

void TFAbout::ShowOver(const QWidget* owner) {
    if (owner != nullptr) {
        PlaceRelativeTo(this, owner, layout::ToQPoint(kOffsetFromMainWindow));
    }
    SetRoundedOutline(this, kOutlineSize.width, kOutlineSize.height, kCornerEllipse,
                      kCornerEllipse);
    exec();
}

void TFAbout::LCloseClick() {
    accept();
}

} // namespace notarion
