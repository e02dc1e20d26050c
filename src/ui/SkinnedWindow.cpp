#include "ui/SkinnedWindow.h"

#include "app/ProgramOptions.h"
#include "app/StartOfWork.h"
#include "ui/layout/Geometry.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace notarion {

QColor ColorFromBgr(std::uint32_t bgr) {
    const int red = static_cast<int>(bgr & 0xFFu);
    const int green = static_cast<int>((bgr >> 8) & 0xFFu);
    const int blue = static_cast<int>((bgr >> 16) & 0xFFu);
    return QColor(red, green, blue);
}

QFont PixelFont(const QString& family, int pixelHeight, QFont::Weight weight) {
    QFont font;
    // The old Windows faces are rarely installed here. The captions must fit
    // the fixed label sizes they were laid out for, so narrow sans-serif
    // faces come before the wide default one.
    font.setFamilies({family, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(weight);
    return font;
}

QFont CommandFont() {
    QFont font =
        PixelFont(QString::fromLatin1(layout::kCaptionFontFamily), layout::kCommandFontPixels,
                  static_cast<QFont::Weight>(layout::kCommandFontWeight));
    font.setFamilies({QString::fromLatin1(layout::kCaptionFontFamily), QStringLiteral("Verdana"),
                      QStringLiteral("Tahoma"), QStringLiteral("Arial")});
    return font;
}

QLabel* MakeVersionLabel(QWidget* parent, const QRect& geometry, int pixelHeight,
                         std::uint32_t bgrColour, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromStdString(VersionCaption()), parent);
    label->setGeometry(geometry);
    label->setFont(PixelFont(QStringLiteral("DejaVu Sans"), pixelHeight));
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ColorFromBgr(bgrColour));
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// ---------------------------------------------------------------- HotArea

HotArea::HotArea(QWidget* parent, const QRect& geometry, HotCursor cursor) : QLabel(parent) {
    setGeometry(geometry);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Moves without a button held must arrive too: the hover colours need them.
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    if (cursor == HotCursor::Hand) {
        setCursor(Qt::PointingHandCursor);
    }
}

void HotArea::SetCaption(const QString& text, const QFont& font, const QColor& colour) {
    setFont(font);
    setWordWrap(true);
    // A wrapped caption that ends in an ellipsis would leave it alone on the
    // last line; a no-break space keeps it with its word.
    QString bound = text;
    bound.replace(QStringLiteral(" \u2026"), QStringLiteral("\u00A0\u2026"));
    bound.replace(QStringLiteral(" ..."), QStringLiteral("\u00A0..."));
    setText(bound);
    SetTextColour(colour);
}

void HotArea::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    setPalette(pal);
}

void HotArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftPressedInside = true;
    }
    emit pressed(event->button(), event->modifiers(), event->globalPosition().toPoint());
    event->accept();
}

void HotArea::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->buttons(), event->globalPosition().toPoint());
    event->accept();
}

void HotArea::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasLeftPress =
        m_leftPressedInside && event->button() == Qt::LeftButton && !m_releaseEndsDoubleClick;
    if (event->button() == Qt::LeftButton) {
        m_leftPressedInside = false;
        m_releaseEndsDoubleClick = false;
    }
    emit released(event->button(), event->globalPosition().toPoint());
    // A click is a press and a release of the left button inside the area,
    // as a button behaves; sliding off before releasing cancels it.
    if (wasLeftPress && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    event->accept();
}

void HotArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The second click of a double click runs no command of its own: a
        // double click on "remove" must not remove two reports.
        m_releaseEndsDoubleClick = true;
        emit doubleClicked();
    }
    event->accept();
}

// ---------------------------------------------------------------- TitleStripDrag

TitleStripDrag::TitleStripDrag(QWidget* window, HotArea* strip)
    : QObject(window), m_window(window) {
    connect(strip, &HotArea::pressed, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint globalPos) { Press(globalPos); });
    connect(strip, &HotArea::moved, this,
            [this](Qt::MouseButtons, QPoint globalPos) { Move(globalPos); });
    connect(strip, &HotArea::released, this, [this](Qt::MouseButton, QPoint) { Release(); });
}

void TitleStripDrag::Press(QPoint globalPos) {
    if (BeforePress) {
        BeforePress();
    }
    m_dragActive = true;
    m_dragPoint = globalPos;
}

void TitleStripDrag::Move(QPoint globalPos) {
    if (!m_dragActive) {
        return;
    }
    const QPoint delta = globalPos - m_dragPoint;
    m_window->move(m_window->pos() + delta);
    m_dragPoint = globalPos;
    emit windowMoved();
}

void TitleStripDrag::Release() {
    m_dragActive = false;
}

// ---------------------------------------------------------------- HoverGroup

HoverGroup::HoverGroup(QObject* parent, const QColor& normal, const QColor& hover)
    : QObject(parent), m_normal(normal), m_hover(hover) {}

