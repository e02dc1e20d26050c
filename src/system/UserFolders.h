#pragma once

// The user's own folders, as the desktop of each platform names them.

#include <string>

namespace notarion {

// The user's per-user application-data folder (cp1250, no trailing
// separator), where the program keeps its work folders. Linux:
// $XDG_DATA_HOME, else $HOME/.local/share (made when a fresh account lacks
// it), else a folder private to the user ($XDG_RUNTIME_DIR, else
// "notarion-<uid>" in the temporary folder, made with mode 0700 and used only
// when it is the user's own, not a link and closed to others). Windows: the
// application-data folder (CSIDL_APPDATA). Empty when there is none.
std::string UserDataFolder();

} // namespace notarion
