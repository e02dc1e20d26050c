#pragma once

// The nine report kinds and everything that is fixed per kind: the kind text
// of a report's "Doc" element, its place in the ordered catalogue, the pieces
// of its title, the label of the list editor's selector, its protocol
// document and viewer option, the heading of its section, its command-line
// name, and its parts: what a report of the kind holds, how each part is laid
// out in the file and the words the documents and the editor show beside it.
// Every other table of kinds derives from KindTable(). Kind texts are always
// compared exactly, letter case included.

#include <array>
#include <optional>
#include <span>
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

// The shape of one part of a report below "Szkola".
enum class PartShape {
    // One text element ("Belfer").
    Text,
    // A line group: "IloscWierszy" and the lines "w0", "w1", ...
    Lines,
    // Students: "IleOsob" and "Uczen1", "Uczen2", ... holding the name.
    Names,
    // Names, each with "Srednia", the average in hundredths.
    NamesWithAverage,
    // Names, each with "Przedmioty", the failed subjects.
    NamesWithSubjects,
    // "Ilosc" and "Uzasadnienie1", ... each with "Osoba", "IloscWierszy"
    // and the lines "Wiersz0", "Wiersz1", ...
    Justifications,
    // Justifications that also hold "Ocena", the lowered grade.
    GradedJustifications,
};

inline constexpr std::size_t PartShapeCount =
    static_cast<std::size_t>(PartShape::GradedJustifications) + 1;

// Which value of a StudentRow a field of a row holds.
enum class RowValue { Name, Average, Detail, Lines };

// One field of a row of a student block. Texts are UTF-8.
struct RowField {
    RowValue Value = RowValue::Name;
    // The element below the row element that holds the field ("Srednia");
    // empty when the field is the row element's own text. For Lines, the stem
    // of the numbered lines ("Wiersz0", "Wiersz1", ...).
    std::string_view Element;
    // Lines only: the count of the lines ("IloscWierszy").
    std::string_view Count;
    // The key of the field in a row's JSON object.
    std::string_view JsonKey;
    // The title of the field's column in the editor.
    std::string_view Column;
    // The words the documents print before the field of a justification, and
    // before persons separated by commas; empty where nothing is printed.
    std::string_view Printed = {};
    std::string_view PrintedMany = {};
    // The words a row's line of plain text (`report show`) puts between a
    // dash and the field's value ("ocena: "); a field of neither the name nor
    // the lines is always shown there, by its value alone where this is empty.
    std::string_view Shown = {};
};

// How a part of a shape is laid out in a report file. A line group or a
// student block has a count element and numbered elements "<Row>N" for N
// from FirstRow; a row of a student block holds Fields, the name first. A
// row whose only field is its name is a plain text in JSON.
struct ShapeLayout {
    std::string_view Count;
    std::string_view Row;
    int FirstRow = 0;
    std::span<const RowField> Fields;
};

// The layout of a shape; Text has no count and no rows.
const ShapeLayout& LayoutOf(PartShape shape);

// The field of a row of shape that holds value, or nullptr when it has none.
const RowField* FieldOf(PartShape shape, RowValue value);

// One part of a kind. Texts are UTF-8. The JSON key of a part is its element.
struct FormPart {
    // The element below "Szkola".
    std::string_view Element;
    PartShape Shape = PartShape::Text;
    // The words the documents print beside the part, also the editor's label.
    // A document prints "Label: " before a text, "Label:" over a line group
    // or a justification block, and "Label, to:" over a list of students.
    std::string_view Label;
    // The words over an empty list of students where they are not Label's.
    std::string_view EmptyLabel = {};
};

// The index into KindInfo::Parts of the kind's part with this element, or
// -1 when the kind has none.
int PartIndex(ReportKind kind, std::string_view element);

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
    // The heading over a report of the kind in its preview, and over the head
    // teacher's report in its protocol document too; one that ends in " - "
    // is followed by the report's class in capitals.
    std::string_view SectionHeading;
    // The pieces that follow the kind text in a title; unused places have no element.
    std::array<TitlePiece, 3> TitlePieces;
    // The kind's name on the command line ("klasyfikacja", "karta", ...).
    std::string_view ShortName;
    // 0 to 8: the place of the kind's protocol document among the viewer's
    // protocol options, which follow its five list options.
    int OptionPosition;
    // The title of that option in the viewer's chooser.
    std::string_view OptionTitle;
    // What a report of the kind holds below "Szkola", in the order of its
    // file: the header values first, then the line groups and student
    // blocks in the order the documents show them.
    std::span<const FormPart> Parts;
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
