#include "ui/TFWarning.h"

#include "platform/QtText.h"
#include "platform/SkinImage.h"
#include "reports/MessageSink.h"
#include "text/Failure.h"
#include "ui/TabFilter.h"
#include "ui/layout/QtGeometry.h"
#include "ui/layout/TFWarningLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <utility>

namespace notarion {

namespace {

using namespace layout::message;
using layout::ToQRect;

constexpr int ButtonTak = 1;
constexpr int ButtonNie = 2;
constexpr int ButtonAnuluj = 3;
constexpr int ButtonZamknij = 4;
constexpr int ButtonPopraw = 5;

// The skin picture of each button, normal; the highlighted one adds "akt".
QString ButtonPicture(int button) {
    switch (button) {
    case ButtonTak:
        return QStringLiteral("buttak");
    case ButtonNie:
        return QStringLiteral("butnie");
    case ButtonAnuluj:
        return QStringLiteral("butanuluj");
    case ButtonPopraw:
        return QStringLiteral("butpopraw");
    default:
        return QStringLiteral("butzamknij");
    }
}

QString IconPicture(int icon) {
    switch (icon) {
    case 1:
        return QStringLiteral("ikoinfo");
    case 2:
        return QStringLiteral("ikopytanie");
    case 3:
        return QStringLiteral("ikouwaga");
    default:
        return {};
    }
}

QStringList AllPictures() {
    QStringList names{QStringLiteral("oknowarning")};
    for (int button = ButtonTak; button <= ButtonPopraw; ++button) {
        names << ButtonPicture(button) << ButtonPicture(button) + QStringLiteral("akt");
    }
    for (int icon = 1; icon <= 3; ++icon) {
        names << IconPicture(icon);
    }
    return names;
}

// An image button: a panel with the hand cursor holding a clickable image.
QWidget* MakeButtonPanel(QWidget* parent, const QRect& geometry, HotArea** image) {
    auto* panel = new QWidget(parent);
    panel->setGeometry(geometry);
    panel->setCursor(Qt::PointingHandCursor);
    *image = new HotArea(panel, QRect(QPoint(0, 0), geometry.size()));
    return panel;
}

// How far a grown box keeps from the screen's edges, top and bottom together.
constexpr int ScreenMargin = 40;

} // namespace

void ShowPlainMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                         const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString TextFittingWidth(const QString& text, const QFontMetrics& metrics, int width) {
    // Words wrap by themselves; only a word longer than a whole line (a
    // long path) would be cut at the label's edge, so it is shortened in
    // its middle and both of its ends stay readable.
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        QStringList words = line.split(u' ');
        for (QString& word : words) {
            if (metrics.horizontalAdvance(word) > width) {
                word = metrics.elidedText(word, Qt::ElideMiddle, width);
            }
        }
        line = words.join(u' ');
    }
    return lines.join(u'\n');
}

QPixmap StretchedBackground(const QPixmap& picture, int seamRow, int extra) {
    // The rows above the seam stay, the row just above it is repeated extra
    // times, and the rows below it (the button band) follow.
    QPixmap grown(picture.width(), picture.height() + extra);
    QPainter painter(&grown);
    painter.drawPixmap(0, 0, picture, 0, 0, picture.width(), seamRow);
    painter.drawPixmap(QRect(0, seamRow, picture.width(), extra), picture,
                       QRect(0, seamRow - 1, picture.width(), 1));
    painter.drawPixmap(0, seamRow + extra, picture, 0, seamRow, picture.width(),
                       picture.height() - seamRow);
    return grown;
}

