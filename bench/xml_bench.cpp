// Loading report-sized and megabyte-sized documents through the XML reader,
// side by side with pugixml on the same Windows-1250 bytes, and the peak heap
// each needs for a 50 MB document. pugixml is a benchmark-only yardstick; the
// program never links it.
//
// Compare CPU time, not wall time: the machine is shared. Typical run:
//   xml_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <pugixml.hpp>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>

// Live and peak heap bytes of the whole program, as malloc sizes them. Both
// readers are measured through it: ours through operator new, pugixml
// through its allocation hooks.
namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

void* CountedAllocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        return nullptr;
    const std::size_t live = g_live += malloc_usable_size(block);
    std::size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return block;
}

void CountedFree(void* block) {
    if (block == nullptr)
        return;
    g_live -= malloc_usable_size(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    if (void* block = CountedAllocate(size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    CountedFree(block);
}
void operator delete(void* block, std::size_t) noexcept {
    CountedFree(block);
}

namespace {

// A class report of about the given size in cp1250, with Polish names.
std::string MakeReport(std::size_t targetBytes) {
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
                       "\t<Doc>Klasyfikacja klasy</Doc>\r\n\t<Klasa>3b</Klasa>\r\n"
                       "\t<Belfer>Zofia Wąsowska</Belfer>\r\n\t<Pasek>\r\n";
    text.reserve(targetBytes + 256);
    int i = 1;
    while (text.size() < targetBytes) {
        text += "\t\t<Uczen" + std::to_string(i) + ">Żaneta Łęcka-Ślązak " + std::to_string(i) +
                "\r\n\t\t\t<Srednia>475</Srednia>\r\n\t\t</Uczen" + std::to_string(i) + ">\r\n";
        ++i;
    }
    text += "\t\t<IleOsob>" + std::to_string(i - 1) + "</IleOsob>\r\n\t</Pasek>\r\n</Szkola>\r\n";
    return notarion::Utf8ToCp1250(text);
}

// pugixml knows no Windows-1250; Latin-1 widens every byte to one character
// as well, which is the same work as our table lookup.
bool PugiLoad(pugi::xml_document& document, const std::string& bytes) {
    return static_cast<bool>(document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default,
                                                  pugi::encoding_latin1));
}

void Ours(benchmark::State& state) {
    const std::string bytes = MakeReport(static_cast<std::size_t>(state.range(0)));
    notarion::XmlDocument document;
    for (auto _ : state) {
        const bool ok = document.LoadFromBytes(bytes).Complete;
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void Pugixml(benchmark::State& state) {
    const std::string bytes = MakeReport(static_cast<std::size_t>(state.range(0)));
    pugi::xml_document document;
    for (auto _ : state) {
        const bool ok = PugiLoad(document, bytes);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

// The 50 MB document on disk, written once and removed at exit.
class BigFile {
public:
    BigFile() {
        m_path = std::filesystem::temp_directory_path() /
                 ("notarion-xml-bench-" + std::to_string(std::random_device()()) + ".xml");
        const std::string bytes = MakeReport(50u * 1024u * 1024u);
        Size = bytes.size();
        notarion::WriteWholeFile(m_path.string(), bytes, notarion::NamedBy::User);
    }
    ~BigFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    std::string Path() const { return m_path.string(); }
    std::size_t Size = 0;

private:
    std::filesystem::path m_path;
};

BigFile& TheBigFile() {
    static BigFile file;
    return file;
}

// Peak heap while loading the file from disk, over the file's size: the
// bytes read, any decoded copy and the tree, all alive at the worst moment.
template <typename Load> void PeakMemory(benchmark::State& state, Load load) {
    const BigFile& file = TheBigFile();
    double ratio = 0;
    for (auto _ : state) {
        const std::size_t before = g_live.load();
        g_peak = before;
        load(file.Path());
        ratio = static_cast<double>(g_peak.load() - before) / static_cast<double>(file.Size);
    }
    state.counters["peak/file"] = ratio;
    state.counters["fileMB"] = static_cast<double>(file.Size) / (1024.0 * 1024.0);
}

void OursPeak(benchmark::State& state) {
    PeakMemory(state, [](const std::string& path) {
        notarion::XmlDocument document;
        benchmark::DoNotOptimize(document.LoadFromFile(path).Complete);
    });
}

void PugixmlPeak(benchmark::State& state) {
    PeakMemory(state, [](const std::string& path) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(static_cast<bool>(
            document.load_file(path.c_str(), pugi::parse_default, pugi::encoding_latin1)));
    });
}

} // namespace

BENCHMARK(Ours)
    ->Arg(5 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(50 * 1024 * 1024)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Pugixml)
    ->Arg(5 * 1024)
    ->Arg(1024 * 1024)
    ->Arg(50 * 1024 * 1024)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(OursPeak)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlPeak)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    pugi::set_memory_management_functions(CountedAllocate, CountedFree);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
