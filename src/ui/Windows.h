#pragma once

// The seven windows of the program, made once at start and kept for the
// whole run. The holder makes them in the program's order, ties them
// together and plugs the message box into the shared state:
//
//   TFGlowny        main window: welcome panel and the two entry paths
//   TFWarning       the message box (state.ShowWarning)
//   TFRealProgramu  the list editor, shown over the main window
//   TFBrowserMini   the preview of one report
//   TFAbout         the about window
//   TFBrowser       the document viewer
//   TFWyborOpcji    the option chooser of the document viewer

#include "platform/HelpPages.h"
#include "ui/TFGlowny.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace notarion {

struct SharedState;
class KeyboardReturn;
class TFAbout;
class TFBrowser;
class TFBrowserMini;
class TFRealProgramu;
class TFWarning;
class TFWyborOpcji;

class Windows {
public:
    // Make every window, hidden, and set state.ShowWarning to the message
    // box. help opens the help pages of every window. Throws Failure only
    // when a window cannot be made (the message box without its pictures).
    Windows(SharedState& state, WorkPlaces places, const HelpOpener& help = HelpOpener());
    // Unplugs the message box from the state, then destroys the windows.
    ~Windows();

    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    TFGlowny& FGlowny() const { return *m_glowny; }
    TFWarning& FWarning() const { return *m_warning; }
    TFRealProgramu& FRealProgramu() const { return *m_realProgramu; }
    TFBrowserMini& FBrowserMini() const { return *m_browserMini; }
    TFAbout& FAbout() const { return *m_about; }
    TFWyborOpcji& FWyborOpcji() const { return *m_wyborOpcji; }
    TFBrowser& FBrowser() const { return *m_browser; }

    // The windows in the order they were made.
    const std::vector<QWidget*>& CreationOrder() const { return m_order; }

private:
    SharedState& m_state;
    // Declared in the order of making, so they are destroyed in reverse.
    std::unique_ptr<TFGlowny> m_glowny;
    std::unique_ptr<TFWarning> m_warning;
    std::unique_ptr<TFRealProgramu> m_realProgramu;
    std::unique_ptr<TFBrowserMini> m_browserMini;
    std::unique_ptr<TFAbout> m_about;
    std::unique_ptr<TFBrowser> m_browser;
    std::unique_ptr<TFWyborOpcji> m_wyborOpcji;
    std::vector<QWidget*> m_order;
    std::unique_ptr<KeyboardReturn> m_keyboardReturn;
};

} // namespace notarion
