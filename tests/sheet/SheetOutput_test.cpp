#include "sheet/SheetOutput.h"

#include "sheet/Sheet.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

Sheet sampleSheet()
{
    ParsedUnit unit;
    unit.content.title = QStringLiteral("整数の計算//わり算§3-2 あまり");
    unit.content.questions = {QStringLiteral("(1) 17÷5＝#3…2;3あまり2#"), QString(),
                              QStringLiteral("(2) 3/4+1/4＝#1#")};
    unit.values = {"630", "False", "40", "5", "5", "1", "7"};
    unit.kran = {"1", "8", "2"};
    SheetSource source;
    source.unitId = QStringLiteral("Seisu3.que-U2");
    return Sheet::fromParsedUnit(unit, source, true);
}

} // namespace

TEST(SheetOutput, InputsFollowTheSheetsOwnValues)
{
    Sheet sheet = sampleSheet();
    sheet.settings.characterSize = 12;
    sheet.settings.lineSpacing = 44;
    for (int options = 0; options < 8; ++options) {
        sheet.settings.options = options;
        const ComposeInputs in = InputsFromSheet(sheet);
        EXPECT_EQ(in.mojiSize, 12);
        EXPECT_EQ(in.gyouSpace, 44);
        EXPECT_EQ(in.classFlag, (options & 1) != 0);
        EXPECT_EQ(in.jisshibi, (options & 2) != 0);
        EXPECT_EQ(in.printed, (options & 4) != 0);
        EXPECT_FALSE(in.number);
    }
}

TEST(SheetOutput, PagesHaveTheSizeOfTheirPaper)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    struct Case
    {
        int width;
        int dpi;
        QSize pixels;
    };
    for (const Case& c : {Case{630, 96, {794, 1123}}, Case{630, 600, {4961, 7016}},
                          Case{771, 96, {971, 1373}}, Case{546, 300, {2150, 3039}}}) {
        EXPECT_EQ(PaperPixels(PaperRecord::ofWidth(c.width), c.dpi), c.pixels) << c.width;
    }
    Sheet sheet = sampleSheet();
    sheet.settings.page = PaperRecord::ofWidth(771);
    const QImage screen = RenderScreenPage(sheet, InputsFromSheet(sheet));
    EXPECT_EQ(screen.size(), QSize(771, 1090));
    EXPECT_EQ(sheet.composed.boxes.count(), 2);
    const QImage printer = RenderPrinterPage(sheet, InputsFromSheet(sheet), 150);
    EXPECT_EQ(printer.size(), PaperPixels(sheet.settings.page, 150));
    // The screen boxes survive the printer composition.
    EXPECT_EQ(sheet.composed.boxes.count(), 2);
    EXPECT_LT(sheet.composed.boxes[1].x, 771);
}

TEST(SheetOutput, PdfHasOnePagePerCopyAndFailuresLeaveNoFile)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    QTemporaryDir dir;
    Sheet sheet = sampleSheet();
    PdfJob job;
    job.dpi = 150;
    job.copies = 3;
    job.numbered = true;
    job.firstNumber = 5;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QString error;
    ASSERT_TRUE(WriteSheetPdf(sheet, InputsFromSheet(sheet), job, path, &error))
        << error.toStdString();
    const QByteArray pdf = test::readBytes(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(test::pdfPageCount(pdf), 3);
    EXPECT_EQ(sheet.composed.boxes.count(), 2);

    const QString lost = dir.filePath(QStringLiteral("no/such/folder/sheet.pdf"));
    EXPECT_FALSE(WriteSheetPdf(sheet, InputsFromSheet(sheet), job, lost, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("sheet.pdf")));
    const QString png = dir.filePath(QStringLiteral("no/sheet.png"));
    EXPECT_FALSE(WriteImageFile(QImage(10, 10, QImage::Format_RGB32), png, &error));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sheet.pdf"});
}

TEST(SheetOutput, ScreenPageAtADevicePixelRatioKeepsTheLayout)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    // Everything a composition records, in one comparable list.
    const auto recorded = [](const Sheet& sheet) {
        QStringList out = sheet.composed.lstKai;
        for (int i = 1; i <= sheet.composed.boxes.count(); ++i) {
            const AnswerBox& b = sheet.composed.boxes[i];
            out << QStringLiteral("box %1 %2 %3 %4 %5")
                       .arg(b.x)
                       .arg(b.y)
                       .arg(b.width)
                       .arg(b.fontSize)
                       .arg(b.answer);
        }
        for (int i = 1; i <= sheet.composed.piecePositions.count; ++i)
            out << QStringLiteral("piece %1 %2")
                       .arg(sheet.composed.piecePositions[i].x())
                       .arg(sheet.composed.piecePositions[i].y());
        for (int i = 1; i <= sheet.composed.pieceStarts.recorded; ++i)
            out << QStringLiteral("start %1").arg(sheet.composed.pieceStarts.x[i]);
        for (const QPoint p : sheet.composed.lineStarts)
            out << QStringLiteral("line %1 %2").arg(p.x()).arg(p.y());
        for (const PlacedFigure& f : sheet.composed.figures)
            out << QStringLiteral("figure %1 %2 %3").arg(f.number).arg(f.rect.x()).arg(f.rect.y());
        out << sheet.content.questionFigures;
        out << QStringLiteral("score %1 %2")
                   .arg(sheet.composed.scorePosition.x())
                   .arg(sheet.composed.scorePosition.y());
        return out;
    };
    const auto sheetWithFigure = [] {
        Sheet sheet = sampleSheet();
        sheet.content.questions << QStringLiteral(
            "@B長い行は、文字の幅がそのまま次の区切りの位置になる。#12#cm");
        sheet.content.questionFigures = QStringList{"f.bmp", "-1", "-1"};
        sheet.questionPictures = {QImage(20, 10, QImage::Format_RGB32)};
        return sheet;
    };
    Sheet reference = sheetWithFigure();
    const QImage one = RenderScreenPage(reference, InputsFromSheet(reference));
    ASSERT_EQ(reference.composed.boxes.count(), 3);
    for (const double ratio : {1.0, 1.25, 2.0}) {
        SCOPED_TRACE(ratio);
        Sheet sheet = sheetWithFigure();
        const QImage page = RenderScreenPage(sheet, InputsFromSheet(sheet), ratio);
        EXPECT_EQ(recorded(sheet), recorded(reference));
        EXPECT_EQ(page.size(), QSize(qRound(630 * ratio), qRound(891 * ratio)));
        EXPECT_EQ(page.devicePixelRatio(), ratio);
        // The rule under the date line, 2 layout units thick at y = 30, in device pixels.
        const auto darkAt = [&](double y) {
            return qGray(page.pixel(qRound(300 * ratio), qRound(y * ratio))) < 128;
        };
        EXPECT_TRUE(darkAt(30));
        EXPECT_FALSE(darkAt(26));
        EXPECT_FALSE(darkAt(34));
    }
    EXPECT_TRUE(RenderScreenPage(reference, InputsFromSheet(reference), 1.0) == one);
}
