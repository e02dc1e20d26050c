#pragma once

// What a whole document set is made of, as its PDF and its printout name it:
// the folder of the documents, how many reports of each kind went into them,
// and its pages: the set's figures first, then the fourteen documents in the
// order of the option chooser.

#include <string>
#include <vector>

namespace notarion {

struct ReportCatalogue;

// One document of the set: the chooser's title and the full path of its
// file. Texts are cp1250.
struct SetDocument {
    std::string Title;
    std::string Path;
};

// The number of catalogue entries of one report kind (cp1250 kind text).
struct KindCount {
    std::string Kind;
    int Count = 0;
};

struct SetContents {
    // The folder that holds the documents (cp1250).
    std::string Folder;
    // The nine kinds in catalogue order, each with its count (0 included).
    std::vector<KindCount> Counts;
    // The page of the set's figures ("Zestawienie wyników klasyfikacji"),
    // which the council reads first; then the fourteen documents in option
    // order (0 to 13).
    std::vector<SetDocument> Documents;
};

// The contents of the set written into folder from catalogue. Never fails;
// entries of no known kind are counted nowhere, as no document holds them.
SetContents DescribeSet(const ReportCatalogue& catalogue, const std::string& folder);

} // namespace notarion
