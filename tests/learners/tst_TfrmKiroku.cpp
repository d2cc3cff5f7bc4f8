// The records viewer driven through its controls, headless.
#include "learners/TfrmKiroku.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "courseware/RecordLine.h"
#include "learners/RecordList.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"
#include "platform/WidgetServices.h"

#include "ModalDriver.h"
#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zendra;

class TestTfrmKiroku : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        courseware_ = std::make_unique<test::CoursewareCopy>();
        QVERIFY(test::PlaceInLessonOne(*courseware_, place_));
        place_.learnerName = QStringLiteral("太郎");
        const QString path = place_.recordPath();
        for (int i = 0; i < 7; ++i)
            QVERIFY(AppendRecord(path, QStringLiteral("S11３けたのたし算"), line(i)));
        for (int i = 0; i < 12; ++i)
            QVERIFY(AppendRecord(path, QStringLiteral("S12４けたのたし算"), line(i)));
        messages_.clear();
    }

    void listsShowsAndErases()
    {
        QWidget main;
        main.resize(900, 640);
        TfrmKiroku viewer(&main);
        viewer.setPlace(place_);
        run(viewer, [&] {
            QCOMPARE(viewer.windowTitle(), QStringLiteral("実行記録"));
            QCOMPARE(viewer.size(), main.size());
            QCOMPARE(edit(viewer)->text(), QStringLiteral("太郎"));
            QListWidget* list = titles(viewer);
            QCOMPARE(list->item(1)->text(), QStringLiteral("07回S11３けたのたし算"));
            QCOMPARE(list->item(2)->text(), QStringLiteral("12回S12４けたのたし算"));
            QCOMPARE(list->item(3)->text(), QStringLiteral("  回S13３けたのひき算"));
            QCOMPARE(list->currentRow(), -1);

            click(list, 1);
            QCOMPARE(detail(viewer)->toPlainText().split(u'\n').size(), 7);
            QCOMPARE(detail(viewer)->toPlainText().split(u'\n').at(0), line(0));
            QVERIFY(detail(viewer)->font().fixedPitch());
            test::saveShot(viewer, "records-viewer.png");
            click(list, 0);
            QCOMPARE(detail(viewer)->toPlainText(), QStringLiteral("練習の記録はありません"));

            // "No" keeps the records; "Yes" erases them and rebuilds the list.
            click(list, 2);
            messages_.script({Messages::Answer::No, Messages::Answer::Yes});
            button(viewer, "btnErase")->click();
            QVERIFY(!viewer.recordsErased());
            QCOMPARE(list->item(2)->text(), QStringLiteral("12回S12４けたのたし算"));
            button(viewer, "btnErase")->click();
            QVERIFY(viewer.recordsErased());
            QCOMPARE(list->item(2)->text(), QStringLiteral("  回S12４けたのたし算"));
            QCOMPARE(list->item(1)->text(), QStringLiteral("07回S11３けたのたし算"));
            QCOMPARE(list->currentRow(), -1);
            QVERIFY(list->selectedItems().isEmpty());
            QCOMPARE(detail(viewer)->toPlainText(), QString());

            // Nothing selected now.
            button(viewer, "btnErase")->click();
            button(viewer, "btnReturn")->click();
        });
        QCOMPARE(result_, int(QDialog::Accepted));
        QCOMPARE(messages_.texts(), (QStringList{QStringLiteral("記録を消してもいいですか？"),
                                                 QStringLiteral("記録を消してもいいですか？"),
                                                 QStringLiteral("消去する単元を選んでください")}));
        // What the chooser reads for its counts after the viewer reported the erase.
        const RecordCounts counts(place_.recordPath());
        QCOMPARE(counts.count(QStringLiteral("S12４けたのたし算")), 0);
        QCOMPARE(counts.count(QStringLiteral("S11３けたのたし算")), 7);

        // A showing without an erase reports none.
        run(viewer, [&] { button(viewer, "btnReturn")->click(); });
        QVERIFY(!viewer.recordsErased());
    }

    // Enter, Enter after a click leaves the records alone: Enter is 閉じる, and the erase
    // question, asked by 記録消去 itself, answers いいえ to Enter.
    void enterNeverErases()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        test::EnterOnMessageBoxes asked;
        QWidget main;
        TfrmKiroku viewer(&main);
        viewer.setPlace(place_);
        bool open = true;
        run(viewer, [&] {
            click(titles(viewer), 1);
            QTest::keyClick(titles(viewer), Qt::Key_Return);
            QTest::keyClick(titles(viewer), Qt::Key_Return);
            open = viewer.isVisible();
        });
        QVERIFY(!open);
        QCOMPARE(result_, int(QDialog::Accepted));
        QCOMPARE(asked.texts, QStringList());
        QVERIFY(!button(viewer, "btnErase")->isDefault());

        run(viewer, [&] {
            click(titles(viewer), 1);
            button(viewer, "btnErase")->click();
            open = viewer.isVisible();
        });
        QVERIFY(open);
        QCOMPARE(asked.texts, QStringList{QStringLiteral("記録を消してもいいですか？")});
        QCOMPARE(RecordCounts(place_.recordPath()).count(QStringLiteral("S11３けたのたし算")), 7);
    }

    // The lines shown are those of the current entry however it became current, and
    // 記録消去 erases that entry.
    void detailAndEraseFollowTheCurrentEntry()
    {
        WidgetMessages boxes;
        ScopedMessages scope(boxes);
        QWidget main;
        TfrmKiroku viewer(&main);
        viewer.setPlace(place_);
        run(viewer, [&] {
            QListWidget* list = titles(viewer);
            const QString none = QStringLiteral("練習の記録はありません");
            click(list, 1);
            const struct
            {
                QString keys;
                Qt::Key key;
                int row;
                int lines;
            } moves[] = {
                {{}, Qt::Key_Down, 2, 12},
                {{}, Qt::Key_Up, 1, 7},
                {{}, Qt::Key_End, list->count() - 1, 0},
                {{}, Qt::Key_Home, 0, 0},
                {QStringLiteral("12"), Qt::Key_unknown, 2, 12},
            };
            for (const auto& move : moves) {
                if (move.keys.isEmpty())
                    QTest::keyClick(list, move.key);
                else
                    QTest::keyClicks(list, move.keys);
                QCOMPARE(list->currentRow(), move.row);
                const QStringList shown = detail(viewer)->toPlainText().split(u'\n');
                QCOMPARE(shown.size(), std::max(move.lines, 1));
                if (move.lines == 0)
                    QCOMPARE(shown.first(), none);
            }
            test::onNextModal([](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w))
                    box->button(QMessageBox::Yes)->click();
            });
            button(viewer, "btnErase")->click();
        });
        const RecordCounts counts(place_.recordPath());
        QCOMPARE(counts.count(QStringLiteral("S12４けたのたし算")), 0);
        QCOMPARE(counts.count(QStringLiteral("S11３けたのたし算")), 7);
    }

private:
    static QString line(int i)
    {
        return MakeRecordLine(RecordValues{0, QDateTime(QDate(2024, 5, 1 + i), QTime(9, 30)),
                                           QStringLiteral("01"), 1, 2, 50, 65});
    }
    void run(TfrmKiroku& viewer, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &viewer, [&] {
            act();
            if (viewer.isVisible())
                viewer.reject();
        });
        result_ = viewer.exec();
    }
    static QListWidget* titles(QWidget& w)
    {
        return w.findChild<QListWidget*>(QStringLiteral("lstTitle"));
    }
    static QPlainTextEdit* detail(QWidget& w)
    {
        return w.findChild<QPlainTextEdit*>(QStringLiteral("memDetail"));
    }
    static QLineEdit* edit(QWidget& w)
    {
        return w.findChild<QLineEdit*>(QStringLiteral("edtName"));
    }
    static QPushButton* button(QWidget& w, const char* name)
    {
        return w.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static void click(QListWidget* list, int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    std::unique_ptr<test::CoursewareCopy> courseware_;
    LearnerPlace place_;
    int result_ = -1;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmKiroku)

#include "tst_TfrmKiroku.moc"
