#include "cli/ReportCommands.h"

#include "cli/CommandError.h"
#include "cli/ReportJson.h"
#include "cli/ReportSource.h"
#include "cli/TerminalText.h"
#include "reports/ReportFormFile.h"
#include "system/FileSystem.h"
#include "text/Failure.h"

#include <cstdint>
#include <optional>
#include <ostream>

namespace notarion {
namespace {

FormRead ReadExisting(const std::string& path, std::string_view argument) {
    if (!FileExists(path))
        ThrowWorkFailed("Nie ma takiego pliku: " + OneLine(argument));
    try {
        return LoadReportForm(path);
    } catch (const Failure&) {
        ThrowWorkFailed("Nie można odczytać pliku: " + OneLine(argument));
    }
}

void WriteRow(PartShape shape, std::size_t number, const StudentRow& row, std::ostream& out) {
    out << "  " << number << ". " << OneLine(row.Name);
    for (const RowField& field : LayoutOf(shape).Fields)
        if (field.Value != RowValue::Name && field.Value != RowValue::Lines)
            out << " – " << field.Shown << OneLine(FieldText(row, field.Value));
    out << '\n';
    for (const std::string& line : row.Lines)
        out << "       " << OneLine(line) << '\n';
}

void WriteFormText(const ReportForm& form, std::ostream& out) {
    out << "Rodzaj: " << Info(form.Kind).Text << '\n';
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const FormPart& part = parts[i];
        const PartValue& value = form.Values[i];
        out << part.Label << " (" << part.Element << "): ";
        if (part.Shape == PartShape::Text) {
            out << OneLine(value.Text) << '\n';
            continue;
        }
        const std::size_t count =
            part.Shape == PartShape::Lines ? value.Lines.size() : value.Rows.size();
        out << count << '\n';
        for (const std::string& line : value.Lines)
            out << "  " << OneLine(line) << '\n';
        for (std::size_t r = 0; r < value.Rows.size(); ++r)
            WriteRow(part.Shape, r + 1, value.Rows[r], out);
    }
}

void SaveOrRefuse(const ReportForm& form, const std::string& path, std::string_view argument,
                  std::ostream& out, FileEncoding encoding = FileEncoding::Windows1250) {
    std::vector<SaveRefusal> refusals;
    try {
        refusals = SaveReportForm(form, path, encoding);
    } catch (const Failure& failure) {
        ThrowWorkFailed(UnwritableFileText(argument, failure.Cause()));
    }
    if (!refusals.empty()) {
        std::string message = "Nie zapisano pliku " + OneLine(argument) + ":";
        // A refused value (an average as typed) may hold anything.
        for (const SaveRefusal& refusal : refusals)
            message += "\n" + OneLine(RefusalMessage(form, refusal));
        ThrowWorkFailed(message);
    }
    out << OneLine(argument) << '\n';
}

} // namespace

int ReportShowCommand(std::string_view report, bool json, std::ostream& out) {
    const FormRead read = ReadExisting(PathArgument(report), report);
    const std::vector<FormProblem> problems =
        DescribeFormFindings(read, [](std::string_view utf8) { return OneLine(utf8); });
    if (json) {
        out << FormToJson(read.Form ? &*read.Form : nullptr, problems);
    } else {
        if (read.Form)
            WriteFormText(*read.Form, out);
        for (const FormProblem& problem : problems)
            out << (problem.Level == Severity::Error ? "błąd: " : "ostrzeżenie: ")
                << problem.Message << '\n';
    }
    return read.Form ? 0 : 1;
}

void ReportWriteCommand(std::string_view jsonFile, std::string_view outFile, std::ostream& out,
                        std::ostream& err) {
    const std::string source = PathArgument(jsonFile);
    const std::string target = PathArgument(outFile);
    if (!FileExists(source))
        ThrowWorkFailed("Nie ma takiego pliku: " + OneLine(jsonFile));
    // The atomic write would replace a protected file all the same; a text
    // editor asks first, and so does this.
    if (IsWriteProtected(target)) {
        ThrowWorkFailed("Plik " + OneLine(outFile) +
                        " jest chroniony przed zapisem (tylko do odczytu); program go nie "
                        "zastąpi. Zdejmij ochronę pliku albo wskaż inny plik.");
    }
    // A file larger than the program reads is named as such, not as unreadable.
    if (const std::optional<FileStatus> status = StatusOfFile(source);
        status && static_cast<std::uint64_t>(status->Size) > MaxReadableFileSize) {
        ThrowWorkFailed("Plik " + OneLine(jsonFile) + " ma ponad " +
                        std::to_string(MaxReadableFileSize >> 20) +
                        " MB, a tyle program odczytuje najwyżej.");
    }
    std::string text;
    try {
        text = ReadWholeFile(source);
    } catch (const Failure&) {
        ThrowWorkFailed("Nie można odczytać pliku: " + OneLine(jsonFile));
    }
    const ReportForm form = FormFromJson(text);
    // Letters the documents' code page lacks are kept, in the encoding that holds them.
    const std::vector<SaveRefusal> letters = LettersNeedingUtf16(form);
    for (const SaveRefusal& letter : letters)
        err << "uwaga: " << OneLine(RefusalMessage(form, letter)) << '\n';
    if (!letters.empty())
        err << "uwaga: plik " << OneLine(outFile) << " zostanie zapisany w kodowaniu UTF-16.\n";
    SaveOrRefuse(form, target, outFile, out,
                 letters.empty() ? FileEncoding::Windows1250 : FileEncoding::Utf16);
}

void ReportNewCommand(std::string_view kind, std::string_view outFile, std::ostream& out) {
    const std::optional<ReportKind> known = KindOfName(kind);
    if (!known)
        ThrowUsageError("nieznany rodzaj „" + OneLine(kind) + "”; rodzaje:\n" + KindNamesHelp());
    const std::string target = PathArgument(outFile);
    // An existing report is somebody's work; a new one never replaces it.
    if (FileExists(target) || DirectoryExists(target))
        ThrowWorkFailed("Plik już istnieje: " + OneLine(outFile));
    SaveOrRefuse(EmptyForm(*known), target, outFile, out);
}

std::string KindNamesHelp() {
    std::string text;
    for (const KindInfo& info : KindTable()) {
        std::string name(ShortName(info.Kind));
        name.resize(14, ' ');
        text += "  " + name + std::string(info.Text) + "\n";
    }
    return text;
}

} // namespace notarion
