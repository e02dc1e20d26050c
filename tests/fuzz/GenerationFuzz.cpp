// libFuzzer target for the whole generation: any bytes as the one report of a
// set are loaded and written into the fourteen documents. Nothing but the
// project's Failure may escape (anything else ends the run as a crash), and
// the output folder holds no file but the documents afterwards, whether the
// set failed or not.

#include "fuzz/FuzzFolder.h"
#include "generate/DocumentSet.h"
#include "generate/StudentLists.h"
#include "reports/ReportCatalogue.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Failure.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string_view>

namespace {

// Every list accumulator, each written as one list document.
constexpr notarion::StudentList notarion::GenerationState::*Lists[] = {
    &notarion::GenerationState::DistinguishedList, &notarion::GenerationState::ExemplaryList,
    &notarion::GenerationState::AttendanceList,    &notarion::GenerationState::LoweredBehaviourList,
    &notarion::GenerationState::FailingList,
};

// The set's steps without the catch of the front ends, so that an exception
// of another type reaches the fuzzer.
void GenerateSet(const notarion::ReportCatalogue& catalogue, const std::string& out) {
    using namespace notarion;
    GenerationState state;
    ClearAccumulators(state);
    for (int i = 0; i < ProtocolDocumentCount; ++i) {
        const DocumentInfo& document = DocumentTable()[static_cast<std::size_t>(i)];
        WriteProtocolDocument(state, catalogue, document.Kind, document.Title,
                              DocumentPath(out, document.FileName));
    }
    for (std::size_t i = 0; i < std::size(Lists); ++i) {
        const DocumentInfo& document = DocumentTable()[ProtocolDocumentCount + i];
        WriteListDocument(state.ListBuffer, state.*Lists[i], document.Title,
                          DocumentPath(out, document.FileName));
    }
}

// The preview page of the report, as the list editor saves it.
void WritePreview(const notarion::ReportCatalogue& catalogue, const std::string& out) {
    using namespace notarion;
    GenerationState state;
    BeginPage(state.PreviewBuffer);
    WritePreviewSectionOfEntry(state, catalogue, 0);
    EndPage(state.PreviewBuffer);
    SaveBuffer(state.PreviewBuffer, DocumentPath(out, PreviewFileName));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = notarion::fuzz::PrivateFolder();
    static const std::string out = folder + "/out";
    static const std::set<std::string> allowed = [] {
        std::filesystem::create_directory(out);
        std::set<std::string> names{std::string(notarion::PreviewFileName)};
        for (const notarion::DocumentInfo& document : notarion::DocumentTable())
            names.insert(document.FileName);
        return names;
    }();
    const std::string report = folder + "/sprawozdanie.xml";
    notarion::WriteWholeFile(report, std::string_view(reinterpret_cast<const char*>(data), size),
                             notarion::NamedBy::User);
    notarion::ReportCatalogue catalogue;
    try {
        notarion::AppendToCatalogue(catalogue, {report});
    } catch (const notarion::Failure&) {
        return 0;
    }
    // A damaged report stops the set or the preview; that is its expected end.
    try {
        WritePreview(catalogue, out);
    } catch (const notarion::Failure&) {
    }
    notarion::OrderByKind(catalogue);
    try {
        GenerateSet(catalogue, out);
    } catch (const notarion::Failure&) {
    }
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
        if (allowed.count(entry.path().filename().string()) == 0)
            std::abort(); // a temporary or foreign file was left behind
    }
    return 0;
}
