#include "Skins.h"

#include "SkinTable.h"
#include "ui/layout/QtGeometry.h"
#include "ui/layout/TFAboutLayout.h"
#include "ui/layout/TFBrowserLayout.h"
#include "ui/layout/TFBrowserMiniLayout.h"
#include "ui/layout/TFGlownyLayout.h"
#include "ui/layout/TFRealProgramuLayout.h"
#include "ui/layout/TFWarningLayout.h"
#include "ui/layout/TFWyborOpcjiLayout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <functional>

namespace notarion::skins {

using namespace palette;

namespace {

// ---------------------------------------------------------------------------
// Layouts. Positions of the windows' components come from the windows' own
// layout tables; every caption below is drawn inside the rectangle of its
// hot area. What only the pictures need (bands, footers) is kept here.

using layout::ToQPoint;
using layout::ToQRect;
using layout::ToQSize;

namespace mainwin {
namespace table = layout::glowny;
constexpr QRect kWindow = ToQRect(table::kWindow);
constexpr QRect kTitleStrip = ToQRect(table::kTitleStrip);
constexpr QRect kAbout = ToQRect(table::kAbout);
constexpr QRect kHelp = ToQRect(table::kHelp);
constexpr QRect kMinimise = ToQRect(table::kMinimise);
constexpr QRect kClose = ToQRect(table::kClose);
constexpr QRect kWelcome = ToQRect(table::kWelcome);
constexpr QRect kProgress = ToQRect(table::kProgress);
constexpr QRect kBack = ToQRect(table::kBack);
constexpr QRect kListEditor(ToQPoint(layout::editor::kOffsetWhenShown),
                            ToQSize(layout::editor::kWindowSize));
constexpr int kBandHeight = 38;
constexpr int kFooterTop = 530;
constexpr qreal kCornerRadius = table::kCornerEllipse / 2.0;
} // namespace mainwin

namespace welcome {
constexpr QRect kNewSet = ToQRect(layout::glowny::kNewSet);
constexpr QRect kExistingList = ToQRect(layout::glowny::kExistingList);
// The choices' leading spaces leave kChoiceIndentPixels; their icons sit
// in the middle of that gap.
constexpr QPointF kIconShift{kChoiceIndentPixels / 2.0, 7};
constexpr QPointF kNewSetIcon = QPointF(kNewSet.topLeft()) + kIconShift;
constexpr QPointF kExistingListIcon = QPointF(kExistingList.topLeft()) + kIconShift;
} // namespace welcome

namespace about {
constexpr QRect kVisible = ToQRect(layout::AtOrigin(layout::about::kWindowSize));
constexpr QRect kClose = ToQRect(layout::about::kClose);
constexpr int kBandHeight = 54;
constexpr qreal kCornerRadius = layout::about::kCornerEllipse / 2.0;
} // namespace about

namespace editor {
namespace table = layout::editor;
// The picture lies up and left of the window: painting is done in window
// coordinates after moving the origin by the opposite offset.
constexpr QPoint kWindowOrigin = -ToQPoint(table::kImage.TopLeft());
constexpr QRect kWindow = ToQRect(layout::AtOrigin(table::kWindowSize));
constexpr QRect kKindFrame = ToQRect(table::kKindFrame);
constexpr QRect kKindArrow = ToQRect(table::kKindArrow);
constexpr QRect kList = ToQRect(table::kList);
constexpr QRect kSidePanel{540, 16, 195, 446};

struct Command {
    const char* name;
    QRect area;
    const char* caption;
    enum class Icon { Add, Remove, Save, Preview, Edit, Order, Check } icon;
    // The letter that Alt runs the command with.
    int keyLetter = 0;
};

const std::array kCommands{
    Command{"LDodajPlik", ToQRect(table::kAddFile), "Dodaj plik", Command::Icon::Add},
    Command{"LUsunPlik", ToQRect(table::kRemoveFile), "Usuń plik", Command::Icon::Remove},
    Command{"LZapisz", ToQRect(table::kSave), "Zapisz listę", Command::Icon::Save},
    Command{"LPodglond", ToQRect(table::kPreview), "Podgląd", Command::Icon::Preview},
    Command{"LPoprawSprawozdanie", ToQRect(table::kEditReport), "Popraw sprawozdanie",
            Command::Icon::Edit, 3},
    // Alt+K, the "k" of "klas".
    Command{"LUporzadkuj", ToQRect(table::kOrderByClass), "Uporządkuj według klas",
            Command::Icon::Order, 18},
    Command{"LSprawdzZestaw", ToQRect(table::kCheckSet), "Sprawdź zestaw", Command::Icon::Check},
};
constexpr QRect kGenerate = ToQRect(table::kGenerate);
} // namespace editor

namespace viewer {
namespace table = layout::viewer;
constexpr QRect kWindow = ToQRect(table::kBackground);
constexpr QRect kTitleStrip = ToQRect(table::kTitleStrip);
constexpr QRect kClose = ToQRect(table::kClose);
constexpr QRect kColumn = ToQRect(table::kCommandColumn);
// The white well reaches the picture's bottom, for the tallest window.
constexpr QRect kBrowserPanel(ToQPoint(table::kViewerPanelTopLeft),
                              QSize(table::kViewerPanelWidth,
                                    kWindow.height() - table::kViewerPanelTopLeft.y));
constexpr int kBandHeight = 31;
constexpr QRect kGrip = ToQRect(table::kGrip);
constexpr qreal kCornerRadius = table::kOutlineCorner / 2.0;
} // namespace viewer

namespace preview {
constexpr QRect kClient = ToQRect(layout::AtOrigin(layout::preview::kWindowSize));
constexpr QRect kClose = ToQRect(layout::preview::kClose);
constexpr QRect kBrowserPanel = ToQRect(layout::preview::kViewerPanel);
} // namespace preview

namespace chooser {
constexpr QRect kWindow = ToQRect(layout::AtOrigin(layout::chooser::kWindowSize));
constexpr QRect kList = ToQRect(layout::chooser::kList);
constexpr QRect kConfirm = ToQRect(layout::chooser::kConfirm);
constexpr QRect kCancel = ToQRect(layout::chooser::kCancel);
} // namespace chooser

namespace message {
namespace table = layout::message;
constexpr QRect kWindow = ToQRect(layout::AtOrigin(table::kWindowSize));
constexpr QRect kTitleStrip = ToQRect(table::kTitleStrip);
constexpr QRect kClose = ToQRect(table::kClose);
constexpr QRect kIcon = ToQRect(table::kIcon);
constexpr QRect kText = ToQRect(table::kText);
constexpr int kBandHeight = 48;
constexpr int kFooterTop = 108;

struct Button {
    const char* name;
    QRect area;
    const char* caption;
};
const std::array kButtons{
    Button{"tak", ToQRect(table::kYes), "Tak"},
    Button{"nie", ToQRect(table::kNo), "Nie"},
    Button{"anuluj", ToQRect(table::kCancel), "Anuluj"},
    Button{"zamknij", ToQRect(table::kCloseButton), "Zamknij"},
    Button{"popraw", ToQRect(table::kMend), "Popraw"},
};
} // namespace message

// ---------------------------------------------------------------------------
// Pieces shared by several windows.

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

// The teal body every window stands on.
void Body(QPainter& painter, const QRectF& rect) {
    FillVertical(painter, rect, kTeal, kTealDark);
}

// The darker band at the top of a window, closed by a thin gold line.
void TitleBand(QPainter& painter, qreal width, qreal height) {
    FillVertical(painter, QRectF(0, 0, width, height), kTealDeep, kTealDark);
    painter.fillRect(QRectF(0, height, width, 1), WithAlpha(kGold, 120));
}

// Draws the picture of another window part under this one, so that an
// image laid over that part at offset blends into it.
void PaintUnder(SkinCanvas& canvas, const QPoint& offset,
                const std::function<void(SkinCanvas&)>& paintParent) {
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.translate(-offset);
    paintParent(canvas);
    painter.restore();
}

void Triangle(QPainter& painter, const QPointF& a, const QPointF& b, const QPointF& c,
              const QColor& colour) {
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    painter.fillPath(path, colour);
}

// A single letter centred by its ink on a point.
void Letter(QPainter& painter, const QPointF& centre, const QString& letter, const QFont& font,
            const QColor& colour) {
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(letter);
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(std::round(centre.x() - ink.center().x()),
                             std::round(centre.y() - ink.center().y())),
                     letter);
    painter.restore();
}

// ---------------------------------------------------------------------------
// Main window and its parts.

// One step of the road, as plain text with its number: no box or border
// around it, so that it never passes for a button.
void StepChip(SkinCanvas& canvas, const QRectF& rect, int number, const QString& text) {
    QPainter& painter = canvas.Painter();
    const QRectF disc(rect.left() + 9, rect.center().y() - 10, 20, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    painter.drawEllipse(disc);
    painter.setBrush(Qt::NoBrush);
    Letter(painter, disc.center(), QString::number(number), SkinFont(12, QFont::Bold), kTealDeep);
    canvas.Caption(QRectF(rect.left() + 36, rect.top(), rect.width() - 42, rect.height()), text,
                   SkinFont(12), kWarmWhite, Across::Left);
}

void PaintMainWindow(SkinCanvas& canvas) {
    using namespace mainwin;
    QPainter& painter = canvas.Painter();
    Body(painter, kWindow);
    // A soft light behind the welcome panel draws the eye to the two choices.
    QRadialGradient glow(QPointF(kWelcome.center()), 420);
    glow.setColorAt(0, QColor(255, 255, 255, 26));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(kWindow, glow);

    TitleBand(painter, kWindow.width(), kBandHeight);
    Emblem(painter, QRectF(13, 9, 19, 19));
    const QFont titleFont = SkinFont(15, QFont::Bold);
    const QRectF strip(kTitleStrip);
    canvas.Caption(strip.adjusted(30, 0, 0, 0), QStringLiteral("Notarion"), titleFont, kWarmWhite,
                   Across::Left);
    const qreal afterTitle = 38 + QFontMetricsF(titleFont).horizontalAdvance("Notarion") + 12;
    canvas.Caption(QRectF(afterTitle, strip.top(), strip.right() - afterTitle, strip.height()),
                   QStringLiteral("protokoły rady klasyfikacyjnej"), SkinFont(12), kMint,
                   Across::Left);
    GlyphButton(painter, kAbout, Glyph::About);
    GlyphButton(painter, kHelp, Glyph::Help);
    GlyphButton(painter, kMinimise, Glyph::Minimise);
    GlyphButton(painter, kClose, Glyph::Close);

    // The greeting above the welcome panel.
    canvas.Caption(QRectF(kWelcome.left(), 62, kWelcome.width(), 32),
                   QStringLiteral("Końcoworoczna rada klasyfikacyjna"), SkinFont(24, QFont::Bold),
                   kWarmWhite, Across::Left);
    canvas.Caption(QRectF(kWelcome.left(), 100, kWelcome.width(), 20),
                   QStringLiteral("Protokoły i listy uczniów ze sprawozdań nauczycieli"),
                   SkinFont(13), kMint, Across::Left);
    painter.fillRect(QRectF(kWelcome.left(), 130, 64, 2), kGold);

    // The three steps below it, one after another as a line of text with
    // arrows between, centred under the panel.
    const std::array steps{QStringLiteral("Wskaż sprawozdania"), QStringLiteral("Ułóż listę"),
                           QStringLiteral("Utwórz dokumenty")};
    const QFontMetricsF stepText(SkinFont(12));
    constexpr qreal kTextLead = 36;
    constexpr qreal kArrowWidth = 40;
    qreal rowWidth = 2 * kArrowWidth;
    for (const QString& step : steps)
        rowWidth += kTextLead + stepText.horizontalAdvance(step);
    qreal left = kWelcome.left() + (kWelcome.width() - rowWidth) / 2;
    for (int step = 0; step < 3; ++step) {
        const qreal width = kTextLead + stepText.horizontalAdvance(steps[step]);
        StepChip(canvas, QRectF(left, 392, width + 6, 36), step + 1, steps[step]);
        left += width;
        // An arrow leads on to the next step: the row reads as a road.
        if (step < 2) {
            canvas.Caption(QRectF(left, 392, kArrowWidth, 36), QStringLiteral(u"\u2192"),
                           SkinFont(14, QFont::Bold), kGold, Across::Centre);
            left += kArrowWidth;
        }
    }
    canvas.Caption(QRectF(kWelcome.left(), 446, kWelcome.width(), 18),
                   QStringLiteral("Klawisz F1 otwiera pomoc w każdym oknie programu."),
                   SkinFont(12), kMint, Across::Centre);

    // The footer with the groove in which the progress strip plays.
    FillVertical(painter, QRectF(0, kFooterTop, kWindow.width(), kWindow.height() - kFooterTop),
                 kTealDeep, kTealDeep.darker(115));
    painter.fillRect(QRectF(0, kFooterTop, kWindow.width(), 1), QColor(255, 255, 255, 30));
    QPainterPath groove;
    groove.addRoundedRect(QRectF(kProgress).adjusted(-1.5, -1.5, 1.5, 1.5), 5, 5);
    painter.fillPath(groove, QColor(0, 0, 0, 70));
    painter.setPen(QPen(QColor(255, 255, 255, 35), 1));
    painter.drawPath(groove);
    // The window writes its version right of the strip (x 529, 100 wide).

    Outline(painter, kWindow, kCornerRadius, kTealDeep.darker(140));
}

void FolderIcon(QPainter& painter, const QPointF& centre) {
    const QRectF body(centre.x() - 13, centre.y() - 7, 26, 17);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(body.left(), body.top() - 4, 11, 6), 1.5, 1.5);
    painter.fillPath(tab, kGoldDark);
    QPainterPath folder;
    folder.addRoundedRect(body, 2, 2);
    QLinearGradient gold(body.topLeft(), body.bottomLeft());
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(1, kGold);
    painter.fillPath(folder, gold);
    // Sheets peeking out of the folder: the report files.
    painter.fillRect(QRectF(body.left() + 4, body.top() - 2, 16, 3), kWarmWhite);
    painter.fillRect(QRectF(body.left(), body.top() + 2, body.width(), 1), kGoldDark);
}

void ListIcon(QPainter& painter, const QPointF& centre) {
    const QRectF page(centre.x() - 10, centre.y() - 12, 20, 24);
    QPainterPath sheet;
    sheet.addRoundedRect(page, 2, 2);
    painter.fillPath(sheet, kWarmWhite);
    painter.setPen(QPen(kGoldDark, 1));
    painter.drawPath(sheet);
    for (int line = 0; line < 4; ++line) {
        const qreal y = page.top() + 6 + line * 4.5;
        painter.fillRect(QRectF(page.left() + 4, y - 1, 2.5, 2.5), kGold);
        painter.fillRect(QRectF(page.left() + 8, y - 0.5, 8, 1.5), kTeal);
    }
}

void PaintWelcomePanel(SkinCanvas& canvas) {
    using namespace welcome;
    QPainter& painter = canvas.Painter();
    PaintUnder(canvas, mainwin::kWelcome.topLeft(), PaintMainWindow);
    const QRectF card(0, 0, mainwin::kWelcome.width(), mainwin::kWelcome.height());
    QPainterPath path;
    path.addRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, kTealDark);
    fill.setColorAt(1, kTealDeep);
    painter.fillPath(path, fill);
    painter.setPen(QPen(WithAlpha(kGold, 150), 1));
    painter.drawPath(path);