TFWarning::TFWarning(QWidget* parent) : QDialog(parent) {
    SetUpSkinnedWindow(this, layout::ToQSize(kWindowSize), WindowRole::Companion);
    setModal(true);
    // The box itself takes every key: none of its components takes the focus,
    // so no control of the box ever receives typed characters.
    setFocusPolicy(Qt::StrongFocus);

    ImWarning = new QLabel(this);
    ImWarning->setGeometry(ToQRect(layout::AtOrigin(kWindowSize)));
    ImWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    PIkona = new QWidget(this);
    PIkona->setGeometry(ToQRect(kIcon));
    ImIkona = new QLabel(PIkona);
    ImIkona->setGeometry(ToQRect(layout::AtOrigin(kIcon.Extent())));
    ImIkona->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    LTekstWarning = new QLabel(this);
    LTekstWarning->setGeometry(ToQRect(kText));
    LTekstWarning->setWordWrap(true);
    LTekstWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LTekstWarning->setAttribute(Qt::WA_TranslucentBackground);
    LTekstWarning->setFont(PixelFont(QStringLiteral("MS Sans Serif"), kTextPixelHeight));
    QPalette textPalette = LTekstWarning->palette();
    textPalette.setColor(QPalette::WindowText, ColorFromBgr(kTextColour));
    LTekstWarning->setPalette(textPalette);
    LTekstWarning->setTextFormat(Qt::PlainText);

    LClose = new HotArea(this, ToQRect(kClose));
    LListwa = new HotArea(this, ToQRect(kTitleStrip), HotCursor::Normal);
    m_drag = new TitleStripDrag(this, LListwa);

    PButTak = MakeButtonPanel(this, ToQRect(kYes), &ImButTak);
    PButNie = MakeButtonPanel(this, ToQRect(kNo), &ImButNie);
    PButAnuluj = MakeButtonPanel(this, ToQRect(kCancel), &ImButAnuluj);
    pButZamknij = MakeButtonPanel(this, ToQRect(kCloseButton), &ImButZamknij);
    PButPopraw = MakeButtonPanel(this, ToQRect(kMend), &ImButPopraw);

    connect(ImButTak, &HotArea::clicked, this, &TFWarning::ImButTakClick);
    connect(ImButNie, &HotArea::clicked, this, &TFWarning::ImButNieClick);
    connect(ImButAnuluj, &HotArea::clicked, this, &TFWarning::ImButAnulujClick);
    connect(ImButZamknij, &HotArea::clicked, this, &TFWarning::ImButZamknijClick);
    connect(ImButPopraw, &HotArea::clicked, this, &TFWarning::ImButPoprawClick);
    connect(LClose, &HotArea::clicked, this, &TFWarning::LCloseClick);

    // A build without its pictures fails at start, not in the middle of
    // reporting some other failure; they are decoded with the first message,
    // so the start of the program does not wait for a box it may never show.
    for (const QString& name : AllPictures()) {
        if (SkinResourcePath(name).isEmpty())
            throw Failure("skin picture \"" + name.toStdString() +
                          "\" is missing from the resources");
    }

    m_tabFilter = new TabFilter(this);
    connect(m_tabFilter, &TabFilter::tabPressed, this, &TFWarning::OnTabPressed);
}

bool TFWarning::TabPressed() const {
    return m_tabFilter->TabPressed();
}

QString TFWarning::ButtonImageName(int button) const {
    const auto found = m_buttonImage.find(button);
    return found == m_buttonImage.end() ? QString() : found->second;
}

void TFWarning::LoadInto(const QString& name, QLabel* label) {
    auto cached = m_pictures.find(name);
    if (cached == m_pictures.end()) {
        // Decoded once per run: the same few pictures serve every message.
        cached = m_pictures.emplace(name, QPixmap::fromImage(LoadSkinImage(name))).first;
    }
    label->setPixmap(cached->second);
}

void TFWarning::SetButtonImage(int button, bool highlighted) {
    HotArea* image = button == ButtonTak      ? ImButTak
                     : button == ButtonNie    ? ImButNie
                     : button == ButtonAnuluj ? ImButAnuluj
                     : button == ButtonPopraw ? ImButPopraw
                                              : ImButZamknij;
    const QString name = ButtonPicture(button) + (highlighted ? QStringLiteral("akt") : QString());
    LoadInto(name, image);
    m_buttonImage[button] = name;
}

void TFWarning::PrepareButtons(int mode) {
    if (m_pictures.empty()) {
        for (const QString& name : AllPictures())
            LoadInto(name, ImWarning);
    }
    LoadInto(QStringLiteral("oknowarning"), ImWarning);
    SetButtonImage(ButtonTak, true);
    SetButtonImage(ButtonNie, false);
    SetButtonImage(ButtonZamknij, false);
    SetButtonImage(ButtonAnuluj, false);
    SetButtonImage(ButtonPopraw, false);
    m_highlightedButton = HighlightCloseOnly;
    if (mode == ModeClose) {
        SetButtonImage(ButtonZamknij, true);
    } else if (mode == ModeMendOrClose) {
        // The message asks to mend the file, so mending is what Enter does.
        m_highlightedButton = ButtonPopraw;
        SetButtonImage(ButtonPopraw, true);
    } else {
        m_highlightedButton = ButtonTak;
        SetButtonImage(ButtonTak, true);
    }
}

void TFWarning::ShowWarning(int mode, int icon, const std::u16string& text) {
    // Only the one-button, the three-button and the mending sets exist; any
    // other mode would leave a highlight on hidden buttons, so it is shown
    // as mode 1.
    if (mode != ModeYesNoCancel && mode != ModeMendOrClose) {
        mode = ModeClose;
    }
    m_mode = mode;
    PrepareButtons(mode);
    const bool threeButtons = mode == ModeYesNoCancel;
    PButTak->setVisible(threeButtons);
    PButNie->setVisible(threeButtons);
    PButAnuluj->setVisible(threeButtons);
    pButZamknij->setVisible(!threeButtons);
    PButPopraw->setVisible(mode == ModeMendOrClose);
    LTekstWarning->setText(
        TextFittingWidth(QStringForLabel(text), LTekstWarning->fontMetrics(), kText.width));
    FitHeightToText();
    const QString iconName = IconPicture(icon);
    if (!iconName.isEmpty()) {
        LoadInto(iconName, ImIkona);
    }
    m_messageResult = ResultNo;
    m_drag->Clear();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    // The box comes above the window that reports: the modal window on top,
    // else the active one.
    QWidget* reporting = QApplication::activeModalWidget();
    KeepAbove(this, reporting != nullptr ? reporting : QApplication::activeWindow());
    exec();
}

