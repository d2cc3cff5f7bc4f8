// The main window's input fields, menus and layout warnings through real key events and
// menu clicks, headless.
#include "app/LayoutSettings.h"
#include "app/TfrmMain.h"
#include "authoring/TfrmEditIndex.h"
#include "platform/Messages.h"
#include "platform/WidgetServices.h"
#include "sheet/TfrmPrint.h"

#include "MainWindowDriver.h"
#include "ModalDriver.h"
#include "WindowTestMain.h"

#include <QLabel>
#include <QMenu>
#include <QSpinBox>

using namespace zendra;

namespace {

// Types a value into a spin as a teacher does: everything selected, the digits, Enter.
void typeInto(QSpinBox* spin, const QString& value)
{
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, value);
    QTest::keyClick(spin, Qt::Key_Return);
}

} // namespace

class TestMainInput : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void enterAndEscapeInAFieldBelongToTheField()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::startActive(main));
        int studied = 0;
        main.setStudyWindow([&](TfrmPrint*) { ++studied; });
        test::openUnit(main, 0, 0, 0);
        TfrmPrint* sheet = main.activeSheet();
        QVERIFY(sheet);

        struct Field
        {
            const char* name;
            LayoutControl control;
            int value;
        };
        for (const Field& f : {Field{"spnGyouSpace", LayoutControl::LineSpacing, 40},
                               Field{"spnMojiSize", LayoutControl::CharacterSize, 12}}) {
            auto* spin = main.findChild<QSpinBox*>(f.name);
            typeInto(spin, QString::number(f.value));
            QVERIFY2(studied == 0, f.name);
            QCOMPARE(LayoutValue(sheet->sheet(), f.control), f.value);
            QTest::keyClick(spin, Qt::Key_Escape);
            QCOMPARE(main.openSheetList().size(), 1);
            QCOMPARE(main.activeSheet(), sheet);
        }

        // Away from the fields Enter studies and Escape closes the sheet, as before.
        sheet->setFocus();
        QTest::keyClick(sheet, Qt::Key_Return);
        QCOMPARE(studied, 1);
        messages.script({Messages::Answer::No}); // not saved
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(main.openSheetList().isEmpty());
    }

    void layoutSpinsNeedAnActiveSheet()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::startActive(main));
        auto* gyou = main.findChild<QSpinBox*>("spnGyouSpace");
        auto* moji = main.findChild<QSpinBox*>("spnMojiSize");
        QVERIFY(!gyou->isEnabled() && !moji->isEnabled());

        test::openUnit(main, 0, 0, 0);
        test::openUnit(main, 0, 0, 1);
        QVERIFY(gyou->isEnabled() && moji->isEnabled());
        main.findChild<QPushButton*>("btnFpClose")->click();
        // The sheet left open takes them again once it is the active one.
        QVERIFY(!main.activeSheet());
        QVERIFY(!gyou->isEnabled() && !moji->isEnabled());
        main.ActivateSheet(0);
        QVERIFY(main.activeSheet());
        QVERIFY(gyou->isEnabled() && moji->isEnabled());
        QCOMPARE(moji->value(),
                 LayoutValue(main.activeSheet()->sheet(), LayoutControl::CharacterSize));

        main.findChild<QPushButton*>("btnFpClose")->click();
        QVERIFY(main.openSheetList().isEmpty());
        QVERIFY(!gyou->isEnabled() && !moji->isEnabled());
        const int before = moji->value();
        QTest::keyClick(moji, Qt::Key_Up);
        QCOMPARE(moji->value(), before);
    }

    void editIndexFromTheMainMenu()
    {
        WidgetMessages widgets;
        ScopedMessages scope(widgets);
        TfrmMain main;
        QVERIFY(test::startActive(main));

        QMenu* edit = main.findChild<QMenu*>("mnuEdit");
        QAction* item = test::menuItem(edit, "mnuEditIndex");
        QVERIFY(item);
        bool editorShown = false;
        test::whenModal<TfrmEditIndex>([&](TfrmEditIndex* editor) {
            editorShown = true;
            QTest::keyClick(editor, Qt::Key_Escape);
        });
        test::clickMenuItem(edit, item, &main);
        QTRY_VERIFY(editorShown);

        // With a sheet open, its own 目次作成 asks for the sheets to be closed first.
        test::openUnit(main, 0, 0, 0);
        TfrmPrint* sheet = main.activeSheet();
        QMenu* sheetEdit = sheet->findChild<QMenu*>("mnuEdit");
        QString said;
        test::pressEnterOnNextMessage(&said);
        test::clickMenuItem(sheetEdit, test::menuItem(sheetEdit, "mnuEditIndex"), sheet);
        QTRY_COMPARE(said, QStringLiteral("開いているファイルをすべて閉じてください"));
    }

    void linesPastThePaperAreSaidOnTheSheet()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::startActive(main));
        test::openUnit(main, 0, 0, 0); // A4, two columns of sums on lines 3 to 8
        TfrmPrint* sheet = main.activeSheet();
        auto* status = sheet->findChild<QLabel*>("lblStatus");
        QVERIFY(status);
        QVERIFY(status->isHidden());

        auto* moji = main.findChild<QSpinBox*>("spnMojiSize");
        typeInto(moji, QStringLiteral("18"));
        QVERIFY(!status->isHidden());
        QVERIFY2(status->text().contains(QStringLiteral("3、4、5、6、7、8 行目")),
                 qPrintable(status->text()));
        typeInto(moji, QStringLiteral("14"));
        QVERIFY(status->isHidden());
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestMainInput)

#include "tst_MainInput.moc"
