// The user's folders on Windows: the application-data folder the shell names.

#include "system/UserFolders.h"

#include "system/FileSystem.h"

#include <windows.h>
#include <shlobj.h>

namespace notarion {

std::string UserDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                           folder) != S_OK)
        return {};
    const std::filesystem::path path(folder);
    // A folder whose name Windows-1250 cannot spell would be looked for under
    // another name; the program then has no data folder rather than a wrong one.
    if (!NameSurvivesConversion(path))
        return {};
    return TextFromPath(path);
}

} // namespace notarion
