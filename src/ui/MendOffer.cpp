#include "ui/MendOffer.h"

#include "app/SharedState.h"
#include "platform/QtText.h"
#include "system/FileSystem.h"
#include "ui/ReportEditor.h"
#include "ui/TFWarning.h"

#include <memory>

namespace notarion {

bool AskToMend(const SharedState& state, const std::u16string& text, const std::string& path) {
    if (!path.empty() && FileExists(path) && state.Ask)
        return state.Ask(ModeMendOrClose, IconInfo, text) == TFWarning::ResultMend;
    if (state.ShowWarning)
        state.ShowWarning(ModeClose, IconInfo, text);
    return false;
}

ReportEditor* OpenReportEditor(QWidget& owner, const std::string& path, const QString& startFolder,
                               const std::function<void(ReportEditor&)>& prepare) {
    const QString file = QStringFromCp1250(path);
    // One editor per file: two would save over each other's changes.
    for (ReportEditor* open : owner.findChildren<ReportEditor*>(Qt::FindDirectChildrenOnly)) {
        if (open->FilePath() == file) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    // A window of its own, closed with its owner at the latest.
    auto editor = std::make_unique<ReportEditor>(&owner);
    editor->setWindowFlag(Qt::Window);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->SetStartFolder(startFolder);
    if (prepare)
        prepare(*editor);
    if (!editor->OpenFile(file))
        return nullptr;
    editor->show();
    return editor.release();
}

} // namespace notarion
