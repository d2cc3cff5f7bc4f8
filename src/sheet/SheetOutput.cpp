#include "sheet/SheetOutput.h"

#include "platform/Numbers.h"
#include "platform/PainterSurface.h"
#include "platform/Paths.h"
#include "platform/PdfPrintTarget.h"
#include "platform/TextFile.h"
#include "sheet/MeasuringSurface.h"
#include "sheet/Printing.h"
#include "sheet/Sheet.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>

namespace zendra {

namespace {

constexpr int kScreenDpi = 96;
constexpr double kInchMm = 25.4;

// Option bits of the value block: 1 class flag, 2 date line, 4 number and print date.
constexpr int kOptionClassFlag = 1;
constexpr int kOptionJisshibi = 2;
constexpr int kOptionPrinted = 4;

QImage blankPage(QSize size, int dpi)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

void composeOn(QPaintDevice& device, int dpi, Sheet& sheet, const ComposeTarget& target,
               const ComposeInputs& inputs)
{
    QPainter painter(&device);
    PainterSurface surface(painter, dpi, target.width);
    sheet.composed = ComposeSheet(sheet, surface, target, inputs);
}

ComposeTarget printerTarget(const Sheet& sheet, QSize pixels)
{
    ComposeTarget target;
    target.width = pixels.width();
    target.height = pixels.height();
    target.printer = true;
    target.screenImageWidth = sheet.settings.page.width;
    return target;
}

bool saved(const TextFile::Result& result, QString* error)
{
    if (!result && error)
        *error = result.error;
    return result.ok;
}

} // namespace

ComposeInputs InputsFromSheet(const Sheet& sheet)
{
    ComposeInputs inputs;
    inputs.mojiSize = sheet.settings.characterSize;
    inputs.gyouSpace = sheet.settings.lineSpacing;
    inputs.startNumber = 1;
    inputs.classFlag = sheet.settings.options & kOptionClassFlag;
    inputs.jisshibi = sheet.settings.options & kOptionJisshibi;
    inputs.printed = sheet.settings.options & kOptionPrinted;
    return inputs;
}

QSize PaperPixels(const PaperRecord& paper, int dpi)
{
    const auto pixels = [dpi](int units) {
        return std::max(1, qRound(units / 3.0 / kInchMm * dpi));
    };
    return QSize(pixels(paper.width), pixels(paper.height));
}

QImage RenderScreenPage(Sheet& sheet, const ComposeInputs& inputs, double ratio)
{
    // A ratio no display has is taken as 1.
    if (!(ratio > 0.0 && ratio <= 8.0))
        ratio = 1.0;
    const QSize pixels(std::max(1, roundHalfEven(sheet.settings.page.width * ratio)),
                       std::max(1, roundHalfEven(sheet.settings.page.height * ratio)));
    QImage image = blankPage(pixels, roundHalfEven(kScreenDpi * ratio));
    // The painter on the image draws layout units ratio pixels large.
    image.setDevicePixelRatio(ratio);
    ComposeTarget target;
    target.width = sheet.settings.page.width;
    target.height = sheet.settings.page.height;
    target.screenImageWidth = sheet.settings.page.width;
    ComposeInputs screen = inputs;
    screen.registerAnswerBoxes = true;
    composeOn(image, kScreenDpi, sheet, target, screen);
    return image;
}

void LayOutScreenPage(Sheet& sheet, const ComposeInputs& inputs, TextMetrics* metrics)
{
    // Widths come from the surface's metrics, not from the image it draws on.
    QImage device = blankPage(QSize(1, 1), kScreenDpi);
    QPainter painter(&device);
    PainterSurface surface(painter, kScreenDpi, sheet.settings.page.width, metrics);
    MeasuringSurface measuring(surface);
    ComposeTarget target;
    target.width = sheet.settings.page.width;
    target.height = sheet.settings.page.height;
    target.screenImageWidth = sheet.settings.page.width;
    ComposeInputs screen = inputs;
    screen.registerAnswerBoxes = true;
    sheet.composed = ComposeSheet(sheet, measuring, target, screen);
}

QImage RenderPrinterPage(Sheet& sheet, const ComposeInputs& inputs, int dpi)
{
    RenderScreenPage(sheet, inputs);
    const QSize pixels = PaperPixels(sheet.settings.page, dpi);
    QImage image = blankPage(pixels, dpi);
    ComposeInputs printer = inputs;
    printer.registerAnswerBoxes = false;
    composeOn(image, dpi, sheet, printerTarget(sheet, pixels), printer);
    return image;
}

bool WriteSheetPdf(Sheet& sheet, const ComposeInputs& inputs, const PdfJob& job,
                   const QString& path, QString* error)
{
    PdfPrintTarget target(
        path,
        QPageSize(QSizeF(sheet.settings.page.width / 3.0, sheet.settings.page.height / 3.0),
                  QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
        job.dpi);
    PrintOptions options;
    options.printerResolution = true;
    options.numbered = job.numbered;
    options.copies = job.copies;
    options.startNumber = job.firstNumber;
    options.vary = job.vary;
    options.seed = job.seed;
    options.answerKey = job.answerKey;
    // Unnumbered copies are one job each as well, all alike.
    const int runs = job.numbered || job.vary ? 1 : std::max(job.copies, 1);
    for (int run = 0; run < runs; ++run) {
        const PrintResult printed = PrintSheet(sheet, inputs, options, target);
        if (!printed.ok) {
            if (error)
                *error = printed.error;
            return false;
        }
    }
    return target.finish(error);
}

bool WriteImageFile(const QImage& image, const QString& path, QString* error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QByteArray format = QFileInfo(path).suffix().toUpper().toLatin1();
    if (!image.save(&buffer, format.isEmpty() ? "PNG" : format.constData())) {
        if (error)
            *error = QStringLiteral("ファイル %1 に保存できません: 画像の形式 %2 は使えません")
                         .arg(shownPath(path), QString::fromLatin1(format));
        return false;
    }
    return saved(TextFile::saveBytes(path, buffer.data()), error);
}

QImage ColumnPreview(const QString& line, int characterSize, const QString& face)
{
    if (!line.contains(u"@H"))
        return {};
    Sheet sheet;
    sheet.content.questions = QStringList{line};
    sheet.answersShown = true;
    sheet.settings.characterSize = characterSize;
    sheet.settings.drawingFace = face;
    ComposeInputs inputs = InputsFromSheet(sheet);
    inputs.classFlag = inputs.jisshibi = inputs.printed = false;
    const QImage page = RenderScreenPage(sheet, inputs);
    QRect area;
    for (const PlacedColumnProblem& p : sheet.composed.columnProblems)
        area |= QRect(p.origin,
                      QSize(p.layout.columns * p.cell.width(), p.layout.rows * p.cell.height()));
    if (area.isEmpty())
        return {};
    // From the line's start, so the question numbers before the problems show too.
    area.setLeft(sheet.composed.lineStarts.value(1).x());
    return page.copy(area.adjusted(0, -4, 4, 4));
}

} // namespace zendra
