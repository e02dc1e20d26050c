#pragma once

// Reports parsed while the catalogue is built, kept for the writers of the
// documents so that one road reads and parses every report once. A kept
// document is handed out only while its file is the very file that was read,
// so a report edited, replaced, removed or made unreadable after loading is
// read afresh by its writer, exactly as without keeping. That is known by
// looking at the file again: the same file (volume and identity), size, and
// modification and status-change times to the nanosecond. One look costs
// a few microseconds, next to the tens a report's road costs.
// The documents held are bounded by an estimate of their memory, so a school
// of any size never holds more than the budget; the reports past it are read
// again as before.

#include "system/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace notarion {

class XmlDocument;

// Where a kept document lies, given to the catalogue entry of its report so
// that its writer finds it without a search; NotKept for none.
using KeptReport = std::uint32_t;
inline constexpr KeptReport NotKept = 0;

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
    // it was read. Where it lies; NotKept when it would take the held memory
    // past the budget.
    KeptReport Keep(const std::string& path, const FileStatus& identity,
                    std::unique_ptr<XmlDocument> document);
    // The document kept at where, when it was read from path and its file is
    // still the file read; nullptr otherwise. The document is no longer held
    // either way.
    std::unique_ptr<XmlDocument> Take(KeptReport where, const std::string& path);
    void Clear();

    // Room for count documents, so that keeping a school's reports never
    // rearranges the ones already kept.
    void Reserve(std::size_t count);

    std::size_t Count() const { return m_count; }
    std::size_t HeldBytes() const { return m_held; }

private:
    struct Entry {
        std::string Path;
        FileStatus Identity;
        std::unique_ptr<XmlDocument> Document;
        std::size_t Bytes = 0;
    };

    // In the order kept; a taken entry stays, emptied, so that where stays
    // true for the others.
    std::vector<Entry> m_entries;
    std::size_t m_count = 0;
    std::size_t m_budget = DefaultBudget;
    std::size_t m_held = 0;
};

} // namespace notarion