    canvas.Caption(QRectF(92, 14, 420, 28), QStringLiteral("Witaj! Co chcesz zrobić?"),
                   SkinFont(18, QFont::Bold), kWarmWhite, Across::Left);
    painter.fillRect(QRectF(24, 52, card.width() - 48, 1), QColor(255, 255, 255, 40));
    FolderIcon(painter, kNewSetIcon);
    painter.setPen(QPen(QColor(255, 255, 255, 45), 1, Qt::DotLine));
    painter.drawLine(QPointF(92, 114.5), QPointF(505, 114.5));
    ListIcon(painter, kExistingListIcon);
    painter.fillRect(QRectF(24, 166, card.width() - 48, 1), QColor(255, 255, 255, 40));
    canvas.Caption(QRectF(92, 174, 420, 22),
                   QStringLiteral("Sprawozdania to pliki XML przygotowane przez nauczycieli."),
                   SkinFont(12), kMint, Across::Left);
}

void PaintProgressStrip(SkinCanvas& canvas) {
    QPainter& painter = canvas.Painter();
    PaintUnder(canvas, mainwin::kProgress.topLeft(), PaintMainWindow);
    const QRectF bar(0, 0, mainwin::kProgress.width(), mainwin::kProgress.height());
    QPainterPath path;
    path.addRoundedRect(bar.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    QLinearGradient gold(bar.topLeft(), bar.bottomLeft());
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(0.55, kGold);
    gold.setColorAt(1, kGoldDark);
    painter.fillPath(path, gold);
    QPainterPath gloss;
    gloss.addRoundedRect(QRectF(2, 1.5, bar.width() - 4, bar.height() / 2 - 1), 3, 3);
    painter.fillPath(gloss, QColor(255, 255, 255, 55));
    painter.setPen(QPen(kGoldDark.darker(115), 1));
    painter.drawPath(path);
    // A notch marks each step by which the strip grows.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int step = 1; step < layout::glowny::kProgressSteps; ++step) {
        const int x = step * layout::glowny::kProgressStepWidth;
        painter.fillRect(QRect(x - 1, 3, 1, 11), QColor(0, 0, 0, 50));
        painter.fillRect(QRect(x, 3, 1, 11), QColor(255, 255, 255, 70));
    }
}

