#include "platform/PdfPrintTarget.h"
#include "sheet/Printing.h"

#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

Sheet sampleSheet(int width = 630)
{
    ParsedUnit unit;
    unit.content.title = QStringLiteral("整数の計算//わり算§3-2 あまり");
    unit.content.questions = {QStringLiteral("(1) 17÷5＝#3…2;3あまり2#"), QString(),
                              QStringLiteral("(2) 3/4+1/4＝#1#")};
    unit.values = {QString::number(width), "False", "40", "5", "5", "1", "7"};
    unit.kran = {"1", "8", "2"};
    SheetSource source;
    source.unitId = QStringLiteral("Seisu3.que-U2");
    return Sheet::fromParsedUnit(unit, source, true);
}

ComposeInputs fixedInputs(const Sheet& sheet)
{
    ComposeInputs inputs = InputsFromSheet(sheet);
    inputs.now = QDateTime(QDate(2024, 4, 8), QTime(9, 30));
    return inputs;
}

// A printer that keeps the page of every job it was given, and fails where told.
class RecordingTarget : public PrintTarget
{
public:
    RecordingTarget(QSize page, int dpi) : page_(page), dpi_(dpi) {}

    int failBeginAt = 0; // the 1-based job whose begin, painter or end fails
    int noPainterAt = 0;
    int failEndAt = 0;
    QList<QImage> jobs;
    QStringList titles;
    int begun = 0;
    int aborted = 0;

    bool beginJob(const QString& title) override
    {
        ++begun;
        titles.append(title);
        if (begun == failBeginAt)
            return false;
        current_ = QImage(page_, QImage::Format_RGB32);
        current_.fill(Qt::white);
        painter_.begin(&current_);
        return true;
    }
    QPainter* painter() override
    {
        return painter_.isActive() && begun != noPainterAt ? &painter_ : nullptr;
    }
    int resolution() const override { return dpi_; }
    QSize pageSize() const override { return page_; }
    bool endJob() override
    {
        painter_.end();
        if (begun == failEndAt)
            return false;
        jobs.append(current_);
        return true;
    }
    void abortJob() override
    {
        painter_.end();
        ++aborted;
    }
    QString errorString() const override { return QStringLiteral("用紙がありません"); }

private:
    QSize page_;
    int dpi_;
    QImage current_;
    QPainter painter_;
};

bool dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The first and last columns holding a dark pixel.
std::pair<int, int> inkColumns(const QImage& image)
{
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (dark(row[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

// The rows in which two pages of one size differ, as [first, last]; first > last when none.
std::pair<int, int> differingRows(const QImage& a, const QImage& b)
{
    int first = a.height();
    int last = -1;
    for (int y = 0; y < a.height(); ++y) {
        if (memcmp(a.constScanLine(y), b.constScanLine(y), a.bytesPerLine()) != 0) {
            first = std::min(first, y);
            last = y;
        }
    }
    return {first, last};
}

} // namespace

TEST(Printing, ScreenFaithfulCopiesAreJobsWithTheirOwnNumbers)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    struct Case
    {
        int sheetWidth;
        int dpi;
    };
    for (const Case& c : {Case{630, 150}, Case{771, 100}}) {
        SCOPED_TRACE(c.sheetWidth);
        Sheet sheet = sampleSheet(c.sheetWidth);
        const ComposeInputs inputs = fixedInputs(sheet);
        const QSize page = PaperPixels(sheet.settings.page, c.dpi);
        RecordingTarget target(page, c.dpi);
        const PrintResult result = PrintSheet(sheet, inputs, {false, true, 3, 5}, target);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.jobsDone, 3);
        EXPECT_EQ(result.nextStartNumber, 1);
        ASSERT_EQ(target.jobs.size(), 3);
        EXPECT_EQ(target.titles, QStringList(3, sheet.content.title));

        // Each copy is the page a single print with that number gives, and the copies
        // differ only in the header band, where the number stands.
        const double f = page.width() / static_cast<double>(c.sheetWidth);
        for (int i = 0; i < 3; ++i) {
            RecordingTarget single(page, c.dpi);
            ASSERT_TRUE(PrintSheet(sheet, inputs, {false, true, 1, 5 + i}, single).ok);
            EXPECT_TRUE(single.jobs.first() == target.jobs[i]) << "copy " << i;
            if (i > 0) {
                const auto [first, last] = differingRows(target.jobs[0], target.jobs[i]);
                EXPECT_LE(first, last) << "copies 1 and " << i + 1 << " are alike";
                EXPECT_LT(last, qRound(30 * f));
            }
        }

        // The screen page, stretched by f and shifted right by round(6f).
        const auto [screenLeft, screenRight] = inkColumns(RenderScreenPage(sheet, inputs));
        const auto [left, right] = inkColumns(target.jobs[0]);
        const double shift = std::nearbyint(6 * f);
        EXPECT_NEAR(left, shift + screenLeft * f, 1.5);
        EXPECT_NEAR(right, shift + (screenRight + 1) * f - 1, 1.5);
        EXPECT_LT(right, page.width());
    }
}

TEST(Printing, PrinterResolutionPagesAreComposedOnThePage)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    Sheet sheet = sampleSheet();
    const ComposeInputs inputs = fixedInputs(sheet);
    const int dpi = 150;
    RecordingTarget target(PaperPixels(sheet.settings.page, dpi), dpi);
    const PrintResult result = PrintSheet(sheet, inputs, {true, true, 2, 9}, target);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(target.jobs.size(), 2);
    // The same page as the composer's own printer page of that number: printer fonts,
    // the screen's answer boxes scaled, figures and flag at the print scale.
    for (int i = 0; i < 2; ++i) {
        ComposeInputs numbered = inputs;
        numbered.number = true;
        numbered.startNumber = 9 + i;
        EXPECT_TRUE(RenderPrinterPage(sheet, numbered, dpi) == target.jobs[i]) << "copy " << i;
    }
    // The screen layout's records survive the printer pages.
    EXPECT_EQ(sheet.composed.boxes.count(), 2);
    EXPECT_LT(sheet.composed.boxes[1].x, 630);
}

