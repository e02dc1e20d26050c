// The atomic write reaches the disk: the POSIX side, which counts the
// program's own calls of fsync.

#include "system/AtomicFile.h"
#include "text/Cp1250.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Every fsync of this test program is noted (which file or folder), then
// passed on to the system's own.
struct Synced {
    ino_t Inode;
    bool Folder;
};
std::vector<Synced> g_synced;

} // namespace

extern "C" int fsync(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) == 0)
        g_synced.push_back({info.st_ino, S_ISDIR(info.st_mode)});
    using Real = int (*)(int);
    static const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "fsync"));
    return real(fd);
}

namespace notarion {
namespace {

namespace fs = std::filesystem;

ino_t InodeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

TEST(DurableWrite, ASaveIsOnTheDiskFileFirstThenItsFolder) {
    const testing::TempFolder temp;
    const fs::path& folder = temp.Path();
    for (const NamedBy namedBy : {NamedBy::User, NamedBy::Program})
        for (const char* content : {"pierwsza", "druga"}) {
            g_synced.clear();
            WriteWholeFile(Utf8ToCp1250((folder / "lista.xmp").string()), content, namedBy);
            ASSERT_EQ(g_synced.size(), 2u) << content;
            EXPECT_EQ(g_synced[0].Inode, InodeOf(folder / "lista.xmp"));
            EXPECT_FALSE(g_synced[0].Folder);
            // The folder's flush comes last, after the new name is in place.
            EXPECT_EQ(g_synced[1].Inode, InodeOf(folder));
            EXPECT_TRUE(g_synced[1].Folder);
        }
}

} // namespace
} // namespace notarion
