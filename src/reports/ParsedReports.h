#pragma once

// Reports parsed while the catalogue is built, kept for the writers of the
// documents so that one road reads and parses every report once. A kept
// document is handed out only while its file is the very file that was read:
// same device and inode, size, and modification and status-change times to
// the nanosecond. A report edited, replaced, removed or made unreadable after
// loading is therefore read afresh by its writer, exactly as without keeping.
// The documents held are bounded by an estimate of their memory, so a school
// of any size never holds more than the budget; the reports past it are read
// again as before.

#include "text/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace notarion {

class XmlDocument;

// The heap memory a document holds: the document and the blocks of its tree.
std::size_t DocumentBytes(const XmlDocument& document);

class ParsedReports {
public:
    // Enough for thousands of reports, little next to the memory of a
    // machine that keeps thousands of report files.
    static constexpr std::size_t DefaultBudget = std::size_t{256} << 20;

    ParsedReports();
    explicit ParsedReports(std::size_t budget);
    ~ParsedReports();
    // A copy keeps nothing: the documents are an economy of one road, not
    // part of what is copied.
    ParsedReports(const ParsedReports& other);
    ParsedReports& operator=(const ParsedReports& other);
    ParsedReports(ParsedReports&&) noexcept;
    ParsedReports& operator=(ParsedReports&&) noexcept;

    // Keep the document read from path, whose file had identity just before
    // it was read. Not kept when a document of path is already held or when
    // it would take the held memory past the budget.
    void Keep(const std::string& path, const FileStatus& identity,
              std::unique_ptr<XmlDocument> document);
    // The kept document of path while the file keeps the identity it had
    // when read; nullptr otherwise. The document is no longer held either way.
    std::unique_ptr<XmlDocument> Take(const std::string& path);
    void Clear();
    // Room for count documents, so that keeping a school's reports never
    // rearranges the ones already kept.
    void Reserve(std::size_t count) { m_entries.reserve(count); }

    std::size_t Count() const { return m_entries.size(); }
    std::size_t HeldBytes() const { return m_held; }

private:
    struct Entry {
        FileStatus Identity;
        std::unique_ptr<XmlDocument> Document;
        std::size_t Bytes = 0;
    };

    std::unordered_map<std::string, Entry> m_entries;
    std::size_t m_budget = DefaultBudget;
    std::size_t m_held = 0;
};

} // namespace notarion
