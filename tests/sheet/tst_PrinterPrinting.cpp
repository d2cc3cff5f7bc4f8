// Printing a sheet on a QPrinter that writes a PDF file (the machine needs no printer).
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "sheet/PrinterPrinting.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace zendra;

namespace {

Sheet sampleSheet()
{
    ParsedUnit unit;
    unit.content.title = QStringLiteral("整数の計算//わり算§3-2 あまり");
    unit.content.questions = {QStringLiteral("(1) 17÷5＝#3…2;3あまり2#")};
    unit.values = {"630", "False", "40", "5", "5", "1", "7"};
    unit.kran = {"1", "8", "2"};
    SheetSource source;
    source.unitId = QStringLiteral("Seisu3.que-U2");
    return Sheet::fromParsedUnit(unit, source, true);
}

} // namespace

class TestPrinterPrinting : public QObject
{
    Q_OBJECT

private slots:
    void copiesArePagesOfOneFile_data()
    {
        QTest::addColumn<bool>("printerResolution");
        QTest::addColumn<bool>("numbered");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("copyCountAfter"); // the printer's own count
        QTest::newRow("screen-faithful, numbered") << false << true << 3 << 1;
        QTest::newRow("printer resolution, numbered") << true << true << 3 << 1;
        QTest::newRow("unnumbered: one job") << true << false << 1 << 3;
    }
    void copiesArePagesOfOneFile()
    {
        QFETCH(bool, printerResolution);
        QFETCH(bool, numbered);
        QFETCH(int, pages);
        QFETCH(int, copyCountAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QPrinter printer;
        printer.setOutputFileName(path);
        printer.setResolution(150);
        printer.setCopyCount(3);
        Sheet sheet = sampleSheet();
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        const PrintResult result = PrintOnPrinter(sheet, InputsFromSheet(sheet),
                                                  {printerResolution, numbered, 0, 5}, printer);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.jobsDone, pages);
        QCOMPARE(result.nextStartNumber, 1);
        QCOMPARE(printer.copyCount(), copyCountAfter);
        QVERIFY(messages.entries().isEmpty());
        QCOMPARE(test::pdfPageCount(test::readBytes(path)), pages);
        if (printerResolution && numbered) {
            const std::optional<QString> found = test::pdfText(path);
            if (!found)
                QSKIP("pdftotext is not installed");
            const QString& text = *found;
            const qsizetype five = text.indexOf(QStringLiteral("№ 5"));
            const qsizetype six = text.indexOf(QStringLiteral("№ 6"));
            const qsizetype seven = text.indexOf(QStringLiteral("№ 7"));
            QVERIFY2(five >= 0 && five < six && six < seven, qPrintable(text));
        }
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no/such/folder/sheet.pdf"));
        QPrinter printer;
        printer.setOutputFileName(path);
        printer.setResolution(72);
        printer.setCopyCount(3);
        Sheet sheet = sampleSheet();
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        const PrintResult result =
            PrintOnPrinter(sheet, InputsFromSheet(sheet), {true, true, 0, 4}, printer);
        QVERIFY(!result.ok);
        QCOMPARE(result.jobsDone, 0);
        QCOMPARE(result.nextStartNumber, 4);
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(
            messages.texts().first().startsWith(QStringLiteral("1 部目の印刷を開始できません")),
            qPrintable(messages.texts().first()));
        QVERIFY(messages.texts().first().contains(QStringLiteral("sheet.pdf")));
        QVERIFY(!QFile::exists(path));
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestPrinterPrinting)

#include "tst_PrinterPrinting.moc"
