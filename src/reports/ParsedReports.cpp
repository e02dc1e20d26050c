#include "reports/ParsedReports.h"

#include "xml/XmlDocument.h"

#include <sys/stat.h>
#include <vector>

namespace notarion {

std::optional<FileIdentity> IdentityOfFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    FileIdentity identity;
    identity.Device = static_cast<std::uint64_t>(info.st_dev);
    identity.Inode = static_cast<std::uint64_t>(info.st_ino);
    identity.Size = static_cast<std::int64_t>(info.st_size);
    identity.ModifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    identity.ModifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    identity.ChangedSeconds = static_cast<std::int64_t>(info.st_ctim.tv_sec);
    identity.ChangedNanoseconds = static_cast<std::int64_t>(info.st_ctim.tv_nsec);
    return identity;
}

namespace {

// Heap bytes of a string beyond the object itself (none while it fits inline).
std::size_t StringBytes(const std::u16string& text) {
    constexpr std::size_t inlineCapacity = (sizeof(std::u16string) - 2 * sizeof(std::size_t)) / 2;
    return text.capacity() > inlineCapacity ? (text.capacity() + 1) * sizeof(char16_t) : 0;
}

std::size_t NodeBytes(const XmlNode& node) {
    std::size_t bytes = sizeof(XmlNode) + StringBytes(node.Name) + StringBytes(node.Value) +
                        StringBytes(node.CData) +
                        static_cast<std::size_t>(node.ChildCount()) * sizeof(void*);
    for (int i = 0; i < node.Attributes.Count(); ++i) {
        const XmlAttribute& attribute = *node.Attributes.At(i);
        bytes += sizeof(XmlAttribute) + StringBytes(attribute.Name) + StringBytes(attribute.Value);
    }
    return bytes;
}

} // namespace

std::size_t DocumentBytes(const XmlDocument& document) {
    std::size_t bytes = sizeof(XmlDocument);
    std::vector<const XmlNode*> pending{&document.Root};
    while (!pending.empty()) {
        const XmlNode* node = pending.back();
        pending.pop_back();
        bytes += NodeBytes(*node);
        for (int i = 0; i < node->ChildCount(); ++i)
            pending.push_back(node->ChildAt(i));
    }
    return bytes;
}

ParsedReports::ParsedReports() = default;
ParsedReports::ParsedReports(std::size_t budget) : m_budget(budget) {}
ParsedReports::~ParsedReports() = default;
ParsedReports::ParsedReports(const ParsedReports& other) : m_budget(other.m_budget) {}
ParsedReports::ParsedReports(ParsedReports&&) noexcept = default;
ParsedReports& ParsedReports::operator=(ParsedReports&&) noexcept = default;

ParsedReports& ParsedReports::operator=(const ParsedReports& other) {
    Clear();
    m_budget = other.m_budget;
    return *this;
}

void ParsedReports::Keep(const std::string& path, const FileIdentity& identity,
                         std::unique_ptr<XmlDocument> document) {
    if (!document || m_entries.contains(path))
        return;
    const std::size_t bytes = DocumentBytes(*document);
    if (bytes > m_budget - m_held)
        return;
    m_entries.emplace(path, Entry{identity, std::move(document), bytes});
    m_held += bytes;
}

std::unique_ptr<XmlDocument> ParsedReports::Take(const std::string& path) {
    const auto found = m_entries.find(path);
    if (found == m_entries.end())
        return nullptr;
    Entry entry = std::move(found->second);
    m_entries.erase(found);
    m_held -= entry.Bytes;
    if (IdentityOfFile(path) != entry.Identity)
        return nullptr;
    return std::move(entry.Document);
}

void ParsedReports::Clear() {
    m_entries.clear();
    m_held = 0;
}

} // namespace notarion
