// One copy of a full sheet printed at 600 dpi into a PDF document, in both print modes.
#include "platform/Fonts.h"
#include "sheet/Printing.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

Sheet fullSheet()
{
    ParsedUnit unit;
    unit.title = QStringLiteral("整数の計算//わり算§3-2 あまりのあるわり算");
    for (int i = 1; i <= 40; ++i)
        unit.questions.append(QStringLiteral("(%1) %2÷7＝#%3…%4;%3あまり%4#　　%2×3＝#%5#")
                                  .arg(i)
                                  .arg(i + 50)
                                  .arg((i + 50) / 7)
                                  .arg((i + 50) % 7)
                                  .arg((i + 50) * 3));
    for (int i = 1; i <= 20; ++i)
        unit.questions.append(i % 2 ? QStringLiteral("@B計算のきまり@=　1/2+1/3 と 2^3+3/4")
                                    : QString());
    unit.values = {"630", "False", "14", "5", "5", "1", "7"};
    unit.font = {"10", "MS 明朝", "False", "False", "False", "False", "0"};
    unit.kran = {"1", "8", "2", "0", "0", "0", "15", "10", "0", "0"};
    SheetSource source;
    source.unitId = QStringLiteral("Seisu3.que-U2");
    return Sheet::fromParsedUnit(unit, source, true);
}

// The page is composed and drawn into the document; the file is not written.
void BM_PrintOneCopy600dpi(benchmark::State& state)
{
    Sheet sheet = fullSheet();
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareFontCache();
    QGuiApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
