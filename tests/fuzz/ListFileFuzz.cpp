// libFuzzer target for the list file: any bytes read as a list file either
// fill the catalogue or leave it exactly as it was, and a catalogue that was
// read writes back to a file that reads to the same entries.

#include "fuzz/FuzzFolder.h"
#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

notarion::ReportCatalogue Sentinel() {
    notarion::ReportCatalogue catalogue;
    catalogue.Slots = {{"Tytul", "/nigdzie/a.xml", "Sprawozdanie"}, {}};
    catalogue.Count = 2;
    return catalogue;
}

bool Same(const notarion::ReportCatalogue& a, const notarion::ReportCatalogue& b) {
    return a.Count == b.Count && a.Slots == b.Slots;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = notarion::fuzz::PrivateFolder();
    const std::string listPath = folder + "/lista.xmp";
    const std::string copyPath = folder + "/kopia.xmp";
    notarion::WriteWholeFile(listPath, std::string_view(reinterpret_cast<const char*>(data), size),
                             notarion::NamedBy::User);

    notarion::ReportCatalogue catalogue = Sentinel();
    if (!notarion::ReadListFile(catalogue, listPath)) {
        if (!Same(catalogue, Sentinel()))
            std::abort(); // a failed read changed the catalogue
        return 0;
    }
    if (catalogue.Count != static_cast<int>(catalogue.Slots.size()))
        std::abort(); // the count disagrees with the slots
    if (!notarion::WriteListFile(catalogue, copyPath))
        std::abort(); // a catalogue that was read cannot be saved
    notarion::ReportCatalogue again;
    if (!notarion::ReadListFile(again, copyPath) || !Same(again, catalogue))
        std::abort(); // saving and reading again changed the entries
    return 0;
}
