// The main window's commands with several worksheets open, pressed with the mouse as a
// teacher does, and the worksheets' own menus, headless: each command acts on the sheet that
// was active and leaves it active.
#include "app/TfrmMain.h"
#include "app/TfrmSavePdf.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "sheet/TfrmPrint.h"
#include "sheet/TfrmReadUnit.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace zendra;

namespace {

const char* const kMasters[] = {"Seisu/Seisu1.que", "Shosu/Shosu1.que", "Bunsu/Bunsu1.que"};

QMdiSubWindow* subOf(TfrmPrint* frm)
{
    return qobject_cast<QMdiSubWindow*>(frm->parentWidget());
}

QAction* sheetItem(TfrmPrint* frm, const char* name)
{
    return frm->findChild<QAction*>(QLatin1StringView(name));
}

// Opens the item's menu (which enables its items as the main window says) and picks it.
void pick(TfrmPrint* frm, const char* name)
{
    QAction* item = sheetItem(frm, name);
    QVERIFY2(item, name);
    auto* menu = qobject_cast<QMenu*>(item->associatedObjects().value(0));
    QVERIFY2(menu && menu->menuAction()->isVisible(), name);
    emit menu->aboutToShow();
    QVERIFY2(item->isEnabled(), name);
    item->trigger();
}

} // namespace

class TestSheetCommands : public QObject
{
    Q_OBJECT

private:
    static bool start(TfrmMain& main)
    {
        main.show();
        return main.FormShow() && activate(main);
    }

    // A dialog took the activation; the teacher's next click goes to the main window.
    static bool activate(TfrmMain& main)
    {
        QApplication::setActiveWindow(&main);
        return QTest::qWaitForWindowActive(&main) && QApplication::activeWindow() == &main;
    }

