#include "platform/HelpPages.h"

#include "app/BuildInfo.h"
#include "platform/QtText.h"
#include "platform/TEmbeddedWB.h"
#include "system/FileSystem.h"

#include <QDesktopServices>
#include <QMessageBox>

#include <filesystem>
#include <system_error>
#include <vector>

namespace notarion {

namespace {

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (const char c : path) {
        if (c == '/' || c == '\\') {
            if (!current.empty()) {
                parts.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    return parts;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == PathSeparator) {
        return folder + name;
    }
    return folder + PathSeparator + name;
}

// The entry of folder whose name equals name ignoring letter case; an exact
// match wins over others. Empty when none.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
    const QString wanted = QStringFromCp1250(name);
    std::error_code error;
    std::filesystem::directory_iterator it(PathFromText(folder.empty() ? "." : folder), error);
    if (error) {
        return {};
    }
    std::string found;
    // Advance without exceptions: a folder that changes while it is read
    // ends the search instead of escaping as an error.
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string entryName = TextFromPath(it->path().filename());
        if (entryName == name) {
            return entryName;
        }
        if (found.empty() &&
            QStringFromCp1250(entryName).compare(wanted, Qt::CaseInsensitive) == 0) {
            found = entryName;
        }
    }
    return found;
}

} // namespace

std::string ResolvePathIgnoringCase(const std::string& folder, const std::string& relativePath) {
    std::string resolved = folder;
    bool matching = true;
    for (const std::string& part : SplitComponents(relativePath)) {
        if (matching) {
            const std::string entry = FindEntryIgnoringCase(resolved, part);
            if (!entry.empty()) {
                resolved = JoinPath(resolved, entry);
                continue;
            }
            matching = false;
        }
        resolved = JoinPath(resolved, part);
    }
    return resolved;
}

namespace {

// The help page in a viewer window of the program's own, for a desktop that
// cannot open it. The window goes away when the user closes it.
void ShowInOwnViewer(const QUrl& url) {
    auto* viewer = new TEmbeddedWB(nullptr);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowTitle(QStringLiteral("Notarion - pomoc"));
    viewer->resize(800, 600);
    viewer->Navigate(Cp1250FromQString(url.toLocalFile()));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace

HelpOpener::HelpOpener() : HelpOpener(WithDesktop(&QDesktopServices::openUrl)) {}

HelpOpener::HelpOpener(UrlOpener opener) : m_opener(std::move(opener)) {}

HelpOpener HelpOpener::WithDesktop(DesktopOpener desktop) {
    return HelpOpener([desktop = std::move(desktop)](const QUrl& url) {
        if (desktop && desktop(url)) {
            return;
        }
        if (FileExists(Cp1250FromQString(url.toLocalFile()))) {
            ShowInOwnViewer(url);
            return;
        }
        QMessageBox box(
            QMessageBox::Information, QStringLiteral("Notarion"),
            QStringLiteral("Nie można otworzyć pomocy: nie ma pliku %1.").arg(url.toLocalFile()),
            QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
}

std::string HelpPagePath(const std::string& appFolder, const std::string& relativePath) {
    const std::string beside = ResolvePathIgnoringCase(appFolder, relativePath);
    std::error_code error;
    if (std::filesystem::exists(PathFromText(beside), error)) {
        return beside;
    }
    const std::filesystem::path installed =
        (PathFromText(appFolder.empty() ? "." : appFolder) / DataFolderFromProgram)
            .lexically_normal();
    const std::string fromData = ResolvePathIgnoringCase(TextFromPath(installed), relativePath);
    return std::filesystem::exists(PathFromText(fromData), error) ? fromData : beside;
}

void HelpOpener::Open(const std::string& appFolder, const std::string& relativePath) const {
    if (!m_opener) {
        return;
    }
    const std::string path = HelpPagePath(appFolder, relativePath);
    m_opener(QUrl::fromLocalFile(QStringFromCp1250(path)));
}

} // namespace notarion
