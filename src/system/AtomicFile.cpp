#include "system/AtomicFile.h"
#include "system/AtomicFileParts.h"

namespace notarion {
namespace fs = std::filesystem;

namespace {

// As many links in a row as the kernel itself follows before giving up.
constexpr int MaxLinkHops = 40;

constexpr std::size_t RandomDigits = 16;

NativeNameView Ending() {
    static constexpr NativeName::value_type ending[] = {'.', 't', 'm', 'p', 0};
    return ending;
}

} // namespace

NativeName TemporaryNameFor(NativeNameView target, std::uint64_t random) {
    static constexpr char Digits[] = "0123456789abcdef";
    NativeName name(1, '.');
    name.append(target);
    name.push_back('.');
    for (std::size_t digit = 0; digit < RandomDigits; ++digit, random >>= 4)
        name.push_back(static_cast<NativeName::value_type>(Digits[random & 15]));
    name.append(Ending());
    return name;
}

bool IsTemporaryNameFor(NativeNameView name, NativeNameView target) {
    const std::size_t size = 1 + target.size() + 1 + RandomDigits + Ending().size();
    if (name.size() != size || name.front() != '.' || name.substr(1, target.size()) != target ||
        name[1 + target.size()] != '.' || !name.ends_with(Ending()))
        return false;
    for (const auto c : name.substr(2 + target.size(), RandomDigits))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

std::optional<fs::path> FollowLinks(fs::path path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)) || error)
            return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

void WriteWholeFile(std::string_view path, std::string_view bytes, NamedBy namedBy) {
    AtomicFileWriter writer(path, namedBy);
    writer.Append(bytes);
    writer.Commit();
}

} // namespace notarion