void PaintBackButton(SkinCanvas& canvas) {
    QPainter& painter = canvas.Painter();
    PaintUnder(canvas, mainwin::kBack.topLeft(), PaintMainWindow);
    // Only 89 x 33 of the picture shows through the button's panel.
    const QRectF face(1, 1, mainwin::kBack.width() - 2, mainwin::kBack.height() - 2);
    ButtonFace(painter, face, Face::Quiet, 6);
    const qreal middle = face.center().y();
    painter.setPen(QPen(kGoldLight, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(12, middle), QPointF(24, middle));
    painter.drawLine(QPointF(12, middle), QPointF(17, middle - 5));
    painter.drawLine(QPointF(12, middle), QPointF(17, middle + 5));
    canvas.Caption(QRectF(27, face.top(), face.right() - 31, face.height()),
                   QStringLiteral("Wstecz"), SkinFont(13, QFont::Bold), kWarmWhite, Across::Centre);
}

// ---------------------------------------------------------------------------
// About window.

void PaintAbout(SkinCanvas& canvas) {
    using namespace about;
    QPainter& painter = canvas.Painter();
    const QRectF all(ToQRect(layout::AtOrigin(layout::about::kImage.Extent())));
    FillVertical(painter, all, kWarmWhite, kPaper);
    TitleBand(painter, all.width(), kBandHeight);
    canvas.Caption(QRectF(20, 14, 300, 26), QStringLiteral("O programie"),
                   SkinFont(15, QFont::Bold), kWarmWhite, Across::Left);
    GlyphButton(painter, kClose, Glyph::Close);

    const qreal middle = kVisible.width() / 2.0;
    Emblem(painter, QRectF(middle - 28, 70, 56, 56));
    canvas.Caption(QRectF(0, 132, kVisible.width(), 40), QStringLiteral("Notarion"),
                   SkinFont(32, QFont::Bold), kTeal, Across::Centre);
    canvas.Caption(QRectF(12, 178, kVisible.width() - 24, 20),
                   QStringLiteral("Dokumenty końcoworocznej rady klasyfikacyjnej"), SkinFont(13),
                   kInk, Across::Centre);
    // The window writes its version line at y 202, 18 high.
    painter.fillRect(QRectF(middle - 30, 232, 60, 2), kGold);
    canvas.Caption(QRectF(12, 246, kVisible.width() - 24, 16),
                   QStringLiteral("Pomoc: klawisz F1 w każdym oknie programu"), SkinFont(11),
                   kTealLight, Across::Centre);
    Outline(painter, kVisible, kCornerRadius, kTealDark);
}

// ---------------------------------------------------------------------------
// List editor.

void CommandIcon(QPainter& painter, const QPointF& centre, editor::Command::Icon icon) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    painter.drawEllipse(centre, 5.5, 5.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kTealDeep, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal r = 2.8;
    switch (icon) {
    case editor::Command::Icon::Add:
        painter.drawLine(centre + QPointF(-r, 0), centre + QPointF(r, 0));
        painter.drawLine(centre + QPointF(0, -r), centre + QPointF(0, r));
        break;
    case editor::Command::Icon::Remove:
        painter.drawLine(centre + QPointF(-r, 0), centre + QPointF(r, 0));
        break;
    case editor::Command::Icon::Save:
        painter.drawLine(centre + QPointF(0, -r), centre + QPointF(0, r - 0.5));
        painter.drawLine(centre + QPointF(-2.2, 0.6), centre + QPointF(0, r - 0.5));
        painter.drawLine(centre + QPointF(2.2, 0.6), centre + QPointF(0, r - 0.5));
        break;
    case editor::Command::Icon::Preview:
        painter.setPen(QPen(kTealDeep, 1.2));
        painter.drawEllipse(centre + QPointF(-0.6, -0.6), 2.1, 2.1);
        painter.drawLine(centre + QPointF(1.0, 1.0), centre + QPointF(2.8, 2.8));
        break;
    case editor::Command::Icon::Edit:
        // A pencil, point down and left.
        painter.drawLine(centre + QPointF(-2.6, 2.6), centre + QPointF(2.4, -2.4));
        painter.drawLine(centre + QPointF(-2.6, 2.6), centre + QPointF(-1.2, 2.6));
        break;
    case editor::Command::Icon::Order:
        // Three bars growing downwards: smaller classes first.
        painter.drawLine(centre + QPointF(-2.8, -2.2), centre + QPointF(-0.8, -2.2));
        painter.drawLine(centre + QPointF(-2.8, 0), centre + QPointF(0.8, 0));
        painter.drawLine(centre + QPointF(-2.8, 2.2), centre + QPointF(2.8, 2.2));
        break;
    case editor::Command::Icon::Check:
        painter.drawLine(centre + QPointF(-2.6, 0.2), centre + QPointF(-0.6, 2.2));
        painter.drawLine(centre + QPointF(-0.6, 2.2), centre + QPointF(2.8, -2.2));
        break;
    }
    painter.restore();
}

void PaintListEditor(SkinCanvas& canvas) {
    using namespace editor;
    QPainter& painter = canvas.Painter();
    Body(painter, ToQRect(layout::AtOrigin(table::kImage.Extent())));
    painter.save();
    painter.translate(kWindowOrigin);

    canvas.Caption(QRectF(26, 20, 294, 18), QStringLiteral("Rodzaj sprawozdania"),
                   SkinFont(12, QFont::Bold), kWarmWhite, Across::Left);
    WhiteWell(painter, kKindFrame);
    ButtonFace(painter, kKindArrow, Face::Primary, 3);
    const QPointF arrow = QRectF(kKindArrow).center();
    Triangle(painter, arrow + QPointF(-4.5, -2), arrow + QPointF(4.5, -2), arrow + QPointF(0, 3),
             kTealDeep);

    canvas.Caption(QRectF(kList.left(), 61, 200, 16), QStringLiteral("Sprawozdania"),
                   SkinFont(12, QFont::Bold), kWarmWhite, Across::Left);
    canvas.Caption(QRectF(kList.left() + 200, 61, kList.width() - 200, 16),
                   QStringLiteral("kolejność zmienisz, przeciągając pozycję"), SkinFont(11), kMint,
                   Across::Right);
    WhiteWell(painter, kList);

    // The side panel: hints first, then the commands.
    QPainterPath side;
    side.addRoundedRect(QRectF(kSidePanel).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(side, QColor(255, 255, 255, 14));
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.drawPath(side);
    const qreal inner = kSidePanel.left() + 14;
    const qreal innerWidth = kSidePanel.width() - 28;
    canvas.Caption(QRectF(inner, 26, innerWidth, 18), QStringLiteral("Wskazówki"),
                   SkinFont(12, QFont::Bold), kGoldLight, Across::Left);
    canvas.Paragraph(QRectF(inner, 50, innerWidth, 160),
                     QStringLiteral("Wybierz rodzaj sprawozdania z listy u góry: poniżej pojawią "
                                    "się sprawozdania tego rodzaju.\n\n"
                                    "Dwuklik na pozycji pokazuje jej podgląd.\n\n"
                                    "Podkreślona litera z klawiszem Alt wykonuje polecenie."),
                     SkinFont(11), kMintPale);
    painter.fillRect(QRectF(inner, 216, innerWidth, 1), QColor(255, 255, 255, 40));
    canvas.Caption(QRectF(inner, 222, innerWidth, 18), QStringLiteral("Polecenia"),
                   SkinFont(12, QFont::Bold), kGoldLight, Across::Left);

    const QFont commandFont = SkinFont(layout::kCommandFontPixels,
                                       static_cast<QFont::Weight>(layout::kCommandFontWeight));
    const QFontMetricsF metrics(commandFont);
    for (std::size_t index = 0; index < kCommands.size(); ++index) {
        const Command& command = kCommands[index];
        const QString caption = QString::fromUtf8(command.caption);
        const QRectF area(command.area);
        // A faint plate, the whole hot area, shows where to click.
        QPainterPath plate;
        plate.addRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), area.height() / 2,
                             area.height() / 2);
        painter.fillPath(plate, QColor(255, 255, 255, 20));
        painter.setPen(QPen(QColor(255, 255, 255, 45), 1));
        painter.drawPath(plate);
        // Icon and caption are centred together inside the hot area, clear
        // of its round ends: a long caption is set smaller rather than let
        // the icon stand on the pill's edge.
        constexpr qreal kIconWidth = 11;
        constexpr qreal kGap = 5;
        const qreal roundEnd = area.height() / 2 - 2;
        const qreal group = std::min(area.width() - 2 * roundEnd,
                                     kIconWidth + kGap + metrics.horizontalAdvance(caption));
        const qreal start = std::round(area.center().x() - group / 2);
        CommandIcon(painter, QPointF(start + kIconWidth / 2, area.center().y()), command.icon);
        canvas.Caption(QRectF(start + kIconWidth + kGap, area.top(),
                              area.right() - roundEnd - start - kIconWidth - kGap, area.height()),
                       caption, commandFont, kWarmWhite, Across::Left, command.keyLetter);
        if (index + 1 < kCommands.size()) {
            const qreal between = (area.bottom() + kCommands[index + 1].area.top()) / 2.0;
            painter.fillRect(QRectF(inner, std::round(between), innerWidth, 1),
                             QColor(255, 255, 255, 28));
        }
    }
    // The line above the main command, halfway between it and the last command.
    const qreal aboveGenerate = (kCommands.back().area.bottom() + kGenerate.top()) / 2.0;
    painter.fillRect(QRectF(inner, std::round(aboveGenerate), innerWidth, 1),
                     QColor(255, 255, 255, 28));
    ButtonFace(painter, kGenerate, Face::Primary, 6);
    canvas.Caption(kGenerate, QStringLiteral("Generuj zestaw"), SkinFont(13, QFont::Bold),
                   FaceText(Face::Primary), Across::Centre, 0);
    canvas.Paragraph(QRectF(inner, 435, innerWidth, 26),
                     QStringLiteral("Dokumenty trafią do folderu Protokoly obok sprawozdań."),
                     SkinFont(10), kMint);

    // A light edge sets the editor apart from the main window it lies on.
    Outline(painter, kWindow, 0, kTealDeep.darker(130));
    Outline(painter, QRectF(kWindow).adjusted(1, 1, -1, -1), 0, kTealLine);
    painter.restore();
}

