#include "platform/FileDialog.h"

#include "platform/QtText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace notarion {

FileDialog::FileDialog(QWidget* owner, Purpose purpose)
    : Run(RunDesktopFileDialog), m_owner(owner), m_purpose(purpose) {}

bool FileDialog::Execute() {
    if (!Run) {
        return false;
    }
    std::optional<std::vector<std::string>> chosen = Run(*this);
    if (!chosen || chosen->empty()) {
        return false;
    }
    std::vector<std::string> names = std::move(*chosen);
    if (m_purpose == Purpose::Save && !DefaultExt.empty()) {
        for (std::string& name : names) {
            const std::size_t slash = name.find_last_of("/\\");
            const std::size_t dot = name.find_last_of('.');
            if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
                name += '.' + DefaultExt;
            }
        }
    }
    FileNames = std::move(names);
    FileName = FileNames.front();
    return true;
}

std::string DocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return Cp1250FromQString(QDir::toNativeSeparators(folder));
}

std::vector<std::string> NameFiltersFromFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(
            filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    std::vector<std::string> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = parts[i + 1];
        // The system separates patterns with ";", Qt with spaces.
        for (char& c : patterns) {
            if (c == ';') {
                c = ' ';
            }
        }
        // A description that already shows its patterns ("Plik sprawozdania
        // (*.xml)") is offered as it stands, so the dialog does not show them twice.
        const std::string shown = "(" + patterns + ")";
        const std::string& description = parts[i];
        const bool showsPatterns = description.size() >= shown.size() &&
                                   description.compare(description.size() - shown.size(),
                                                       shown.size(), shown) == 0;
        filters.push_back(showsPatterns ? description : description + " " + shown);
    }
    if (parts.size() % 2 == 1 && !parts.back().empty()) {
        // A description without a pattern: offer it as the pattern itself.
        filters.push_back(parts.back());
    }
    return filters;
}

std::optional<std::vector<std::string>> RunDesktopFileDialog(const FileDialog& settings) {
    QFileDialog dialog(settings.Owner(), QStringFromCp1250(settings.Title));
    const bool save = settings.DialogPurpose() == FileDialog::Purpose::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        // The list file is replaced without a question, as the program always did.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setFileMode(settings.AllowSelect == FileDialog::Selection::Multiple
                               ? QFileDialog::ExistingFiles
                               : QFileDialog::ExistingFile);
    }
    QStringList filters;
    for (const std::string& each : NameFiltersFromFilter(settings.Filter)) {
        filters << QStringFromCp1250(each);
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!settings.DefaultExt.empty()) {
        dialog.setDefaultSuffix(QStringFromCp1250(settings.DefaultExt));
    }
    if (!settings.InitialDir.empty()) {
        dialog.setDirectory(QStringFromCp1250(settings.InitialDir));
    }
    if (!settings.FileName.empty()) {
        dialog.selectFile(QStringFromCp1250(settings.FileName));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    std::vector<std::string> chosen;
    for (const QString& each : dialog.selectedFiles()) {
        chosen.push_back(Cp1250FromQString(each));
    }
    if (chosen.empty()) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace notarion
