#pragma once

// The building blocks of the sample school: a small element tree that holds a
// report as the form writer lays it out (and that a damaged sample is damaged
// in), the byte form of a report file (Windows-1250 or UTF-16 with its
// byte-order mark) and the byte form of a list file. Text in the tree is UTF-8; it is converted
// only when bytes are made.

#include "reports/ReportFormFile.h"
#include "reports/ReportKind.h"

#include <string>
#include <string_view>
#include <vector>

namespace notarion::sample {

// The position of a kind text when the program orders its catalogue (0 for
// the behaviour reports up to 8 for the head teacher's report); 9 for any text
// that is none of the nine kinds, so such reports sort last.
int KindOrder(std::string_view kind);

// One element: a name, its own text (written before its children) and its
// children in order. References returned by Add stay valid only until the
// next child is added to the same parent.
struct ReportNode {
    std::string Name;
    std::string Text;
    std::vector<ReportNode> Children;

    // Append a child element with the given text and return it.
    ReportNode& Add(std::string_view name, std::string_view text = {});

    // The first child whose name equals the given one without regard to
    // ASCII letter case, as the program looks elements up; null when none.
    const ReportNode* Find(std::string_view name) const;
};

// Escape "&", "<", ">" and the double quote as entities, in that order.
std::string EscapeText(std::string_view text);

// The tree below the declaration (and an optional comment line), one element
// per line, tab indents, CR LF line ends; an element without text and
// children is written self-closed. The text is UTF-8.
std::string TreeText(const ReportNode& root);

// The bytes of a report file whose document element is `root`: the XML
// declaration naming the encoding, the comment when one is given, the tree;
// Windows-1250 bytes, or FF FE followed by UTF-16 little-endian.
std::string ReportBytes(const ReportNode& root, FileEncoding encoding,
                        std::string_view comment = {});

// One position of a list file; all three texts Windows-1250.
struct ListPosition {
    std::string Title;
    std::string Path;
    std::string Kind;
};

// The bytes of a list file holding the positions in the given order
// (Windows-1250, no declaration, no byte-order mark, tab indents, CR LF).
std::string ListFileBytes(const std::vector<ListPosition>& positions);

} // namespace notarion::sample
