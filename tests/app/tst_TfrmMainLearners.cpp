// Learners' passwords, the class list and the records as a classroom meets them through
// the main window: real windows, real keys, real message boxes.
#include "app/TfrmHelp.h"
#include "app/TfrmMain.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "learners/TfrmInputName.h"
#include "learners/TfrmKiroku.h"
#include "learners/TfrmPassword.h"
#include "platform/Fonts.h"
#include "platform/SettingsStore.h"
#include "platform/WidgetServices.h"

#include "MainWindowDriver.h"
#include "ModalDriver.h"
#include "WindowTestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>

using namespace zendra;
using test::onNextModal;

namespace {

template <typename T> T* child(QWidget* w, const char* name)
{
    return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// Types a password as a learner does and presses Enter.
void enterPassword(QWidget* dialog, const char* field, const QString& text)
{
    auto* edit = child<QLineEdit>(dialog, field);
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void rejectModal(QWidget* w)
{
    if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
        dialog->reject();
}

} // namespace

class TestTfrmMainLearners : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        sandbox_ = std::make_unique<test::MainWindowSandbox>();
        LessonTable lessons;
        QVERIFY(LoadMainIndex(sandbox_->folder(), lessons));
        jiroLesson1_ = LearnerRecordPath(sandbox_->folder(), lessons, 1, QStringLiteral("次郎"));
        jiroLesson2_ = LearnerRecordPath(sandbox_->folder(), lessons, 2, QStringLiteral("次郎"));
        // 次郎 has a password and three records in the decimals lesson only.
        QVERIFY(WritePassword(jiroLesson2_, QStringLiteral("jiro")));
        for (int i = 0; i < 3; ++i)
            QVERIFY(
                AppendRecord(jiroLesson2_, QStringLiteral("S11小数の表し方"),
                             QStringLiteral("2024年05月0%1日 09:30 []  1/ 1 100点 00:10").arg(i)));
    }
    void cleanup() { sandbox_.reset(); }

