#pragma once

// The folder picker: a non-visual component that asks the user for a folder
// with the desktop's folder dialog. The dialog itself can be exchanged, so
// tests decide the answer without a window.

#include <QFlags>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace notarion {

// The top of the folder tree. Kept as a stored setting; the folder dialog
// here always offers the whole file system.
enum TBrowseLocation {
    bl_STANDART,
    bl_CUSTOM,
    bl_DESKTOP,
    bl_PROGRAMS,
    bl_CONTROLS,
    bl_PRINTERS,
    bl_PERSONAL,
    bl_FAVORITES,
    bl_STARTUP,
    bl_RECENT,
    bl_SENDTO,
    bl_BITBUCKET,
    bl_STARTMENU,
    bl_DESKTOPDIRECTORY,
    bl_DRIVES,
    bl_NETWORK,
    bl_NETHOOD,
    bl_FONTS,
    bl_TEMPLATES,
    bl_COMMON_STARTMENU,
    bl_COMMON_PROGRAMS,
    bl_COMMON_STARTUP,
    bl_COMMON_DESKTOPDIRECTORY,
    bl_APPDATA,
    bl_PRINTHOOD,
};

// Options of the folder dialog, each with the bit of the browse-dialog flag
// of the same meaning. Kept as stored settings.
enum TBrowseFlag : unsigned {
    bf_ReturnOnlyFSDIRS = 0x0001,
    bf_DontGoBelowDomain = 0x0002,
    bf_statustext = 0x0004,
    bf_ReturnFSanceStors = 0x0008,
    bf_EditBox = 0x0010,
    bf_BrowseForComputer = 0x1000,
    bf_BrowseForPrinter = 0x2000,
};
Q_DECLARE_FLAGS(TBrowseFlags, TBrowseFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TBrowseFlags)

// The validate bit that Execute always adds to Flags.
inline constexpr unsigned BrowseValidateBit = 0x0020;

class TGetFolder {
public:
    // What runs the dialog: it receives the picker (for FolderName, Caption
    // and StatusText) and returns the chosen folder, or nothing when the user
    // cancelled.
    using Chooser = std::function<std::optional<std::string>(const TGetFolder&)>;

    // A picker owned by owner (the dialog is modal to it), with the desktop
    // folder dialog as its chooser.
    explicit TGetFolder(QWidget* owner = nullptr);

    // Run the dialog preselecting FolderName. On a confirmed choice store the
    // chosen folder (cp1250, without trailing separator unless it is the
    // root) in FolderName and its last component in DisplayName and return
    // true; on cancel return false and change nothing.
    bool Execute();

    // The folder selected when the dialog opens and, after a confirmed
    // choice, the chosen folder. The root folder by default.
    std::string FolderName = "/";
    // The instruction shown with the dialog (its title here).
    std::string Caption = "Select Folder";
    // The status text handed to the dialog when it opens.
    std::string StatusText = "Select Folder";
    TBrowseLocation Root = bl_STANDART;
    TBrowseFlags Flags;
    // The name of the chosen item as the dialog shows it.
    std::string DisplayName;

    // The dialog; replace it to answer without a window.
    Chooser Choose;

    // The window the dialog is modal to.
    QWidget* Owner() const { return m_owner; }

private:
    QWidget* m_owner;
};

// The desktop folder dialog in directory mode, titled by Caption and
// preselecting FolderName; nothing when the user cancels.
std::optional<std::string> ChooseFolderWithDialog(const TGetFolder& picker);

} // namespace notarion
