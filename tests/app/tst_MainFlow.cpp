// A teacher's day through the real windows, headless: open units through the chooser, find
// an open one again, open a similar-question set, change the layout, close with a save over
// the master, and edit a unit in the question editor.
#include "app/TfrmMain.h"
#include "app/TfrmMenu.h"
#include "authoring/TfrmEditQues.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"
#include "platform/TextFile.h"
#include "sheet/TfrmPrint.h"

#include "MainWindowDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zendra;

namespace {

// The units of a master file by header line, each with its exact bytes.
QMap<QByteArray, QByteArray> unitsOf(const QByteArray& file)
{
    QMap<QByteArray, QByteArray> units;
    QByteArray header;
    for (const QByteArray& line : file.split('\n')) {
        if (line.startsWith("[[unit"))
            header = line.trimmed();
        if (!header.isEmpty())
            units[header] += line + '\n';
    }
    return units;
}

} // namespace

class TestMainFlow : public QObject
{
    Q_OBJECT

private slots:
    void init() { sandbox_ = std::make_unique<test::MainWindowSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void openFindVariantLayoutAndSaveOnClose()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        main.show();
        QVERIFY(main.FormShow());
        const QString master = sandbox_->folder() + "Seisu/Seisu1.que";
        const QByteArray before = test::readBytes(master);

        test::whenChooserShows(main, 0, 0, 0);
        main.findChild<QPushButton*>("btnOpenMaster")->click();
        QCOMPARE(main.openSheetList().size(), 1);
        QVERIFY(main.openSheetList().first().endsWith("Seisu/Seisu1.que-U1"));
        TfrmPrint* first = main.activeSheet();
        QVERIFY(first);
        QVERIFY(!first->sheet().changed);
        QVERIFY(first->sheet().composed.boxes.count() > 0); // composed on activation

        test::whenChooserShows(main, 0, 0, 0);
        main.findChild<QPushButton*>("btnOpenMaster")->click();
        QCOMPARE(messages.texts().last(), QStringLiteral("すでに読み込まれています"));
        QCOMPARE(main.openSheetList().size(), 1);

        test::whenChooserShows(main, 0, 0, 0, 0);
        main.findChild<QPushButton*>("btnOpenMaster")->click();
        QCOMPARE(main.openSheetList().size(), 2);
        QVERIFY(main.openSheetList().last().endsWith("Seisu1.que-U1R1"));
        TfrmPrint* variant = main.activeSheet();
        QVERIFY(variant && variant != first);
        QVERIFY(!variant->sheet().changed);

        auto* spacing = main.findChild<QSpinBox*>("spnGyouSpace");
        QCOMPARE(spacing->value(), variant->sheet().settings.lineSpacing);
        const int newSpacing = spacing->value() + 6;
        const int firstRow = variant->sheet().composed.lineStarts.value(3).y();
        spacing->setValue(newSpacing);
        QCOMPARE(variant->sheet().settings.lineSpacing, newSpacing);
        QVERIFY(variant->sheet().changed);
        QVERIFY(variant->sheet().composed.lineStarts.value(3).y() > firstRow); // laid out again
        QVERIFY(!first->sheet().changed);

        const QString caption = variant->windowTitle();
        messages.script({Messages::Answer::Yes});
        main.findChild<QPushButton*>("btnFpClose")->click();
        QCOMPARE(messages.texts().last(), caption + QStringLiteral("を保存しますか？"));
        QCOMPARE(main.openSheetList().size(), 1);

        const QMap<QByteArray, QByteArray> old = unitsOf(before);
        const QMap<QByteArray, QByteArray> now = unitsOf(test::readBytes(master));
        QCOMPARE(now.keys(), old.keys()); // every unit in its place
        for (const QByteArray& header : old.keys()) {
            if (header == "[[unit1R1")
                continue;
            QCOMPARE(now.value(header), old.value(header));
        }
        QStringList lines;
        QVERIFY(TextFile::read(master, lines).ok);
        const qsizetype unit = lines.indexOf("[[unit1R1");
        const qsizetype value = lines.indexOf("<<value", unit);
        QVERIFY(value > unit);
        QCOMPARE(lines.at(value + 3), QString::number(newSpacing));
    }

    void editorRedrawsTheSheetAndRefusesAnOddHash()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        main.show();
        QVERIFY(main.FormShow());
        test::whenChooserShows(main, 0, 0, 1);
        main.findChild<QPushButton*>("btnOpenMaster")->click();
        QVERIFY(main.activeSheet());
        const int boxes = main.activeSheet()->sheet().composed.boxes.count();
        const QString master = sandbox_->folder() + "Seisu/Seisu1.que";