    // The learner remembered from the last run is asked for the password: Escape starts the
    // program as 共通, the right password as the learner.
    void restoredLearnerGivesThePassword()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        for (const bool answer : {false, true}) {
            WriteStringSetting(QStringLiteral("LogOnName"), QStringLiteral("次郎"));
            TfrmMain main;
            main.show();
            QString greeting;
            onNextModal([&](QWidget* w) {
                greeting = child<QLabel>(w, "lblMess") ? child<QLabel>(w, "lblMess")->text()
                                                       : w->objectName();
                if (answer && child<QLineEdit>(w, "mskPW"))
                    enterPassword(w, "mskPW", QStringLiteral("jiro"));
                else
                    QTest::keyClick(w, Qt::Key_Escape);
            });
            QVERIFY(main.FormShow());
            QCOMPARE(greeting, QStringLiteral("ようこそ次郎さん"));
            const QString learner = answer ? QStringLiteral("次郎") : QStringLiteral("共通");
            QCOMPARE(main.state().learnerName, learner);
            QCOMPARE(main.findChild<QLineEdit*>(QStringLiteral("edtLogOnName"))->text(), learner);
            QCOMPARE(ReadStringSetting(QStringLiteral("LogOnName"), {}), QStringLiteral("次郎"));
        }
    }

    // 次郎 logs on in lesson 1 with a new password; his records of lesson 2 stay closed
    // (no counts, no viewer) until he gives lesson 2's password.
    void anotherLessonsRecordsAskItsPassword()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        TfrmMain main;
        QVERIFY(test::start(main));
        logOnAsJiroInLesson1(main);
        QCOMPARE(main.state().learnerName, QStringLiteral("次郎"));

        test::EnterOnMessageBoxes boxTexts;
        QStringList shown;
        QString unitRowBefore, unitRowAfter, listed;
        onNextModal([&](QWidget* menu) {
            auto* lessons = child<QListWidget>(menu, "lstLesson");
            QTest::keyClick(lessons, Qt::Key_Down);
            unitRowBefore = child<QListWidget>(menu, "lstUnit")->item(0)->text();
            // Escape on the password question: no viewer.
            onNextModal([&](QWidget* w) {
                shown.append(w->objectName());
                QTest::keyClick(w, Qt::Key_Escape);
                rejectModal(w);
            });
            child<QPushButton>(menu, "btnShowRecord")->click();
            // A wrong password (its message box answered with Enter), then the right one.
            onNextModal([&](QWidget* w) {
                shown.append(w->objectName());
                if (!child<QLineEdit>(w, "mskPW"))
                    return rejectModal(w);
                enterPassword(w, "mskPW", QStringLiteral("xxxx"));
                onNextModal([&](QWidget* viewer) {
                    shown.append(viewer->objectName());
                    if (auto* titles = child<QListWidget>(viewer, "lstTitle"))
                        listed = titles->item(1)->text();
                    rejectModal(viewer);
                });
                enterPassword(w, "mskPW", QStringLiteral("jiro"));
            });
            child<QPushButton>(menu, "btnShowRecord")->click();
            unitRowAfter = child<QListWidget>(menu, "lstUnit")->item(0)->text();
            rejectModal(menu);
        });
        main.findChild<QPushButton*>(QStringLiteral("btnOpenMaster"))->click();

        QCOMPARE(shown, (QStringList{QStringLiteral("frmPassword"), QStringLiteral("frmPassword"),
                                     QStringLiteral("frmKiroku")}));
        QCOMPARE(boxTexts.texts, QStringList{QStringLiteral("パスワードを正しく入力してください")});
        QCOMPARE(listed, QStringLiteral("03回S11小数の表し方"));
        QVERIFY2(unitRowBefore.contains(QStringLiteral("[ ]小数の表し方")),
                 qPrintable(unitRowBefore));
        QVERIFY2(unitRowAfter.contains(QStringLiteral("[3]小数の表し方")),
                 qPrintable(unitRowAfter));
        QCOMPARE(RecordCount(jiroLesson2_, QStringLiteral("S11小数の表し方")), 3);
    }

    // Studying a unit of lesson 2 writes his records there: the password comes first, and
    // without it there is no study.
    void studyingAnotherLessonAsksItsPassword()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        TfrmMain main;
        QVERIFY(test::start(main));
        logOnAsJiroInLesson1(main);
        QStringList shown;
        onNextModal([&](QWidget* menu) {
            onNextModal([&](QWidget* w) {
                shown.append(w->objectName());
                QTest::keyClick(w, Qt::Key_Escape);
                rejectModal(w);
            });
            QTest::keyClick(child<QListWidget>(menu, "lstLesson"), Qt::Key_Down);
            QTest::keyClick(child<QListWidget>(menu, "lstUnit"), Qt::Key_Return);
            rejectModal(menu);
        });
        main.findChild<QPushButton*>(QStringLiteral("btnTest"))->click();
        QCOMPARE(shown, QStringList{QStringLiteral("frmPassword")});
        QCOMPARE(RecordCount(jiroLesson2_, QStringLiteral("S11小数の表し方")), 3);
    }

    // In learner mode the class list cannot be changed or saved, and records cannot be erased.
    void learnerModeLeavesTheClassListAndRecordsAlone()
    {
        WriteBoolSetting(QStringLiteral("KeyLock"), true);
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        const QString roster = sandbox_->folder() + QStringLiteral("LogOn/sname.txt");
        const QByteArray before = test::readBytes(roster);

        QStringList enabled;
        onNextModal([&](QWidget* names) {
            for (const char* b : {"btnAdd", "btnDelete", "btnSave"}) {
                if (child<QPushButton>(names, b)->isEnabled())
                    enabled.append(QString::fromLatin1(b));
            }
            auto* list = child<QListWidget>(names, "lstName");
            QTest::keyClick(list, Qt::Key_End);
            QTest::mouseClick(child<QPushButton>(names, "btnDelete"), Qt::LeftButton);
            // A name not in the list logs on without joining it.
            onNextModal([](QWidget* pw) { QTest::keyClick(pw, Qt::Key_Escape); });
            child<QLineEdit>(names, "edtName")->setText(QStringLiteral("新人"));
            QTest::keyClick(child<QLineEdit>(names, "edtName"), Qt::Key_Return);
            QTest::keyClick(names, Qt::Key_Escape);
            rejectModal(names);
        });
        main.findChild<QPushButton*>(QStringLiteral("btnLogOn"))->click();

        onNextModal([&](QWidget* menu) {
            onNextModal([&](QWidget* viewer) {
                if (child<QPushButton>(viewer, "btnErase")->isEnabled())
                    enabled.append(QStringLiteral("btnErase"));
                rejectModal(viewer);
            });
            child<QPushButton>(menu, "btnShowRecord")->click();
            rejectModal(menu);
        });
        main.findChild<QPushButton*>(QStringLiteral("btnTest"))->click();

        QCOMPARE(enabled, QStringList());
        QCOMPARE(test::readBytes(roster), before);
    }

    // F1 in the records viewer opens its help topic.
    void recordsViewerHelpIsItsTopic()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        QVERIFY(test::start(main));
        onNextModal([&](QWidget* menu) {
            onNextModal([&](QWidget* viewer) {
                QTest::keyClick(child<QListWidget>(viewer, "lstTitle"), Qt::Key_F1);
                rejectModal(viewer);
            });
            child<QPushButton>(menu, "btnShowRecord")->click();
            rejectModal(menu);
        });
        main.findChild<QPushButton*>(QStringLiteral("btnOpenMaster"))->click();
        auto* help = main.findChild<TfrmHelp*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->findChild<QTextBrowser*>()->source().toString(),
                 QStringLiteral("qrc") + TfrmHelp::topicFor(222));
        QVERIFY(TfrmHelp::topicFor(222).endsWith(QStringLiteral("222.htm")));
    }

private:
    // 次郎's first log-on in lesson 1: a new password, typed twice.
    void logOnAsJiroInLesson1(TfrmMain& main)
    {
        onNextModal([&](QWidget* names) {
            onNextModal([&](QWidget* pw) {
                child<QLineEdit>(pw, "mskPW")->setText(QStringLiteral("abcd"));
                enterPassword(pw, "mskPW2", QStringLiteral("abcd"));
            });
            child<QLineEdit>(names, "edtName")->setText(QStringLiteral("次郎"));
            QTest::keyClick(child<QLineEdit>(names, "edtName"), Qt::Key_Return);
            rejectModal(names);
        });
        main.findChild<QPushButton*>(QStringLiteral("btnLogOn"))->click();
        QCOMPARE(ReadPassword(jiroLesson1_), QStringLiteral("abcd"));
    }

    std::unique_ptr<test::MainWindowSandbox> sandbox_;
    QString jiroLesson1_, jiroLesson2_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmMainLearners)

#include "tst_TfrmMainLearners.moc"
