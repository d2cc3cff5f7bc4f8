#include "study/StudySession.h"

#include "courseware/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// A study window without widgets: the session, its sheet's boxes and the entry boxes,
// acting on the outcomes as the window does.
class Desk
{
public:
    explicit Desk(const QStringList& answers, bool twoColumn = false)
    {
        for (const QString& a : answers)
            table.add(10, 40 * static_cast<int>(table.count() + 1), 60, a, 14);
        session.windowShown(table, twoColumn);
        target.path = dir.path() + QStringLiteral("/学習者.ini");
        target.section = QStringLiteral("S12たし算");
        session.random().fixSeed(3);
    }

    void start(bool test)
    {
        session.startExercise(test);
        for (int i = 1; i <= table.count(); ++i)
            boxes.set(i, true, QString());
    }

    void startReview()
    {
        for (int i = 1; i <= table.count(); ++i) // EndExerciseView hid them
            boxes.setVisible(i, false);
        const ReviewStart review = session.startReview();
        for (int i : review.boxes)
            boxes.set(i, true, QString());
    }

    // Types into box `box` and presses Enter.
    EnterOutcome enter(int box, const QString& text)
    {
        session.state().currentBox = box;
        boxes.setText(box, text);
        const EnterOutcome out = session.enterAnswer(text, false, boxes);
        session.actOn(out, actions);
        return out;
    }

    // What the window does after Enter, as far as the boxes and the session go.
    struct Actions : EnterActions
    {
        explicit Actions(Desk& desk) : d(desk) {}
        void setBoxText(int box, const QString& text) override { d.boxes.setText(box, text); }
        void hideBox(int box) override { d.boxes.setVisible(box, false); }
        void endPractice() override
        {
            d.scored = d.session.scoreExercise(d.boxes, d.target, d.when);
        }
        void endReview(EndMessage message) override { d.endMessage = message; }
        Desk& d;
    };

    // "答えを見る" in box `box`.
    void showAnswer(int box)
    {
        session.state().currentBox = box;
        session.showAnswer();
    }

    QStringList records() const { return ReadRecords(target.path, target.section); }

    QTemporaryDir dir;
    AnswerBoxTable table;
    StudySession session;
    EntryBoxList boxes;
    StudyRecordTarget target;
    QDateTime when{QDate(2005, 6, 21), QTime(14, 3)};
    ScoreOutcome scored;
    EndMessage endMessage = EndMessage::AllCorrectWindow;
    Actions actions{*this};
};

} // namespace

TEST(StudySession, PracticeRecordsTriesDigitsAndScoresOnlyTheFirstAnswers)
{
    // Each box's attempts in order; "?" presses 答えを見る instead of typing.
    struct Box
    {
        QString answer;
        QStringList attempts;
        QChar triesDigit;
        int scoredJudgement;
        MarkKind lastMark;
    };
    const Box script[] = {
        {"1", {"1"}, u'0', 1, MarkKind::Circle},
        {"2", {"9", "8", " 2 "}, u'2', 0, MarkKind::Circle},
        {"3", {"?", "3"}, u'1', -2, MarkKind::Triangle},
        // The fourth wrong try shows the answers; right after that counts tries + 1.
        {"4", {"5", "6", "7", "8", "4"}, u'5', 0, MarkKind::Triangle},
        {"5;五", {"五"}, u'0', 1, MarkKind::Circle},
    };
    QStringList answers;
    for (const Box& b : script)
        answers.append(b.answer);
    Desk desk(answers);
    desk.start(false);
    desk.session.tick();
    desk.session.tick();

    QString digits;
    for (int i = 1; i <= 5; ++i) {
        const Box& b = script[i - 1];
        EnterOutcome out;
        for (int k = 0; k < b.attempts.size(); ++k) {
            if (b.attempts[k] == u"?") {
                desk.showAnswer(i);
                continue;
            }
            out = desk.enter(i, b.attempts[k]);
            const bool last = k + 1 == b.attempts.size();
            ASSERT_EQ(out.kind, last ? EnterKind::Right : EnterKind::Wrong) << i << " " << k;
            if (!last) {
                EXPECT_EQ(out.mark, MarkKind::Slash);
                EXPECT_EQ(out.drawShift, k); // each wrong try drawn one box further right
                EXPECT_EQ(out.answersShown, k == 3);
                EXPECT_EQ(out.answerAreaText.isEmpty(), k == 3);
                if (k == 3) {
                    EXPECT_EQ(out.showAnswerLines,
                              (QStringList{QStringLiteral("正解は"), QString(), b.answer}));
                }
            }
        }
        EXPECT_EQ(out.mark, b.lastMark) << i;
        EXPECT_EQ(out.redText, b.lastMark == MarkKind::Triangle);
        EXPECT_EQ(out.answerAreaText.startsWith(QStringLiteral("★★")),
                  b.lastMark == MarkKind::Circle);
        EXPECT_EQ(out.end, i == 5 ? ExerciseEnd::Practice : ExerciseEnd::None);
        if (i < 5) {
            EXPECT_EQ(out.focusBox, i + 1);
        }
        digits += b.triesDigit;
    }

    EXPECT_EQ(desk.session.state().triesText, digits);
    ASSERT_TRUE(desk.scored.accepted);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(desk.table[i].judgement, script[i - 1].scoredJudgement) << i;
    EXPECT_EQ(desk.scored.score.correct, 2);
    EXPECT_EQ(desk.scored.score.percent, 40);
    EXPECT_EQ(desk.scored.endMessage, EndMessage::PracticeEnded);
    EXPECT_EQ(desk.scored.focus, StudyFocus::Fukushu);
    EXPECT_TRUE(desk.scored.fukushuEnabled);
    EXPECT_FALSE(desk.session.state().timerRunning);
    EXPECT_TRUE(desk.scored.record.written);
    EXPECT_EQ(desk.records(), QStringList{QStringLiteral("2005年06月21日 14:03 [") + digits +
                                          QStringLiteral("]  2/ 5  40点 00:02")});
}

