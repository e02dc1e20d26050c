#pragma once

// The main window: the first window of the program; closing it ends the
// program. Its showing starts the work and its closing ends it. On its
// welcome panel the user starts a new set from a folder of report files or
// continues from a saved list file; both fill the report catalogue and open
// the list editor over this window.

#include "platform/HelpPages.h"
#include "platform/TGetFolder.h"
#include "ui/SkinnedWindow.h"
#include "ui/layout/TFGlownyLayout.h"

#include <QWidget>

#include <string>
#include <string_view>

class QLabel;

namespace notarion {

struct SharedState;
class StatusLine;
class TFAbout;
class TFRealProgramu;

// Where the start of work finds the program and the user's data folder;
// tests give their own folders.
struct WorkPlaces {
    // The executable's full path (cp1250); its folder becomes AppFolder.
    std::string ExecutablePath;
    // The per-user application-data folder (cp1250), without trailing separator.
    std::string AppData;
};

class TFGlowny : public QWidget {
    Q_OBJECT
public:
    static constexpr int WindowWidth = layout::glowny::kWindow.width;
    static constexpr int WindowHeight = layout::glowny::kWindow.height;

    // The hidden main window over state. Never fails: missing skin pictures
    // leave plain backgrounds.
    TFGlowny(SharedState& state, WorkPlaces places);

    // Tie in the windows made after this one: the list editor, the preview
    // window (only moved along when dragged; may be null) and the about
    // window. Never fails.
    void SetCompanions(TFRealProgramu* editor, QWidget* previewWindow, TFAbout* about);

    // Replace what F1 and the help hot area use to open the help page. Never fails.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    // Show a short line in the window's status area, below the work
    // ("Zapisano: …"), with "Otwórz folder", which opens folder (cp1250) on
    // the desktop. The text is shown as it is, never read as markup. Never
    // fails; the line stays until the next one.
    void ShowStatus(const QString& text, const std::string& folder);

    // Play the progress strip: widths 80 to 480 in six steps, each painted
    // at once and held 100 ms, then hide it. Blocks for about 600 ms.
    void ShowProgressStrip();

    // The new-set path: ask for a folder, find its report files, load them
    // and open the list editor. Failures end in one message; see the window's
    // description of the entry paths.
    void StartNewSet();
    // The list-file path: ask for a list file, read it and open the list editor.
    void OpenListFile();
    // The list-file path after the choice: read listFile (cp1250), fill the
    // list editor, remember the file and open the editor; missing reports and
    // a set with errors are named over it. A file that cannot be read is named
    // in one message and the catalogue and the welcome panel stay.
    void OpenListFile(const std::string& listFile);
    // A list file named on the command line (UTF-8 as given, relative to the
    // current folder), opened as if chosen in the dialog. A name that
    // Windows-1250 cannot spell is refused with a message, never opened under
    // another name.
    void OpenListFileArgument(std::string_view utf8Path);

    // Move the visible companions along after the window moved.
    void PlaceCompanions();

    // Whether the start of work has run (it runs once, at the first showing).
    bool WorkStarted() const { return m_workStarted; }

    // The title-strip drag of the window.
    TitleStripDrag* Drag() const { return m_drag; }
    // The hover colours of the two choices.
    HoverGroup* Choices() const { return m_choices; }

    // Components, positioned as the window's description gives them.
    QLabel* ImTlo;
    QLabel* LWersja;
    HotArea* LListwa;
    HotArea* LAbout;
    HotArea* LPomoc;
    HotArea* LMnimize;
    HotArea* Lclose;
    QWidget* PPowitanie;
    QLabel* ImPowitanie;
    HotArea* LNowyZestaw;
    HotArea* LGotowyZestaw;
    QWidget* PPostep;
    // The status line over the progress strip's place.
    StatusLine* LStatus;
    QLabel* ImPostep;
    QWidget* PButWstecz;
    HotArea* ImWstecz;
    TGetFolder DajFolder;

signals:
    // The window was closed and the work has ended; the program ends here.
    void workEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void LNowyZestawClick();
    void LGotowyZestawClick();
    void LPomocClick();
    void LAboutClick();
    void LMnimizeClick();
    void LcloseClick();
    void ImWsteczClick();
    void ResetChoiceColours();
    void OpenEditor(bool focusList);
    void Warn(const std::u16string& text);

    SharedState& m_state;
    WorkPlaces m_places;
    HelpOpener m_help;
    TitleStripDrag* m_drag;
    HoverGroup* m_choices;
    TFRealProgramu* m_editor = nullptr;
    QWidget* m_previewWindow = nullptr;
    TFAbout* m_about = nullptr;
    bool m_workStarted = false;
    bool m_workEnded = false;
    // The companions minimised together with this window.
    std::vector<QWidget*> m_minimisedWithMe;
};

} // namespace notarion
