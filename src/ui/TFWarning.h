#pragma once

// The message box: the one window through which the program reports a
// failure or asks a question. It is made once and reused; ShowWarning shows
// it modally and leaves the button that closed it in MessageResult.

#include "reports/MessageSink.h"
#include "ui/SkinnedWindow.h"

#include <QDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPixmap>

#include <map>
#include <string>

class QLabel;

namespace notarion {

class TabFilter;

// A message's text for a label of the given width: every word wider than a
// whole line (a long path) is shortened in its middle, so that both its ends
// and the rest of the message stay readable. Never fails.
QString TextFittingWidth(const QString& text, const QFontMetrics& metrics, int width);

// Qt's own message box, modal, with the text shown as it is: the static
// QMessageBox functions take text that looks like markup for rich text and
// load the pictures it names. For the places where the skinned box cannot be
// used. Never fails.
void ShowPlainMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                         const QString& text);

// The box's background made extra pixels taller: the row above seamRow is
// repeated, the rows from seamRow on (the button band) move down. Never fails.
QPixmap StretchedBackground(const QPixmap& picture, int seamRow, int extra);

class TFWarning : public QDialog {
    Q_OBJECT
public:
    // The results in MessageResult.
    static constexpr int ResultClose = 0;
    static constexpr int ResultYes = 1;
    static constexpr int ResultNo = 2;
    static constexpr int ResultCancel = 3;
    static constexpr int ResultMend = 5;
    // HighlightedButton of the close-only set (the highlight does not move).
    static constexpr int HighlightCloseOnly = 4;

    // The box, hidden, with its pictures decoded. Installs the
    // application-wide Tab filter, which stays for as long as the box exists.
    // Throws Failure when one of its skin pictures is missing or cannot be decoded.
    explicit TFWarning(QWidget* parent = nullptr);

    // Show text modally with the button set of mode (1: "Zamknij", 3: "Tak",
    // "Nie", "Anuluj", 5: "Popraw", "Zamknij"; any other mode is taken as 1) and icon (1
    // information, 2 question, 3 warning; any other number keeps the icon that is there). Returns
    // when the box has closed; the answer is in MessageResult, which stays 2 when the box was
    // closed without a button (by the window manager). Never fails once the box exists.
    void ShowWarning(int mode, int icon, const std::u16string& text);

    // 0 "Zamknij", 1 "Tak", 2 "Nie", 3 "Anuluj", 5 "Popraw": the answer to the last message.
    int MessageResult() const { return m_messageResult; }
    // 1 "Tak", 2 "Nie", 3 "Anuluj", 5 "Popraw" carry the highlight; 4 for
    // "Zamknij" (alone, or beside "Popraw").
    int HighlightedButton() const { return m_highlightedButton; }
    // Whether the last key press in the program was Tab.
    bool TabPressed() const;
    // The skin picture each button shows now (for checking the highlight).
    QString ButtonImageName(int button) const;

    // Components, positioned as the box's description gives them.
    QLabel* ImWarning;
    QWidget* PIkona;
    QLabel* ImIkona;
    QLabel* LTekstWarning;
    HotArea* LClose;
    HotArea* LListwa;
    QWidget* PButTak;
    HotArea* ImButTak;
    QWidget* PButNie;
    HotArea* ImButNie;
    QWidget* PButAnuluj;
    HotArea* ImButAnuluj;
    QWidget* pButZamknij;
    HotArea* ImButZamknij;
    QWidget* PButPopraw;
    HotArea* ImButPopraw;

    // The title-strip drag of the box.
    TitleStripDrag* Drag() const { return m_drag; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ImButTakClick();
    void ImButNieClick();
    void ImButAnulujClick();
    void ImButZamknijClick();
    void ImButPoprawClick();
    void LCloseClick();
    void FormKeyDown(QKeyEvent* event);
    void OnTabPressed();

    void PrepareButtons(int mode);
    // Grow the box downwards so that the whole text shows, within the screen.
    void FitHeightToText();
    void SetButtonImage(int button, bool highlighted);
    void MoveHighlight(int step);
    void CloseWith(int result);
    void LoadInto(const QString& name, QLabel* label);

    int m_mode = ModeClose;
    int m_messageResult = ResultNo;
    int m_highlightedButton = HighlightCloseOnly;
    std::map<int, QString> m_buttonImage;
    std::map<QString, QPixmap> m_pictures;
    TitleStripDrag* m_drag;
    TabFilter* m_tabFilter;
};

} // namespace notarion
