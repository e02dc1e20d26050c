#pragma once

// The nine report kinds and everything that is fixed per kind: the kind text
// of a report's "Doc" element, its place in the ordered catalogue, the pieces
// of its title, the label of the list editor's selector and its protocol
// document. Every other table of kinds derives from KindTable(). Kind texts
// are always compared exactly, letter case included.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace notarion {

// The kinds in the order of the list editor's selector; the value is the
// selector index.
enum class ReportKind {
    Class,
    Behaviour,
    FailJustification,
    Subject,
    Tutor,
    Activity,
    OtherInfo,
    CardHours,
    HeadTeacher,
};

inline constexpr int ReportKindCount = 9;

// One piece of a title after the kind text: the element below "Szkola" whose
// text it is, and how many characters of that text are used (0: all of them).
struct TitlePiece {
    std::string_view Element;
    std::size_t MaxLength = 0;
};

// What is fixed for one kind. Texts are UTF-8 as written here; the kind text
// is plain ASCII, so it is the same bytes in cp1250.
struct KindInfo {
    ReportKind Kind;
    std::string_view Text;
    // The selector's label; differs from Text for two kinds.
    std::string_view Label;
    // 0 to 8: the place of the kind in the ordered catalogue.
    int CataloguePosition;
    // 0 to 8: the place of the kind's protocol document in the document set.
    int ProtocolPosition;
    std::string_view ProtocolFileName;
    // The centred heading of the protocol document; empty when the kind's
    // sections carry their own heading.
    std::string_view ProtocolTitle;
    // The pieces that follow the kind text in a title; unused places have no element.
    std::array<TitlePiece, 3> TitlePieces;
};

// The nine kinds, indexed by the enumeration's value.
const std::array<KindInfo, ReportKindCount>& KindTable();

// The row of a kind.
const KindInfo& Info(ReportKind kind);

// The kind of a kind text, compared exactly; none for any other text.
std::optional<ReportKind> KindOf(std::string_view text);

// The kind text for index 0 to 8 (the index of the list editor's kind
// selector), or the empty text for any other index. Texts are cp1250.
std::string KindText(int index);
std::string KindText(ReportKind kind);

// The index 0 to 8 of a kind text, or -1 when it is none of the nine.
int KindIndex(std::string_view kind);

// The kind texts in the order of the ordered catalogue (behaviour reports
// first, the head teacher's report last).
const std::array<std::string, ReportKindCount>& KindsInCatalogueOrder();

} // namespace notarion