// ---------------------------------------------------------------------------
// Document viewer and its bottom band.

void PaintViewer(SkinCanvas& canvas) {
    using namespace viewer;
    QPainter& painter = canvas.Painter();
    Body(painter, kWindow);
    TitleBand(painter, kWindow.width(), kBandHeight);
    Emblem(painter, QRectF(10, 6, 16, 16));
    canvas.Caption(QRectF(kTitleStrip).adjusted(24, 0, 0, 0),
                   QStringLiteral("Notarion - prezentacja danych"), SkinFont(12, QFont::Bold),
                   kWarmWhite, Across::Left);
    GlyphButton(painter, kClose, Glyph::Close);

    // A white column under the live command labels, which are dark; white
    // gives the gold of a hovered command the most contrast a light panel can.
    QPainterPath column;
    column.addRoundedRect(QRectF(kColumn).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.fillPath(column, Qt::white);
    painter.setPen(QPen(kFrame, 1));
    painter.drawPath(column);
    canvas.Caption(QRectF(table::kCommandLeft, 48, table::kCommandWidth, 17),
                   QStringLiteral("Polecenia"), SkinFont(12, QFont::Bold), kTeal, Across::Left);
    painter.fillRect(QRectF(table::kCommandLeft, 67, 40, 2), kGold);
    // The heading of the whole set's commands, in the style of the first one.
    const QRectF setHeading(ToQRect(table::kSetHeading));
    canvas.Caption(setHeading, QStringLiteral("Cały zestaw"), SkinFont(12, QFont::Bold), kTeal,
                   Across::Left);
    painter.fillRect(QRectF(setHeading.left(), setHeading.bottom() + 2, 40, 2), kGold);
    canvas.Paragraph(QRectF(table::kCommandLeft, table::kHintsTop, table::kCommandWidth, 130),
                     QStringLiteral("F1 otwiera pomoc.\n\nUchwytem w prawym dolnym rogu "
                                    "zmienisz wysokość okna."),
                     SkinFont(10), kTealLight);

    WhiteWell(painter, kBrowserPanel);
    Outline(painter, kWindow, kCornerRadius, kTealDeep.darker(140));
}

void PaintViewerBand(SkinCanvas& canvas) {
    using namespace viewer;
    QPainter& painter = canvas.Painter();
    const QRectF band(ToQRect(layout::AtOrigin(table::kBottomBand)));
    FillVertical(painter, band, kTealDark, kTealDeep);
    painter.fillRect(QRectF(0, 0, band.width(), 1), QColor(255, 255, 255, 45));
    canvas.Caption(QRectF(500, 9, kGrip.left() - 10 - 500, 16),
                   QStringLiteral("przeciągnij uchwyt, aby zmienić wysokość okna"), SkinFont(10),
                   kMint, Across::Right);
    // Grip: a triangle of dots pointing into the corner.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 3; ++row) {
        for (int column = 2 - row; column < 3; ++column) {
            const int x = kGrip.left() + 1 + column * 4;
            const int y = kGrip.top() + 2 + row * 4;
            painter.fillRect(QRect(x + 1, y + 1, 2, 2), QColor(0, 0, 0, 90));
            painter.fillRect(QRect(x, y, 2, 2), kMint);
        }
    }
}

