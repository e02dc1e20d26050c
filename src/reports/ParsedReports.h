#pragma once

// Reports parsed while the catalogue is built, kept for the writers of the
// documents so that one road reads and parses every report once. A kept
// document is handed out only while its file is the very file that was read,
// so a report edited, replaced, removed or made unreadable after loading is
// read afresh by its writer, exactly as without keeping. How that is known:
// - for a file in a folder on a local disk, with one name and not reached
//   through a link, from the kernel's notices of the folder (FolderWatch):
//   no notice of its name, and the folder's path still leads to the folder;
// - for any other file, by looking at it again: same device and inode, size,
//   and modification and status-change times to the nanosecond.
// The documents held are bounded by an estimate of their memory, so a school
// of any size never holds more than the budget; the reports past it are read
// again as before.

#include "text/FileSystem.h"
#include "text/FolderWatch.h"

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
    // it was read; readThroughLink tells whether the path's last step was a
    // link (when not known, say so). Where it lies; NotKept when it would
    // take the held memory past the budget.
    KeptReport Keep(const std::string& path, const FileStatus& identity,
                    std::unique_ptr<XmlDocument> document, bool readThroughLink = true);
    // The document kept at where, when it was read from path and its file is
    // still the file read; nullptr otherwise. The document is no longer held
    // either way.
    std::unique_ptr<XmlDocument> Take(KeptReport where, const std::string& path);
    void Clear();

    // While a round lives, the path of each watched folder is looked at once,
    // at the first document taken from it; outside a round, at every one. A
    // set of documents is written in one round.
    class [[nodiscard]] TakingRound {
    public:
        explicit TakingRound(ParsedReports& parsed);
        ~TakingRound();
        TakingRound(const TakingRound&) = delete;
        TakingRound& operator=(const TakingRound&) = delete;

    private:
        ParsedReports& m_parsed;
    };

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
        // The watched folder of the file, or -1 when it is looked at again.
        int Folder = -1;
    };
    // The watched folder of path's file, or -1.
    int WatchedFolder(const std::string& path, const FileStatus& identity, bool readThroughLink);
    bool StillTheFileRead(const std::string& path, const Entry& entry);

    // In the order kept; a taken entry stays, emptied, so that where stays
    // true for the others.
    std::vector<Entry> m_entries;
    std::size_t m_count = 0;
    std::unique_ptr<FolderWatch> m_watch;
    bool m_inRound = false;
    // Per watched folder, whether its path was looked at in this round.
    std::vector<bool> m_folderChecked;
    std::size_t m_budget = DefaultBudget;
    std::size_t m_held = 0;
};

} // namespace notarion