void HoverGroup::Add(HotArea* member) {
    m_members.push_back(member);
    member->SetTextColour(m_normal);
    connect(member, &HotArea::moved, this, [this, member] { Highlight(member); });
    connect(member, &QObject::destroyed, this, [this, member] { std::erase(m_members, member); });
}

void HoverGroup::AddResetArea(QWidget* area) {
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

void HoverGroup::Highlight(const HotArea* member) {
    for (HotArea* each : m_members) {
        each->SetTextColour(each == member ? m_hover : m_normal);
    }
}

void HoverGroup::Reset() {
    Highlight(nullptr);
}

bool HoverGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        Reset();
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------- window helpers

QString PresentationWindowTitle() {
    return QString::fromLatin1(ApplicationTitle) + QStringLiteral(" - prezentacja danych");
}

namespace {
// The property that marks the program's own skinned windows.
constexpr const char* SkinnedProperty = "notarionSkinned";
} // namespace

bool InSkinnedWindow(const QWidget* widget) {
    return widget != nullptr && widget->window()->property(SkinnedProperty).toBool();
}

void SetUpSkinnedWindow(QWidget* window, QSize size, WindowRole role) {
    window->setProperty(SkinnedProperty, true);
    // A dialog-type window owned by another gets no task-bar entry of its own.
    const Qt::WindowType type = role == WindowRole::Main ? Qt::Window : Qt::Dialog;
    Qt::WindowFlags flags = (window->windowFlags() & ~Qt::WindowType_Mask) | type;
    flags |= Qt::FramelessWindowHint;
    flags &= ~Qt::WindowStaysOnTopHint;
    window->setWindowFlags(flags);
    window->setFixedSize(size);
}

void SetOwner(QWidget* window, QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    const QPoint position = window->pos();
    window->setParent(owner->window(), window->windowFlags());
    window->move(position);
}

void RaiseHotAreas(QWidget* window) {
    for (HotArea* area : window->findChildren<HotArea*>()) {
        // Only areas of this window: owned windows are children too.
        if (area->window() == window && area->cursor().shape() == Qt::PointingHandCursor) {
            area->raise();
        }
    }
}

void KeepAbove(QWidget* window, QWidget* openedFrom) {
    if (openedFrom == nullptr || openedFrom->window() == window) {
        return;
    }
    QWidget* owner = openedFrom->window();
    // The native windows must exist to be tied together.
    window->winId();
    owner->winId();
    window->windowHandle()->setTransientParent(owner->windowHandle());
}

QRegion RoundedRegion(int width, int height, int ellipseWidth, int ellipseHeight) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    // The system's rounded region covers the pixels 0..width-1 and
    // 0..height-1; each corner is a quarter of an ellipse of the given size.
    const double rx = std::clamp(ellipseWidth, 0, width) / 2.0;
    const double ry = std::clamp(ellipseHeight, 0, height) / 2.0;
    if (rx < 1.0 || ry < 1.0) {
        return QRegion(0, 0, width, height);
    }
    QRegion region;
    const int cornerRows = static_cast<int>(std::ceil(ry));
    for (int y = 0; y < cornerRows; ++y) {
        // Distance of this pixel row's centre from the ellipse centre.
        const double dy = ry - (y + 0.5);
        const double ratio = std::max(0.0, 1.0 - (dy * dy) / (ry * ry));
        const int inset = static_cast<int>(std::lround(rx - rx * std::sqrt(ratio)));
        const int rowWidth = width - 2 * inset;
        if (rowWidth <= 0) {
            continue;
        }
        region += QRect(inset, y, rowWidth, 1);
        region += QRect(inset, height - 1 - y, rowWidth, 1);
    }
    if (height - 2 * cornerRows > 0) {
        region += QRect(0, cornerRows, width, height - 2 * cornerRows);
    }
    return region;
}

void SetRoundedOutline(QWidget* window, int width, int height, int ellipseWidth,
                       int ellipseHeight) {
    const QRegion region = RoundedRegion(width, height, ellipseWidth, ellipseHeight);
    if (region.isEmpty()) {
        window->clearMask();
    } else {
        window->setMask(region);
    }
    window->update();
}

void PlaceRelativeTo(QWidget* window, const QWidget* owner, QPoint offset) {
    window->move(owner->pos() + offset);
}

namespace {

// Watches the key presses of the whole application and runs the help of one
// window when F1 is pressed in it or in any of its children.
class HelpKeyFilter : public QObject {
public:
    HelpKeyFilter(QWidget* window, std::function<void()> openHelp)
        : QObject(window), m_window(window), m_openHelp(std::move(openHelp)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != m_window) {
            return false;
        }
        if (m_openHelp) {
            m_openHelp();
        }
        return true;
    }

private:
    QWidget* m_window;
    std::function<void()> m_openHelp;
};

} // namespace

void InstallHelpKey(QWidget* window, std::function<void()> openHelp) {
    auto* filter = new HelpKeyFilter(window, std::move(openHelp));
    // The filter sits on the application, so F1 reaches it whichever child
    // of the window has the focus; it goes away with the window.
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(filter);
    }
}

} // namespace notarion
