// One copy of a full sheet printed at 600 dpi into a PDF document, in both print modes.
#include "BenchSheet.h"
#include "platform/PdfPrintTarget.h"
#include "sheet/Printing.h"
#include "sheet/SheetOutput.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

// The page is composed and drawn into the document; the file is not written.
void BM_PrintOneCopy600dpi(benchmark::State& state)
{
    Sheet sheet = bench::FullSheet();
    const ComposeInputs inputs = InputsFromSheet(sheet);
    QTemporaryDir dir;
    const PrintOptions options{state.range(0) != 0, true, 1, 1};
    for (auto _ : state) {
        PdfPrintTarget target(dir.filePath(QStringLiteral("sheet.pdf")), QPageSize(QPageSize::A4),
                              600);
        if (!PrintSheet(sheet, inputs, options, target).ok) {
            state.SkipWithError("print failed");
            break;
        }
    }
}
BENCHMARK(BM_PrintOneCopy600dpi)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("printerResolution")
    ->Unit(benchmark::kMillisecond);

} // namespace
