#pragma once

// The option chooser: a small modal window listing the fourteen documents of
// the generated set, from which the document viewer takes the one to show.

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;

namespace notarion {

class HotArea;

class TFWyborOpcji : public QDialog {
    Q_OBJECT
public:
    // The chooser's titles of the documents, in option order (0 to 13).
    static const std::array<QString, 14>& OptionTitles();

    // The hidden chooser with its list filled. Never fails: a missing skin
    // picture leaves a plain background.
    explicit TFWyborOpcji(QWidget* parent = nullptr);

    // Place the chooser at the viewer's top-left + (200, 150), select
    // currentOption and show the chooser modally; returns when it closes,
    // with the answer in ChosenOption (-1 when cancelled, also when the
    // window was closed by the desktop or by Esc).
    void ChooseOption(QWidget* viewer, int currentOption);

    // The answer of the last ChooseOption: the chosen option, or -1.
    int ChosenOption = -1;

    // Components, positioned as the chooser's description gives them.
    QLabel* ImTlo;
    QListWidget* ListaOpcji;
    HotArea* LWprowadz;
    HotArea* LAnuluj;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ListaOpcjiDblClick();
    void LWprowadzClick();
    void LAnulujClick();
};

} // namespace notarion
