#pragma once

// Bookmarks for a finished PDF file. Qt's PDF writer lays out pages but offers
// no outline, so the outline is added afterwards as an incremental update: the
// original bytes stay as they are, and new objects (the outline, its items and
// a catalogue that points at them), a cross-reference section and a trailer
// are appended. Every PDF reader applies such an update; it is the same
// mechanism that editors use to annotate a signed file.
//
// Only the structure that PDF writers of the classic form produce is read: a
// cross-reference table (not a stream) behind "startxref", a trailer
// dictionary, the catalogue and the page tree as plain objects.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// One bookmark: its title and the page it opens, counted from 0.
struct OutlineEntry {
    std::u16string Title;
    int Page = 0;
};

// How adding an outline ended.
enum class OutlineStatus {
    Done,
    // The bytes are not a PDF of the form read here (no trailer, no
    // cross-reference table, no catalogue or page tree where they point).
    Unreadable,
    // The file has an outline already; it is left as it was.
    HasOutline,
    // An entry names a page the file does not have.
    NoSuchPage,
};

// The result of AppendOutline: the status and, when it failed, what was
// being read or looked for.
struct OutlineResult {
    OutlineStatus Status = OutlineStatus::Done;
    std::string Detail;

    bool Ok() const { return Status == OutlineStatus::Done; }
};

// Append to pdf an outline with one top-level item per entry, in order, each
// opening its page fitted in the window; the reader is asked to show the
// outline on opening. With no entries nothing is appended. On any failure the
// bytes are left unchanged.
OutlineResult AppendOutline(std::string& pdf, const std::vector<OutlineEntry>& entries);

// A PDF file known by its two ends, for a file written as it is made and too
// large to keep: its first bytes (the header and the catalogue) and its last
// bytes from the start of an object on (the page tree, the cross-reference
// table and the trailer). An object between the two ends that the page tree
// names is taken for a page: the writer put the pages there.
struct PdfEnds {
    std::string_view Head;
    // Where Tail begins in the file; Tail runs to the file's end.
    std::uint64_t TailOffset = 0;
    std::string_view Tail;
};

// The bytes AppendOutline appends, for a file known by its ends; update is
// left empty on failure and when there are no entries.
OutlineResult OutlineUpdate(const PdfEnds& pdf, const std::vector<OutlineEntry>& entries,
                            std::string& update);

// The titles and page numbers (from 0) of the top-level outline items of a
// PDF in the form AppendOutline writes, following its latest catalogue;
// empty when there is no outline or the file cannot be read. Tests and
// checks of written files use it.
std::vector<OutlineEntry> ReadOutline(const std::string& pdf);

// The number of pages of the page tree, or -1 when it cannot be read.
int CountPdfPages(const std::string& pdf);

} // namespace notarion