void TFWarning::FitHeightToText() {
    // The box grows downwards by what the wrapped text needs beyond its
    // label, but no further than the screen allows.
    int room = std::numeric_limits<int>::max();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        room = screen->availableGeometry().height() - ScreenMargin - kWindowSize.height;
    }
    const int needed = LTekstWarning->heightForWidth(kText.width) - kText.height;
    const int extra = std::clamp(needed, 0, std::max(room, 0));
    setFixedSize(kWindowSize.width, kWindowSize.height + extra);
    LTekstWarning->resize(kText.width, kText.height + extra);
    const std::pair<QWidget*, layout::Rect> buttons[] = {{PButTak, kYes},
                                                         {PButNie, kNo},
                                                         {PButAnuluj, kCancel},
                                                         {pButZamknij, kCloseButton},
                                                         {PButPopraw, kMend}};
    for (const auto& [panel, rect] : buttons) {
        panel->move(rect.x, rect.y + extra);
    }
    ImWarning->resize(size());
    if (extra > 0) {
        ImWarning->setPixmap(StretchedBackground(m_pictures.at(QStringLiteral("oknowarning")),
                                                 kText.y + kText.height, extra));
    }
}

void TFWarning::MoveHighlight(int step) {
    if (m_mode == ModeMendOrClose) {
        // Two buttons: any step moves the highlight to the other one.
        const int next = m_highlightedButton == ButtonPopraw ? ButtonZamknij : ButtonPopraw;
        SetButtonImage(m_highlightedButton, false);
        SetButtonImage(next, true);
        m_highlightedButton = next;
        return;
    }
    if (m_highlightedButton == HighlightCloseOnly) {
        return;
    }
    // Buttons 1..3 in a ring: a step to the right from "Anuluj" lands on "Tak".
    const int next = (m_highlightedButton - 1 + step + 3) % 3 + 1;
    SetButtonImage(m_highlightedButton, false);
    SetButtonImage(next, true);
    m_highlightedButton = next;
}

void TFWarning::CloseWith(int result) {
    m_messageResult = result;
    done(QDialog::Accepted);
}

void TFWarning::ImButTakClick() {
    CloseWith(ResultYes);
}

void TFWarning::ImButNieClick() {
    CloseWith(ResultNo);
}

void TFWarning::ImButAnulujClick() {
    CloseWith(ResultCancel);
}

void TFWarning::ImButZamknijClick() {
    CloseWith(ResultClose);
}

void TFWarning::ImButPoprawClick() {
    CloseWith(ResultMend);
}

void TFWarning::LCloseClick() {
    if (!PButAnuluj->isHidden()) {
        CloseWith(ResultCancel);
    } else if (!pButZamknij->isHidden()) {
        CloseWith(ResultClose);
    }
}

void TFWarning::OnTabPressed() {
    // Tab acts as the Right arrow while the box is up; elsewhere it only
    // stops the focus from moving.
    if (isVisible()) {
        MoveHighlight(+1);
    }
}

void TFWarning::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event);
}

void TFWarning::FormKeyDown(QKeyEvent* event) {
    // Every key ends here: none goes on to the dialog's default handling, so
    // typed characters do nothing.
    event->accept();
    switch (event->key()) {
    case Qt::Key_T:
        if (!PButTak->isHidden()) {
            CloseWith(ResultYes);
        }
        return;
    case Qt::Key_N:
        if (!PButNie->isHidden()) {
            CloseWith(ResultNo);
        }
        return;
    case Qt::Key_A:
        if (!PButAnuluj->isHidden()) {
            CloseWith(ResultCancel);
        }
        return;
    case Qt::Key_P:
        if (!PButPopraw->isHidden()) {
            CloseWith(ResultMend);
        }
        return;
    case Qt::Key_Z:
        if (!pButZamknij->isHidden()) {
            CloseWith(ResultClose);
        }
        return;
    case Qt::Key_Escape:
        // Esc takes back whatever the box asks: "Anuluj" where it is on
        // offer, else "Zamknij".
        if (!PButAnuluj->isHidden()) {
            CloseWith(ResultCancel);
        } else if (!pButZamknij->isHidden()) {
            CloseWith(ResultClose);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CloseWith(m_highlightedButton == HighlightCloseOnly ? ResultClose : m_highlightedButton);
        return;
    case Qt::Key_Left:
        MoveHighlight(-1);
        return;
    case Qt::Key_Right:
        MoveHighlight(+1);
        return;
    default:
        return;
    }
}

void TFWarning::closeEvent(QCloseEvent* event) {
    // A close by the window manager sets no answer: MessageResult keeps 2.
    m_drag->Clear();
    QDialog::closeEvent(event);
}

} // namespace notarion
