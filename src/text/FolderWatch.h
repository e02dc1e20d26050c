#pragma once

// Which files of a folder may have changed since the folder began to be
// watched, learnt from the kernel's notices (inotify) instead of by looking
// at every file again. A notice comes for every write, change of attributes,
// creation, removal and rename of a name in the folder, and for the folder
// itself being removed or moved.
//
// Only folders on local disks are watched: a network share does not report
// what another computer changes. A file reached through a link, or one with
// more than one name, can be changed under a name in another folder; callers
// keep such files out of the watch (see WatchableFile).

#include "text/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace notarion {

class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Start watching the folder (cp1250 path), or find it among those
    // watched. Its number, or -1 when it cannot be watched here: not on a
    // local disk, no notices on this system, or their limit reached.
    // started, when given, tells whether the watch began with this call.
    int Watch(std::string_view folder, bool* started = nullptr);
    std::size_t FolderCount() const { return m_folders.size(); }
    // Take in the notices that have arrived; one look when none has.
    void Update();
    // Look once at whether the folder's path still leads to the folder
    // watched; a folder moved away with another put in its place no longer
    // counts as watched.
    void CheckPath(int folder);
    // True when no notice has come of the name (cp1250) in the folder since
    // the folder began to be watched, and the folder still counts as watched.
    bool Unchanged(int folder, std::string_view name) const;

private:
    struct Folder {
        std::string Path;
        int Descriptor = -1;
        FileStatus Identity;
        // Not watched, or no longer: moved, removed, notices missed.
        bool Lost = false;
        // The names changed, as NameKey gives them.
        std::unordered_set<std::u16string> Changed;
    };
    Folder* FolderOf(int descriptor);
    // The new watch of folder, its identity noted; -1 when not watched.
    int StartWatching(Folder& folder);
    void LoseEverything();

    int m_notices = -1;
    std::vector<Folder> m_folders;
    // The folder found last: a school's reports mostly share one.
    int m_last = -1;
};

// True when a file read as status, with the path's last step no link,
// can only change under its name in its folder.
inline bool WatchableFile(const FileStatus& status, bool throughLink) {
    return !throughLink && status.Links == 1;
}

} // namespace notarion
