#include "ui/StatusLine.h"

namespace notarion {
namespace {

const QString OpenFolder = QStringLiteral("Otwórz folder");

} // namespace

StatusLine::StatusLine(QWidget* parent, const QFont& font, const QColor& ink, const QColor& linkInk)
    : QLabel(parent), m_linkInk(linkInk) {
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ink);
    palette.setColor(QPalette::Link, linkInk);
    setPalette(palette);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Selectable, so a path can be copied into another program; the link
    // still takes its click.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    connect(this, &QLabel::linkActivated, this, [this] { emit openFolderClicked(m_folder); });
}

void StatusLine::ShowWithFolder(const QString& text, const std::string& folder) {
    m_folder = folder;
    // The text names the user's files, so it is escaped before the link is
    // added: a name is never read as markup.
    const QString shown = fontMetrics().elidedText(
        text, Qt::ElideMiddle,
        width() - fontMetrics().horizontalAdvance(QStringLiteral("  ") + OpenFolder));
    setTextFormat(Qt::RichText);
    setText(shown.toHtmlEscaped() +
            QStringLiteral("&nbsp;&nbsp;<a href=\"folder\" style=\"color:%1\">%2</a>")
                .arg(m_linkInk.name(), OpenFolder));
}

void StatusLine::ShowText(const QString& text) {
    m_folder.clear();
    setTextFormat(Qt::PlainText);
    setText(fontMetrics().elidedText(text, Qt::ElideMiddle, width()));
}

} // namespace notarion