// ---------------------------------------------------------------------------
// Preview window and option chooser.

void PaintPreview(SkinCanvas& canvas) {
    using namespace preview;
    QPainter& painter = canvas.Painter();
    Body(painter, ToQRect(layout::AtOrigin(layout::preview::kImage.Extent())));
    Emblem(painter, QRectF(29, 10, 19, 19));
    // The caption is the window's own text (a preview or the set's check).
    GlyphButton(painter, kClose, Glyph::Close);
    WhiteWell(painter, kBrowserPanel);
    canvas.Caption(QRectF(kBrowserPanel.left(), 418, kBrowserPanel.width(), 17),
                   QStringLiteral("Esc – zamknij      Ctrl+C – kopiuj całość      F1 – pomoc"),
                   SkinFont(11), kMint, Across::Centre);
    Outline(painter, kClient, 0, kTealDeep.darker(130));
}

void PaintChooser(SkinCanvas& canvas) {
    using namespace chooser;
    QPainter& painter = canvas.Painter();
    Body(painter, kWindow);
    canvas.Caption(QRectF(kList.left(), 9, kList.width(), 26),
                   QStringLiteral("Wybierz dokument do wyświetlenia"), SkinFont(14, QFont::Bold),
                   kWarmWhite, Across::Left);
    WhiteWell(painter, kList);
    canvas.Caption(
        QRectF(kList.left(), kCancel.top(), kCancel.left() - kList.left() - 8, kCancel.height()),
        QStringLiteral("Dwuklik również wybiera"), SkinFont(11), kMint, Across::Left);
    ButtonFace(painter, kCancel, Face::Quiet, 4);
    canvas.Caption(kCancel, QStringLiteral("Anuluj"), SkinFont(11, QFont::Bold),
                   FaceText(Face::Quiet), Across::Centre);
    ButtonFace(painter, kConfirm, Face::Primary, 4);
    canvas.Caption(kConfirm, QStringLiteral("Wprowadź"), SkinFont(11, QFont::Bold),
                   FaceText(Face::Primary), Across::Centre);
    Outline(painter, kWindow, 0, kTealDeep.darker(130));
}

