#include "generate/PartWords.h"

#include "generate/HtmlPage.h"
#include "text/Cp1250.h"

#include <array>
#include <vector>

namespace notarion {
namespace {

struct FieldWords {
    std::string One;
    std::string Many;
};

// Every label converted once: a document prints them thousands of times.
struct AllWords {
    std::array<std::vector<PartWords>, ReportKindCount> Parts;
    std::array<std::vector<FieldWords>, PartShapeCount> Fields;
    std::array<std::string, ReportKindCount> Headings;

    AllWords() {
        for (const KindInfo& info : KindTable()) {
            Headings[static_cast<std::size_t>(info.Kind)] = Utf8ToCp1250(info.SectionHeading);
            for (const FormPart& part : info.Parts) {
                const std::string label = Utf8ToCp1250(part.Label);
                const std::string empty =
                    part.EmptyLabel.empty() ? label : Utf8ToCp1250(part.EmptyLabel);
                Parts[static_cast<std::size_t>(info.Kind)].push_back(
                    {label + ": ", label + ":", label + ", to:", empty + ":"});
            }
        }
        for (std::size_t shape = 0; shape < Fields.size(); ++shape) {
            for (const RowField& field : LayoutOf(static_cast<PartShape>(shape)).Fields) {
                const auto printed = [](std::string_view words) {
                    return words.empty() ? std::string() : Utf8ToCp1250(words) + ":";
                };
                Fields[shape].push_back({printed(field.Printed), printed(field.PrintedMany)});
            }
        }
    }
};

const AllWords& Words() {
    static const AllWords words;
    return words;
}

} // namespace

const PartWords& WordsOf(ReportKind kind, std::string_view element) {
    static const PartWords none;
    const int at = PartIndex(kind, element);
    return at >= 0 ? Words().Parts[static_cast<std::size_t>(kind)][static_cast<std::size_t>(at)]
                   : none;
}

const std::string& SectionHeading(ReportKind kind) {
    return Words().Headings[static_cast<std::size_t>(kind)];
}

const std::string& FieldLabel(PartShape shape, RowValue value, std::string_view text) {
    static const std::string none;
    const std::span<const RowField> fields = LayoutOf(shape).Fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].Value != value)
            continue;
        const FieldWords& words = Words().Fields[static_cast<std::size_t>(shape)][i];
        return HasComma(text) ? words.Many : words.One;
    }
    return none;
}

} // namespace notarion
