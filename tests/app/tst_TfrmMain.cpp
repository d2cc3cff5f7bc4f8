// The main window's start on a courseware tree, headless.
#include "app/QtTranslation.h"
#include "app/TfrmMain.h"
#include "authoring/TfrmZenTangen.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zendra;

class TestTfrmMain : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void startsOnTheSampleCourseware()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        QVERIFY2(messages.entries().isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(main.windowTitle(), kApplicationTitle);
        QVERIFY(main.state().lessonTable.count() >= 2);
        QVERIFY(main.state().startupDone);
        auto* logOn = main.findChild<QLineEdit*>(QStringLiteral("edtLogOnName"));
        QVERIFY(logOn);
        QCOMPARE(logOn->text(), QStringLiteral("共通"));
        QVERIFY(main.findChild<QMdiArea*>(QStringLiteral("mdiArea")));
        // The chooser's all-units window prints on the printer the teacher set up.
        auto* allUnits = main.findChild<TfrmZenTangen*>();
        QVERIFY(allUnits);
        QCOMPARE(allUnits->currentPrinter(), &main.printer());
    }

    // 学習者 logs a learner on; the name box and the setting follow.
    void learnerButtonLogsOn()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        main.state().learnerName = QStringLiteral("太郎");
        auto* button = main.findChild<QPushButton*>(QStringLiteral("btnLogOn"));
        QVERIFY(button->isEnabled());
        QTimer::singleShot(0, &main, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QLineEdit*>(QStringLiteral("edtName"))
                ->setText(QStringLiteral("共通"));
            dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        button->click();
        QCOMPARE(main.state().learnerName, QStringLiteral("共通"));
        QCOMPARE(main.findChild<QLineEdit*>(QStringLiteral("edtLogOnName"))->text(),
                 QStringLiteral("共通"));
        QCOMPARE(ReadStringSetting(QStringLiteral("LogOnName"), QString()), QStringLiteral("共通"));
    }

    void endsWhenMainIndexIsMissing()
    {
        QFile::remove(sandbox_->folder() + QStringLiteral("Main.ind"));
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(!main.FormShow());
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY(messages.texts().first().startsWith(QStringLiteral("ファイル ")));
        QVERIFY(messages.texts().first().endsWith(QStringLiteral("Main.ind が見つかりません")));
    }

    // Qt's own buttons speak Japanese once the start has loaded Qt's translation.
    void qtTextsAreJapanese()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ja.qm")))
            QSKIP("qtbase_ja.qm is not installed (Debian package qt6-translations-l10n)");
        QVERIFY(InstallQtTranslation(*qApp));
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmMain)

#include "tst_TfrmMain.moc"
