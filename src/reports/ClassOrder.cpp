#include "reports/ClassOrder.h"

#include "reports/ReportKind.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace notarion {
namespace {

// Where a cp1250 byte sorts: letters by their base letter (Polish letters
// right after it, ź before ż), any other byte after every letter.
int LetterRank(unsigned char byte) {
    struct Accented {
        unsigned char Small, Capital;
        char Base;
        int Step;
    };
    static constexpr std::array<Accented, 9> Polish = {{
        {0xB9, 0xA5, 'a', 1},
        {0xE6, 0xC6, 'c', 1},
        {0xEA, 0xCA, 'e', 1},
        {0xB3, 0xA3, 'l', 1},
        {0xF1, 0xD1, 'n', 1},
        {0xF3, 0xD3, 'o', 1},
        {0x9C, 0x8C, 's', 1},
        {0x9F, 0x8F, 'z', 1},
        {0xBF, 0xAF, 'z', 2},
    }};
    if (byte >= 'A' && byte <= 'Z')
        byte = static_cast<unsigned char>(byte - 'A' + 'a');
    if (byte >= 'a' && byte <= 'z')
        return (byte - 'a') * 3;
    for (const Accented& letter : Polish) {
        if (byte == letter.Small || byte == letter.Capital)
            return (letter.Base - 'a') * 3 + letter.Step;
    }
    return 26 * 3 + byte;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The value of a Roman number of I, V and X from 1 to 39, written the usual
// way; none for anything else.
std::optional<int> RomanValue(std::string_view text) {
    static constexpr std::array<std::string_view, 10> Units = {"",  "I",  "II",  "III",  "IV",
                                                               "V", "VI", "VII", "VIII", "IX"};
    static constexpr std::array<std::string_view, 4> Tens = {"", "X", "XX", "XXX"};
    for (int value = 1; value < 40; ++value) {
        if (std::string(Tens[static_cast<std::size_t>(value / 10)]) +
                std::string(Units[static_cast<std::size_t>(value % 10)]) ==
            text)
            return value;
    }
    return std::nullopt;
}

// A class name split into its leading number (none when it has none) and
// the rest, without blanks.
struct ClassName {
    std::optional<unsigned long long> Number;
    std::string Rest;
};

ClassName Split(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (!IsBlank(c))
            compact += c;
    }
    ClassName name;
    std::size_t digits = 0;
    while (digits < compact.size() && IsDigit(compact[digits]))
        ++digits;
    if (digits > 0 && digits <= 18) {
        name.Number = std::stoull(compact.substr(0, digits));
        name.Rest = compact.substr(digits);
        return name;
    }
    // A Roman number is the run of I, V and X before a letter that is not a
    // capital ("IIa", "IV b"): "IZA" is no class of year one.
    std::size_t roman = 0;
    while (roman < compact.size() &&
           std::string_view("IVX").find(compact[roman]) != std::string_view::npos)
        ++roman;
    const bool capitalFollows =
        roman < compact.size() && compact[roman] >= 'A' && compact[roman] <= 'Z';
    if (roman > 0 && !capitalFollows) {
        if (const std::optional<int> value =
                RomanValue(std::string_view(compact).substr(0, roman))) {
            name.Number = static_cast<unsigned long long>(*value);
            name.Rest = compact.substr(roman);
            return name;
        }
    }
    name.Rest = std::move(compact);
    return name;
}

// The rest of two names: digit runs by their value, letters by LetterRank.
int CompareRest(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            const std::size_t fromA = i;
            const std::size_t fromB = j;
            while (i < a.size() && IsDigit(a[i]))
                ++i;
            while (j < b.size() && IsDigit(b[j]))
                ++j;
            // Without leading zeros the longer run is the larger number.
            if (i - fromA != j - fromB)
                return i - fromA < j - fromB ? -1 : 1;
            const int digits = a.substr(fromA, i - fromA).compare(b.substr(fromB, j - fromB));
            if (digits != 0)
                return digits;
            continue;
        }
        const int rankA = LetterRank(static_cast<unsigned char>(a[i]));
        const int rankB = LetterRank(static_cast<unsigned char>(b[j]));
        if (rankA != rankB)
            return rankA < rankB ? -1 : 1;
        ++i;
        ++j;
    }
    const bool aLeft = i < a.size();
    const bool bLeft = j < b.size();
    return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}

