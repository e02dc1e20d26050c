#include "ui/TFWyborOpcji.h"

#include "ViewerTestSupport.h"
#include "generate/DocumentSet.h"
#include "ui/SkinnedWindow.h"

#include <QListWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace notarion {
namespace {

class Chooser : public ::testing::Test {
protected:
    Chooser() {
        viewer.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        viewer.setGeometry(100, 80, 850, 500);
        viewer.show();
    }

    // Open the chooser on current and let act answer it.
    int Choose(int current, std::function<void(TFWyborOpcji&)> act) {
        testing::WhenModalOf<TFWyborOpcji>([act](TFWyborOpcji* open) { act(*open); });
        chooser.ChooseOption(&viewer, current);
        return chooser.ChosenOption;
    }

    static void Click(QWidget* area) {
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, area->rect().center());
    }

    QWidget viewer;
    TFWyborOpcji chooser;
};

TEST_F(Chooser, EachTitleOpensTheDocumentItNames) {
    const std::pair<const char*, const char*> rows[] = {
        {"Uczniowie z oceną wzorową z zachowania", "Lista_WzoroweZachowanie.htm"},
        {"Uczniowie z obniżoną oceną z zachowania", "Lista_ObnizoneZachowania.htm"},
        {"Uczniowie z wzorową frekwencją", "Lista_WzorowaFrekwencja.htm"},
        {"Uczniowie osiągający wysokie wyniki w nauce", "Lista_UczniowieWyroznieni.htm"},
        {"Uczniowie z ocenami niedostatecznymi", "Lista_Ndst.htm"},
        {"Klasyfikacja uczniów - zachowanie", "Prot_KlasyfikacjaZachowanie.htm"},
        {"Klasyfikacja uczniów - nauczanie", "Prot_KlasyfikacjaOceny.htm"},
        {"Uzasadnienia ocen niedostatecznych", "Prot_UzasadnienieNdst.htm"},
        {"Realizacja programów nauczania", "Prot_RealizacjaProgramow.htm"},
        {"Realizacja programów wychowawczych", "Prot_RealizacjaProgramowWych.htm"},
        {"Realizacja zadań dodatkowych", "Prot_RealizacjaZadanDod.htm"},
        {"Realizacja godzin kartowych", "Prot_GodzinyKartowe.htm"},
        {"Realizacja innych zadań", "Prot_InneZadania.htm"},
        {"Sprawozdanie dyrektora szkoły", "Prot_SprawozdanieDyr.htm"},
    };
    ASSERT_EQ(chooser.ListaOpcji->count(), DocumentCount);
    for (int i = 0; i < DocumentCount; ++i) {
        const auto& [title, file] = rows[i];
        EXPECT_EQ(chooser.ListaOpcji->item(i)->text(), QString::fromUtf8(title)) << i;
        EXPECT_EQ(DocumentFileForOption(i), file) << i;
    }
}

TEST_F(Chooser, OpensBesideTheViewerWithTheCurrentOptionSelected) {
    QPoint position;
    int selected = -2;
    const int chosen = Choose(7, [&](TFWyborOpcji& open) {
        position = open.pos();
        selected = open.ListaOpcji->currentRow();
        Click(open.LWprowadz);
    });
    EXPECT_EQ(position, viewer.pos() + QPoint(200, 150));
    EXPECT_EQ(selected, 7);
    EXPECT_EQ(chosen, 7) << "confirming without moving returns the current option";
}

TEST_F(Chooser, OpensAboveTheViewerWithoutStayingAboveOtherPrograms) {
    QWindow* above = nullptr;
    bool onTop = true;
    Choose(0, [&](TFWyborOpcji& open) {
        above = open.windowHandle()->transientParent();
        onTop = open.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        Click(open.LAnuluj);
    });
    EXPECT_EQ(above, viewer.windowHandle());
    EXPECT_FALSE(onTop);
}

TEST_F(Chooser, ConfirmAndDoubleClickReturnTheSelectedOption) {
    EXPECT_EQ(Choose(0,
                     [](TFWyborOpcji& open) {
                         open.ListaOpcji->setCurrentRow(4);
                         Click(open.LWprowadz);
                     }),
              4);
    EXPECT_EQ(Choose(4,
                     [](TFWyborOpcji& open) {
                         QListWidget* list = open.ListaOpcji;
                         const QPoint item = list->visualItemRect(list->item(2)).center();
                         QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item);
                         QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item);
                     }),
              2);
}

TEST_F(Chooser, CancelReturnsMinusOneWhateverIsSelected) {
    EXPECT_EQ(Choose(3,
                     [](TFWyborOpcji& open) {
                         open.ListaOpcji->setCurrentRow(9);
                         Click(open.LAnuluj);
                     }),
              -1);
}

TEST_F(Chooser, ClosingByTheDesktopCountsAsCancelNotAsTheEarlierAnswer) {
    EXPECT_EQ(Choose(0,
                     [](TFWyborOpcji& open) {
                         open.ListaOpcji->setCurrentRow(6);
                         Click(open.LWprowadz);
                     }),
              6);
    EXPECT_EQ(Choose(6, [](TFWyborOpcji& open) { open.close(); }), -1);
}

TEST_F(Chooser, EnterConfirmsTheSelectionAndEscCancels) {
    struct Case {
        Qt::Key Key;
        int Expected;
    };
    for (const Case& c :
         {Case{Qt::Key_Return, 9}, Case{Qt::Key_Enter, 9}, Case{Qt::Key_Escape, -1}}) {
        const int chosen = Choose(5, [&](TFWyborOpcji& open) {
            open.ListaOpcji->setFocus();
            open.ListaOpcji->setCurrentRow(9);
            QTest::keyClick(open.ListaOpcji, c.Key);
        });
        EXPECT_EQ(chosen, c.Expected) << c.Key;
        EXPECT_FALSE(chooser.isVisible());
    }
}

} // namespace
} // namespace notarion