TEST(StudySession, BlanksAskToShowTheAnswerAndAnEmptyBoxIsIgnored)
{
    Desk desk({QStringLiteral("7"), QStringLiteral("8")});
    desk.start(false);
    EXPECT_EQ(desk.enter(1, QString()).kind, EnterKind::Ignored);
    const EnterOutcome blanks = desk.enter(1, QStringLiteral("  "));
    EXPECT_EQ(blanks.kind, EnterKind::AskShowAnswer);
    EXPECT_EQ(blanks.focusBox, 1);
    EXPECT_EQ(desk.session.data().learnerAnswers[1], kNoAnswerYet); // nothing taken
    EXPECT_EQ(desk.session.state().triesText, QString());
    const EnterOutcome readOnly = desk.session.enterAnswer(QStringLiteral("7"), true, desk.boxes);
    EXPECT_EQ(readOnly.kind, EnterKind::DrawnOnly);
    EXPECT_EQ(desk.table[1].judgement, AnswerBox::kNotJudged);
}

// A sheet without answer boxes: the window's hidden entry boxes still exist (box 1 holds
// its caption "M1"), but no exercise takes them for boxes of the sheet.
TEST(StudySession, ASheetWithoutBoxesJudgesNothing)
{
    for (bool test : {false, true}) {
        Desk desk({});
        desk.start(test);
        EXPECT_EQ(desk.session.state().currentBox, 0);
        desk.boxes.set(1, false, QStringLiteral("M1"));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(desk.session.enterAnswer(QStringLiteral("M1"), false, desk.boxes).kind,
                      EnterKind::Ignored);
        EXPECT_EQ(desk.session.data().learnerAnswers[1], kNoAnswerYet);
        EXPECT_EQ(desk.table[1].tries, 0);
        EXPECT_EQ(desk.session.state().wrongCount, 0);
    }
    Desk desk({});
    EXPECT_EQ(desk.session.startMemorise().box, 0);
}

TEST(StudySession, TestMovesInRingOrderWhileTheLeftCheckReadsColumns)
{
    struct Case
    {
        int p;
        int boxCount;
        bool twoColumn;
        int box;
    };
    const Case order[] = {{1, 5, true, 1}, {2, 5, true, 3}, {3, 5, true, 5}, {4, 5, true, 2},
                          {5, 5, true, 4}, {2, 4, true, 3}, {3, 4, true, 2}, {4, 5, false, 4}};
    for (const Case& c : order)
        EXPECT_EQ(ColumnOrderBox(c.p, c.boxCount, c.twoColumn), c.box) << c.p << "/" << c.boxCount;

    Desk desk({"1", "2", "3", "4", "5"}, true);
    desk.start(true);
    struct Step
    {
        int box;
        QString text;
        StudyFocus focus;
        int focusBox;
    };
    const Step steps[] = {
        {1, "1", StudyFocus::Box, 2}, // ring order, though column order reads 3 next
        {3, "3", StudyFocus::Box, 4}, {5, "5", StudyFocus::Box, 2}, // round the ring
        {2, "2", StudyFocus::Box, 4}, {4, "9", StudyFocus::Saiten, 0},
    };
    for (const Step& s : steps) {
        const EnterOutcome out = desk.enter(s.box, s.text);
        EXPECT_EQ(out.kind, EnterKind::Stored);
        EXPECT_EQ(out.focus, s.focus) << s.box;
        EXPECT_EQ(out.focusBox, s.focusBox) << s.box;
    }
    // A box typed into without Enter has taken no answer: the walk still visits it.
    desk.start(true);
    desk.boxes.setText(2, QStringLiteral("2"));
    EXPECT_EQ(desk.enter(1, QStringLiteral("1")).focusBox, 2);
    desk.boxes.setText(2, QString());
    EXPECT_EQ(desk.session.nextEmptyInColumnOrder(desk.boxes), 3);
    desk.boxes.setVisible(3, false);
    EXPECT_EQ(desk.session.nextEmptyInColumnOrder(desk.boxes), 5);
}

