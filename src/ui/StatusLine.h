#pragma once

// A line in a window's status area that says what was just done ("Zapisano:
// …", "Zapisano PDF: …") and offers "Otwórz folder" for the folder it
// concerns, or that shows a plain line of its own. The main window and the
// document viewer each have one.

#include <QLabel>

#include <string>

namespace notarion {

class StatusLine : public QLabel {
    Q_OBJECT
public:
    // An empty line over parent, in font and ink; the link "Otwórz folder"
    // is drawn in linkInk.
    StatusLine(QWidget* parent, const QFont& font, const QColor& ink, const QColor& linkInk);

    // Show text as it is (never read as markup), shortened in the middle to
    // leave room for "Otwórz folder" after it, which emits
    // openFolderClicked(folder). The line stays until the next one.
    void ShowWithFolder(const QString& text, const std::string& folder);
    // Show text alone, as it is, shortened in the middle to the line's width.
    void ShowText(const QString& text);

signals:
    // "Otwórz folder" was clicked; folder (cp1250) is the one shown with it.
    void openFolderClicked(const std::string& folder);

private:
    std::string m_folder;
    QColor m_linkInk;
};

} // namespace notarion
