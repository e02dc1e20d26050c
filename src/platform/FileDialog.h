#pragma once

// The open and save dialogs of the windows: title, filter, default suffix
// and initial folder as the system gives them, and an exchangeable runner so
// tests choose the files without a window.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace notarion {

class FileDialog {
public:
    enum class Purpose { Open, Save };
    enum class Selection { Single, Multiple };

    // What runs the dialog: it receives the dialog's settings and returns the
    // chosen paths (cp1250), or nothing when the user cancelled.
    using Runner = std::function<std::optional<std::vector<std::string>>(const FileDialog&)>;

    // A dialog owned by owner, run by the desktop's file dialog. Never fails.
    FileDialog(QWidget* owner, Purpose purpose);

    // Run the dialog. True with FileName (the first choice) and FileNames
    // set when the user chose at least one file; false, changing nothing,
    // when the user cancelled. A save dialog adds DefaultExt to a name
    // without a suffix.
    bool Execute();

    // The dialog's title; empty for the desktop's default title.
    std::string Title;
    // The filter as "description|pattern" pairs joined by "|", e.g.
    // "Plik listy (xmp)|*.xmp".
    std::string Filter;
    // The suffix (without dot) added to a saved name that has none; empty for none.
    std::string DefaultExt;
    // The folder the dialog opens in; empty for the desktop's choice.
    std::string InitialDir;
    Selection AllowSelect = Selection::Single;
    std::string FileName;
    std::vector<std::string> FileNames;

    // The dialog; replace it to answer without a window.
    Runner Run;

    Purpose DialogPurpose() const { return m_purpose; }
    QWidget* Owner() const { return m_owner; }

private:
    QWidget* m_owner;
    Purpose m_purpose;
};

// The user's documents folder (cp1250), where the dialogs open before any
// folder is remembered; the home folder when the desktop names none.
std::string DocumentsFolder();

// The desktop's file dialog with the settings of dialog; nothing on cancel.
// A FileName left from before (or set by the caller) is preselected.
std::optional<std::vector<std::string>> RunDesktopFileDialog(const FileDialog& dialog);

// The filter text of the system ("Plik listy (xmp)|*.xmp") as the name
// filters of a Qt file dialog ("Plik listy (xmp) (*.xmp)"). Never fails.
std::vector<std::string> NameFiltersFromFilter(const std::string& filter);

} // namespace notarion
