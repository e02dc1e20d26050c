#include "reports/ParsedReports.h"

#include "xml/XmlDocument.h"

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

void ParsedReports::Keep(const std::string& path, const FileStatus& identity,
                         std::unique_ptr<XmlDocument> document) {
    if (!document)
        return;
    const std::size_t bytes = DocumentBytes(*document);
    if (bytes > m_budget - m_held)
        return;
    // One look-up: a path already held keeps its first document.
    if (m_entries.try_emplace(path, Entry{identity, std::move(document), bytes}).second)
        m_held += bytes;
}

std::unique_ptr<XmlDocument> ParsedReports::Take(const std::string& path) {
    const auto found = m_entries.find(path);
    if (found == m_entries.end())
        return nullptr;
    Entry entry = std::move(found->second);
    m_entries.erase(found);
    m_held -= entry.Bytes;
    if (StatusOfFile(path) != entry.Identity)
        return nullptr;
    return std::move(entry.Document);
}

void ParsedReports::Clear() {
    m_entries.clear();
    m_held = 0;
}

} // namespace notarion
