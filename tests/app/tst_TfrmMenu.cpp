// The unit chooser window driven through its controls, headless.
#include "app/TfrmMenu.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "learners/TfrmKiroku.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zendra;

class TestTfrmMenu : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        courseware_ = std::make_unique<test::CoursewareCopy>();
        state_ = AppState{};
        state_.programFolder = courseware_->folder();
        QVERIFY(LoadMainIndex(state_.programFolder, state_.lessonTable));
    }

    void choosesUnitAndVariantWithTheMouse()
    {
        QWidget main;
        main.resize(900, 640);
        TfrmMenu menu(state_, &main);
        menu.setMode(UnitChooser::Purpose::Open);
        const int result = run(menu, [&] {
            QCOMPARE(menu.windowTitle(), QStringLiteral("マスターファイルを開く"));
            QCOMPARE(menu.size(), main.size());
            QCOMPARE(label(menu, "pnlTitle")->text(), state_.lessonTable.title);
            QVERIFY(button(menu, "btnZenTangen")->isEnabled());
            QVERIFY(button(menu, "btnShowRecord")->isEnabled());
            QCOMPARE(list(menu, "lstLesson")->currentRow(), 0);
            QVERIFY(list(menu, "lstRuidai")->isVisible()); // Seisu1 unit 1 has three sets

            click(list(menu, "lstLesson"), 1);
            click(list(menu, "lstSection"), 1);
            QListWidget* units = list(menu, "lstUnit");
            QCOMPARE(units->count(), 4);
            QVERIFY(units->item(0)->text().startsWith(QStringLiteral("◎[ ]小数第一位のたし算")));
            QVERIFY(units->item(1)->text().startsWith(QStringLiteral("　[ ]小数第一位のひき算")));
            // Marks and counts take the same width in every row, so the titles line up.
            const QFontMetrics metrics(units->font());
            QCOMPARE(metrics.horizontalAdvance(QStringLiteral("◎[ ]")),
                     metrics.horizontalAdvance(QStringLiteral("　[7]")));
            click(units, 1);
            QVERIFY(!list(menu, "lstRuidai")->isVisible());
            QVERIFY(!button(menu, "btnRuidaiClear")->isVisible());
            click(units, 0);
            QListWidget* sets = list(menu, "lstRuidai");
            QVERIFY(sets->isVisible());
            QVERIFY(label(menu, "lblRuidai")->isVisible());
            QCOMPARE(sets->count(), 2);
            click(sets, 1);
            QLabel* heading = label(menu, "pnlUnit");
            QCOMPARE(heading->text(), QStringLiteral("類題が選択されています"));
            QCOMPARE(heading->palette().color(QPalette::Window), QColor(255, 0, 0));
            button(menu, "btnOk")->click();
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY2(messages_.entries().isEmpty(), qPrintable(messages_.texts().join('\n')));
        QCOMPARE(state_.currentUnit, (UnitChoice{2, 2, 1, 2}));
        QVERIFY(state_.variantChosen);
        QCOMPARE(state_.chosenTitles.unit, QStringLiteral("小数第一位のたし算"));

        // Shown again: the same unit, no set chosen.
        const int again = run(menu, [&] {
            QCOMPARE(list(menu, "lstLesson")->currentRow(), 1);
            QCOMPARE(list(menu, "lstSection")->currentRow(), 1);
            QCOMPARE(list(menu, "lstUnit")->currentRow(), 0);
            QVERIFY(list(menu, "lstRuidai")->selectedItems().isEmpty());
            QCOMPARE(label(menu, "pnlUnit")->palette().color(QPalette::Window),
                     QColor(0, 255, 255));
            QTest::keyClick(&menu, Qt::Key_Escape);
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(again, int(QDialog::Rejected));
        QCOMPARE(state_.currentUnit, (UnitChoice{2, 2, 1, 2}));
    }

    void focusedSetDecidesAndClearResets()
    {
        TfrmMenu menu(state_);
        menu.setMode(UnitChooser::Purpose::Add);
        int variant = -1;
        const int result = run(menu, [&] {
            QCOMPARE(menu.windowTitle(), QStringLiteral("追加ファイルを開く"));
            QListWidget* sets = list(menu, "lstRuidai");
            QCOMPARE(sets->count(), 3);
            click(sets, 0);
            click(sets, 2, Qt::ControlModifier);
            QCOMPARE(sets->selectedItems().size(), 2);
            button(menu, "btnOk")->click();
            variant = state_.currentUnit.variant;
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(variant, 3);

        const int cleared = run(menu, [&] {
            QListWidget* sets = list(menu, "lstRuidai");
            click(sets, 1);
            button(menu, "btnRuidaiClear")->click();
            QVERIFY(sets->selectedItems().isEmpty());
            QCOMPARE(label(menu, "pnlUnit")->text(), QStringLiteral("項目を選んでください"));
            QListWidget* units = list(menu, "lstUnit");
            // A double click as the window system delivers it: press, release, double click.
            const QPoint at = units->visualItemRect(units->item(2)).center();
            QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(units->viewport(), Qt::LeftButton, {}, at);
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(cleared, int(QDialog::Accepted));
        QCOMPARE(state_.currentUnit, (UnitChoice{1, 1, 3, 0}));
        QVERIFY(!state_.variantChosen);
    }

    void arrowsMoveBetweenTheLists()
    {
        TfrmMenu menu(state_);
        const int result = run(menu, [&] {
            QListWidget* lessons = list(menu, "lstLesson");
            QListWidget* sections = list(menu, "lstSection");
            QListWidget* units = list(menu, "lstUnit");
            const struct
            {
                QListWidget* from;
                Qt::Key key;
                QListWidget* to;
            } moves[] = {
                {units, Qt::Key_Left, sections},
                {sections, Qt::Key_Left, lessons},
                {lessons, Qt::Key_Right, units},
                {sections, Qt::Key_Right, units},
            };
            for (const auto& move : moves) {
                move.from->setFocus();
                QTest::keyClick(move.from, move.key);
                QCOMPARE(menu.focusWidget(), move.to);
            }
            // Moving the focus changes no selection.
            QCOMPARE(lessons->currentRow(), 0);
            QCOMPARE(sections->currentRow(), 0);
            QCOMPARE(units->currentRow(), 0);
            button(menu, "btnCancel")->click();
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(state_.chosenTitles.unit.isEmpty());
    }

    // 記録表示 logs on first when nobody is, shows the viewer, and after an erase the unit
    // list shows the new count.
    void recordsButtonShowsTheViewerAndRecountsAfterAnErase()
    {
        state_.learnerName = QStringLiteral("太郎");
        // 太郎 gave the lesson's password at his log-on.
        state_.recordGate->open(
            LearnerRecordPath(state_.programFolder, state_.lessonTable, 1, state_.learnerName));
        const QString key = QStringLiteral("S11３けたのたし算");
        for (int i = 0; i < 7; ++i)
            QVERIFY(AppendRecord(
                LearnerRecordPath(state_.programFolder, state_.lessonTable, 1, state_.learnerName),
                key, QStringLiteral("記録 %1").arg(i)));
        QWidget main;
        TfrmMenu menu(state_, &main);
        int logOns = 0;
        menu.setLogOn([&] { ++logOns; });
        TfrmKiroku* viewer = menu.recordsWindow();
        QStringList listed;
        run(menu, [&] {
            QListWidget* units = list(menu, "lstUnit");
            QVERIFY(units->item(0)->text().startsWith(QStringLiteral("◎[7]")));
            QTimer::singleShot(0, viewer, [&] {
                auto* titles = viewer->findChild<QListWidget*>(QStringLiteral("lstTitle"));
                for (int i = 0; i < titles->count(); ++i)
                    listed.append(titles->item(i)->text());
                titles->setCurrentRow(1);
                messages_.script({Messages::Answer::Yes});
                button(*viewer, "btnErase")->click();
                viewer->accept();
            });
            button(menu, "btnShowRecord")->click();
            QVERIFY(units->item(0)->text().startsWith(QStringLiteral("◎[ ]")));

            // Nobody logged on, and the log-on did not change that: no viewer.
            state_.learnerName.clear();
            QTimer::singleShot(0, viewer, [&] {
                if (viewer->isVisible()) {
                    listed.append(QStringLiteral("shown again"));
                    viewer->reject();
                }
            });
            button(menu, "btnShowRecord")->click();
            QCoreApplication::processEvents();
        });
        QCOMPARE(listed.value(1), QStringLiteral("07回") + key);
        QVERIFY(!listed.contains(QStringLiteral("shown again")));
        QCOMPARE(logOns, 1);
    }

private:
    // Runs the dialog, acting on it once it is up; a failed check closes it.
    int run(TfrmMenu& menu, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &menu, [&] {
            act();
            if (menu.isVisible())
                menu.reject();
        });
        return menu.exec();
    }
    static QListWidget* list(QWidget& w, const char* name)
    {
        return w.findChild<QListWidget*>(QString::fromLatin1(name));
    }
    static QLabel* label(QWidget& w, const char* name)
    {
        return w.findChild<QLabel*>(QString::fromLatin1(name));
    }
    static QPushButton* button(QWidget& w, const char* name)
    {
        return w.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static void click(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualItemRect(list->item(row)).center());
    }

    std::unique_ptr<test::CoursewareCopy> courseware_;
    AppState state_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmMenu)

#include "tst_TfrmMenu.moc"
