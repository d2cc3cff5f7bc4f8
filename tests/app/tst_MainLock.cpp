// The teacher/learner lock through the real main window, real keys and real message boxes:
// learner mode hides every answer, and leaving it takes the teacher password once one is set.
#include "app/TfrmMain.h"
#include "app/TfrmTeacherPassword.h"
#include "platform/Messages.h"
#include "platform/WidgetServices.h"
#include "sheet/TfrmPrint.h"

#include "MainWindowDriver.h"
#include "ModalDriver.h"
#include "WindowTestMain.h"

#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>

using namespace zendra;

namespace {

// Whether the question lines show an answer in blue.
bool showsBlue(const QImage& page)
{
    for (int y = 100; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80)
                return true;
        }
    return false;
}

void pressLock(TfrmMain& main)
{
    auto* lock = main.findChild<QPushButton*>("btnLock");
    lock->setFocus();
    QTest::keyClick(lock, Qt::Key_Space);
}

QString lockCaption(TfrmMain& main)
{
    return main.findChild<QPushButton*>("btnLock")->text();
}

// Types into the password dialog's field and presses Enter there.
void typePassword(TfrmTeacherPassword* dialog, const char* field, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>(field);
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class TestMainLock : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void learnerModeHidesTheAnswersOfEverySheet()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::startActive(main));
        int studied = 0;
        main.setStudyWindow([&](TfrmPrint*) { ++studied; });
        test::openUnit(main, 0, 0, 0);
        test::openUnit(main, 0, 0, 1);
        const QList<TfrmPrint*> sheets = main.findChildren<TfrmPrint*>();
        QCOMPARE(sheets.size(), 2);
        for (TfrmPrint* sheet : sheets)
            QVERIFY(sheet->sheet().answersShown && showsBlue(sheet->pageImage()));
        // The active sheet has a larger size than the one behind it.
        auto* moji = main.findChild<QWidget*>("pnlMain")->findChild<QSpinBox*>("spnMojiSize");
        moji->setValue(18);
        QList<QList<int>> lineEnds;
        for (TfrmPrint* sheet : sheets)
            lineEnds.append(sheet->sheet().composed.lineEnds);

        pressLock(main);
        QCOMPARE(lockCaption(main), QStringLiteral("生徒用"));
        for (qsizetype i = 0; i < sheets.size(); ++i) {
            QVERIFY(!sheets[i]->sheet().answersShown);
            QVERIFY(!showsBlue(sheets[i]->pageImage()));
            // Each is drawn again with its own sizes.
            QCOMPARE(sheets[i]->sheet().composed.lineEnds, lineEnds[i]);
        }

        // Neither the sheet's 表示 › 解答表示 nor a study brings them back.
        TfrmPrint* active = main.activeSheet();
        QMenu* view = active->findChild<QMenu*>("mnuView");
        test::clickMenuItem(view, test::menuItem(view, "mnuKaitou"), active);
        active->setFocus();
        QTest::keyClick(active, Qt::Key_Return);
        QCOMPARE(studied, 1);
        for (TfrmPrint* sheet : sheets)
            QVERIFY(!sheet->sheet().answersShown && !showsBlue(sheet->pageImage()));
    }

    void teacherPasswordGuardsLeavingLearnerMode()
    {
        WidgetMessages widgets;
        ScopedMessages scope(widgets);
        TfrmMain main;
        QVERIFY(test::startActive(main));

        // Without a password the lock is one click each way, as it always was.
        pressLock(main);
        QCOMPARE(lockCaption(main), QStringLiteral("生徒用"));
        pressLock(main);
        QCOMPARE(lockCaption(main), QStringLiteral("先生用"));

        // The teacher sets one through 編集 › 先生用パスワードの設定.
        QMenu* edit = main.findChild<QMenu*>("mnuEdit");
        QAction* set = test::menuItem(edit, "mnuTeacherPassword");
        QVERIFY(set);
        QString said;
        test::whenModal<TfrmTeacherPassword>([&](TfrmTeacherPassword* dialog) {
            dialog->findChild<QLineEdit*>("edtPassword")->setText(QStringLiteral("sensei42"));
            test::pressEnterOnNextMessage(&said);
            typePassword(dialog, "edtPassword2", QStringLiteral("sensei42"));
        });
        test::clickMenuItem(edit, set, &main);
        QCOMPARE(said, QStringLiteral("先生用パスワードを設定しました"));
        pressLock(main);
        QCOMPARE(lockCaption(main), QStringLiteral("生徒用"));

        // A wrong password is refused and Escape gives up: the lock stays closed.
        said.clear();
        bool asked = false;
        test::whenModal<TfrmTeacherPassword>([&](TfrmTeacherPassword* dialog) {
            asked = true;
            test::pressEnterOnNextMessage(&said);
            typePassword(dialog, "edtPassword", QStringLiteral("sensei"));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        pressLock(main);
        QVERIFY(asked);
        QCOMPARE(said, QStringLiteral("パスワードを正しく入力してください"));
        QCOMPARE(lockCaption(main), QStringLiteral("生徒用"));
        QVERIFY(main.state().keyLocked);

        // The right one opens teacher mode.
        test::whenModal<TfrmTeacherPassword>([&](TfrmTeacherPassword* dialog) {
            typePassword(dialog, "edtPassword", QStringLiteral("sensei42"));
        });
        pressLock(main);
        QCOMPARE(lockCaption(main), QStringLiteral("先生用"));
        QVERIFY(!main.state().keyLocked);
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestMainLock)

#include "tst_MainLock.moc"
