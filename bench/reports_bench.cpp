// Target `reports_bench`: links notarion_reports and benchmark::benchmark.
//
// Loads a catalogue of 1000 report files from a folder generated in a
// temporary location, and writes and reads its list file. The goal is a
// load of 1000 reports in well under 100 ms.

#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "reports/ReportReader.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace notarion {
namespace {

constexpr int kReportCount = 1000;

// A class report of a realistic size: a few header values, a list of
// distinguished students with their averages and some remark lines.
std::string ReportText(int number) {
    const std::string kind = KindText(number % ReportKindCount);
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n";
    text += "\t<Doc>" + kind + "</Doc>\r\n";
    text += "\t<Klasa>" + std::to_string(number % 8 + 1) + "a</Klasa>\r\n";
    text += "\t<Belfer>Nauczyciel numer " + std::to_string(number) + "</Belfer>\r\n";
    text += "\t<Przedmiot>Przedmiot " + std::to_string(number % 13) + "</Przedmiot>\r\n";
    text += "\t<Zajecia>Zajęcia</Zajecia>\r\n\t<Dotyczy>Sprawy różne</Dotyczy>\r\n";
    text += "\t<Pasek>\r\n\t\t<IleOsob>10</IleOsob>\r\n";
    for (int i = 1; i <= 10; ++i)
        text += "\t\t<Uczen" + std::to_string(i) + ">Uczeń Łukasz " + std::to_string(i) +
                "\r\n\t\t\t<Srednia>475</Srednia>\r\n\t\t</Uczen" + std::to_string(i) + ">\r\n";
    text += "\t</Pasek>\r\n\t<Uwagi>\r\n\t\t<IloscWierszy>10</IloscWierszy>\r\n";
    for (int i = 0; i < 10; ++i)
        text += "\t\t<w" + std::to_string(i) + ">Uwaga o przebiegu klasyfikacji &amp; wnioski</w" +
                std::to_string(i) + ">\r\n";
    text += "\t</Uwagi>\r\n</Szkola>\r\n";
    return Utf8ToCp1250(text);
}

// The generated folder, made once for all benchmarks and removed at exit.
class ReportFolder {
public:
    ReportFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "notarion-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_folder = pattern;
        for (int i = 0; i < kReportCount; ++i) {
            const std::string path =
                TextFromPath(m_folder / ("raport" + std::to_string(i) + ".xml"));
            WriteWholeFile(path, ReportText(i), NamedBy::User);
            Paths.push_back(path);
        }
        ListPath = TextFromPath(m_folder / "lista.xmp");
    }
    ~ReportFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::vector<std::string> Paths;
    std::string ListPath;

private:
    std::filesystem::path m_folder;
};

ReportFolder& Folder() {
    static ReportFolder folder;
    return folder;
}

void LoadThousandReports(benchmark::State& state) {
    const ReportFolder& folder = Folder();
    for (auto _ : state) {
        ReportCatalogue catalogue;
        if (!LoadCatalogue(catalogue, folder.Paths, MessageSink{}))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(catalogue.Slots.data());
    }
    state.SetItemsProcessed(state.iterations() * kReportCount);
}
BENCHMARK(LoadThousandReports)->Unit(benchmark::kMillisecond);

void WriteThousandPositionList(benchmark::State& state) {
    const ReportFolder& folder = Folder();
    ReportCatalogue catalogue;
    LoadCatalogue(catalogue, folder.Paths, MessageSink{});
    for (auto _ : state)
        if (!WriteListFile(catalogue, folder.ListPath))
            state.SkipWithError("write failed");
    state.SetItemsProcessed(state.iterations() * kReportCount);
}
BENCHMARK(WriteThousandPositionList)->Unit(benchmark::kMillisecond);

void ReadThousandPositionList(benchmark::State& state) {
    const ReportFolder& folder = Folder();
    ReportCatalogue catalogue;
    LoadCatalogue(catalogue, folder.Paths, MessageSink{});
    if (!WriteListFile(catalogue, folder.ListPath))
        state.SkipWithError("write failed");
    for (auto _ : state) {
        ReportCatalogue read;
        if (!ReadListFile(read, folder.ListPath))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.Slots.data());
    }
    state.SetItemsProcessed(state.iterations() * kReportCount);
}
BENCHMARK(ReadThousandPositionList)->Unit(benchmark::kMillisecond);

// Every numbered line of one group read by its path, as the section writers
// do: the time per line should not grow with the size of the group.
void ReadNumberedLines(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    std::string xml = "<Szkola><Uwagi><IloscWierszy>" + std::to_string(lines) + "</IloscWierszy>";
    for (int j = 0; j < lines; ++j)
        xml += "<w" + std::to_string(j) + ">Uwaga " + std::to_string(j) + "</w" +
               std::to_string(j) + ">";
    XmlDocument document;
    document.LoadFromBytes(xml + "</Uwagi></Szkola>");
    for (auto _ : state) {
        ReportReader reader(document, "r.xml", OnBadValue::Stop);
        const int count = reader.Count("Uwagi", "IloscWierszy");
        std::size_t size = 0;
        for (int j = 0; j < count; ++j)
            size += reader.Text("Uwagi", "w" + std::to_string(j)).size();
        benchmark::DoNotOptimize(size);
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(ReadNumberedLines)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace notarion

BENCHMARK_MAIN();
