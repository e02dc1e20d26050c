#pragma once

// The protocol section of one report. Each of the nine report kinds has a
// writer that reads the report again from its file and appends its section:
// opening lines, a left-aligned paragraph with header label lines, the body
// of the kind, and the closing paragraph tag. The same writer serves the
// protocol document of its kind (ForSet) and the preview of one report
// (ForPreview); the mode changes only the opening lines.

#include "generate/GenerationState.h"

#include <string>
#include <string_view>

namespace notarion {

struct ReportCatalogue;
class XmlDocument;

enum class SectionMode { ForSet = 0, ForPreview = 1 };

// Every writer appends the section of the catalogue entry at index to target
// (the class and behaviour writers also feed the student lists of state). It
// throws Failure when the index names no entry, when the report file exists
// but cannot be read, or when a count is not a whole number (or is above
// MaxLoopCount); the lines appended before that stay in target.
using SectionWriter = void (*)(SectionMode mode, const ReportCatalogue& catalogue, int index,
                               HtmlBuffer& target, GenerationState& state);

// "Klasyfikacja klasy": attendance, distinguished and failing students.
void WriteClassSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                       HtmlBuffer& target, GenerationState& state);
// "Klasyfikacja klasy z zachowania": exemplary and lowered behaviour, remarks.
void WriteBehaviourSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                           HtmlBuffer& target, GenerationState& state);
// "Realizacja programu z przedmiotu nauczania".
void WriteSubjectSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                         HtmlBuffer& target, GenerationState& state);
// "Realizacja programu wychowawczego".
void WriteTutorSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                       HtmlBuffer& target, GenerationState& state);
// "Realizacja dodatkowych".
void WriteActivitySection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                          HtmlBuffer& target, GenerationState& state);
// "Uzasadnienie oceny niedostatecznej".
void WriteFailJustificationSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                                   HtmlBuffer& target, GenerationState& state);
// "Sprawozdanie dyrektora": carries its heading in both modes.
void WriteHeadTeacherSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                             HtmlBuffer& target, GenerationState& state);
// "Inne informacje".
void WriteOtherInfoSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                           HtmlBuffer& target, GenerationState& state);
// "Z karty".
void WriteCardHoursSection(SectionMode mode, const ReportCatalogue& catalogue, int index,
                           HtmlBuffer& target, GenerationState& state);

// The writer of a kind text, compared exactly; WriteOtherInfoSection for a
// text that is none of the nine kinds.
SectionWriter SectionWriterForKind(std::string_view kind);

} // namespace notarion
