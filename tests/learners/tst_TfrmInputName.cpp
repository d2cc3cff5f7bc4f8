// The log-on dialogs driven through their controls, headless.
#include "learners/TfrmInputName.h"
#include "learners/TfrmPassword.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/NameList.h"
#include "courseware/RecordFile.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/TextFile.h"
#include "platform/WidgetServices.h"

#include "ModalDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zendra;

namespace {

template <typename T> T* child(QWidget* w, const char* name)
{
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no control %s", name);
    return found;
}

QPushButton* button(QWidget* w, const char* name)
{
    return child<QPushButton>(w, name);
}
QLineEdit* edit(QWidget* w, const char* name)
{
    return child<QLineEdit>(w, name);
}

// Every file under a folder, to show that nothing was written where it must not be.
QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

// What the password dialog showed, and how it was answered.
struct Asked
{
    bool shown = false;
    bool repeatShown = false;
    QString greeting, prompt;
    QStringList messages;
    bool nameDialogOpen = false; // after OK
};

} // namespace

class TestTfrmInputName : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        sandbox_ = std::make_unique<QTemporaryDir>();
        SettingsStore::useFolder(sandbox_->filePath(QStringLiteral("settings")));
        courseware_ = std::make_unique<test::CoursewareCopy>();
        QVERIFY(test::PlaceInLessonOne(*courseware_, place_));
        place_.logOnFolder = sandbox_->filePath(QStringLiteral("drive/Zendra/LogOn"));
        place_.learnerName = kSharedLearner;
        place_.gate = std::make_shared<RecordGate>();
        messages_.clear();
    }
    void cleanup() { SettingsStore::useFolder({}); }

    void passwordsPerLearnerAndLesson()
    {
        // A new learner: asked twice, with each refusal kept open.
        TfrmInputName dialog;
        Asked asked;
        int result = logOn(dialog, QStringLiteral("太郎"), asked, [&](TfrmPassword* pw) {
            type(pw, "mskPW", QStringLiteral("abc"));
            QVERIFY(!child<QLabel>(pw, "lblRetry")->isVisible());
            type(pw, "mskPW2", QStringLiteral("abc"));
            button(pw, "btnOk")->click(); // 3 bytes
            type(pw, "mskPW", QStringLiteral("ああ"));
            type(pw, "mskPW2", QStringLiteral("あい"));
            QVERIFY(child<QLabel>(pw, "lblRetry")->isVisible());
            test::saveShot(*pw, "logon-password.png");
            button(pw, "btnOk")->click(); // not the same twice
            QVERIFY(pw->isVisible());
            type(pw, "mskPW2", QStringLiteral("ああ"));
            QTest::keyClick(edit(pw, "mskPW2"), Qt::Key_Return);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(asked.shown && asked.repeatShown);
        QCOMPARE(asked.greeting, QStringLiteral("ようこそ太郎さん"));
        QCOMPARE(asked.prompt, QStringLiteral("新規パスワードを設定してください"));
        QCOMPARE(asked.messages, (QStringList{QStringLiteral("４文字以上にしてください"),
                                              QStringLiteral("確認のため再入力してください")}));
        QCOMPARE(dialog.learnerName(), QStringLiteral("太郎"));
        QCOMPARE(ReadStringSetting(QStringLiteral("LogOnName"), {}), QStringLiteral("太郎"));
        QCOMPARE(ReadPassword(place_.recordPathFor(QStringLiteral("太郎"))),
                 QStringLiteral("ああ"));
        QStringList roster;
        QVERIFY(LoadNameList(place_.programFolder + QStringLiteral("LogOn/sname.txt"), roster));
        QCOMPARE(roster.last(), QStringLiteral("太郎"));
        // The log-on opened his records of this lesson, and only those.
        QVERIFY(place_.gate->isOpen(QStringLiteral("太郎"),
                                    place_.recordPathFor(QStringLiteral("太郎"))));
        QVERIFY(!place_.gate->isOpen(QStringLiteral("花子"),
                                     place_.recordPathFor(QStringLiteral("花子"))));

        // The same lesson asks once; a wrong password keeps the dialog open, and after
        // キャンセル the name dialog is still open with the previous learner.
        result = logOn(dialog, QStringLiteral("太郎"), asked, [&](TfrmPassword* pw) {
            type(pw, "mskPW", QStringLiteral("ああい"));
            button(pw, "btnOk")->click();
            QVERIFY(pw->isVisible());
            QCOMPARE(edit(pw, "mskPW")->text(), QStringLiteral("ああい"));
            button(pw, "btnCancel")->click();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(asked.nameDialogOpen);
        QVERIFY(!asked.repeatShown);
        QCOMPARE(asked.prompt, QStringLiteral("パスワードを入力してください"));
        QCOMPARE(asked.messages, QStringList{QStringLiteral("パスワードを正しく入力してください")});
        QCOMPARE(dialog.learnerName(), kSharedLearner);

        place_.learnerName = QStringLiteral("太郎");
        result = logOn(dialog, QStringLiteral("太郎"), asked, [&](TfrmPassword* pw) {
            type(pw, "mskPW", QStringLiteral("ああ"));
            button(pw, "btnOk")->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(asked.messages.isEmpty());

        // Another lesson keeps its own password: a new one again.
        place_.lesson = 2;
        result = logOn(dialog, QStringLiteral("太郎"), asked, [&](TfrmPassword* pw) {
            type(pw, "mskPW", QStringLiteral("abcd"));
            type(pw, "mskPW2", QStringLiteral("abcd"));
            button(pw, "btnOk")->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(asked.repeatShown);
        QCOMPARE(ReadPassword(place_.recordPathFor(QStringLiteral("太郎"))),
                 QStringLiteral("abcd"));

        // The shared learner is never asked, even with a password stored.
        QVERIFY(WritePassword(place_.recordPathFor(kSharedLearner), QStringLiteral("zzzz")));
        result = logOn(dialog, kSharedLearner, asked, {});
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(!asked.shown);
        QCOMPARE(dialog.learnerName(), kSharedLearner);
        QCOMPARE(ReadStringSetting(QStringLiteral("LogOnName"), {}), kSharedLearner);
    }

    void listMaintenance()
    {
        TfrmInputName dialog;
        dialog.setPlace(place_);
        run(dialog, [&] {
            test::saveShot(dialog, "logon-names.png");
            QCOMPARE(dialog.windowTitle(), QStringLiteral("名前登録"));
            QCOMPARE(edit(&dialog, "edtMeibo")->text(), QStringLiteral("sname.txt"));
            QListWidget* names = child<QListWidget>(&dialog, "lstName");
            QCOMPARE(names->count(), 7);
            QVERIFY(!button(&dialog, "btnSave")->isEnabled());
            type(&dialog, "edtName", QStringLiteral("公開"));
            button(&dialog, "btnAdd")->click(); // already there
            QCOMPARE(names->count(), 7);
            QVERIFY(!button(&dialog, "btnSave")->isEnabled());
            type(&dialog, "edtName", QStringLiteral("新人"));
            button(&dialog, "btnAdd")->click();
            QCOMPARE(names->item(7)->text(), QStringLiteral("新人"));
            QVERIFY(button(&dialog, "btnSave")->isEnabled());
            names->setCurrentRow(1);
            button(&dialog, "btnDelete")->click();
            QCOMPARE(names->count(), 7);
            QCOMPARE(edit(&dialog, "edtName")->text(), QString());
            QCOMPARE(messages_.entries().size(), 1); // asked, and answered はい
            QCOMPARE(messages_.entries().first().defaultAnswer, Messages::Answer::No);
            messages_.clear();
            // OK without a name: no log-on, but the list is saved.
            button(&dialog, "btnOk")->click();
        });
        QCOMPARE(result_, int(QDialog::Rejected));
        QStringList roster;
        QVERIFY(LoadNameList(place_.programFolder + QStringLiteral("LogOn/sname.txt"), roster));
        QCOMPARE(roster.size(), 7);
        QCOMPARE(roster.last(), QStringLiteral("新人"));
        QVERIFY(!roster.contains(QStringLiteral("青木陽太")));
        QVERIFY(messages_.entries().isEmpty());
    }

    // The name box follows the current name however it became current; 削除 asks, and
    // Enter answers いいえ.
    void keysFillTheNameBoxAndDeletingAsks()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        TfrmInputName dialog;
        dialog.setPlace(place_);
        test::EnterOnMessageBoxes asked;
        run(dialog, [&] {
            QListWidget* names = child<QListWidget>(&dialog, "lstName");
            QLineEdit* name = edit(&dialog, "edtName");
            names->setFocus();
            const struct
            {
                Qt::Key key;
                QString shown;
            } moves[] = {
                {Qt::Key_Home, QStringLiteral("公開")},
                {Qt::Key_Down, QStringLiteral("青木陽太")},
                {Qt::Key_End, QStringLiteral("中村ひなた")},
                {Qt::Key_Up, QStringLiteral("田中蓮")},
                {Qt::Key_Home, QStringLiteral("公開")},
            };
            for (const auto& move : moves) {
                QTest::keyClick(names, move.key);
                QCOMPARE(name->text(), move.shown);
            }
            QTest::keyClick(names, Qt::Key_Down);
            button(&dialog, "btnDelete")->click();
            QCOMPARE(names->count(), 7);
            QCOMPARE(names->item(1)->text(), QStringLiteral("青木陽太"));
        });
        QCOMPARE(asked.texts.size(), 1);
        QVERIFY(asked.texts.first().contains(QStringLiteral("青木陽太")));
    }

    void refusesNamesThatLeaveTheLessonFolder()
    {
        QStringList roster;
        QVERIFY(LoadNameList(place_.programFolder + QStringLiteral("LogOn/sname.txt"), roster));
        roster.append(QStringLiteral("../先生"));
        test::writeLines(place_.programFolder + QStringLiteral("LogOn/sname.txt"), roster);
        const QStringList before = filesUnder(sandbox_->path());
        const QStringList coursewareBefore = filesUnder(courseware_->folder());

        TfrmInputName dialog;
        dialog.setPlace(place_);
        bool stayed = true;
        run(dialog, [&] {
            for (const QString& name :
                 {QStringLiteral("a/b"), QStringLiteral(".."), QStringLiteral("x\\..\\y")}) {
                type(&dialog, "edtName", name);
                button(&dialog, "btnAdd")->click();
                button(&dialog, "btnOk")->click();
                stayed = stayed && dialog.isVisible();
            }
            // Shown in the list, but it cannot log on.
            QListWidget* names = child<QListWidget>(&dialog, "lstName");
            QCOMPARE(names->item(7)->text(), QStringLiteral("../先生"));
            QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                              names->visualItemRect(names->item(7)).center());
            QCOMPARE(edit(&dialog, "edtName")->text(), QStringLiteral("../先生"));
            QTest::keyClick(edit(&dialog, "edtName"), Qt::Key_Return);
            stayed = stayed && dialog.isVisible();
            QCOMPARE(names->count(), 8);
        });
        QCOMPARE(result_, int(QDialog::Rejected));
        QVERIFY(stayed);
        const QString slash = LearnerNameProblem(QStringLiteral("a/b"));
        const QString dots = LearnerNameProblem(QStringLiteral(".."));
        const QString both = LearnerNameProblem(QStringLiteral("x\\..\\y"));
        const QString teacher = LearnerNameProblem(QStringLiteral("../先生"));
        QCOMPARE(messages_.texts(), (QStringList{slash, slash, dots, dots, both, both, teacher}));
        QVERIFY(slash.contains(QStringLiteral("a/b")));
        QCOMPARE(filesUnder(sandbox_->path()), before);
        QCOMPARE(filesUnder(courseware_->folder()), coursewareBefore);
    }

    void aRosterThatCannotBeWrittenStopsTheLogOn()
    {
        // From a CD the rosters live in the log-on folder, which is missing here.
        place_.runningFromCd = true;
        TfrmInputName dialog;
        dialog.setPlace(place_);
        bool stayed = false;
        run(dialog, [&] {
            type(&dialog, "edtName", kSharedLearner);
            button(&dialog, "btnOk")->click();
            stayed = dialog.isVisible();
        });
        QCOMPARE(result_, int(QDialog::Rejected));
        QVERIFY(stayed);
        QCOMPARE(messages_.texts().size(), 2); // creating the list at showing, then OK
        for (const QString& text : messages_.texts())
            QVERIFY2(text.contains(QStringLiteral("sname.txt")), qPrintable(text));
        QCOMPARE(ReadStringSetting(QStringLiteral("LogOnName"), QStringLiteral("-")),
                 QStringLiteral("-"));
    }

private:
    // Shows the dialog, runs `act` in it and closes it if `act` did not.
    void run(TfrmInputName& dialog, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dialog, [&] {
            act();
            if (dialog.isVisible())
                dialog.reject();
        });
        result_ = dialog.exec();
    }

    // Shows the name dialog, types `name`, presses OK and lets `answer` work the password
    // dialog when it appears; returns the name dialog's result.
    int logOn(TfrmInputName& dialog, const QString& name, Asked& asked,
              const std::function<void(TfrmPassword*)>& answer)
    {
        asked = Asked{};
        dialog.setPlace(place_);
        TfrmPassword* pw = dialog.passwordDialog();
        QTimer::singleShot(0, &dialog, [&] {
            QTimer::singleShot(0, pw, [&] {
                if (!pw->isVisible())
                    return;
                asked.shown = true;
                asked.repeatShown = edit(pw, "mskPW2")->isVisible();
                asked.greeting = child<QLabel>(pw, "lblMess")->text();
                asked.prompt = child<QLabel>(pw, "lblPW")->text();
                messages_.clear();
                if (answer)
                    answer(pw);
                asked.messages = messages_.texts();
                if (pw->isVisible())
                    pw->reject();
            });
            type(&dialog, "edtName", name);
            button(&dialog, "btnOk")->click();
            asked.nameDialogOpen = dialog.isVisible();
            if (dialog.isVisible())
                dialog.reject();
        });
        return dialog.exec();
    }

    static void type(QWidget* w, const char* field, const QString& text)
    {
        QLineEdit* e = edit(w, field);
        // Off screen no window is active, so focus changes send no events of their own.
        e->setFocus();
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(e, &in);
        e->setText(text);
    }

    std::unique_ptr<QTemporaryDir> sandbox_;
    std::unique_ptr<test::CoursewareCopy> courseware_;
    LearnerPlace place_;
    int result_ = -1;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmInputName)

#include "tst_TfrmInputName.moc"