    static void press(TfrmMain& main, const char* name)
    {
        auto* button = main.findChild<QPushButton*>(name);
        QVERIFY2(button && button->isVisible() && button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // 主行間 ▲ three times, from the keyboard once the spin box has the focus.
    static void raiseSpacing(TfrmMain& main)
    {
        auto* spacing = main.findChild<QSpinBox*>("spnGyouSpace");
        QTest::mouseClick(spacing, Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(spacing, Qt::Key_Up);
    }

    // Unit 1 of section 1 of each lesson; the middle sheet is made the active one.
    static QList<TfrmPrint*> openThree(TfrmMain& main)
    {
        QList<TfrmPrint*> sheets;
        for (int lesson = 0; lesson < 3; ++lesson) {
            test::openUnit(main, lesson, 0, 0);
            sheets.append(main.activeSheet());
        }
        main.mdiArea()->setActiveSubWindow(subOf(sheets.at(1)));
        if (!activate(main) || main.activeSheet() != sheets.at(1))
            return {};
        return sheets;
    }

    static void markArea(TfrmPrint* frm)
    {
        QWidget* page = frm->findChild<QWidget*>("Image1");
        QTest::mousePress(page, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(page, QPoint(110, 60));
        QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(110, 60));
    }

    QList<QByteArray> masters() const
    {
        QList<QByteArray> bytes;
        for (const char* master : kMasters)
            bytes.append(test::readBytes(sandbox_->folder() + master));
        return bytes;
    }

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void leftPanelActsOnTheActiveSheet_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("上書き保存") << "btnSaveMaster";
        QTest::newRow("コピーファイルとして保存") << "btnSaveCopy";
        QTest::newRow("コピー") << "btnCopy";
        QTest::newRow("キャンセル") << "btnCancel";
    }

    void leftPanelActsOnTheActiveSheet()
    {
        QFETCH(QString, command);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        TfrmMain main;
        QVERIFY(start(main));
        const QString middleMaster = sandbox_->folder() + kMasters[1];
        QByteArray alone;
        if (command == "btnSaveMaster") {
            // Among other sheets the save must write what it writes for this sheet alone.
            const QByteArray original = test::readBytes(middleMaster);
            test::openUnit(main, 1, 0, 0);
            QVERIFY(activate(main));
            raiseSpacing(main);
            press(main, "btnSave");
            press(main, "btnSaveMaster");
            alone = test::readBytes(middleMaster);
            QVERIFY(alone != original);
            test::writeBytes(middleMaster, original);
            main.closeAllSheets();
            QVERIFY(main.openSheetList().isEmpty());
        }
        const QList<TfrmPrint*> sheets = openThree(main);
        QCOMPARE(sheets.size(), 3);
        TfrmPrint* middle = sheets.at(1);
        QList<QByteArray> expected = masters();
        const QString copyPath = sandbox_->folder() + "Shosu/mine.prp";

        if (command == "btnSaveMaster" || command == "btnSaveCopy") {
            raiseSpacing(main);
            press(main, "btnSave");
            dialogs.script({copyPath});
        } else {
            markArea(middle);
            QVERIFY(middle->hasMark());
        }
        press(main, qPrintable(command));

        QCOMPARE(main.activeSheet(), middle);
        QCOMPARE(main.mdiArea()->activeSubWindow(), subOf(middle));
        QVERIFY(messages.entries().isEmpty());
        if (command == "btnSaveMaster") {
            expected[1] = alone;
            QVERIFY(!middle->sheet().changed);
        } else if (command == "btnSaveCopy") {
            QCOMPARE(dialogs.requests().size(), 1);
            QCOMPARE(QDir(dialogs.requests().first().folder).canonicalPath(),
                     QDir(sandbox_->folder() + "Shosu").canonicalPath());
            QVERIFY(QFileInfo::exists(copyPath));
            QCOMPARE(middle->sheet().source.windowKey, copyPath);
            QVERIFY(!middle->sheet().changed);
        } else if (command == "btnCopy") {
            const QImage copied = QGuiApplication::clipboard()->image();
            QCOMPARE(copied.size(), QSize(98, 48));
            QCOMPARE(
                copied.convertToFormat(QImage::Format_RGB32),
                middle->pageImage().copy(11, 11, 98, 48).convertToFormat(QImage::Format_RGB32));
        }
        if (command == "btnCopy" || command == "btnCancel")
            QVERIFY(!middle->hasMark());
        for (int i = 0; i < 3; ++i)
            QVERIFY2(test::readBytes(sandbox_->folder() + kMasters[i]) == expected.at(i),
                     kMasters[i]);
    }

    // ファイル › 終了 of a sheet ends the program, asking about each changed sheet first.
    void sheetsExitClosesTheMainWindow()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(start(main));
        const QList<TfrmPrint*> sheets = openThree(main);
        QCOMPARE(sheets.size(), 3);
        raiseSpacing(main);
        const QString caption = sheets.at(1)->caption();
        messages.script({Messages::Answer::No});
        QTimer::singleShot(0, &main, [&] { pick(sheets.at(1), "mnuExit"); });
        // Only the program's end leaves the event loop with 0.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(messages.texts(), QStringList{caption + QStringLiteral("を保存しますか？")});
        QVERIFY(main.openSheetList().isEmpty());
        QVERIFY(!main.isVisible());
    }

    // 生徒用 takes the sheets' own teacher menus away too, on open sheets and on new ones;
    // the keys the main window handles still work.
    void learnerModeHidesTheSheetsMenus()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(start(main));
        test::openUnit(main, 0, 0, 0);
        TfrmPrint* first = main.activeSheet();
        press(main, "btnLock");
        QVERIFY(main.state().keyLocked);
        test::whenChooserShows(main, 1, 0, 0);
        QVERIFY(main.OpenMaster());
        TfrmPrint* second = main.activeSheet();
        QVERIFY(second && second != first);
        const auto menusShown = [](TfrmPrint* frm, bool shown) {
            for (const char* name : {"mnuFile", "mnuEdit", "mnuSettings"})
                QVERIFY2(frm->findChild<QMenu*>(name)->menuAction()->isVisible() == shown, name);
            auto* view = frm->findChild<QMenu*>("mnuView");
            emit view->aboutToShow();
            QCOMPARE(sheetItem(frm, "mnuKaitou")->isEnabled(), shown);
        };
        for (TfrmPrint* frm : {first, second})
            menusShown(frm, false);
        QCOMPARE(second->scrollPosition(), 0);
        QTest::keyClick(second, Qt::Key_PageDown);
        QVERIFY(second->scrollPosition() > 0);

        QVERIFY(activate(main));
        press(main, "btnLock");
        for (TfrmPrint* frm : {first, second})
            menusShown(frm, true);
    }

