#pragma once

// "Dodaj plik": the report files the user chose, added to the set as far as
// they can be read, with what was left out named so the list editor can say
// why and offer to mend it.

#include "reports/ReportCatalogue.h"

#include <string>
#include <vector>

namespace notarion {

// A chosen file whose kind is none of the nine, left out of the set: an
// entry of no known kind would be listed by no kind and saved into the list
// without a way to remove it.
struct UnknownKindFile {
    std::string Path;
    // The kind the check takes the file's kind text for (cp1250); empty when
    // none is close, and then the file is no report to mend.
    std::string Nearest;
    // The message naming the file; with a kind to guess it says how the file
    // joins the set: "Popraw", choose the kind, save.
    std::u16string Message() const;
};

struct AddedReports {
    // The chosen files up to the first whose name opens nothing.
    std::vector<std::string> Tried;
    // Whether the catalogue gained an entry.
    bool Changed = false;
    // The files left out for their kind, in the order chosen.
    std::vector<UnknownKindFile> UnknownKinds;
    // The first tried file that exists but cannot be read, or empty; the
    // files after it were not added.
    std::string Damaged;
    // The first chosen name that opens no file (a name with letters the code
    // page lacks comes back so), or empty; the files after it were not added.
    std::string Unopenable;
};

// Add the chosen files after all entries of the catalogue, in order, until
// one cannot be opened by its name or read; the entries added before it
// stay. Files of no known kind are taken out again and named. Throws only
// what running out of memory throws.
AddedReports AddChosenReports(ReportCatalogue& catalogue, const std::vector<std::string>& chosen);

} // namespace notarion
