#include "ui/Windows.h"

#include "app/SharedState.h"
#include "ui/KeyboardReturn.h"
#include "ui/TFAbout.h"
#include "ui/TFBrowser.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFRealProgramu.h"
#include "ui/TFWarning.h"
#include "ui/TFWyborOpcji.h"

namespace notarion {

Windows::Windows(SharedState& state, WorkPlaces places, const HelpOpener& help) : m_state(state) {
    m_glowny = std::make_unique<TFGlowny>(state, std::move(places));
    m_order.push_back(m_glowny.get());
    m_glowny->SetHelpOpener(help);

    m_warning = std::make_unique<TFWarning>();
    m_order.push_back(m_warning.get());
    TFWarning* box = m_warning.get();
    state.ShowWarning = [box](int mode, int icon, const std::u16string& text) {
        box->ShowWarning(mode, icon, text);
    };
    state.Ask = [box](int mode, int icon, const std::u16string& text) {
        box->ShowWarning(mode, icon, text);
        return box->MessageResult();
    };

    m_realProgramu = std::make_unique<TFRealProgramu>(state, *m_glowny);
    m_order.push_back(m_realProgramu.get());
    m_realProgramu->SetHelpOpener(help);
    m_realProgramu->SetQuestion([box](const std::u16string& text) {
        box->ShowWarning(ModeYesNoCancel, IconQuestion, text);
        return box->MessageResult();
    });

    m_browserMini = std::make_unique<TFBrowserMini>(state, m_glowny.get());
    m_order.push_back(m_browserMini.get());
    m_browserMini->SetHelpOpener(help);

    m_about = std::make_unique<TFAbout>();
    m_order.push_back(m_about.get());

    m_browser = std::make_unique<TFBrowser>(state, m_glowny.get(), *m_warning);
    m_order.push_back(m_browser.get());
    m_browser->SetHelpOpener(help);

    m_wyborOpcji = std::make_unique<TFWyborOpcji>();
    m_order.push_back(m_wyborOpcji.get());
    m_browser->SetChooser(*m_wyborOpcji);

    // Each companion belongs to the window it is opened from and stays above
    // that window only, never above other programs.
    SetOwner(m_realProgramu.get(), m_glowny.get());
    SetOwner(m_browserMini.get(), m_realProgramu.get());
    SetOwner(m_about.get(), m_glowny.get());
    SetOwner(m_browser.get(), m_realProgramu.get());
    SetOwner(m_wyborOpcji.get(), m_browser.get());

    // A title strip or an underline label drawn over a hot area must not
    // take its clicks.
    for (QWidget* window : m_order) {
        RaiseHotAreas(window);
    }

    m_glowny->SetCompanions(m_realProgramu.get(), m_browserMini.get(), m_about.get());
    m_realProgramu->SetViewers(m_browserMini.get(), m_browser.get());
    // When a window closes, the keyboard goes back where it came from.
    m_keyboardReturn = std::make_unique<KeyboardReturn>(nullptr);
}

Windows::~Windows() {
    m_state.ShowWarning = nullptr;
    m_state.Ask = nullptr;
}

} // namespace notarion
