// The list editor's commands for the whole set: the folder the documents go
// to, writing them, and the check of the set with its page.

#include "ui/TFRealProgramu.h"

#include "app/ReportFolder.h"
#include "app/SetWriter.h"
#include "app/SharedState.h"
#include "check/CheckPage.h"
#include "check/ReportCheck.h"
#include "generate/DocumentSet.h"
#include "generate/OutputFolderLock.h"
#include "reports/MessageSink.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "ui/TFBrowser.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFGlowny.h"

#include <exception>
#include <string>

namespace notarion {
namespace {

constexpr const char16_t* CheckPageUnwritable =
    u"Nie udało się zapisać wyniku sprawdzenia zestawu w folderze roboczym.";

} // namespace

std::string TFRealProgramu::ReportFolder() const {
    // The set goes beside the source it came from: the list file's folder
    // for a set opened from a list, else the folder chosen for a new set.
    const std::string& listFile = m_state.SetListFile;
    if (listFile.empty()) {
        return m_state.LastReportFolder;
    }
    const std::string folder = FolderOf(listFile);
    if (folder.empty() && listFile.front() == PathSeparator) {
        return std::string(1, PathSeparator);
    }
    return folder;
}

void TFRealProgramu::GenerateDocumentSet() {
    const std::string reportFolder = ReportFolder();
    if (reportFolder.empty()) {
        // Without a folder the set would land in "Protokoly" at the root of
        // the file system, far from the reports; nothing is written.
        Warn(IconInfo, ProtocolsFailureMessage());
        return;
    }
    m_state.OutputFolder = DocumentPath(reportFolder, OutputFolderName);
    try {
        const SetResult written =
            WriteSet(m_state, m_state.Catalogue, m_state.OutputFolder, FoldersAbove::MustExist);
        if (written.Outcome == SetOutcome::FolderBusy) {
            Warn(IconInfo, FolderBusyMessage());
            return;
        }
        if (written.Outcome != SetOutcome::Written) {
            OfferMend(ReportFileOf(written.Cause),
                      MessageWithCause(SetOutcomeMessage(written.Outcome), written.Cause));
            return;
        }
        m_mainWindow.ShowProgressStrip();
        if (m_documentViewer != nullptr) {
            m_documentViewer->ShowDocument(0);
        }
    } catch (const std::exception&) {
        // The user always learns that the set did not come out whole.
        Warn(IconInfo, ProtocolsFailureMessage());
    }
}

void TFRealProgramu::CheckSet() {
    const std::string page = m_state.TempFolder + std::string(CheckPageFileName);
    try {
        SaveBuffer(CheckPage(CheckCatalogue(m_state.Catalogue, m_state.FoundReportFiles),
                             &m_state.Catalogue, m_state.FoundReportFiles),
                   page);
    } catch (const std::exception&) {
        Warn(IconInfo, CheckPageUnwritable);
        return;
    }
    if (m_previewWindow == nullptr) {
        return;
    }
    m_previewWindow->LoadCheckPage(page);
    m_previewWindow->exec();
}

void TFRealProgramu::WarnWhenSetHasErrors() {
    const int errors = CheckCatalogue(m_state.Catalogue, m_state.FoundReportFiles).ErrorCount();
    if (errors == 0) {
        return;
    }
    Warn(IconWarning, u"Zestaw zawiera błędy (" + Utf8ToUtf16(std::to_string(errors)) +
                          u"), przez które dokumenty nie powstaną.\rSzczegóły pokaże polecenie "
                          u"„Sprawdź zestaw” (Alt+S).");
}

} // namespace notarion