TEST(StudySession, TestScoringMarksRecordsAndReviewTakesTheBoxesNotRight)
{
    Desk desk({"1", "12", "3", "4;", "5"});
    desk.start(true);
    const ScoreOutcome refused =
        desk.session.scoreExercise(desk.boxes, desk.target, desk.when); // nothing typed
    EXPECT_FALSE(refused.accepted);
    EXPECT_TRUE(desk.session.state().timerRunning);
    EXPECT_TRUE(desk.records().isEmpty());

    // Box 2 wrong, box 3 left empty, box 4 left empty but it accepts an empty answer.
    desk.boxes.setText(1, QStringLiteral("1"));
    desk.boxes.setText(2, QStringLiteral("7"));
    desk.boxes.setText(5, QStringLiteral(" 5"));
    for (int s = 0; s < 75; ++s)
        desk.session.tick();
    const ScoreOutcome test = desk.session.scoreExercise(desk.boxes, desk.target, desk.when);
    ASSERT_TRUE(test.accepted);
    EXPECT_TRUE(test.testMarks);
    const int judgements[] = {1, 0, 0, 1, 1};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(desk.table[i].judgement, judgements[i - 1]) << i;
        EXPECT_EQ(desk.table[i].tries, judgements[i - 1] == 1 ? 0 : 1) << i;
    }
    EXPECT_EQ(desk.session.data().learnerAnswers[2], QStringLiteral(" 7")); // padded
    EXPECT_EQ(test.score.percent, 60);
    EXPECT_EQ(test.face, Face::Sleep);
    EXPECT_EQ(test.endMessage, EndMessage::TestEnded);
    EXPECT_EQ(test.focus, StudyFocus::Fukushu);
    EXPECT_EQ(desk.records(),
              QStringList{QStringLiteral("2005年06月21日 14:03 []  3/ 5  60点 01:15")});

    desk.table.box(4).judgement = -2; // right only after the answer was shown
    desk.startReview();
    EXPECT_EQ(desk.session.state().reviewCount, 3);
    EXPECT_EQ(desk.session.state().firstReviewBox, 2);
    EXPECT_EQ(desk.session.state().currentBox, 2);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(desk.boxes.isVisible(i), i >= 2 && i <= 4) << i;

    const EnterOutcome wrong = desk.enter(2, QStringLiteral("8"));
    EXPECT_EQ(wrong.kind, EnterKind::Wrong);
    EXPECT_TRUE(wrong.review);
    EXPECT_EQ(MakeMark(wrong.mark, EntryBoxRect{}, PageFrame{}, wrong.review).colour, kMarkGreen);
    const EnterOutcome right = desk.enter(2, QStringLiteral("12"));
    EXPECT_EQ(right.mark, MarkKind::DoubleCircle);
    EXPECT_EQ(right.focusBox, 3);
    EXPECT_EQ(desk.enter(3, QStringLiteral("3")).focusBox, 4);
    const EnterOutcome last = desk.enter(4, QStringLiteral("4"));
    EXPECT_EQ(last.end, ExerciseEnd::Review);
    EXPECT_EQ(desk.endMessage, EndMessage::ReviewEnded);
    EXPECT_FALSE(desk.session.state().allCorrect);
    // The review keeps the scored answers and counts tries on; it is not recorded.
    EXPECT_EQ(desk.session.data().learnerAnswers[2], QStringLiteral(" 7"));
    EXPECT_EQ(desk.session.state().triesText, QStringLiteral("210")); // box 4 was right: 0
    EXPECT_EQ(desk.records().size(), 1);
}

