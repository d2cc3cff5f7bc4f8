// Copy files, the clipboard rectangle and the Window menu of the main window, headless.
#include "app/TfrmMain.h"
#include "authoring/TfrmOpenPRP.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/TextFile.h"
#include "sheet/TfrmPrint.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QMenuBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace zendra;

class TestMainCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void copyFileOpensOnceAndSavesOverItself()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        const QString copy = sandbox_->folder() + "Seisu/Matome1.prp";
        const auto chooseCopy = [&main] {
            QTimer::singleShot(0, &main, [&main] {
                auto* opener = main.findChild<TfrmOpenPRP*>();
                QVERIFY(opener && opener->isVisible());
                auto* files = opener->findChild<QListWidget*>("flbPRP");
                const QList<QListWidgetItem*> found =
                    files->findItems("Matome1.prp", Qt::MatchExactly);
                QCOMPARE(found.size(), 1);
                files->setCurrentItem(found.first());
                emit files->itemClicked(found.first());
                opener->findChild<QPushButton*>("btnOk")->click();
            });
            main.OpenCopyFile();
        };
        chooseCopy();
        QCOMPARE(main.openSheetList(), QStringList{copy});
        TfrmPrint* sheet = main.activeSheet();
        QVERIFY(sheet);
        QCOMPARE(sheet->windowTitle(), copy);
        QVERIFY(!sheet->sheet().titleGenerated);

        chooseCopy();
        QCOMPARE(messages.texts().last(), QStringLiteral("すでに読み込まれています"));
        QCOMPARE(main.openSheetList().size(), 1);

        // Changed and closed with Yes: saved over the copy file, no name asked.
        const int spacing = sheet->sheet().settings.lineSpacing + 4;
        main.findChild<QSpinBox*>("spnGyouSpace")->setValue(spacing);
        messages.script({Messages::Answer::Yes});
        main.findChild<QPushButton*>("btnFpClose")->click();
        QVERIFY(main.openSheetList().isEmpty());
        QStringList lines;
        QVERIFY(TextFile::read(copy, lines).ok);
        QCOMPARE(lines.first(), QStringLiteral("[[unitX"));
        QCOMPARE(lines.at(lines.indexOf("<<value") + 3), QString::number(spacing));
    }

    void markedRectangleGoesToTheClipboard()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        test::openUnit(main, 0, 0, 0);
        TfrmPrint* sheet = main.activeSheet();
        QVERIFY(sheet);
        auto* copy = main.findChild<QPushButton*>("btnCopy");
        QVERIFY(!copy->isEnabled());

        QWidget* page = sheet->findChild<QWidget*>("Image1");
        QVERIFY(page);
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(page, QPoint(60, 40));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(110, 60));
        QVERIFY(copy->isEnabled());

        QGuiApplication::clipboard()->clear();
        copy->click();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(98, 48));
        QCOMPARE(copied.pixel(0, 0), sheet->pageImage().pixel(11, 11));
        QVERIFY(!copy->isEnabled());
        QVERIFY(!sheet->hasMark());
    }

    void windowMenuNeedsAnOpenSheet()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        auto* menu = main.findChild<QMenu*>("mnuWindow");
        QVERIFY(menu);
        const auto enabledItems = [menu] {
            emit menu->aboutToShow();
            int enabled = 0;
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && action->isEnabled())
                    ++enabled;
            return enabled;
        };
        QCOMPARE(enabledItems(), 0);
        test::openUnit(main, 0, 0, 0);
        QCOMPARE(enabledItems(), 5); // four commands and the open sheet
        main.closeAllSheets();
        QCOMPARE(enabledItems(), 0);
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestMainCommands)

#include "tst_MainCommands.moc"