TEST(Printing, AFailedJobStopsTheRemainingCopies)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    Sheet sheet = sampleSheet();
    const ComposeInputs inputs = fixedInputs(sheet);
    struct Case
    {
        int failBeginAt;
        int noPainterAt;
        int failEndAt;
        int jobsDone;
        int aborted;
        QString error;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, QStringLiteral("1 部目の印刷を開始できません: 用紙がありません")},
        {2, 0, 0, 1, 0, QStringLiteral("2 部目の印刷を開始できません: 用紙がありません")},
        {0, 3, 0, 2, 1, QStringLiteral("3 部目の印刷ページに描けません: 用紙がありません")},
        {0, 0, 2, 1, 0, QStringLiteral("2 部目の印刷を終えられません: 用紙がありません")},
    };
    for (const bool printerResolution : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.error.toStdString());
            RecordingTarget target(PaperPixels(sheet.settings.page, 72), 72);
            target.failBeginAt = c.failBeginAt;
            target.noPainterAt = c.noPainterAt;
            target.failEndAt = c.failEndAt;
            const PrintResult result =
                PrintSheet(sheet, inputs, {printerResolution, true, 4, 5}, target);
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.error, c.error);
            EXPECT_EQ(result.jobsDone, c.jobsDone);
            EXPECT_EQ(target.jobs.size(), c.jobsDone);
            EXPECT_EQ(target.begun, c.jobsDone + 1);
            EXPECT_EQ(target.aborted, c.aborted);
            // The number of the copy that failed, so that the rest can follow on.
            EXPECT_EQ(result.nextStartNumber, 5 + c.jobsDone);
        }
    }
    // A single copy names no copy.
    RecordingTarget target(PaperPixels(sheet.settings.page, 72), 72);
    target.failBeginAt = 1;
    EXPECT_EQ(PrintSheet(sheet, inputs, {false, false, 4, 5}, target).error,
              QStringLiteral("印刷を開始できません: 用紙がありません"));
}

TEST(Printing, PdfTargetWritesNothingUnlessWholeAndPrinted)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    const QPageSize a4(QPageSize::A4);
    QString error;
    {
        PdfPrintTarget target(path, a4, 72);
        EXPECT_FALSE(target.finish(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("sheet.pdf")));
    }
    {
        PdfPrintTarget target(path, a4, 72);
        ASSERT_TRUE(target.beginJob(QStringLiteral("a")));
        ASSERT_TRUE(target.endJob());
        ASSERT_TRUE(target.beginJob(QStringLiteral("a")));
        target.abortJob();
        EXPECT_FALSE(target.beginJob(QStringLiteral("a")));
        EXPECT_FALSE(target.finish(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("中止")));
    }
    EXPECT_FALSE(QFile::exists(path));
}
