#include "reports/ReportCatalogue.h"

#include "reports/ReportFileError.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>

namespace notarion {
namespace {

// The text of one piece of a title, cut to the piece's length.
std::string PieceText(const TitlePiece& piece, const XmlDocument& document) {
    std::string text = ReadReportText(document, piece.Element);
    if (piece.MaxLength != 0 && text.size() > piece.MaxLength)
        text.resize(piece.MaxLength);
    return text;
}

// The number of slots that loops may visit: Count, never beyond the slots.
std::size_t EntriesInUse(const ReportCatalogue& catalogue) {
    if (catalogue.Count <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(catalogue.Count), catalogue.Slots.size());
}

bool InSlots(const ReportCatalogue& catalogue, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < catalogue.Slots.size();
}

// Read one report into an entry and offer the parsed report to parsed, for
// its writer. A file that is not well-formed XML is no error: the document
// keeps what was read before the damage and missing values read as empty
// text. Only a file that exists but cannot be opened or read throws, as
// ReportFileError naming the path.
ReportEntry LoadReport(ParsedReports& parsed, const std::string& path) {
    // The identity is that of the very file read, taken from the open file
    // before reading: a change during the read then makes the kept document
    // stale rather than passing for current, and no second look at the path
    // is needed.
    std::optional<FileStatus> identity;
    auto document = std::make_unique<XmlDocument>();
    try {
        // One buffer serves every report read on this thread; room that
        // only a very large file needed is given back at once.
        thread_local std::string buffer;
        struct GiveBackLargeRoom {
            ~GiveBackLargeRoom() {
                if (buffer.capacity() > (std::size_t{1} << 20))
                    std::string().swap(buffer);
            }
        } giveBack;
        // As XmlDocument::LoadFromFile: nothing found or an empty file is an
        // empty document.
        FileStatus status;
        if (ReadFileIfPresent(path, buffer, &status)) {
            identity = status;
            if (!buffer.empty())
                document->LoadFromBytes(buffer);
        }
    } catch (const std::exception&) {
        // Anything that stops the file from being read (no permission, a
        // folder in its place, a file too large for memory) is the same
        // "damaged file" to the user.
        throw ReportFileError(path);
    }
    ReportEntry entry;
    entry.Kind = ReadReportText(*document, "Doc");
    entry.Title = ComposeTitle(entry.Kind, *document);
    entry.Path = path;
    // A report of no known kind never reaches a writer.
    if (identity && KindOf(entry.Kind))
        entry.Kept = parsed.Keep(path, *identity, std::move(document));
    return entry;
}

} // namespace

void ReportCatalogue::Clear() {
    Slots.clear();
    Count = 0;
    Parsed.Clear();
}

std::string ComposeTitle(const std::string& kind, XmlDocument& document) {
    const std::optional<ReportKind> known = KindOf(kind);
    if (!known)
        return {};
    std::string title = kind;
    for (const TitlePiece& piece : Info(*known).TitlePieces) {
        if (piece.Element.empty())
            break;
        title += TitleSeparator;
        title += PieceText(piece, document);
    }
    return title;
}

std::string ReportClass(const std::string& kind, const XmlDocument& document) {
    const std::optional<ReportKind> known = KindOf(kind);
    if (!known)
        return {};
    for (const TitlePiece& piece : Info(*known).TitlePieces) {
        if (piece.Element == "Klasa")
            return PieceText(piece, document);
    }
    return {};
}

std::optional<std::string> BuildCatalogue(ReportCatalogue& catalogue,
                                          const std::vector<std::string>& foundReportFiles) {
    ParsedReports parsed;
    parsed.Reserve(foundReportFiles.size());
    std::vector<ReportEntry> loaded;
    loaded.reserve(foundReportFiles.size());
    try {
        for (const std::string& path : foundReportFiles)
            loaded.push_back(LoadReport(parsed, path));
    } catch (const ReportFileError& error) {
        // A half-built catalogue would show some reports of the folder and
        // silently leave out the rest; an empty one makes the user mend the
        // file and load the folder again.
        catalogue.Clear();
        return error.Path();
    }
    catalogue.Slots = std::move(loaded);
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
    catalogue.Parsed = std::move(parsed);
    OrderByKind(catalogue);
    return std::nullopt;
}

bool LoadCatalogue(ReportCatalogue& catalogue, const std::vector<std::string>& foundReportFiles,
                   const MessageSink& showWarning) {
    const std::optional<std::string> failed = BuildCatalogue(catalogue, foundReportFiles);
    if (failed && showWarning)
        showWarning(ModeClose, IconInfo, DamagedFileMessage(*failed));
    return !failed;
}

void AppendToCatalogue(ReportCatalogue& catalogue,
                       const std::vector<std::string>& foundReportFiles) {
    catalogue.Slots.reserve(catalogue.Slots.size() + foundReportFiles.size());
    try {
        for (const std::string& path : foundReportFiles)
            catalogue.Slots.push_back(LoadReport(catalogue.Parsed, path));
    } catch (...) {
        // The entries appended before the failing file stay, and stay in view.
        catalogue.Count = static_cast<int>(catalogue.Slots.size());
        throw;
    }
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
}

void OrderByKind(ReportCatalogue& catalogue) {
    // The new array has as many slots as the old; entries of no known kind
    // are not copied, so the last slots stay empty entries.
    // An entry matches one kind only, so it is moved, never needed again;
    // its kind is emptied so that it can match no later one.
    std::vector<ReportEntry> ordered(catalogue.Slots.size());
    std::size_t next = 0;
    for (const std::string& kind : KindsInCatalogueOrder()) {
        for (ReportEntry& entry : catalogue.Slots) {
            if (entry.Kind != kind)
                continue;
            ordered[next++] = std::move(entry);
            entry.Kind.clear();
        }
    }
    catalogue.Slots = std::move(ordered);
}

void FillKindList(const ReportCatalogue& catalogue, KindList& list, int kindIndex) {
    list.ClearItems();
    // Only the nine kinds are ever listed: an index outside them would
    // otherwise list the empty slots left by the ordering as blank lines.
    if (kindIndex < 0 || kindIndex >= ReportKindCount)
        return;
    const std::string kind = KindText(kindIndex);
    const std::size_t inUse = EntriesInUse(catalogue);
    for (std::size_t i = 0; i < inUse; ++i)
        if (catalogue.Slots[i].Kind == kind)
            list.AddItem(catalogue.Slots[i].Title);
    if (list.ItemCount() > 0)
        list.SelectFirstItem();
}

int CatalogueIndexOf(const ReportCatalogue& catalogue, const KindList& list, int lineIndex) {
    // A line that is not in the list has no entry, even though its text reads
    // as empty and an empty slot has an empty title.
    if (lineIndex < 0 || lineIndex >= list.ItemCount())
        return -1;
    return CatalogueIndexOfTitle(catalogue, list.ItemText(lineIndex));
}

int CatalogueIndexOfTitle(const ReportCatalogue& catalogue, const std::string& title) {
    const std::size_t inUse = EntriesInUse(catalogue);
    for (std::size_t i = 0; i < inUse; ++i)
        if (catalogue.Slots[i].Title == title)
            return static_cast<int>(i);
    return -1;
}

int CatalogueEntryOfLine(const ReportCatalogue& catalogue, const KindList& list, int line) {
    if (line < 0 || line >= list.ItemCount())
        return -1;
    const std::string title = list.ItemText(line);
    int earlierLines = 0;
    for (int i = 0; i < line; ++i)
        if (list.ItemText(i) == title)
            ++earlierLines;
    const std::size_t inUse = EntriesInUse(catalogue);
    for (std::size_t i = 0; i < inUse; ++i)
        if (catalogue.Slots[i].Title == title && earlierLines-- == 0)
            return static_cast<int>(i);
    // More lines than entries of that title: the list is out of step with
    // the catalogue, and the first entry is the best guess.
    return CatalogueIndexOf(catalogue, list, line);
}

void MoveEntry(ReportCatalogue& catalogue, int from, int to) {
    if (!InSlots(catalogue, from) || !InSlots(catalogue, to) || from == to)
        return;
    const auto first = catalogue.Slots.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

void RemoveEntry(ReportCatalogue& catalogue, int index) {
    if (!InSlots(catalogue, index))
        return;
    catalogue.Slots.erase(catalogue.Slots.begin() + index);
    catalogue.Count = static_cast<int>(catalogue.Slots.size());
}

std::vector<std::string> TakeOutUnknownKinds(ReportCatalogue& catalogue, std::size_t from) {
    std::vector<std::string> taken;
    std::vector<ReportEntry>& slots = catalogue.Slots;
    const auto first = slots.begin() + static_cast<std::ptrdiff_t>(std::min(from, slots.size()));
    const auto kept = std::stable_partition(
        first, slots.end(), [](const ReportEntry& entry) { return KindIndex(entry.Kind) >= 0; });
    for (auto entry = kept; entry != slots.end(); ++entry)
        taken.push_back(entry->Path);
    slots.erase(kept, slots.end());
    catalogue.Count = static_cast<int>(slots.size());
    return taken;
}

std::u16string NotAReportMessage(const std::string& path) {
    return u"Plik: " + Cp1250ToUtf16(path) +
           u" nie jest sprawozdaniem żadnego ze znanych rodzajów.\rNie dodano go do listy.";
}

int RefreshEntriesOf(ReportCatalogue& catalogue, const std::string& path) {
    const ReportEntry fresh = LoadReport(catalogue.Parsed, path);
    int changed = 0;
    for (ReportEntry& entry : catalogue.Slots) {
        if (entry.Path == path && entry != fresh) {
            entry = fresh;
            ++changed;
        }
    }
    return changed;
}

std::u16string DamagedFileMessage(const std::string& path) {
    return u"Plik: " + Cp1250ToUtf16(path) + u" jest uszkodzony.\rNapraw plik.";
}

} // namespace notarion
