// The paper and options dialog, headless.
#include "app/TfrmSetPaper.h"

#include "WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace zendra;

class TestTfrmSetPaper : public QObject
{
    Q_OBJECT

    template <typename T> static T* control(TfrmSetPaper& dialog, const char* name)
    {
        auto* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

private slots:
    void okUntouchedKeepsTheSheetsPaperAndOptions()
    {
        TfrmSetPaper dialog;
        dialog.setPaper(630);
        dialog.setOptions(7);
        dialog.sheetOpen = [] { return true; };
        QTimer::singleShot(0, &dialog,
                           [&dialog] { control<QPushButton>(dialog, "btnOk")->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenWidth(), 630);
        QCOMPARE(dialog.options(), 7);
    }

    void papers_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("chosen");
        QTest::newRow("B5") << 546 << "rdbB5" << 546;
        QTest::newRow("A4") << 630 << "rdbA4" << 630;
        QTest::newRow("B4") << 771 << "rdbB4" << 771;
        QTest::newRow("A3") << 891 << "rdbA3" << 891;
        QTest::newRow("other") << 700 << "rdbA3" << 891;
    }
    void papers()
    {
        QFETCH(int, width);
        QFETCH(QString, button);
        QFETCH(int, chosen);
        TfrmSetPaper dialog;
        dialog.setPaper(width);
        QVERIFY(control<QRadioButton>(dialog, qPrintable(button))->isChecked());
        QCOMPARE(dialog.chosenWidth(), chosen);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        // Every paper can be chosen from any other.
        for (const auto& [name, other] : {std::pair{"rdbB5", 546}, std::pair{"rdbA4", 630},
                                          std::pair{"rdbB4", 771}, std::pair{"rdbA3", 891}}) {
            dialog.setPaper(width);
            auto* radio = control<QRadioButton>(dialog, name);
            QVERIFY2(radio->isEnabled(), name);
            QTest::mouseClick(radio, Qt::LeftButton);
            QCOMPARE(dialog.chosenWidth(), other);
        }
    }

    void optionsFollowTheCheckBoxes()
    {
        TfrmSetPaper dialog;
        dialog.setOptions(7);
        control<QCheckBox>(dialog, "chkJisshibi")->click();
        QCOMPARE(dialog.options(), 5);

        dialog.setOptions(2);
        QVERIFY(!control<QCheckBox>(dialog, "chkClassFlag")->isChecked());
        QVERIFY(control<QCheckBox>(dialog, "chkJisshibi")->isChecked());
        QVERIFY(!control<QCheckBox>(dialog, "chkPrinted")->isChecked());
        control<QCheckBox>(dialog, "chkPrinted")->click();
        QCOMPARE(dialog.options(), 6);
    }

    void okWithoutASheetStaysOpen()
    {
        TfrmSetPaper dialog;
        dialog.setPaper(546);
        dialog.sheetOpen = [] { return false; };
        bool stayedOpen = false;
        QTimer::singleShot(0, &dialog, [&] {
            control<QPushButton>(dialog, "btnOk")->click();
            stayedOpen = dialog.isVisible();
            control<QPushButton>(dialog, "btnCancel")->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(stayedOpen);
    }
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmSetPaper)

#include "tst_TfrmSetPaper.moc"
