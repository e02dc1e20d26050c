#pragma once

// The protocol section of one report. Each of the nine report kinds has a
// writer that reads the report and appends its section:
// opening lines, a left-aligned paragraph with header label lines, the body
// of the kind, and the closing paragraph tag. The same writer serves the
// protocol document of its kind (ForSet) and the preview of one report
// (ForPreview); the mode changes only the opening lines.

#include "generate/GenerationState.h"
#include "reports/ReportKind.h"

#include <memory>
#include <string>
#include <string_view>

namespace notarion {

struct ReportCatalogue;
class ReportReader;
class XmlDocument;

enum class SectionMode { ForSet = 0, ForPreview = 1 };

// Append the section of a loaded report of kind to target, reading its values
// through report (the class and behaviour sections also feed the student
// lists of state). With a stopping reader a bad count throws Failure carrying
// its cause; the lines appended before it stay in target.
void WriteReportSection(ReportKind kind, SectionMode mode, ReportReader& report, HtmlBuffer& target,
                        GenerationState& state);

// Load the report of the catalogue entry at index from its file and append
// its section as kind. Throws Failure when the index names no entry, when
// the file exists but cannot be read (an UnreadableFile cause naming it), or
// when a count is not a whole number or is above MaxLoopCount.
void WriteSection(ReportKind kind, SectionMode mode, const ReportCatalogue& catalogue, int index,
                  HtmlBuffer& target, GenerationState& state);

// The report of the catalogue entry at index: the catalogue's own parse when
// the file is unchanged since, else the file read again (a damaged file
// yields what could be read). Throws Failure when the index names no entry or
// when the file exists but cannot be read (an UnreadableFile cause naming it).
std::unique_ptr<XmlDocument> LoadEntryReport(const ReportCatalogue& catalogue, int index);

// The kind whose section a kind text gets, compared exactly: its own, and
// the other-information section for a text that is none of the nine kinds.
ReportKind SectionKindOf(std::string_view kind);

} // namespace notarion
