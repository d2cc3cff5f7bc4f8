// One copy of a full sheet printed at 600 dpi into a PDF document, in both print modes; and
// 30 numbered copies written as a PDF file, beside a bare QPdfWriter that draws the same text
// and lines, recorded from the same composition, into the same pages.
#include "BenchSheet.h"
#include "platform/Numbers.h"
#include "platform/PainterSurface.h"
#include "platform/PdfPrintTarget.h"
#include "platform/RecordingSurface.h"
#include "platform/TextFile.h"
#include "sheet/Printing.h"
#include "sheet/SheetOutput.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <map>
#include <tuple>

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

constexpr int kCopies = 30;
constexpr int kDpi = 600;

QPageSize sheetPageSize(const Sheet& sheet)
{
    return QPageSize(QSizeF(sheet.settings.page.width / 3.0, sheet.settings.page.height / 3.0),
                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

// Writes the job to a PDF each iteration through WriteSheetPdf, the program's own way.
void WritePdfEachIteration(benchmark::State& state, const PdfJob& job)
{
    Sheet sheet = bench::FullSheet();
    const ComposeInputs inputs = InputsFromSheet(sheet);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copies.pdf"));
    for (auto _ : state) {
        QString error;
        if (!WriteSheetPdf(sheet, inputs, job, path, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.counters["file_KiB"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
}

// As the print dialog's PDF export and `render --pdf` write 30 numbered copies.
void BM_ThirtyNumberedCopiesToPdf(benchmark::State& state)
{
    WritePdfEachIteration(state, PdfJob{kDpi, kCopies, true, 1});
}
BENCHMARK(BM_ThirtyNumberedCopiesToPdf)->Unit(benchmark::kMillisecond);

// The same 30 copies, each with numbers of its own and followed by its answer key: 60 pages,
// as `render --vary --answer-key` writes them, without the process around it.
void BM_ThirtyVariedCopiesWithKeysToPdf(benchmark::State& state)
{
    PdfJob job{kDpi, kCopies, true, 1};
    job.vary = true;
    job.seed = 5821;
    job.answerKey = true;
    WritePdfEachIteration(state, job);
}
BENCHMARK(BM_ThirtyVariedCopiesWithKeysToPdf)->Unit(benchmark::kMillisecond);

// What each copy draws on the page, in device pixels, with the screen page's text widths.
QList<QList<RecordingSurface::Op>> recordCopies(Sheet& sheet, QSize page)
{
    ComposeInputs inputs = InputsFromSheet(sheet);
    inputs.number = true;
    RenderScreenPage(sheet, inputs);
    inputs.registerAnswerBoxes = false;
    ComposeTarget target;
    target.width = page.width();
    target.height = page.height();
    target.printer = true;
    target.screenImageWidth = sheet.settings.page.width;
    QImage metricsImage(1, 1, QImage::Format_RGB32);
    QPainter metricsPainter(&metricsImage);
    PainterSurface metrics(metricsPainter, 96, sheet.settings.page.width);
    QList<QList<RecordingSurface::Op>> copies;
    for (int copy = 1; copy <= kCopies; ++copy) {
        RecordingSurface recording(kDpi, page.width());
        recording.measureWith(&metrics);
        inputs.startNumber = copy;
        ComposeSheet(sheet, recording, target, inputs);
        copies.append(recording.ops());
    }
    return copies;
}

// Draws recorded operations with nothing between them and the painter but a font cache.
class BarePainter
{
public:
    explicit BarePainter(QPainter& painter) : painter_(painter) {}

    void draw(const RecordingSurface::Op& op)
    {
        using Op = RecordingSurface::Op;
        const QRect& r = op.rect;
        if (op.kind == Op::Text) {
            const Font& font = fontFor(op);
            painter_.setFont(font.font);
            painter_.setPen(QColor::fromRgb(op.colour));
            painter_.drawText(r.left(), r.top() + font.ascent, op.text);
            return;
        }
        QPen pen(QColor::fromRgb(op.colour));
        pen.setWidth(op.penWidth);
        pen.setStyle(op.penStyle == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        const QRect shape(r.topLeft(), r.bottomRight() - QPoint(1, 1));
        switch (op.kind) {
        case Op::Line:
            painter_.drawLine(r.topLeft(), r.bottomRight());
            break;
        case Op::Rectangle:
            painter_.drawRect(shape);
            break;
        case Op::RoundRect:
            painter_.drawRoundedRect(shape, op.corner.x() / 2.0, op.corner.y() / 2.0);
            break;
        case Op::Ellipse:
            painter_.drawEllipse(shape);
            break;
        default:
            break;
        }
    }

private:
    struct Font
    {
        QFont font;
        int ascent = 0;
    };

    const Font& fontFor(const RecordingSurface::Op& op)
    {
        const auto key = std::make_tuple(op.face, op.rect.height(), op.style);
        auto it = fonts_.find(key);
        if (it == fonts_.end()) {
            QFont f(op.face);
            f.setPixelSize(std::max(1, op.rect.height()));
            f.setBold(op.style & StyleBold);
            f.setItalic(op.style & StyleItalic);
            f.setUnderline(op.style & StyleUnderline);
            f.setStrikeOut(op.style & StyleStrikeOut);
            f.setKerning(false);
            it = fonts_.emplace(key, Font{f, QFontMetrics(f).ascent()}).first;
        }
        return it->second;
    }

    QPainter& painter_;
    std::map<std::tuple<QString, int, unsigned>, Font> fonts_;
};

// The reference: the same pages drawn straight into a QPdfWriter and saved the same way.
void BM_ThirtyCopiesBareQPdfWriter(benchmark::State& state)
{
    Sheet sheet = bench::FullSheet();
    const QPageSize pageSize = sheetPageSize(sheet);
    const QSize page = pageSize.sizePixels(kDpi);
    const QList<QList<RecordingSurface::Op>> copies = recordCopies(sheet, page);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bare.pdf"));
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        BarePainter bare(painter);
        for (qsizetype copy = 0; copy < copies.size(); ++copy) {
            if (copy > 0)
                writer.newPage();
            for (const RecordingSurface::Op& op : copies.at(copy))
                bare.draw(op);
        }
        painter.end();
        if (!TextFile::saveBytes(path, buffer.data())) {
            state.SkipWithError("the PDF could not be saved");
            break;
        }
    }
    state.counters["file_KiB"] = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    state.counters["ops"] = static_cast<double>(copies.value(0).size());
}
BENCHMARK(BM_ThirtyCopiesBareQPdfWriter)->Unit(benchmark::kMillisecond);

} // namespace