// ---------------------------------------------------------------------------
// Message box: background, icons and buttons.

void PaintMessageBox(SkinCanvas& canvas) {
    using namespace message;
    QPainter& painter = canvas.Painter();
    painter.fillRect(kWindow, kWarmWhite);
    TitleBand(painter, kWindow.width(), kBandHeight);
    canvas.Caption(QRectF(kTitleStrip).adjusted(4, 0, 0, 0), QStringLiteral("Notarion - komunikat"),
                   SkinFont(12, QFont::Bold), kWarmWhite, Across::Left);
    GlyphButton(painter, kClose, Glyph::Close);
    painter.fillRect(QRectF(0, kFooterTop, kWindow.width(), kWindow.height() - kFooterTop),
                     kPaperShade);
    painter.fillRect(QRectF(0, kFooterTop, kWindow.width(), 1), kFrame);
    Outline(painter, kWindow, 0, kTealDeep);
}

enum class IconKind { Info, Question, Warning };

void PaintIcon(SkinCanvas& canvas, IconKind kind) {
    QPainter& painter = canvas.Painter();
    PaintUnder(canvas, message::kIcon.topLeft(), PaintMessageBox);
    const QPointF centre(21, 21.5);
    const QFont glyphFont = SkinFont(22, QFont::Bold);
    if (kind == IconKind::Warning) {
        QPainterPath triangle;
        triangle.moveTo(centre.x(), centre.y() - 16);
        triangle.lineTo(centre.x() + 18, centre.y() + 14);
        triangle.lineTo(centre.x() - 18, centre.y() + 14);
        triangle.closeSubpath();
        QLinearGradient gold(QPointF(0, centre.y() - 16), QPointF(0, centre.y() + 14));
        gold.setColorAt(0, kGoldLight);
        gold.setColorAt(1, kGold);
        painter.setPen(QPen(kGoldDark, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(gold);
        painter.drawPath(triangle);
        painter.setBrush(Qt::NoBrush);
        Letter(painter, centre + QPointF(0, 4), QStringLiteral("!"), SkinFont(20, QFont::Bold),
               kTealDeep);
        return;
    }
    const bool info = kind == IconKind::Info;
    painter.setPen(QPen(kGold, 2));
    painter.setBrush(info ? kWarmWhite : kMintPale);
    painter.drawEllipse(centre, 16, 16);
    painter.setBrush(Qt::NoBrush);
    Letter(painter, centre, info ? QStringLiteral("i") : QStringLiteral("?"), glyphFont, kTeal);
}

void PaintMessageButton(SkinCanvas& canvas, const message::Button& button, Face face) {
    PaintUnder(canvas, button.area.topLeft(), PaintMessageBox);
    const QRectF rect(1, 1, button.area.width() - 2, button.area.height() - 2);
    ButtonFace(canvas.Painter(), rect, face, 5);
    // The first letter is the button's key, so it is underlined.
    canvas.Caption(rect, QString::fromUtf8(button.caption), SkinFont(12, QFont::Bold),
                   FaceText(face), Across::Centre, 0);
}

// ---------------------------------------------------------------------------
// Dispatch by resource name.

using Painter = std::function<void(SkinCanvas&)>;

struct NamedPainter {
    std::string name;
    Painter paint;
};

std::vector<NamedPainter> AllPainters() {
    std::vector<NamedPainter> painters{
        {"glowny_tlo", PaintMainWindow},
        {"glowny_powitanie", PaintWelcomePanel},
        {"glowny_postep", PaintProgressStrip},
        {"glowny_wstecz", PaintBackButton},
        {"about_tlo", PaintAbout},
        {"realizacja_tlo", PaintListEditor},
        {"browser_tlo", PaintViewer},
        {"browser_dol", PaintViewerBand},
        {"browsermini_tlo", PaintPreview},
        {"wyboropcji_tlo", PaintChooser},
        {"oknowarning", PaintMessageBox},
        {"ikoinfo", [](SkinCanvas& c) { PaintIcon(c, IconKind::Info); }},
        {"ikopytanie", [](SkinCanvas& c) { PaintIcon(c, IconKind::Question); }},
        {"ikouwaga", [](SkinCanvas& c) { PaintIcon(c, IconKind::Warning); }},
    };
    for (const message::Button& button : message::kButtons) {
        const std::string base = std::string("but") + button.name;
        painters.push_back(
            {base, [&button](SkinCanvas& c) { PaintMessageButton(c, button, Face::Normal); }});
        painters.push_back({base + "akt", [&button](SkinCanvas& c) {
                                PaintMessageButton(c, button, Face::Highlighted);
                            }});
    }
    return painters;
}

QRect Shifted(const QRect& rect, const QPoint& by) {
    return rect.translated(by);
}

} // namespace

bool PaintSkin(std::string_view name, SkinCanvas& canvas) {
    for (const NamedPainter& painter : AllPainters()) {
        if (painter.name == name) {
            painter.paint(canvas);
            return true;
        }
    }
    return false;
}

std::vector<HotArea> HotAreasOf(std::string_view name) {
    if (name == "glowny_tlo") {
        using namespace mainwin;
        return {{"LListwa", kTitleStrip}, {"LAbout", kAbout},    {"LPomoc", kHelp},
                {"LMnimize", kMinimise},  {"Lclose", kClose},    {"PPowitanie", kWelcome},
                {"PPostep", kProgress},   {"PButWstecz", kBack}, {"TFRealProgramu", kListEditor}};
    }
    if (name == "glowny_powitanie") {
        return {{"LNowyZestaw", welcome::kNewSet}, {"LGotowyZestaw", welcome::kExistingList}};
    }
    if (name == "glowny_wstecz") {
        return {{"PButWstecz", QRect(QPoint(0, 0), mainwin::kBack.size())}};
    }
    if (name == "about_tlo") {
        return {{"window", about::kVisible}, {"LClose", about::kClose}};
    }
    if (name == "realizacja_tlo") {
        using namespace editor;
        std::vector<HotArea> areas{{"window", Shifted(kWindow, kWindowOrigin)},
                                   {"PPodCombo", Shifted(kKindFrame, kWindowOrigin)},
                                   {"LRozwinBox", Shifted(kKindArrow, kWindowOrigin)},
                                   {"LLista", Shifted(kList, kWindowOrigin)},
                                   {"LGenrujZestaw", Shifted(kGenerate, kWindowOrigin)}};
        for (const Command& command : kCommands) {
            areas.push_back({command.name, Shifted(command.area, kWindowOrigin)});
        }
        return areas;
    }
    if (name == "browser_tlo") {
        using namespace viewer;
        std::vector<HotArea> areas{
            {"LListwa", kTitleStrip},
            {"LCloseWykres", kClose},
            {"PPodWebbrowser",
             QRect(ToQPoint(table::kViewerPanelTopLeft),
                   QSize(table::kViewerPanelWidth,
                         table::kOpeningHeight - table::kViewerPanelHeightLoss))}};
        for (const table::Label& label : table::kLabels) {
            areas.push_back({label.name, ToQRect(label.rect)});
        }
        return areas;
    }
    if (name == "browser_dol") {
        return {{"LCiongnij", viewer::kGrip}};
    }
    if (name == "browsermini_tlo") {
        return {{"client", preview::kClient},
                {"LCloseBrowser", preview::kClose},
                {"PPodWebbrowser", preview::kBrowserPanel}};
    }
    if (name == "wyboropcji_tlo") {
        return {{"ListaOpcji", chooser::kList},
                {"LWprowadz", chooser::kConfirm},
                {"LAnuluj", chooser::kCancel}};
    }
    if (name == "oknowarning") {
        using namespace message;
        std::vector<HotArea> areas{{"LListwa", kTitleStrip},
                                   {"LClose", kClose},
                                   {"PIkona", kIcon},
                                   {"LTekstWarning", kText}};
        for (const Button& button : kButtons) {
            areas.push_back({button.name, button.area});
        }
        return areas;
    }
    return {};
}

} // namespace notarion::skins
