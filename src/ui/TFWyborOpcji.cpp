#include "ui/TFWyborOpcji.h"

#include "generate/DocumentSet.h"
#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "ui/SkinnedWindow.h"
#include "ui/layout/QtGeometry.h"
#include "ui/layout/TFWyborOpcjiLayout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

namespace notarion {
namespace {

using namespace layout::chooser;
using layout::ToQRect;
const char* const BackgroundSkin = "wyboropcji_tlo";

} // namespace

const std::array<QString, 14>& TFWyborOpcji::OptionTitles() {
    static const std::array<QString, 14> titles = [] {
        std::array<QString, 14> texts;
        for (int option = 0; option < DocumentCount; ++option)
            texts[static_cast<std::size_t>(option)] =
                QStringFromCp1250(DocumentTitleForOption(option));
        return texts;
    }();
    return titles;
}

TFWyborOpcji::TFWyborOpcji(QWidget* parent) : QDialog(parent) {
    SetUpSkinnedWindow(this, layout::ToQSize(kWindowSize), WindowRole::Companion);
    setAttribute(Qt::WA_DeleteOnClose, false);

    ImTlo = new QLabel(this);
    ImTlo->setGeometry(ToQRect(layout::AtOrigin(kWindowSize)));
    // Without its picture the chooser still works on a plain background.
    LoadSkinImageWhenShown(QString::fromLatin1(BackgroundSkin), ImTlo, [label = ImTlo] {
        label->setStyleSheet(QStringLiteral("background: white"));
    });

    ListaOpcji = new QListWidget(this);
    ListaOpcji->setGeometry(ToQRect(kList));
    ListaOpcji->setFrameShape(QFrame::NoFrame);
    ListaOpcji->setFont(PixelFont(QStringLiteral("Arial"), kListFontPixels));
    ListaOpcji->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListaOpcji->setUniformItemSizes(true);
    QPalette palette = ListaOpcji->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, ColorFromBgr(kListTextColour));
    ListaOpcji->setPalette(palette);
    for (const QString& title : OptionTitles()) {
        auto* item = new QListWidgetItem(title, ListaOpcji);
        item->setSizeHint(QSize(kList.width, kItemHeight));
    }

    LWprowadz = new HotArea(this, ToQRect(kConfirm));
    LAnuluj = new HotArea(this, ToQRect(kCancel));

    connect(ListaOpcji, &QListWidget::itemDoubleClicked, this, &TFWyborOpcji::ListaOpcjiDblClick);
    connect(LWprowadz, &HotArea::clicked, this, &TFWyborOpcji::LWprowadzClick);
    connect(LAnuluj, &HotArea::clicked, this, &TFWyborOpcji::LAnulujClick);
}

void TFWyborOpcji::ChooseOption(QWidget* viewer, int currentOption) {
    // Any way of closing other than the two commands counts as cancelling,
    // so a stale answer of an earlier showing is never acted on.
    ChosenOption = -1;
    if (viewer) {
        // The chooser belongs to the viewer it is opened from and opens above it.
        KeepAbove(this, viewer);
        PlaceRelativeTo(this, viewer->window(), layout::ToQPoint(kOffsetFromViewer));
    }
    if (currentOption >= 0 && currentOption < ListaOpcji->count()) {
        ListaOpcji->setCurrentRow(currentOption);
    } else {
        ListaOpcji->setCurrentRow(-1);
        ListaOpcji->clearSelection();
    }
    exec();
}

void TFWyborOpcji::keyPressEvent(QKeyEvent* event) {
    // Enter answers as "Wprowadź" and Esc as "Anuluj", whichever part of the
    // chooser has the focus; other keys move through the list.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        LWprowadzClick();
        return;
    case Qt::Key_Escape:
        event->accept();
        LAnulujClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TFWyborOpcji::ListaOpcjiDblClick() {
    ChosenOption = ListaOpcji->currentRow();
    accept();
}

void TFWyborOpcji::LWprowadzClick() {
    ChosenOption = ListaOpcji->currentRow();
    accept();
}

void TFWyborOpcji::LAnulujClick() {
    ChosenOption = -1;
    reject();
}

} // namespace notarion
