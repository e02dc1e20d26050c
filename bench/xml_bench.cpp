// Loading report-sized and megabyte-sized documents through the XML reader.

#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A class report of about the given size in cp1250, with Polish names.
std::string MakeReport(std::size_t targetBytes) {
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
                       "\t<Doc>Klasyfikacja klasy</Doc>\r\n\t<Klasa>3b</Klasa>\r\n"
                       "\t<Belfer>Zofia Wąsowska</Belfer>\r\n\t<Pasek>\r\n";
    int i = 1;
    while (text.size() < targetBytes) {
        text += "\t\t<Uczen" + std::to_string(i) + ">Żaneta Łęcka-Ślązak " + std::to_string(i) +
                "\r\n\t\t\t<Srednia>475</Srednia>\r\n\t\t</Uczen" + std::to_string(i) + ">\r\n";
        ++i;
    }
    text += "\t\t<IleOsob>" + std::to_string(i - 1) + "</IleOsob>\r\n\t</Pasek>\r\n</Szkola>\r\n";
    return notarion::Utf8ToCp1250(text);
}

void LoadDocument(benchmark::State& state) {
    const std::string bytes = MakeReport(static_cast<std::size_t>(state.range(0)));
    notarion::XmlDocument document;
    for (auto _ : state) {
        const bool ok = document.LoadFromBytes(bytes).Complete;
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

} // namespace

BENCHMARK(LoadDocument)->Arg(5 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
