#pragma once

// The report catalogue: the ordered set of loaded reports from which the list
// editor shows one kind at a time and from which the documents are written.
//
// The catalogue knows no widgets. The list editor's list is reached through
// KindList, which the windows implement over their list control and tests
// implement over a vector.

#include "reports/MessageSink.h"
#include "reports/ParsedReports.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

class XmlDocument;

// One loaded report. The texts are cp1250.
struct ReportEntry {
    std::string Title;
    std::string Path;
    std::string Kind;
    // Where the catalogue's parse of the report is kept for its writer; no
    // part of what the entry is.
    KeptReport Kept = NotKept;
    bool operator==(const ReportEntry& other) const {
        return Title == other.Title && Path == other.Path && Kind == other.Kind;
    }
};

// The ordered slots and Count, the number of entries in use. After every
// operation of this module Count equals the number of slots.
struct ReportCatalogue {
    std::vector<ReportEntry> Slots;
    int Count = 0;
    // The reports parsed while the entries were loaded, until a writer takes
    // them. Taking one leaves the entries as they are, so the writers may
    // take from a catalogue they only read.
    mutable ParsedReports Parsed;
    // Drop every slot and set Count to 0. Cannot fail.
    void Clear();
};

// What the catalogue needs of a list that shows the titles of one kind.
class KindList {
public:
    virtual ~KindList() = default;
    // Remove every item.
    virtual void ClearItems() = 0;
    // Append an item showing the cp1250 title.
    virtual void AddItem(const std::string& title) = 0;
    // The number of items shown.
    virtual int ItemCount() const = 0;
    // The text of the item at a position, or the empty text outside the list.
    virtual std::string ItemText(int position) const = 0;
    // Select the first item and, when its window is visible, give the list the keyboard focus.
    virtual void SelectFirstItem() = 0;
};

// What joins the kind text and the pieces of a title.
inline constexpr std::string_view TitleSeparator = " - ";

// The title of a loaded report: the pieces of its kind joined by " - ", the
// kind text first; the empty text for a kind that is none of the nine.
std::string ComposeTitle(const std::string& kind, XmlDocument& document);

// The class a report names, as its title shows it; the empty text for a kind
// whose title has no class (a subject, an activity, a teacher) or that is
// none of the nine.
std::string ReportClass(const std::string& kind, const XmlDocument& document);

// Build a new catalogue from the paths, in order, then order it by kind. The
// path of the first file that cannot be opened or read, with the catalogue
// left empty; none on success. A file that is merely damaged XML is no
// failure: it yields what was read before the damage.
std::optional<std::string> BuildCatalogue(ReportCatalogue& catalogue,
                                          const std::vector<std::string>& foundReportFiles);

// BuildCatalogue, showing the failure.
// A file that cannot be opened or read shows "Plik: <path> jest uszkodzony.\rNapraw plik."
// through showWarning, leaves the catalogue empty and returns false. A file
// that is merely damaged XML is no failure: it yields what was read before the damage.
bool LoadCatalogue(ReportCatalogue& catalogue, const std::vector<std::string>& foundReportFiles,
                   const MessageSink& showWarning);

// Load every path and add its entry after all existing slots, without
// ordering. Throws ReportFileError naming the first file that cannot be opened
// or read; the entries appended before it stay and Count equals the slots.
void AppendToCatalogue(ReportCatalogue& catalogue,
                       const std::vector<std::string>& foundReportFiles);

// Reorder by kind (stable within a kind); entries of no known kind are dropped
// and the last slots become empty entries. Count is unchanged.
void OrderByKind(ReportCatalogue& catalogue);

// Empty the list, add the titles of the entries of KindText(kindIndex) in
// catalogue order, and select the first when there is one. An index outside
// 0 to 8 leaves the list empty (empty slots are never listed).
void FillKindList(const ReportCatalogue& catalogue, KindList& list, int kindIndex);

// The index of the first entry among the first Count whose title equals the
// text of the list's line; -1 when none does or the line is outside the list.
int CatalogueIndexOf(const ReportCatalogue& catalogue, const KindList& list, int lineIndex);
// The catalogue index of the report that a list line stands for. The list
// shows the entries of one kind in catalogue order, so the n-th line of a
// title stands for the n-th entry of that title; looking up only the first
// entry of a title would let a line of a repeated title act on another
// line's report. When the list has more lines of a title than the catalogue
// has entries, the first entry; -1 when none carries the title or the line
// is outside the list.
int CatalogueEntryOfLine(const ReportCatalogue& catalogue, const KindList& list, int line);
// The index of the first entry among the first Count with exactly this
// title; -1 when none has it.
int CatalogueIndexOfTitle(const ReportCatalogue& catalogue, const std::string& title);

// Take the entry at from out and put it at to. Nothing moves when either
// index is outside the slots.
void MoveEntry(ReportCatalogue& catalogue, int from, int to);

// Remove the entry at index; Count becomes the number of slots. Nothing
// happens for an index outside the slots.
void RemoveEntry(ReportCatalogue& catalogue, int index);

// Take out the entries from index from on whose kind is none of the nine
// (an XML file that is no report); their paths, in order. Count becomes the
// number of slots.
std::vector<std::string> TakeOutUnknownKinds(ReportCatalogue& catalogue, std::size_t from);

// The message naming a file that is no report of any known kind.
std::u16string NotAReportMessage(const std::string& path);

// Read the report file at path again and give every entry of that path the
// kind and title the file holds now, as loading composes them (a report
// mended elsewhere shows its new title). Returns how many entries changed;
// other entries stay. Throws ReportFileError when the file cannot be read,
// with the entries left as they were.
int RefreshEntriesOf(ReportCatalogue& catalogue, const std::string& path);

// The text of the message that names a report file that cannot be read:
// "Plik: <path> jest uszkodzony.", a carriage return, "Napraw plik.".
std::u16string DamagedFileMessage(const std::string& path);

} // namespace notarion
