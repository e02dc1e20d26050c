// How long the embedded viewer takes from Navigate to document-complete for a
// large generated document (about 1000 report sections, the size of a big
// school's class protocol). Goal: well under 250 ms per document.

#include "generate/HtmlPage.h"
#include "platform/QtText.h"
#include "platform/TEmbeddedWB.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace notarion;

std::string LargeDocument(int sections) {
    HtmlBuffer page;
    BeginPage(page);
    AddHeading(page, Utf8ToCp1250("KLASYFIKACJA UCZNIÓW"));
    for (int i = 1; i <= sections; ++i) {
        OpenParagraph(page);
        AddLabelLine(page, "Klasa:", std::to_string(i % 8 + 1) + " " + char('a' + i % 5));
        AddLabelLine(page, Utf8ToCp1250("Wychowawca:"), Utf8ToCp1250("Małgorzata Żółkiewska"));
        AddLabelLine(page, Utf8ToCp1250("Średnia klasy:"), "4,27");
        OpenList(page);
        for (int s = 0; s < 4; ++s)
            AddListItem(page, Utf8ToCp1250("Grzegorz Brzęczyszczykiewicz, średnia 5,1" +
                                           std::to_string(s)));
        CloseList(page);
        AddTextLine(page, Utf8ToCp1250("Uwagi: frekwencja 96,4%, zachowanie wzorowe."));
        CloseParagraph(page);
        AddSpacer(page);
    }
    EndPage(page);
    return BufferBytes(page);
}

void NavigateToDocumentComplete(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = Cp1250FromQString(dir.filePath("Prot_KlasyfikacjaOceny.htm"));
    const std::string bytes = LargeDocument(static_cast<int>(state.range(0)));
    WriteWholeFile(path, bytes, NamedBy::User);

    TEmbeddedWB browser;
    browser.resize(701, 433);
    browser.show();
    bool complete = false;
    QObject::connect(&browser, &TEmbeddedWB::OnDocumentComplete, [&] { complete = true; });

    for (auto _ : state) {
        complete = false;
        browser.Navigate(path);
        while (!complete)
            QCoreApplication::processEvents();
        // The page is shown once its first screen is painted.
        browser.viewport()->repaint();
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.counters["height_px"] = browser.document()->documentLayout()->documentSize().height();
}
BENCHMARK(NavigateToDocumentComplete)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