TEST(StudySession, AllRightTestShowsTheAllCorrectWindowWithoutReview)
{
    Desk desk({"1", "2"});
    desk.start(true);
    desk.enter(1, QStringLiteral("1"));
    desk.boxes.setText(2, QStringLiteral("2"));
    const ScoreOutcome out = desk.session.scoreExercise(desk.boxes, desk.target, desk.when);
    EXPECT_EQ(out.endMessage, EndMessage::AllCorrectWindow);
    EXPECT_TRUE(desk.session.state().allCorrect);
    EXPECT_EQ(out.focus, StudyFocus::End);
    EXPECT_FALSE(out.fukushuEnabled);
    EXPECT_EQ(out.score.percent, 100);
    EXPECT_TRUE(out.face == Face::Kutta || out.face == Face::RedHeart);
    EXPECT_EQ(desk.session.state().correctCount, 2);
    EXPECT_EQ(desk.session.state().totalCount, 2);
}

TEST(StudySession, RecordLineAndAnUnwritableRecordFileIsReported)
{
    StudyState state;
    state.triesText = QStringLiteral("0102");
    state.elapsedSeconds = 87;
    const QDateTime when(QDate(2005, 6, 21), QTime(14, 3));
    EXPECT_EQ(StudyRecordLine(state, Score{3, 4, 75}, 0, when),
              QStringLiteral("2005年06月21日 14:03 [0102]  3/ 4  75点 01:27"));
    EXPECT_EQ(StudyRecordLine(StudyState{}, Score{10, 10, 100}, 2, when),
              QStringLiteral("類題2)2005年06月21日 14:03 [] 10/10 100点 00:00"));

    // A record file whose folder is a file cannot be written, whoever runs the test.
    QTemporaryDir dir;
    const QString blocker = dir.path() + QStringLiteral("/lesson");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Desk desk({"1"});
    desk.target.path = blocker + QStringLiteral("/学習者.ini");
    desk.start(true);
    desk.boxes.setText(1, QStringLiteral("1"));
    const ScoreOutcome out = desk.session.scoreExercise(desk.boxes, desk.target, desk.when);
    EXPECT_TRUE(out.accepted);
    EXPECT_FALSE(out.record.written);
    EXPECT_FALSE(out.record.error.isEmpty());
    EXPECT_EQ(out.score.percent, 100); // the score stays
    EXPECT_EQ(out.record.line, QStringLiteral("2005年06月21日 14:03 []  1/ 1 100点 00:00"));
}

TEST(StudySession, RecordTargetFollowsWhereTheSheetCameFrom)
{
    LearnerPlace place;
    place.programFolder = QStringLiteral("/p/");
    place.learnerName = QStringLiteral("花子");
    place.lessonTable.lessons = {Lesson{"整数", "Seisu\\", "Seisu"},
                                 Lesson{"分数", "Bunsu\\", "Bunsu"}};
    SectionUnits sections;
    sections.sections = {Section{"s1", {"u1", "たし算"}}};
    const StudyRecordTarget index =
        StudyRecordTargetFor(place, UnitChoice{2, 1, 2, 3}, sections, false, QString());
    EXPECT_EQ(index.path, QStringLiteral("/p/Bunsu/花子.ini"));
    EXPECT_EQ(index.section, QStringLiteral("S12たし算"));
    EXPECT_EQ(index.variant, 3);
    const StudyRecordTarget copy = StudyRecordTargetFor(place, UnitChoice{2, 1, 2, 3}, sections,
                                                        true, QStringLiteral("mine.prp"));
    EXPECT_EQ(copy.path, QStringLiteral("/p/Seisu/花子.ini"));
    EXPECT_EQ(copy.section, QStringLiteral("mine.prp"));
    EXPECT_EQ(copy.variant, 0);
}

TEST(StudySession, MemoriseWalksTheBoxesWithTheirAlternatives)
{
    Desk desk({"3;三;さん", "4", "5;五"});
    desk.start(false);
    const MemoriseStep first = desk.session.startMemorise();
    EXPECT_EQ(first.box, 1);
    EXPECT_EQ(first.text, QStringLiteral("3"));
    EXPECT_EQ(first.alternativeLines, (QStringList{"別解は", "三", "さん"}));
    desk.boxes.setText(1, first.text);
    const MemoriseStep cleared = desk.session.memoriseNext(desk.boxes, false);
    EXPECT_EQ(cleared.box, 2);
    EXPECT_EQ(cleared.text, QStringLiteral("4"));
    EXPECT_TRUE(cleared.alternativeLines.isEmpty());
    desk.boxes.setText(2, cleared.text);
    const MemoriseStep kept = desk.session.memoriseNext(desk.boxes, true);
    EXPECT_EQ(kept.box, 3);
    EXPECT_EQ(kept.text, QStringLiteral("5;五"));
}
