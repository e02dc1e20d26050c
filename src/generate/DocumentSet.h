#pragma once

// The document set of the classification council: nine protocol documents,
// one per report kind, and five student-list documents, written into the
// output folder in a fixed order; and the preview file of a single report.
//
// Generation reads every report again from its path. A report that cannot be
// read, a damaged count or a document that cannot be written stops the set at
// once; each document is written whole or not at all.

#include "generate/GenerationState.h"
#include "text/Result.h"

#include <array>
#include <string>
#include <string_view>

namespace notarion {

struct ReportCatalogue;
class KindList;

// One document of the set. Texts are cp1250.
struct DocumentInfo {
    // The file name inside the output folder, without a separator.
    std::string FileName;
    // The centred heading of the document; empty for the head teacher's
    // document, whose sections carry their own heading.
    std::string Title;
    // The report kind of a protocol document; empty for a list document.
    std::string Kind;
};

inline constexpr int DocumentCount = 14;
inline constexpr int ProtocolDocumentCount = 9;

// The fourteen documents in the order they are written: the nine protocol
// documents, then the five list documents.
const std::array<DocumentInfo, DocumentCount>& DocumentTable();

// The file name (without a separator) of the viewer's document option 0 to
// 13; the empty text for any other option.
std::string DocumentFileForOption(int option);

// The title under which the option chooser lists option 0 to 13 (cp1250);
// the empty text for any other option.
std::string DocumentTitleForOption(int option);

// The path of a file name inside a folder: folder, separator, name.
std::string DocumentPath(const std::string& folder, std::string_view fileName);

// Empty the five student lists and the list buffer.
void ClearAccumulators(GenerationState& state);

// Write one protocol document at path: the page frame, the title (none when
// title is empty) and, in catalogue order, the ForSet section of every entry
// whose kind equals kind exactly. Throws Failure when a section fails or the
// file cannot be written; nothing is saved then.
void WriteProtocolDocument(GenerationState& state, const ReportCatalogue& catalogue,
                           std::string_view kind, std::string_view title, const std::string& path);

// Clear the accumulators, then write the nine protocol documents into
// outputFolder in table order. Stops at the first failure (nothing more is
// written) and returns its cause; shows no message.
Result<> GenerateProtocols(GenerationState& state, const ReportCatalogue& catalogue,
                           const std::string& outputFolder);

// Write the five list documents from the accumulators into outputFolder.
// Stops at the first failure and returns its cause; shows no message.
Result<> GenerateLists(GenerationState& state, const std::string& outputFolder);

// Write the page of the set's figures (SummariseSet) as SummaryFileName into
// outputFolder, beside the fourteen documents. The cause of a failure is
// returned; shows no message.
Result<> GenerateSummary(GenerationState& state, const ReportCatalogue& catalogue,
                         const std::string& outputFolder);

// Append to the preview buffer the ForPreview section of the report whose
// title is the list's line at listPosition. Throws Failure when no catalogue
// entry has that title or the section fails.
void WritePreviewSection(GenerationState& state, const ReportCatalogue& catalogue,
                         const KindList& list, int listPosition);

// Build the preview page of the report at listPosition and save it as
// tempFolder + "Temp.htm" (tempFolder ends with a separator). Returns the
// cause of any failure; a window shows it after PreviewFailureMessage()
// (MessageWithCause).
Result<> WritePreviewFile(GenerationState& state, const ReportCatalogue& catalogue,
                          const KindList& list, int listPosition, const std::string& tempFolder);

// The same two steps for the catalogue entry at entryIndex itself, for callers
// that already know the entry (a list showing one title twice, the command
// line). They fail the same way for an index outside the catalogue.
void WritePreviewSectionOfEntry(GenerationState& state, const ReportCatalogue& catalogue,
                                int entryIndex);
Result<> WritePreviewFileOfEntry(GenerationState& state, const ReportCatalogue& catalogue,
                                 int entryIndex, const std::string& tempFolder);

// The name of the preview file inside the temporary folder.
inline constexpr std::string_view PreviewFileName = "Temp.htm";

// The message of a failed preview: two lines separated by a carriage return.
const std::u16string& PreviewFailureMessage();
// The message shown when GenerateProtocols fails.
const std::u16string& ProtocolsFailureMessage();
// The message shown when GenerateLists fails.
const std::u16string& ListsFailureMessage();

// The message shown when GenerateSummary fails.
const std::u16string& SummaryFailureMessage();

// The cause of a failed step in Polish, lines separated by a carriage return:
// the report file and its element with what is wrong with its value, the
// report file that cannot be read, or the document that cannot be written
// with the system's reason.
// The empty text when the cause is unknown.
std::u16string FailureCauseMessage(const FailureCause& cause);

// A step's message followed, on the next lines, by FailureCauseMessage of
// the cause; the message alone when the cause is unknown.
std::u16string MessageWithCause(const std::u16string& message, const FailureCause& cause);

// The report file a failed step names, which the report editor can mend:
// the cause's file when the cause lies in a report; empty when the cause is
// unknown or a document could not be written.
std::string ReportFileOf(const FailureCause& cause);

} // namespace notarion
