// The print-mode dialog driven through its controls, headless.
#include "app/TfrmPrintMode.h"
#include "platform/SettingsStore.h"

#include "WindowTestMain.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace zendra;

class TestTfrmPrintMode : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsStore::useFolder(settings_.path()); }
    void cleanup() { SettingsStore::useFolder({}); }

    void closeWritesTheChosenMode_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("printMode");
        QTest::newRow("screen") << "radDisplay" << false;
        QTest::newRow("printer") << "radPrinter" << true;
    }
    void closeWritesTheChosenMode()
    {
        QFETCH(QString, choice);
        QFETCH(bool, printMode);
        WriteBoolSetting(QStringLiteral("PrintMode"), !printMode);
        TfrmPrintMode mode;
        mode.show();
        mode.findChild<QRadioButton*>(choice)->click();
        mode.findChild<QPushButton*>(QStringLiteral("frmClose"))->click();
        QCOMPARE(mode.result(), int(QDialog::Accepted));
        QVERIFY(!mode.isVisible());
        QCOMPARE(ReadBoolSetting(QStringLiteral("PrintMode"), !printMode), printMode);
        QCOMPARE(mode.printerResolution(), printMode);

        // The next start shows what the screen shows again, whatever was stored.
        TfrmPrintMode next;
        QVERIFY(next.findChild<QRadioButton*>(QStringLiteral("radDisplay"))->isChecked());
        QVERIFY(!next.printerResolution());
    }

private:
    QTemporaryDir settings_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmPrintMode)

#include "tst_TfrmPrintMode.moc"
