// The class overview driven through its controls, headless.
#include "learners/TfrmClassRecords.h"

#include "courseware/CoursewareIndex.h"
#include "learners/ClassReport.h"
#include "learners/TfrmTodayReview.h"
#include "platform/FileDialogs.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"

#include "TestSupport.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

using namespace zendra;

class TestTfrmClassRecords : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        courseware_ = std::make_unique<test::CoursewareCopy>();
        QVERIFY(test::PlaceInLessonOne(*courseware_, place_));
        const QString seisu = place_.programFolder + QStringLiteral("Seisu/");
        test::writeLines(place_.programFolder + QStringLiteral("LogOn/sname.txt"),
                         {QStringLiteral("太郎"), QStringLiteral("花子"), QStringLiteral("次郎")});
        // Three learners of one unit of four boxes: 50, 75 and 100 points last.
        test::writeLines(seisu + QStringLiteral("太郎.ini"),
                         {QStringLiteral("[S11３けたのたし算]"),
                          QStringLiteral("1=2026年11月01日 10:00 [0000]  4/ 4 100点 01:00"),
                          QStringLiteral("2=2026年11月02日 10:00 [0101]  4/ 4  50点 01:00")});
        test::writeLines(seisu + QStringLiteral("花子.ini"),
                         {QStringLiteral("[S11３けたのたし算]"),
                          QStringLiteral("1=2026年11月02日 10:00 [0001]  4/ 4  75点 01:00"),
                          QStringLiteral("[S12４けたのたし算]"),
                          QStringLiteral("1=2026年11月03日 10:00 []  4/ 4 100点 01:00")});
        test::writeLines(seisu + QStringLiteral("次郎.ini"),
                         {QStringLiteral("[S11３けたのたし算]"),
                          QStringLiteral("1=2026年11月02日 10:00 [0000]  4/ 4 100点 01:00")});
    }

    void gridShowsLatestScoresInBands()
    {
        TfrmClassRecords window;
        window.setPlace(place_);
        window.setSortOrder(TfrmClassRecords::SortOrder::Name);
        QTableWidget* grid = window.grid();
        QCOMPARE(window.windowTitle(), QStringLiteral("クラスの記録"));
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("1-1"));
        QCOMPARE(grid->horizontalHeaderItem(0)->toolTip(), QStringLiteral("３けたのたし算"));

        // By name, then by average (次郎 100, 花子 87.5, 太郎 50).
        const auto rows = [&] {
            QStringList names;
            for (int r = 0; r < grid->rowCount(); ++r)
                names << window.records().learners.at(window.rowLearner(r)).name + u':' +
                             (grid->item(r, 0) ? grid->item(r, 0)->text() : QString()) + u':' +
                             (grid->item(r, 0) ? grid->item(r, 0)->background().color().name()
                                               : QString());
            return names;
        };
        const QString low = QColor(BandColour(ScoreBand::Low)).name();
        const QString middle = QColor(BandColour(ScoreBand::Middle)).name();
        const QString high = QColor(BandColour(ScoreBand::High)).name();
        QCOMPARE(rows(),
                 (QStringList{QStringLiteral("太郎:50:") + low, QStringLiteral("次郎:100:") + high,
                              QStringLiteral("花子:75:") + middle}));
        QVERIFY(low != middle && middle != high);
        QVERIFY(grid->item(0, 0)->toolTip().contains(QStringLiteral("2回")));
        QVERIFY(grid->item(0, 0)->toolTip().contains(QStringLiteral("2026/11/02 10:00")));
        QCOMPARE(grid->item(0, 1), nullptr); // 太郎 never did 1-2

        window.setSortOrder(TfrmClassRecords::SortOrder::Average);
        QCOMPARE(rows(), (QStringList{QStringLiteral("次郎:100:") + high,
                                      QStringLiteral("花子:75:") + middle,
                                      QStringLiteral("太郎:50:") + low}));
        QVERIFY(grid->verticalHeaderItem(1)->text().startsWith(QStringLiteral("花子（88）")));
    }

    void unitClickListsTheHardestQuestionFirst()
    {
        TfrmClassRecords window;
        window.setPlace(place_);
        emit window.grid()->horizontalHeader()->sectionClicked(0);
        QTableWidget* list = window.questionList();
        QCOMPARE(list->rowCount(), 12);
        // Box 4: 太郎 and 花子 missed it (1/3); box 2: 太郎 (2/3); then the rest.
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("4"));
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("33%"));
        QCOMPARE(list->item(0, 3)->text(), QStringLiteral("(4) 509＋394＝"));
        QCOMPARE(list->item(1, 0)->text(), QStringLiteral("2"));
        // The answers only when the teacher asks for them.
        QCOMPARE(list->columnCount(), 4);
        window.findChild<QCheckBox*>(QStringLiteral("chkAnswers"))->setChecked(true);
        QCOMPARE(list->columnCount(), 5);
        QCOMPARE(list->item(0, 4)->text(), QStringLiteral("903"));

        // A learner's chart, then both on a PDF.
        emit window.grid()->verticalHeader()->sectionClicked(0);
        QCOMPARE(window.chosenLearner(), window.rowLearner(0));
        QVERIFY(!window.chart().isNull());
        ScriptedFileDialogs dialogs;
        ScopedFileDialogs scope(dialogs);
        const QString pdf = place_.programFolder + QStringLiteral("class.pdf");
        dialogs.script({pdf});
        window.btnPdfClick();
        // The grid (two pages for the lesson's 27 units), questions, chart.
        QCOMPARE(test::pdfPageCount(test::readBytes(pdf)), 4);
    }

    void todaysReviewOpensTheLongestWaitingFirst()
    {
        test::writeLines(place_.programFolder + QStringLiteral("Seisu/太郎.ini"),
                         {QStringLiteral("[S11３けたのたし算]"),
                          QStringLiteral("1=2026年11月02日 10:00 [0101]  4/ 4  50点 01:00"),
                          QStringLiteral("[S12４けたのたし算]"),
                          QStringLiteral("1=2026年11月01日 10:00 []  3/ 4  75点 01:00"),
                          QStringLiteral("[S13３けたのひき算]"),
                          QStringLiteral("1=2026年11月01日 10:00 [0000]  4/ 4 100点 01:00")});
        place_.learnerName = QStringLiteral("太郎");
        TfrmTodayReview review;
        review.setPlace(place_);
        review.setToday(QDate(2026, 11, 2));
        QVERIFY(review.load());
        QCOMPARE(review.list()->count(), 1); // S11 comes back on the 3rd
        review.setToday(QDate(2026, 11, 3));
        QVERIFY(review.load());
        QCOMPARE(review.list()->count(), 2);
        QVERIFY(review.list()->item(0)->text().contains(QStringLiteral("1-2")));
        review.lstDueClick(1);
        QCOMPARE(review.result(), int(QDialog::Accepted));
        QCOMPARE(review.chosenUnit(), (UnitChoice{1, 1, 1, 0}));
    }

    // With ZENDRA_SCREENSHOTS naming a folder: the window over a class of six, as a teacher
    // sees it after clicking a unit and a learner.
    void screenshots()
    {
        const QByteArray dir = qgetenv("ZENDRA_SCREENSHOTS");
        if (dir.isEmpty())
            QSKIP("ZENDRA_SCREENSHOTS is not set");
        const QStringList names = {QStringLiteral("青木陽太"), QStringLiteral("佐藤結衣"),
                                   QStringLiteral("鈴木大和"), QStringLiteral("高橋さくら"),
                                   QStringLiteral("田中蓮"),   QStringLiteral("中村ひなた")};
        test::writeLines(place_.programFolder + QStringLiteral("LogOn/sname.txt"), names);
        const QString seisu = place_.programFolder + QStringLiteral("Seisu/");
        for (const QString& n :
             {QStringLiteral("太郎"), QStringLiteral("花子"), QStringLiteral("次郎")})
            QFile::remove(seisu + n + QStringLiteral(".ini"));
        const QStringList units = {
            QStringLiteral("S11３けたのたし算"), QStringLiteral("S12４けたのたし算"),
            QStringLiteral("S13３けたのひき算"), QStringLiteral("S14４けたのひき算"),
            QStringLiteral("S21２けた×１けた"),  QStringLiteral("S22３けた×１けた")};
        for (int l = 0; l < names.size(); ++l) {
            QStringList lines;
            for (int u = 0; u < units.size() - (l % 3); ++u) {
                lines << u'[' + units.at(u) + u']';
                const int tries = 2 + (l + u) % 4;
                for (int t = 1; t <= tries; ++t) {
                    QString digits;
                    int wrong = 0;
                    for (int b = 1; b <= 12; ++b) {
                        const bool miss = (b * 7 + l * 3 + u * 5 + t) % (5 + t + l % 2) == 0 ||
                                          (b == 8 && t < tries);
                        digits += miss ? QStringLiteral("1") : QStringLiteral("0");
                        wrong += miss ? 1 : 0;
                    }
                    const int score = (12 - wrong) * 100 / 12 - (l == 4 ? 30 : 0);
                    lines << QStringLiteral("%1=2026年11月%2日 10:%3 [%4] 12/12 %5点 03:12")
                                 .arg(t)
                                 .arg(t * 3 + u, 2, 10, QLatin1Char('0'))
                                 .arg(l * 7 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(digits)
                                 .arg(std::max(score, 10), 3);
                }
            }
            test::writeLines(seisu + names.at(l) + QStringLiteral(".ini"), lines);
        }
        TfrmClassRecords window;
        window.setPlace(place_);
        QVERIFY(window.records().unreadable.isEmpty());
        window.resize(1200, 820);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        emit window.grid()->horizontalHeader()->sectionClicked(0);
        emit window.grid()->verticalHeader()->sectionClicked(1);
        QTest::qWait(50);
        const QString folder = QString::fromLocal8Bit(dir) + u'/';
        QVERIFY(window.grab().save(folder + QStringLiteral("class-records.png")));
        QVERIFY(window.questionList()->grab().save(folder +
                                                   QStringLiteral("class-records-questions.png")));

        TfrmTodayReview review;
        place_.learnerName = names.at(4);
        review.setPlace(place_);
        review.setToday(QDate(2026, 11, 30));
        QVERIFY(review.load());
        review.show();
        QVERIFY(QTest::qWaitForWindowExposed(&review));
        QVERIFY(review.grab().save(folder + QStringLiteral("todays-review.png")));
    }

private:
    std::unique_ptr<test::CoursewareCopy> courseware_;
    LearnerPlace place_;
};

ZENDRA_WINDOW_TEST_MAIN(TestTfrmClassRecords)

#include "tst_TfrmClassRecords.moc"
