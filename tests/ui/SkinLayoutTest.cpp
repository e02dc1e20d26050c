// The skin pictures paint their buttons where the painter's hot areas are;
// the windows put their clickable areas where their components are. Both
// must be the same rectangles, or a click lands beside the painted button.

#include "Skins.h"
#include "app/SharedState.h"
#include "ui/TFAbout.h"
#include "ui/TFBrowser.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFRealProgramu.h"
#include "ui/TFWarning.h"
#include "ui/TFWyborOpcji.h"
#include "ui/Windows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace notarion {
namespace {

// One picture and the widget it is laid in.
struct PictureHost {
    const char* picture;
    QWidget* host;
    // Where the picture's top-left corner lies in the host.
    QPoint pictureAt;
    // Panels inside the host that carry pictures of their own.
    std::vector<QWidget*> ownPictures;
    // Places of other windows that the picture marks.
    std::vector<QRect> companions;
};

// The part of widget that shows, in the picture's coordinates: panels clip
// what lies beyond their edges.
QRect ShownRect(const QWidget* widget, const PictureHost& place) {
    QRect shown(widget->mapTo(place.host, QPoint(0, 0)), widget->size());
    for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
        shown &= QRect(up->mapTo(place.host, QPoint(0, 0)), up->size());
        if (up == place.host) {
            break;
        }
    }
    return shown.translated(-place.pictureAt);
}

bool Contains(const std::vector<QRect>& rects, const QRect& rect) {
    return std::ranges::find(rects, rect) != rects.end();
}

bool InsideOwnPicture(const QWidget* widget, const PictureHost& place) {
    // A companion window owned by this one is painted by its own picture.
    if (widget->window() != place.host->window()) {
        return true;
    }
    for (const QWidget* up = widget->parentWidget(); up != place.host; up = up->parentWidget()) {
        if (std::ranges::find(place.ownPictures, up) != place.ownPictures.end()) {
            return true;
        }
    }
    return false;
}

std::string Text(const QRect& rect) {
    return std::to_string(rect.x()) + "," + std::to_string(rect.y()) + " " +
           std::to_string(rect.width()) + "x" + std::to_string(rect.height());
}

class SkinLayout : public ::testing::Test {
protected:
    SkinLayout() : m_windows(m_state, WorkPlaces{Folder() + "/notarion", Folder()}) {}

    std::string Folder() const { return m_dir.path().toStdString(); }

    std::vector<PictureHost> Pictures() {
        TFGlowny& main = m_windows.FGlowny();
        TFRealProgramu& editor = m_windows.FRealProgramu();
        TFBrowser& viewer = m_windows.FBrowser();
        // The editor places itself over the main window when it is shown.
        editor.show();
        const QRect editorPlace(editor.pos() - main.pos(), editor.size());
        editor.hide();
        return {
            {"glowny_tlo", &main, {}, {main.PPowitanie, main.PButWstecz}, {editorPlace}},
            {"glowny_powitanie", main.PPowitanie, {}, {}, {}},
            {"glowny_wstecz", main.PButWstecz, {}, {}, {}},
            {"about_tlo", &m_windows.FAbout(), {}, {}, {}},
            {"realizacja_tlo", &editor, editor.Imrealizacja->pos(), {}, {}},
            {"browser_tlo", &viewer, {}, {viewer.Pdown}, {}},
            {"browser_dol", viewer.Pdown, {}, {}, {}},
            {"browsermini_tlo", &m_windows.FBrowserMini(), {}, {}, {}},
            {"wyboropcji_tlo", &m_windows.FWyborOpcji(), {}, {}, {}},
            {"oknowarning", &m_windows.FWarning(), {}, {}, {}},
        };
    }

    QTemporaryDir m_dir;
    SharedState m_state;
    Windows m_windows;
};

TEST_F(SkinLayout, EveryClickableAreaIsAHotAreaOfItsPicture) {
    for (const PictureHost& place : Pictures()) {
        std::vector<QRect> painted;
        for (const skins::HotArea& area : skins::HotAreasOf(place.picture)) {
            painted.push_back(area.rect);
        }
        const auto areas = place.host->findChildren<HotArea*>();
        ASSERT_FALSE(areas.isEmpty()) << place.picture;
        for (const HotArea* area : areas) {
            if (InsideOwnPicture(area, place)) {
                continue;
            }
            const QRect shown = ShownRect(area, place);
            EXPECT_TRUE(Contains(painted, shown))
                << place.picture << ": the window has a clickable area at " << Text(shown)
                << " where the picture has none";
        }
    }
}

// The picture as the painter draws it, without the loss of its JPEG.
QImage FreshPicture(const char* name, QSize size) {
    skins::SkinCanvas canvas(name, size.width(), size.height());
    EXPECT_TRUE(skins::PaintSkin(name, canvas)) << name;
    std::vector<std::string> problems;
    return canvas.Finish(problems);
}

TEST_F(SkinLayout, EveryCommandPillOfTheListEditorTakesClicksOverItsWholeDrawnShape) {
    TFRealProgramu& editor = m_windows.FRealProgramu();
    const PictureHost place = Pictures()[4];
    ASSERT_STREQ(place.picture, "realizacja_tlo");
    const QImage picture = FreshPicture(place.picture, editor.Imrealizacja->size());
    const auto ink = [&](int x, int y) {
        const QRgb pixel = picture.pixel(x, y);
        return qRed(pixel) + qGreen(pixel) + qBlue(pixel);
    };
    for (HotArea* command :
         {editor.LDodajPlik, editor.LUsunPlik, editor.LZapisz, editor.LPodglond,
          editor.LPoprawSprawozdanie, editor.LUporzadkuj, editor.LSprawdzZestaw}) {
        const QRect area = ShownRect(command, place);
        // The pill is whatever is lighter than the bare panel just left of it
        // on the same line (the panel's shade changes from line to line). The
        // pills lie two lines apart, so one line above and below is its own.
        QRect drawn;
        for (int y = area.top() - 1; y <= area.bottom() + 1; ++y) {
            const int panel = ink(area.left() - 4, y);
            for (int x = area.left() - 3; x <= area.right() + 3; ++x) {
                if (ink(x, y) - panel <= 15)
                    continue;
                drawn |= QRect(x, y, 1, 1);
                EXPECT_EQ(editor.childAt(QPoint(x, y) + place.pictureAt), command)
                    << Text(area) << ": drawn at " << x << "," << y
                    << " but does not take the click there";
            }
        }
        // The walk saw the pill itself, not a part of it.
        EXPECT_GE(drawn.height(), area.height() - 1) << Text(drawn) << " in " << Text(area);
        EXPECT_GE(drawn.width(), area.width() - 2) << Text(drawn) << " in " << Text(area);
    }
}

TEST_F(SkinLayout, EveryHotAreaOfAPictureIsAComponentOfItsWindow) {
    for (const PictureHost& place : Pictures()) {
        std::vector<QRect> placed = place.companions;
        placed.push_back(QRect(QPoint(0, 0), place.host->size()).translated(-place.pictureAt));
        for (const QWidget* widget : place.host->findChildren<QWidget*>()) {
            if (!InsideOwnPicture(widget, place)) {
                placed.push_back(ShownRect(widget, place));
            }
        }
        const auto areas = skins::HotAreasOf(place.picture);
        ASSERT_FALSE(areas.empty()) << place.picture;
        for (const skins::HotArea& area : areas) {
            EXPECT_TRUE(Contains(placed, area.rect))
                << place.picture << ": " << area.name << " at " << Text(area.rect)
                << " matches no component of the window";
        }
    }
}

} // namespace
} // namespace notarion
