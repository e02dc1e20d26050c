// The list editor's road to the report editor and back: a report opened
// from a selected line, a link of the check page or a message about a
// damaged file, and the list brought up to date when the editor saves.

#include "ui/TFRealProgramu.h"

#include "app/AddedReports.h"
#include "app/SharedState.h"
#include "platform/QtText.h"
#include "reports/MessageSink.h"
#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "ui/KindListBox.h"
#include "ui/MendOffer.h"
#include "ui/ReportEditor.h"
#include "ui/TFWarning.h"

#include <QComboBox>

#include <algorithm>
#include <string>
#include <vector>

namespace notarion {
namespace {

constexpr const char16_t* NoSelectionForEdit =
    u"Jeśli chcesz poprawić sprawozdanie, zaznacz którąś z pozycji.";

} // namespace

void TFRealProgramu::SelectEntry(int entry) {
    if (entry < 0 || entry >= static_cast<int>(m_state.Catalogue.Slots.size())) {
        return;
    }
    const int kind = KindIndex(m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Kind);
    if (kind < 0) {
        return;
    }
    if (PozycjeBox->currentIndex() == kind) {
        FillKindList(m_state.Catalogue, *LLista, kind);
    } else {
        PozycjeBox->setCurrentIndex(kind);
    }
    for (int line = 0; line < LLista->ItemCount(); ++line) {
        if (EntryOfLine(line) == entry) {
            LLista->setCurrentRow(line);
            break;
        }
    }
}

void TFRealProgramu::EditSelected() {
    const int entry = EntryOfLine(LLista->SelectedPosition());
    if (entry < 0) {
        Warn(IconWarning, NoSelectionForEdit);
        return;
    }
    EditReport(m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Path);
}

ReportEditor* TFRealProgramu::EditReport(const std::string& path) {
    // A new report started there is saved beside the set's reports.
    ReportEditor* editor =
        OpenReportEditor(*this, path, QStringFromCp1250(ReportFolder()), m_prepareEditor);
    if (editor != nullptr) {
        connect(editor, &ReportEditor::Saved, this, &TFRealProgramu::ReportSaved,
                Qt::UniqueConnection);
    }
    return editor;
}

void TFRealProgramu::ReportSaved(const QString& path) {
    const int selected = EntryOfLine(LLista->SelectedPosition());
    const std::string file = Cp1250FromQString(path);
    try {
        if (RefreshEntriesOf(m_state.Catalogue, file) == 0) {
            // A file of the folder that the catalogue left out for its kind.
            const std::vector<std::string>& found = m_state.FoundReportFiles;
            if (std::find(found.begin(), found.end(), file) != found.end()) {
                JoinSavedReport(file);
            }
            return;
        }
    } catch (const ReportFileError& error) {
        Warn(IconInfo, DamagedFileMessage(error.Path()));
        return;
    }
    // A list file keeps the titles, so the one saved before is out of date.
    m_unsaved = true;
    FillKindList(m_state.Catalogue, *LLista, PozycjeBox->currentIndex());
    if (selected >= 0) {
        SelectEntry(selected);
    }
}

void TFRealProgramu::OfferToMendAndAdd(const UnknownKindFile& file) {
    // A kind text close to none of the nine is no report at all: nothing to
    // mend, only named.
    if (!AskToMend(m_state, file.Message(), file.Nearest.empty() ? std::string() : file.Path)) {
        return;
    }
    // The file joins the set once the editor has saved it under a kind.
    if (ReportEditor* editor = EditReport(file.Path)) {
        connect(
            editor, &ReportEditor::Saved, this,
            [this](const QString& path) { JoinSavedReport(Cp1250FromQString(path)); },
            Qt::SingleShotConnection);
    }
}

void TFRealProgramu::JoinSavedReport(const std::string& path) {
    const std::vector<ReportEntry>& held = m_state.Catalogue.Slots;
    if (std::any_of(held.begin(), held.end(),
                    [&](const ReportEntry& entry) { return entry.Path == path; })) {
        return;
    }
    const std::size_t slotsBefore = held.size();
    // A file gone since the editor saved it, or saved under no known kind,
    // stays out, as it would from a folder opened again.
    if (!AddChosenReports(m_state.Catalogue, {path}).Changed) {
        return;
    }
    m_unsaved = true;
    SelectEntry(static_cast<int>(slotsBefore));
}

void TFRealProgramu::OfferMend(const std::string& path, const std::u16string& text) {
    if (AskToMend(m_state, text, path)) {
        EditReport(path);
    }
}

void TFRealProgramu::FollowReportLink(int entry) {
    SelectEntry(entry);
    if (entry >= 0 && entry < static_cast<int>(m_state.Catalogue.Slots.size())) {
        EditReport(m_state.Catalogue.Slots[static_cast<std::size_t>(entry)].Path);
    }
}

void TFRealProgramu::FollowFolderFileLink(int index) {
    if (index >= 0 && index < static_cast<int>(m_state.FoundReportFiles.size())) {
        EditReport(m_state.FoundReportFiles[static_cast<std::size_t>(index)]);
    }
}

} // namespace notarion
