// The list editor's road to the report editor and back: a report opened
// from a selected line, a link of the check page or a message about a
// damaged file, and the list brought up to date when the editor saves.

#include "ui/TFRealProgramu.h"

#include "app/SharedState.h"
#include "platform/QtText.h"
#include "reports/MessageSink.h"
#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "ui/KindListBox.h"
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
    const QString file = QStringFromCp1250(path);
    // One editor per file: two would save over each other's changes.
    for (ReportEditor* open : findChildren<ReportEditor*>(Qt::FindDirectChildrenOnly)) {
        if (open->FilePath() == file) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    // A window of its own, closed with the list editor at the latest.
    auto* editor = new ReportEditor(this);
    editor->setWindowFlag(Qt::Window);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    if (m_prepareEditor) {
        m_prepareEditor(*editor);
    }
    if (!editor->OpenFile(file)) {
        delete editor;
        return nullptr;
    }
    connect(editor, &ReportEditor::Saved, this, &TFRealProgramu::ReportSaved);
    editor->show();
    return editor;
}

void TFRealProgramu::ReportSaved(const QString& path) {
    const int selected = EntryOfLine(LLista->SelectedPosition());
    const std::string file = Cp1250FromQString(path);
    try {
        if (RefreshEntriesOf(m_state.Catalogue, file) == 0) {
            JoinLeftOutFile(file);
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

void TFRealProgramu::JoinLeftOutFile(const std::string& path) {
    const std::vector<std::string>& found = m_state.FoundReportFiles;
    const std::vector<ReportEntry>& held = m_state.Catalogue.Slots;
    if (std::find(found.begin(), found.end(), path) == found.end() ||
        std::any_of(held.begin(), held.end(),
                    [&](const ReportEntry& entry) { return entry.Path == path; })) {
        return;
    }
    const std::size_t slotsBefore = m_state.Catalogue.Slots.size();
    try {
        AppendToCatalogue(m_state.Catalogue, {path});
    } catch (const ReportFileError&) {
        // Read a moment ago by the editor that saved it; a file gone since
        // stays out, as it would from a folder opened again.
        return;
    }
    if (!TakeOutUnknownKinds(m_state.Catalogue, slotsBefore).empty()) {
        return;
    }
    m_unsaved = true;
    SelectEntry(static_cast<int>(slotsBefore));
}

void TFRealProgramu::OfferMend(const std::string& path) {
    if (!m_state.Ask) {
        Warn(IconInfo, DamagedFileMessage(path));
        return;
    }
    if (m_state.Ask(ModeMendOrClose, IconInfo, DamagedFileMessage(path)) == TFWarning::ResultMend) {
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
