// The print confirmation driven through its controls, headless, on a PDF printer.
#include "app/TfrmPrintOk.h"

#include "WindowTestMain.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace zendra;

class TestTfrmPrintOk : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        failures_.clear();
        printer_ = std::make_unique<QPrinter>();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(dir_.filePath(QStringLiteral("out.pdf")));
        printer_->setResolution(300);
        printer_->setPageSize(QPageSize(QPageSize::A4));
    }

    void openingShowsPaperAndPrinterPage()
    {
        TfrmPrintOk ok(*printer_);
        ok.setPaperName(QStringLiteral("A4"));
        ok.show();
        QCOMPARE(label(ok, "lblSize"), QStringLiteral("用紙のサイズを A4 に設定してください"));
        QCOMPARE(label(ok, "lblPWidth"),
                 QStringLiteral("横：") + QString::number(printer_->width()));
        QCOMPARE(label(ok, "lblPHeight"),
                 QStringLiteral("縦：") + QString::number(printer_->height()));
        QVERIFY(printer_->width() > 2000); // A4 at 300 dpi, less the printer's margins

        // A printer chosen with プリンタ設定 changes the page shown.
        ok.choosePrinter = [this] {
            printer_->setPageSize(QPageSize(QPageSize::B4));
            return true;
        };
        button(ok, "btnSettei")->click();
        QVERIFY(ok.printerChosen());
        QCOMPARE(label(ok, "lblPWidth"),
                 QStringLiteral("横：") + QString::number(printer_->width()));
        QVERIFY(printer_->width() > 2500);
    }

    void printStartsOnlyWithAPrinter_data()
    {
        QTest::addColumn<bool>("chooseFirst"); // プリンタ設定 pressed before 印刷開始
        QTest::addColumn<bool>("confirm");     // answer of the print dialog
        QTest::addColumn<bool>("printOk");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("printed");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("status");
        const QString request = QStringLiteral("用紙のサイズを A4 に設定してください");
        QTest::newRow("dialog cancelled") << false << false << true << 1 << 0 << false << request;
        QTest::newRow("dialog confirmed")
            << false << true << true << 1 << 1 << true << QStringLiteral("印刷完了");
        QTest::newRow("printer chosen before")
            << true << true << true << 1 << 1 << true << QStringLiteral("印刷完了");
        QTest::newRow("print failed")
            << false << true << false << 1 << 1 << false << QStringLiteral("印刷できませんでした");
    }
    void printStartsOnlyWithAPrinter()
    {
        QFETCH(bool, chooseFirst);
        QFETCH(bool, confirm);
        QFETCH(bool, printOk);
        QFETCH(int, asked);
        QFETCH(int, printed);
        QFETCH(bool, closed);
        QFETCH(QString, status);

        TfrmPrintOk ok(*printer_);
        ok.setPaperName(QStringLiteral("A4"));
        int askedNow = 0;
        int printedNow = 0;
        ok.choosePrinter = [&] {
            ++askedNow;
            return confirm;
        };
        ok.print = [&] {
            ++printedNow;
            // While printing nothing else can be pressed.
            expectLabel(ok, "lblSize", QStringLiteral("印刷中"));
            for (const char* name : {"btnPrint", "btnClose", "btnSettei"})
                if (button(ok, name)->isEnabled())
                    failures_ << QString::fromLatin1(name) + " enabled while printing";
            return printOk;
        };
        ok.show();
        if (chooseFirst)
            button(ok, "btnSettei")->click();
        button(ok, "btnPrint")->click();
        QVERIFY2(failures_.isEmpty(), qPrintable(failures_.join('\n')));
        QCOMPARE(askedNow, asked);
        QCOMPARE(printedNow, printed);
        QCOMPARE(!ok.isVisible(), closed);
        QCOMPARE(ok.result(), closed ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(label(ok, "lblSize"), status);
        for (const char* name : {"btnPrint", "btnClose", "btnSettei"})
            QVERIFY(button(ok, name)->isEnabled());

        // The printer is offered again at the next opening (or after a failed print).
        ok.show();
        QVERIFY(!ok.printerChosen());
        button(ok, "btnPrint")->click();
        QCOMPARE(askedNow, asked + 1);
    }

    void startNumberGoesToTheSheet()
    {
        TfrmPrintOk ok(*printer_);
        QList<int> changes;
        ok.startNumberChanged = [&](int value) { changes.append(value); };
        auto* spin = ok.findChild<QSpinBox*>(QStringLiteral("spnStartNum"));
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), 100);
        ok.setStartNumber(12); // the sheet's own number: no change to report
        QCOMPARE(ok.startNumber(), 12);
        QVERIFY(changes.isEmpty());
        spin->stepUp();
        spin->setValue(200);
        QCOMPARE(changes, (QList<int>{13, 100}));
    }

private:
    static QString label(const QDialog& dialog, const char* name)
    {
        auto* widget = dialog.findChild<QLabel*>(QString::fromLatin1(name));
        return widget ? widget->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }
    static QPushButton* button(const QDialog& dialog, const char* name)
    {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void expectLabel(const QDialog& dialog, const char* name, const QString& text)
    {
        if (label(dialog, name) != text)
            failures_ << QStringLiteral("%1 reads %2")
                             .arg(QString::fromLatin1(name), label(dialog, name));
    }

    QTemporaryDir dir_;
    std::unique_ptr<QPrinter> printer_;
    QStringList failures_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmPrintOk)

#include "tst_TfrmPrintOk.moc"