// The position of the class among the pieces of a kind's title; none for a
// kind without a class.
std::optional<std::size_t> ClassPiece(const KindInfo& kind) {
    for (std::size_t i = 0; i < kind.TitlePieces.size(); ++i) {
        if (kind.TitlePieces[i].Element == "Klasa")
            return i;
    }
    return std::nullopt;
}

std::size_t PieceCount(const KindInfo& kind) {
    std::size_t count = 0;
    while (count < kind.TitlePieces.size() && !kind.TitlePieces[count].Element.empty())
        ++count;
    return count;
}

// What an entry of a kind is ordered by: its class, or for a kind without a
// class every piece of its title after the kind text.
std::string OrderText(const ReportEntry& entry, const KindInfo& kind) {
    std::string_view pieces(entry.Title);
    if (pieces.starts_with(entry.Kind))
        pieces.remove_prefix(entry.Kind.size());
    if (pieces.starts_with(TitleSeparator))
        pieces.remove_prefix(TitleSeparator.size());
    const std::optional<std::size_t> classPiece = ClassPiece(kind);
    if (!classPiece)
        return std::string(pieces);
    std::vector<std::string_view> parts;
    for (std::size_t from = 0;;) {
        const std::size_t at = pieces.find(TitleSeparator, from);
        parts.push_back(pieces.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos)
            break;
        from = at + TitleSeparator.size();
    }
    // A subject may hold the separator itself ("Język angielski - grupa 1"),
    // so the class is counted from the title's end, where only the teacher
    // follows it.
    const std::size_t fromEnd = PieceCount(kind) - *classPiece;
    return parts.size() >= fromEnd ? std::string(parts[parts.size() - fromEnd]) : std::string();
}

} // namespace

int CompareInSchoolOrder(std::string_view a, std::string_view b) {
    const ClassName first = Split(a);
    const ClassName second = Split(b);
    const bool firstEmpty = !first.Number && first.Rest.empty();
    const bool secondEmpty = !second.Number && second.Rest.empty();
    if (firstEmpty || secondEmpty)
        return firstEmpty == secondEmpty ? 0 : (firstEmpty ? 1 : -1);
    if (first.Number.has_value() != second.Number.has_value())
        return first.Number ? -1 : 1;
    if (first.Number && *first.Number != *second.Number)
        return *first.Number < *second.Number ? -1 : 1;
    return CompareRest(first.Rest, second.Rest);
}

bool OrderByClass(ReportCatalogue& catalogue) {
    bool moved = false;
    for (const KindInfo& kind : KindTable()) {
        std::vector<std::size_t> slots;
        for (std::size_t i = 0; i < catalogue.Slots.size(); ++i) {
            if (catalogue.Slots[i].Kind == kind.Text)
                slots.push_back(i);
        }
        std::vector<std::pair<std::string, ReportEntry>> entries;
        entries.reserve(slots.size());
        for (const std::size_t slot : slots)
            entries.emplace_back(OrderText(catalogue.Slots[slot], kind), catalogue.Slots[slot]);
        std::stable_sort(entries.begin(), entries.end(), [](const auto& left, const auto& right) {
            return CompareInSchoolOrder(left.first, right.first) < 0;
        });
        for (std::size_t i = 0; i < slots.size(); ++i) {
            ReportEntry& slot = catalogue.Slots[slots[i]];
            if (!(slot == entries[i].second) || slot.Kept != entries[i].second.Kept)
                moved = true;
            slot = std::move(entries[i].second);
        }
    }
    return moved;
}

} // namespace notarion
