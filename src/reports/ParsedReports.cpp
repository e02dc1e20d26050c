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

KeptReport ParsedReports::Keep(const std::string& path, const FileStatus& identity,
                               std::unique_ptr<XmlDocument> document) {
    if (!document)
        return NotKept;
    const std::size_t bytes = DocumentBytes(*document);
    if (bytes > m_budget - m_held || m_entries.size() >= std::numeric_limits<KeptReport>::max())
        return NotKept;
    m_held += bytes;
    ++m_count;
    m_entries.push_back({path, identity, std::move(document), bytes});
    return static_cast<KeptReport>(m_entries.size());
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
    if (StatusOfFile(path) != entry.Identity)
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
}

} // namespace notarion
