#include "reports/ParsedReports.h"

#include "xml/XmlDocument.h"

#include <limits>

namespace notarion {

std::size_t DocumentBytes(const XmlDocument& document) {
    return sizeof(XmlDocument) + document.HeldBytes();
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

int ParsedReports::WatchedFolder(const std::string& path, const FileStatus& identity,
                                 bool readThroughLink) {
    const std::size_t slash = path.rfind(PathSeparator);
    if (!WatchableFile(identity, readThroughLink) || slash == std::string::npos || slash == 0)
        return -1;
    if (!m_watch)
        m_watch = std::make_unique<FolderWatch>();
    bool started = false;
    const int folder = m_watch->Watch(std::string_view(path).substr(0, slash), &started);
    // A file read before its folder was watched may have changed unnoticed
    // in between: it is looked at once more now.
    if (folder < 0 || (started && StatusOfFile(path) != identity))
        return -1;
    return folder;
}

KeptReport ParsedReports::Keep(const std::string& path, const FileStatus& identity,
                               std::unique_ptr<XmlDocument> document, bool readThroughLink) {
    if (!document)
        return NotKept;
    const std::size_t bytes = DocumentBytes(*document);
    if (bytes > m_budget - m_held || m_entries.size() >= std::numeric_limits<KeptReport>::max())
        return NotKept;
    m_held += bytes;
    ++m_count;
    const int folder = WatchedFolder(path, identity, readThroughLink);
    m_entries.push_back({path, identity, std::move(document), bytes, folder});
    return static_cast<KeptReport>(m_entries.size());
}

bool ParsedReports::StillTheFileRead(const std::string& path, const Entry& entry) {
    if (entry.Folder < 0)
        return StatusOfFile(path) == entry.Identity;
    const auto folder = static_cast<std::size_t>(entry.Folder);
    m_watch->Update();
    if (m_inRound && folder >= m_folderChecked.size())
        m_folderChecked.resize(folder + 1, false);
    if (!m_inRound || !m_folderChecked[folder]) {
        m_watch->CheckPath(entry.Folder);
        if (m_inRound)
            m_folderChecked[folder] = true;
    }
    return m_watch->Unchanged(entry.Folder,
                              std::string_view(path).substr(path.rfind(PathSeparator) + 1));
}

ParsedReports::TakingRound::TakingRound(ParsedReports& parsed) : m_parsed(parsed) {
    m_parsed.m_inRound = true;
    m_parsed.m_folderChecked.assign(m_parsed.m_watch ? m_parsed.m_watch->FolderCount() : 0, false);
}

ParsedReports::TakingRound::~TakingRound() {
    m_parsed.m_inRound = false;
}

std::unique_ptr<XmlDocument> ParsedReports::Take(KeptReport where, const std::string& path) {
    if (where == NotKept || where > m_entries.size())
        return nullptr;
    Entry& entry = m_entries[where - 1];
    if (!entry.Document || entry.Path != path)
        return nullptr;
    std::unique_ptr<XmlDocument> document = std::move(entry.Document);
    m_held -= entry.Bytes;
    --m_count;
    if (!StillTheFileRead(path, entry))
        return nullptr;
    return document;
}

void ParsedReports::Reserve(std::size_t count) {
    m_entries.reserve(count);
}

void ParsedReports::Clear() {
    m_entries.clear();
    m_count = 0;
    m_held = 0;
    m_watch.reset();
    m_folderChecked.clear();
}

} // namespace notarion