    void sheetsFileMenuSavesAPdf()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        TfrmMain main;
        QVERIFY(start(main));
        const QList<TfrmPrint*> sheets = openThree(main);
        QCOMPARE(sheets.size(), 3);
        const QString pdf = sandbox_->folder() + "Shosu/sheet.pdf";
        dialogs.script({pdf});
        QTimer::singleShot(0, &main, [&main] {
            auto* choices = main.findChild<TfrmSavePdf*>();
            QVERIFY(choices && choices->isVisible());
            auto* copies = choices->findChild<QSpinBox*>("spnCopies");
            copies->setValue(2);
            QTest::keyClick(copies, Qt::Key_Return);
        });
        pick(sheets.at(1), "mnuSavePdf");
        QVERIFY(messages.texts().isEmpty());
        QCOMPARE(QDir(dialogs.requests().value(0).folder).canonicalPath(),
                 QDir(sandbox_->folder() + "Shosu").canonicalPath());
        const QByteArray written = test::readBytes(pdf);
        QVERIFY(written.startsWith("%PDF"));
        QCOMPARE(test::pdfPageCount(written), 2);
        QCOMPARE(main.activeSheet(), sheets.at(1));
    }

    // The header dialog from the sheet's 編集 menu, and as what 編集 does on a copy sheet.
    void headerDialogIsReachable_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("how");
        QTest::newRow("master sheet, 編集 › コピーファイルの編集") << false << "mnuEditCopy";
        QTest::newRow("copy sheet, 編集 › コピーファイルの編集") << true << "mnuEditCopy";
        QTest::newRow("copy sheet, 編集 › 編集") << true << "mnuEditMaster";
        QTest::newRow("copy sheet, 編集 button") << true << "btnEdit";
    }

    void headerDialogIsReachable()
    {
        QFETCH(bool, copy);
        QFETCH(QString, how);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(start(main));
        const QList<TfrmPrint*> sheets = openThree(main);
        QCOMPARE(sheets.size(), 3);
        TfrmPrint* frm = sheets.at(1);
        if (copy) {
            test::whenOpenerShows(main, 0, "Matome1.prp");
            pick(frm, "mnuOpenCopy");
            QVERIFY(activate(main));
            QVERIFY(main.activeSheet() != frm);
            frm = main.activeSheet();
            QVERIFY(frm && frm->sheet().source.choice.section == 0);
        }
        QString shownTitle;
        QString shownFor;
        QTimer::singleShot(0, &main, [&] {
            auto* dialog = main.findChild<TfrmReadUnit*>();
            QVERIFY(dialog && dialog->isVisible());
            shownTitle = dialog->windowTitle();
            shownFor = dialog->findChild<QLineEdit*>("edtTangen")->text();
            dialog->findChild<QPushButton*>("btnCancel")->click();
        });
        if (how.startsWith("btn"))
            press(main, qPrintable(how));
        else
            pick(frm, qPrintable(how));
        QCOMPARE(shownTitle, QStringLiteral("Zendra - コピーファイルの編集"));
        QCOMPARE(shownFor, frm->sheet().content.title);
        QVERIFY(messages.entries().isEmpty());
        QCOMPARE(main.activeSheet(), frm);
    }

    // A copy file's figures come from the lesson it was opened from in the opener.
    void copyFileFiguresFollowTheOpenersLesson_data()
    {
        QTest::addColumn<bool>("integerSheetActive");
        QTest::newRow("no sheet open") << false;
        QTest::newRow("a 整数 sheet active") << true;
    }

    void copyFileFiguresFollowTheOpenersLesson()
    {
        QFETCH(bool, integerSheetActive);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs dialogScope(dialogs);
        TfrmMain main;
        QVERIFY(start(main));
        const QString copy = sandbox_->folder() + "Bunsu/bar.prp";
        test::openUnit(main, 2, 0, 0); // 3/1/1, with the figure bar34.bmp
        QVERIFY(activate(main));
        QVERIFY(!main.activeSheet()->sheet().questionPictures.value(0).isNull());
        dialogs.script({copy});
        press(main, "btnSave");
        press(main, "btnSaveCopy");
        press(main, "btnFpClose");
        QVERIFY(main.openSheetList().isEmpty());
        if (integerSheetActive)
            test::openUnit(main, 0, 0, 0);

        test::whenOpenerShows(main, 2, "bar.prp");
        if (integerSheetActive)
            pick(main.activeSheet(), "mnuOpenCopy");
        else
            main.findChild<QAction*>("mnuOpenCopy")->trigger();
        QVERIFY2(messages.entries().isEmpty(), qPrintable(messages.texts().join('\n')));
        TfrmPrint* opened = main.activeSheet();
        QVERIFY(opened);
        QCOMPARE(opened->sheet().source.windowKey, copy);
        QCOMPARE(opened->sheet().questionPictures.size(), 1);
        QVERIFY(!opened->sheet().questionPictures.first().isNull());
    }

    void cascadeKeepsUsableSheets()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(start(main));
        const QList<TfrmPrint*> sheets = openThree(main);
        QCOMPARE(sheets.size(), 3);
        auto* window = main.findChild<QMenu*>("mnuWindow");
        emit window->aboutToShow();
        main.findChild<QAction*>("mnuCascade")->trigger();
        const QRect area(QPoint(0, 0), main.mdiArea()->viewport()->size());
        const QPoint farthest = subOf(sheets.last())->pos();
        QVERIFY(farthest.x() > 0 && farthest.y() > 0); // cascaded
        for (TfrmPrint* frm : sheets) {
            const QRect placed = subOf(frm)->geometry();
            QVERIFY(area.contains(placed));
            QCOMPARE(placed.size(), area.size() - QSize(farthest.x(), farthest.y()));
        }
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestSheetCommands)

#include "tst_SheetCommands.moc"
