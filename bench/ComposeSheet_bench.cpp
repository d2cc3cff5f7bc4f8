// Composition of a full sheet (60 lines, 80 answer boxes) on the screen page and on a
// 600 dpi printer page, and a whole `zendra-cli render` to PDF.
#include "BenchSheet.h"
#include "platform/PainterSurface.h"
#include "sheet/PageComposer.h"
#include "sheet/SheetOutput.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

void BM_ComposeScreenA4(benchmark::State& state)
{
    Sheet sheet = bench::FullSheet();
    bench::ComposeScreenPage(state, sheet);
}
BENCHMARK(BM_ComposeScreenA4)->Unit(benchmark::kMillisecond);

void BM_ComposePrinter600dpi(benchmark::State& state)
{
    Sheet sheet = bench::FullSheet();
    ComposeInputs inputs = InputsFromSheet(sheet);
    RenderScreenPage(sheet, inputs); // the boxes a printer page draws
    inputs.registerAnswerBoxes = false;
    const QSize pixels = PaperPixels(sheet.settings.page, 600);
    QImage image(pixels, QImage::Format_RGB32);
    ComposeTarget target;
    target.width = pixels.width();
    target.height = pixels.height();
    target.printer = true;
    target.screenImageWidth = sheet.settings.page.width;
    for (auto _ : state) {
        state.PauseTiming(); // clearing 140 MB of page is the printer's business
        image.fill(Qt::white);
        state.ResumeTiming();
        QPainter painter(&image);
        PainterSurface surface(painter, 600, target.width);
        sheet.composed = ComposeSheet(sheet, surface, target, inputs);
    }
    state.counters["boxes"] = sheet.composed.boxes.count();
}
BENCHMARK(BM_ComposePrinter600dpi)->Unit(benchmark::kMillisecond);

// The whole process: start, read the courseware, compose, write the PDF.
void BM_CliRenderPdf(benchmark::State& state)
{
    const QString cli = QString::fromUtf8(ZENDRA_BINARY_DIR) + QStringLiteral("/zendra-cli");
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const int status = QProcess::execute(
            cli, {QStringLiteral("render"),
                  QString::fromUtf8(ZENDRA_SOURCE_DIR) + QStringLiteral("/examples/courseware"),
                  QStringLiteral("--unit"), QStringLiteral("1/3/2"), QStringLiteral("-o"), out});
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        if (status != 0) {
            state.SkipWithError("zendra-cli render failed");
            break;
        }
    }
}
BENCHMARK(BM_CliRenderPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