        QTimer::singleShot(0, &main, [&main] {
            auto* editor = main.findChild<TfrmEditQues*>();
            QVERIFY(editor && editor->isVisible());
            editor->findChild<QPlainTextEdit*>("MemQues")->appendPlainText("(99) 99+1＝#100#");
            editor->findChild<QPushButton*>("btnOk")->click();
        });
        main.findChild<QPushButton*>("btnEdit")->click();
        QVERIFY(main.activeSheet());
        QVERIFY(main.activeSheet()->sheet().content.questions.contains("(99) 99+1＝#100#"));
        QCOMPARE(main.activeSheet()->sheet().composed.boxes.count(), boxes + 1);
        QCOMPARE(main.activeSheet()->sheet().composed.lstKai.last(), QStringLiteral("100"));
        QCOMPARE(main.openSheetList().size(), 1);

        const QByteArray saved = test::readBytes(master);
        int oddLine = 0;
        QTimer::singleShot(0, &main, [&main, &oddLine] {
            auto* editor = main.findChild<TfrmEditQues*>();
            QVERIFY(editor);
            auto* pane = editor->findChild<QPlainTextEdit*>("MemQues");
            pane->appendPlainText("3+4=#7");
            oddLine = pane->blockCount();
            editor->findChild<QPushButton*>("btnOk")->click();
            QVERIFY(editor->isVisible()); // the message keeps it open
            editor->findChild<QPushButton*>("btnCancel")->click();
        });
        main.findChild<QPushButton*>("btnEdit")->click();
        QVERIFY(messages.texts().contains(QString::number(oddLine) +
                                          QStringLiteral("行目：＃の数は偶数にしてください")));
        QCOMPARE(test::readBytes(master), saved);
    }

    void studyWithoutASheetOpensAndClosesOne()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        TfrmMain main;
        main.show();
        QVERIFY(main.FormShow());
        bool answersDuringStudy = true;
        int studied = 0;
        main.setStudyWindow([&](TfrmPrint* sheet) {
            ++studied;
            answersDuringStudy = sheet->sheet().answersShown;
        });
        QVERIFY(main.findChild<QPushButton*>("btnTest")->isEnabled());
        QVERIFY(main.answersShown());

        test::whenChooserShows(main, 0, 1, 0);
        QTest::keyClick(&main, Qt::Key_Return);
        QCOMPARE(studied, 1);
        QVERIFY(!answersDuringStudy);
        QVERIFY(main.openSheetList().isEmpty()); // the sheet opened for the study is closed
        QVERIFY(main.answersShown());
        QVERIFY(messages.entries().isEmpty());

        // With a sheet open, it is studied and stays open.
        test::whenChooserShows(main, 0, 1, 0);
        main.findChild<QPushButton*>("btnOpenMaster")->click();
        QTest::keyClick(&main, Qt::Key_Return);
        QCOMPARE(studied, 2);
        QCOMPARE(main.openSheetList().size(), 1);
        QVERIFY(main.activeSheet()->sheet().answersShown);
    }

    void learnerModeHidesTheTeachersCommands()
    {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        {
            TfrmMain main;
            main.show();
            QVERIFY(main.FormShow());
            auto* lock = main.findChild<QPushButton*>("btnLock");
            QCOMPARE(lock->text(), QStringLiteral("先生用"));
            lock->click();
            QCOMPARE(lock->text(), QStringLiteral("生徒用"));
            for (const char* name : {"btnOpenMaster", "btnSave", "btnEdit", "btnKaitou",
                                     "btnFpClose", "spnGyouSpace", "spnMojiSize"})
                QVERIFY2(!main.findChild<QWidget*>(name)->isVisible(), name);
            for (const char* name : {"btnLock", "btnTest", "btnLogOn", "edtLogOnName"})
                QVERIFY2(main.findChild<QWidget*>(name)->isVisible(), name);
        }
        // The lock is kept for the next start.
        TfrmMain again;
        again.show();
        QVERIFY(again.FormShow());
        QVERIFY(again.state().keyLocked);
        QCOMPARE(again.findChild<QPushButton*>("btnLock")->text(), QStringLiteral("生徒用"));
        QTest::keyClick(&again, Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(!again.isVisible()); // Shift+Esc still ends the program
    }

private:
    std::unique_ptr<test::MainWindowSandbox> sandbox_;
};

ZENDRA_WINDOW_TEST_MAIN(TestMainFlow)

#include "tst_MainFlow.moc"
