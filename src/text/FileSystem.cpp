#include "text/FileSystem.h"

#include "text/Cp1250.h"
#include "text/Failure.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace fs = std::filesystem;

fs::path PathFromText(std::string_view cp1250Path) {
    return fs::path(Cp1250ToUtf8(cp1250Path));
}

std::string TextFromPath(const fs::path& path) {
    return Utf8ToCp1250(path.string());
}

bool FileExists(std::string_view path) {
    std::error_code error;
    const auto status = fs::status(PathFromText(path), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

bool DirectoryExists(std::string_view path) {
    std::error_code error;
    return fs::is_directory(PathFromText(path), error);
}

bool CreateSingleDirectory(std::string_view path) {
    const std::string native = PathFromText(path).string();
    return ::mkdir(native.c_str(), 0777) == 0;
}

bool RemoveEmptyDirectory(std::string_view path) {
    const std::string native = PathFromText(path).string();
    return ::rmdir(native.c_str()) == 0;
}

std::string ReadWholeFile(std::string_view path) {
    const std::string native = PathFromText(path).string();
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Failure("cannot open " + native + ": " + std::strerror(errno));
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            throw Failure("cannot read " + native + ": " + std::strerror(saved));
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

void WriteWholeFile(std::string_view path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    const fs::path target = PathFromText(path);
    fs::path temporary = target;
    temporary += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const std::string native = temporary.string();
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw Failure("cannot create " + target.string() + ": " + std::strerror(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            const int saved = errno;
            ::close(fd);
            ::unlink(native.c_str());
            throw Failure("cannot write " + target.string() + ": " + std::strerror(saved));
        }
        done += static_cast<std::size_t>(put);
    }
    if (::close(fd) != 0 || std::rename(native.c_str(), target.string().c_str()) != 0) {
        const int saved = errno;
        ::unlink(native.c_str());
        throw Failure("cannot write " + target.string() + ": " + std::strerror(saved));
    }
}

std::vector<std::string> ListFileNames(std::string_view folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(PathFromText(folder), error);
    if (error)
        return names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        std::error_code statusError;
        // is_regular_file follows links, so a link to a file counts as a file;
        // devices and named pipes are left out, since opening one could block.
        if (fs::is_regular_file(it->path(), statusError))
            names.push_back(TextFromPath(it->path().filename()));
    }
    return names;
}

std::string FolderOf(std::string_view path) {
    const auto slash = path.find_last_of(PathSeparator);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

} // namespace notarion
