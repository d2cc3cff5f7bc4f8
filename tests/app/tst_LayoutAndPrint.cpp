// Layout controls, paper and printing through the main window, headless.
#include "app/TfrmMain.h"
#include "app/TfrmMenu.h"
#include "app/TfrmPrintMode.h"
#include "app/TfrmPrintOk.h"
#include "app/TfrmSetPaper.h"
#include "app/TfrmSettei.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "sheet/TfrmPrint.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zendra;

class TestLayoutAndPrint : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void everyLayoutControlWritesTheSheetAndRedraws()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        test::openUnit(main, 0, 0, 0);
        TfrmPrint* frm = main.activeSheet();
        QVERIFY(frm);
        Sheet& sheet = frm->sheet();

        // Each change: the value lands in the sheet, the page is composed again, and the
        // sheet is marked changed unless the table says otherwise.
        const auto check = [&](const char* what, const std::function<void()>& change,
                               const std::function<bool()> landed, bool marks) {
            sheet.changed = false;
            const qint64 before = frm->pageImage().cacheKey();
            change();
            QVERIFY2(landed(), what);
            QVERIFY2(frm->pageImage().cacheKey() != before, what);
            QVERIFY2(sheet.changed == marks, what);
        };
        check(
            "主行間", [&] { main.findChild<QSpinBox*>("spnGyouSpace")->setValue(52); },
            [&] { return sheet.settings.lineSpacing == 52; }, true);
        check(
            "文字サイズ", [&] { main.findChild<QSpinBox*>("spnMojiSize")->setValue(16); },
            [&] { return sheet.settings.characterSize == 16; }, true);
        check(
            "副行間", [&] { main.findChild<QSpinBox*>("spnGyoukanSub")->setValue(3); },
            [&] { return sheet.settings.lstKranX.at(8) == "3"; }, true);
        check(
            "B4", [&] { main.findChild<QRadioButton*>("radB4")->click(); },
            [&] { return sheet.settings.page.width == 771 && sheet.settings.page.height == 1090; },
            true);
        check(
            "A4", [&] { main.findChild<QRadioButton*>("radA4")->click(); },
            [&] { return sheet.settings.page.width == 630; }, true);

        QTimer::singleShot(0, &main, [&] {
            auto* dialog = main.findChild<TfrmSettei*>();
            QVERIFY(dialog && dialog->isVisible());
            const auto spin = [&](const char* name) { return dialog->findChild<QSpinBox*>(name); };
            const auto button = [&](const char* name) {
                return dialog->findChild<QAbstractButton*>(name);
            };
            check(
                "なし", [&] { button("radNon")->click(); },
                [&] {
                    return sheet.settings.lstKranX.at(0) == "0" && !spin("spnKranH")->isEnabled();
                },
                true);
            check(
                "四角 after なし", [&] { button("radShikaku")->click(); },
                [&] {
                    return sheet.settings.lstKranX.at(0) == "1" && spin("spnKranH")->isEnabled();
                },
                false);
            check(
                "____", [&] { button("radKasen")->click(); },
                [&] {
                    return sheet.settings.lstKranX.at(0) == "4" && !spin("spnKranH")->isEnabled();
                },
                true);
            check(
                "角丸", [&] { button("radRound")->click(); },
                [&] { return sheet.settings.lstKranX.at(0) == "5"; }, false);
            check(
                "幅", [&] { spin("spnKranWX")->setValue(12); },
                [&] { return sheet.settings.lstKranX.at(1) == "12"; }, true);
            check(
                "高さ", [&] { spin("spnKranH")->setValue(6); },
                [&] { return sheet.settings.lstKranX.at(2) == "6"; }, true);
            check(
                "箱X", [&] { spin("spnKranX")->setValue(20); },
                [&] { return sheet.settings.lstKranX.at(6) == "20"; }, true);
            check(
                "箱Y", [&] { spin("spnKranY")->setValue(9); },
                [&] { return sheet.settings.lstKranX.at(7) == "9"; }, true);
            check(
                "解答位置X", [&] { spin("spnAnsX")->setValue(30); },
                [&] { return sheet.settings.lstKranX.at(4) == "30"; }, true);
            check(
                "→", [&] { button("btnRight")->click(); },
                [&] { return sheet.settings.lstKranX.at(4) == "31"; }, true);
            check(
                "←", [&] { button("btnLeft")->click(); },
                [&] { return sheet.settings.lstKranX.at(4) == "30"; }, true);
            check(
                "↓", [&] { button("btnDown")->click(); },
                [&] { return sheet.settings.lstKranX.at(5) == "1"; }, true);
            check(
                "↑", [&] { button("btnUp")->click(); },
                [&] { return sheet.settings.lstKranX.at(5) == "0"; }, true);
            check(
                "左空白", [&] { spin("spnLeftM")->setValue(8); },
                [&] { return sheet.settings.leftMargin == 8; }, true);
            check(
                "右空白", [&] { spin("spnRightM")->setValue(2); },
                [&] { return sheet.settings.rightMargin == 2; }, true);
            button("btnKakudai")->click();
            QCOMPARE(button("btnKakudai")->text(), QStringLiteral("拡大"));
            QVERIFY(main.reducedView());
            button("btnKakudai")->click();
            QCOMPARE(button("btnKakudai")->text(), QStringLiteral("縮小"));
            button("btnOk")->click();
        });
        main.findChild<QPushButton*>("btnKran")->click();
        QVERIFY(messages.entries().isEmpty());
    }

    void paperWhileReducedReturnsToFullSizeAndIsRemembered()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        test::openUnit(main, 0, 0, 0);
        QVERIFY(main.activeSheet());
        main.ToggleReduced();
        QVERIFY(main.reducedView());

        QTimer::singleShot(0, &main, [&main] {
            auto* dialog = main.findChild<TfrmSetPaper*>();
            QVERIFY(dialog && dialog->isVisible());
            dialog->findChild<QRadioButton*>("rdbB5")->click();
            dialog->findChild<QCheckBox*>("chkJisshibi")->setChecked(false);
            dialog->findChild<QPushButton*>("btnOk")->click();
        });
        main.runCommand(WorksheetHost::Command::Paper);
        QVERIFY(!main.reducedView());
        QCOMPARE(main.activeSheet()->sheet().settings.page.width, 546);
        QCOMPARE(main.activeSheet()->sheet().settings.options, 5);
        QCOMPARE(main.state().currentPaper.width, 546);
        QSettings stored(sandbox_->settingsFolder() + "/Zendra++/ZendraSK.ini",
                         QSettings::IniFormat);
        QCOMPARE(stored.value("PaperSize").toInt(), 546);
    }

    void numberedCopiesPrintAsSeparateNumberedJobs_data()
    {
        QTest::addColumn<bool>("printerResolution");
        QTest::newRow("printer resolution") << true;
        QTest::newRow("screen-faithful") << false;
    }

    void numberedCopiesPrintAsSeparateNumberedJobs()
    {
        QFETCH(bool, printerResolution);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        test::openUnit(main, 0, 0, 0);
        QVERIFY(main.activeSheet());

        auto* mode = main.findChild<TfrmPrintMode*>();
        QVERIFY(mode);
        mode->findChild<QRadioButton*>(printerResolution ? "radPrinter" : "radDisplay")
            ->setChecked(true);
        mode->findChild<QCheckBox*>("chkNumber")->setChecked(true);
        mode->findChild<QSpinBox*>("spnStart")->setValue(4);

        QTemporaryDir out;
        const QString pdf = out.filePath("copies.pdf");
        main.printer().setOutputFormat(QPrinter::PdfFormat);
        main.printer().setOutputFileName(pdf);
        main.printer().setCopyCount(3);
        QTimer::singleShot(0, &main, [&main] {
            auto* confirm = main.findChild<TfrmPrintOk*>();
            QVERIFY(confirm && confirm->isVisible());
            confirm->choosePrinter = [] { return true; };
            confirm->findChild<QPushButton*>("btnPrint")->click();
        });
        main.findChild<QPushButton*>("btnStartPrint")->click();

        QCOMPARE(test::pdfPageCount(test::readBytes(pdf)), 3);
        QCOMPARE(mode->startNumber(), 1);
        QCOMPARE(main.printer().copyCount(), 1);
        QVERIFY(messages.entries().isEmpty());
        if (!printerResolution)
            return; // the screen page is a picture: its numbers are not text
        const std::optional<QString> text = test::pdfText(pdf);
        if (!text)
            QSKIP("pdftotext is not installed");
        const QString& pages = *text;
        const qsizetype n4 = pages.indexOf(QStringLiteral("№ 4"));
        const qsizetype n5 = pages.indexOf(QStringLiteral("№ 5"));
        const qsizetype n6 = pages.indexOf(QStringLiteral("№ 6"));
        QVERIFY2(n4 >= 0 && n4 < n5 && n5 < n6, qPrintable(pages));
        QVERIFY(!pages.contains(QStringLiteral("№ 7")));
    }

    // 数値を変える numbers the copies even with №を付ける off, each with the seed typed, and
    // 解答を付ける puts a key after each; the master file is left as it was.
    void variedCopiesWithKeysLeaveTheMasterFile()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        main.show();
        QVERIFY(main.FormShow());
        test::openUnit(main, 0, 0, 0);
        QVERIFY(main.activeSheet());
        const QString master = main.activeSheet()->sheet().source.fileName;
        const QByteArray before = test::readBytes(master);

        auto* mode = main.findChild<TfrmPrintMode*>();
        mode->findChild<QRadioButton*>("radPrinter")->setChecked(true); // text in the PDF
        mode->findChild<QCheckBox*>("chkNumber")->setChecked(false);
        mode->findChild<QSpinBox*>("spnStart")->setValue(2);
        QTemporaryDir out;
        const QString pdf = out.filePath("copies.pdf");
        main.printer().setOutputFormat(QPrinter::PdfFormat);
        main.printer().setOutputFileName(pdf);
        main.printer().setCopyCount(2);
        QTimer::singleShot(0, &main, [&main] {
            auto* confirm = main.findChild<TfrmPrintOk*>();
            QVERIFY(confirm && confirm->isVisible());
            confirm->choosePrinter = [] { return true; };
            confirm->findChild<QCheckBox*>("chkVary")->setChecked(true);
            confirm->findChild<QLineEdit*>("edtSeed")->setText(QStringLiteral("5821"));
            confirm->findChild<QCheckBox*>("chkAnswerKey")->setChecked(true);
            confirm->findChild<QPushButton*>("btnPrint")->click();
        });
        main.findChild<QPushButton*>("btnStartPrint")->click();

        QCOMPARE(test::pdfPageCount(test::readBytes(pdf)), 4);
        QVERIFY(messages.entries().isEmpty());
        QCOMPARE(test::readBytes(master), before);
        const std::optional<QString> text = test::pdfText(pdf);
        if (!text)
            QSKIP("pdftotext is not installed");
        QCOMPARE(text->count(QStringLiteral("№ 2-5821")), 2);
        QCOMPARE(text->count(QStringLiteral("№ 3-5821")), 2);
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestLayoutAndPrint)

#include "tst_LayoutAndPrint.moc"
