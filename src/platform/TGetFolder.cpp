#include "platform/TGetFolder.h"

#include "platform/QtText.h"
#include "system/FileSystem.h"

#include <QFileDialog>

namespace notarion {

TGetFolder::TGetFolder(QWidget* owner) : Choose(ChooseFolderWithDialog), m_owner(owner) {}

bool TGetFolder::Execute() {
    if (!Choose) {
        return false;
    }
    std::optional<std::string> chosen = Choose(*this);
    if (!chosen || chosen->empty()) {
        return false;
    }
    std::string folder = *chosen;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    FolderName = folder;
    const std::size_t cut = folder.find_last_of("/\\");
    DisplayName =
        (cut == std::string::npos || folder.size() == 1) ? folder : folder.substr(cut + 1);
    return true;
}

std::optional<std::string> ChooseFolderWithDialog(const TGetFolder& picker) {
    QFileDialog dialog(picker.Owner(), QStringFromCp1250(picker.Caption));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!picker.FolderName.empty()) {
        dialog.setDirectory(QStringFromCp1250(picker.FolderName));
    }
    dialog.setLabelText(QFileDialog::LookIn, QStringFromCp1250(picker.StatusText));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return Cp1250FromQString(chosen.front());
}

} // namespace notarion
