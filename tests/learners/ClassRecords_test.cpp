#include "learners/ClassRecords.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/RecordLine.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList lines(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* line : list)
        result.append(u8(line));
    return result;
}

ClassRecord record(const char* tries, int right, int total, int day)
{
    ClassRecord r;
    r.kind = *tries == '-' ? RecordKind::Test : RecordKind::Practice;
    r.tries = *tries == '-' ? QString() : u8(tries);
    r.right = right;
    r.total = total;
    r.finished = QDateTime(QDate(2026, 11, day), QTime(10, 0), Qt::UTC);
    return r;
}

// A lesson's record files as a class leaves them, with the odd hand-edited one.
struct ClassFixture
{
    test::CoursewareCopy courseware;
    QString seisu = courseware.folder() + QStringLiteral("Seisu/");
    LessonTable table;

    ClassFixture()
    {
        LoadMainIndex(courseware.folder(), table);
        test::writeLines(
            seisu + u8("太郎.ini"),
            lines({"[password]", "pw=abcd", "[S11３けたのたし算]",
                   "1=2026年11月01日 10:00 [0102]  3/ 4  75点 01:27",
                   "2=2026年11月02日 10:00 []  4/ 4 100点 00:50",
                   // key 3 deleted by hand
                   "4=類題1)2026年11月03日 10:00 [0000]  4/ 4 100点 00:40", "5=書き換えた行",
                   "[Matome1.prp]", "1=2026年11月04日 09:00 [00]  2/ 2 100点 00:09"}));
        test::writeLines(
            seisu + u8("花子.ini"),
            lines({"[S11３けたのたし算]", "1=2026年11月05日 10:00 [1000]  4/ 4 100点 01:00",
                   "2=2026年11月06日 10:00 [0011]  4/ 4  50点 01:00", "[S12４けたのたし算]",
                   "1=2026年11月06日 11:00 [000]  3/ 3 100点 00:30"}));
        QStringList jiro = lines({"[s11３けたのたし算]"});
        for (int i = 1; i <= 5; ++i)
            jiro << u8("%1=2026年11月%2日 08:00 []  2/ 4  50点 00:20")
                        .arg(i)
                        .arg(i + 10, 2, 10, QLatin1Char('0'));
        test::writeLines(seisu + u8("次郎.ini"), jiro);
    }
};

} // namespace

TEST(ClassRecords, ReviewComesBackAfterOneThreeSevenDays)
{
    // m: not fully right, r: fully right (practice), t: fully right test, x: test with a miss.
    const std::pair<const char*, int> cases[] = {
        {"", -1},     {"r", -1},  {"rrt", -1},  {"m", 1}, {"mr", 3}, {"mrt", 7},
        {"mrrr", -1}, {"rmr", 3}, {"mrrrm", 1}, {"x", 1}, {"xt", 3},
    };
    for (const auto& [pattern, days] : cases) {
        QList<ClassRecord> records;
        int day = 1;
        for (const char* c = pattern; *c; ++c, ++day) {
            switch (*c) {
            case 'm':
                records.append(record("0100", 4, 4, day));
                break;
            case 'r':
                records.append(record("0000", 4, 4, day));
                break;
            case 't':
                records.append(record("-", 4, 4, day));
                break;
            default:
                records.append(record("-", 3, 4, day));
            }
        }
        const std::optional<QDate> due = ReviewDueDate(records);
        if (days < 0)
            EXPECT_FALSE(due.has_value()) << pattern;
        else
            EXPECT_EQ(due, QDate(2026, 11, day - 1).addDays(days)) << pattern;
    }
}

TEST(ClassRecords, ReadsEveryLearnerOfTheLessonOnce)
{
    ClassFixture f;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    const QStringList names = ClassListNames(f.courseware.folder(), QString(), false);
    ASSERT_FALSE(names.isEmpty());
    const ClassRecords records = ReadClassRecords(f.courseware.folder(), f.table, 1, names);

    // The class list in its order, then the other files in name order; one read each.
    QStringList learners;
    for (const ClassLearner& l : records.learners)
        learners.append(l.name);
    QStringList want = names;
    want << u8("次郎") << u8("太郎") << u8("花子");
    std::sort(want.end() - 3, want.end());
    EXPECT_EQ(learners, want);
    EXPECT_EQ(records.filesRead, 3);
    EXPECT_TRUE(records.errors.isEmpty());

    const int s11 = records.unitIndex(u8("S11３けたのたし算"));
    const int s12 = records.unitIndex(u8("S12４けたのたし算"));
    const int copy = records.unitIndex(u8("Matome1.prp"));
    ASSERT_EQ(s11, 0);
    ASSERT_EQ(s12, 1);
    ASSERT_GT(copy, s12);
    EXPECT_EQ(records.units.at(copy).section, 0);

    struct Want
    {
        const char* learner;
        int unit;
        int count;
        int latest; // -1: none readable
        int best;
        int misses;
        QDate due; // invalid: not due
        bool flagged;
    };
    const Want cases[] = {
        // test, practice, similar-question set, a gap and an unreadable line
        {"太郎", s11, 4, 100, 100, 1, QDate(2026, 11, 10), false},
        {"太郎", copy, 1, 100, 100, 0, QDate(), false},
        {"花子", s11, 2, 50, 100, 2, QDate(2026, 11, 7), false},
        {"花子", s12, 1, 100, 100, 0, QDate(), false},
        {"次郎", s11, 5, 50, 50, 5, QDate(2026, 11, 16), true},
        {"青木陽太", s11, 0, -1, -1, 0, QDate(), false},
    };
    for (const Want& w : cases) {
        const auto it =
            std::find_if(records.learners.cbegin(), records.learners.cend(),
                         [&](const ClassLearner& l) { return l.name == u8(w.learner); });
        ASSERT_NE(it, records.learners.cend()) << w.learner;
        const LearnerUnit& unit = it->units.at(w.unit);
        const std::string where = std::string(w.learner) + " unit " + std::to_string(w.unit);
        EXPECT_EQ(unit.count, w.count) << where;
        EXPECT_EQ(unit.latest() ? unit.latest()->percent : -1, w.latest) << where;
        EXPECT_EQ(unit.bestScore, w.best) << where;
        EXPECT_EQ(unit.misses, w.misses) << where;
        EXPECT_EQ(unit.due.value_or(QDate()), w.due) << where;
        EXPECT_EQ(unit.flagged(), w.flagged) << where;
    }
    const ClassLearner& taro =
        *std::find_if(records.learners.cbegin(), records.learners.cend(),
                      [](const ClassLearner& l) { return l.name == u8("太郎"); });
    EXPECT_EQ(taro.units.at(s11).latestLine, u8("書き換えた行"));
    ASSERT_EQ(taro.units.at(s11).records.size(), 3);
    EXPECT_EQ(taro.units.at(s11).records.at(1).kind, RecordKind::Test);
    EXPECT_EQ(taro.units.at(s11).records.at(2).kind, RecordKind::Variant);

    // The unreadable line is counted and kept, not dropped.
    ASSERT_EQ(records.unreadable.size(), 1);
    EXPECT_EQ(records.unreadable.at(0).learner, u8("太郎"));
    EXPECT_EQ(records.unreadable.at(0).line, u8("書き換えた行"));

    // Boxes from each learner's latest practice of the unit itself: 太郎 0102 (his test and
    // similar-question set carry no boxes of it), 花子 0011; 次郎 took only tests.
    QList<std::pair<int, int>> boxes;
    for (const BoxStat& b : records.units.at(s11).boxes)
        boxes.append({b.answered, b.firstTryWrong});
    EXPECT_EQ(boxes, (QList<std::pair<int, int>>{{2, 0}, {2, 1}, {2, 1}, {2, 2}}));

    // 今日の復習 of 花子 and 太郎 on the 10th: oldest first, the copy file never.
    const auto dueOf = [&](const char* name, QDate today) {
        QStringList keys;
        const int index = static_cast<int>(learners.indexOf(u8(name)));
        for (const DueUnit& d : DueUnits(records, index, today))
            keys.append(d.key + u'@' + d.due.toString(Qt::ISODate));
        return keys;
    };
    EXPECT_EQ(dueOf("花子", QDate(2026, 11, 6)), QStringList());
    EXPECT_EQ(dueOf("花子", QDate(2026, 11, 10)), QStringList{u8("S11３けたのたし算@2026-11-07")});
    EXPECT_EQ(dueOf("太郎", QDate(2026, 11, 10)), QStringList{u8("S11３けたのたし算@2026-11-10")});
    EXPECT_TRUE(messages.entries().isEmpty());
}

TEST(ClassRecords, QuestionsComeFromTheMasterFileHardestFirst)
{
    ClassFixture f;
    const ClassRecords records = ReadClassRecords(f.courseware.folder(), f.table, 1, {});
    const QList<BoxQuestion> questions = UnitQuestions(f.courseware.folder(), f.table, records, 0);
    ASSERT_EQ(questions.size(), 12); // the unit's sheet has twelve blanks
    QList<int> order;
    for (const BoxQuestion& q : questions)
        order.append(q.box);
    EXPECT_EQ(order, (QList<int>{4, 2, 3, 1, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(questions.at(0).question, u8("(4) 509＋394＝"));
    EXPECT_EQ(questions.at(0).answer, u8("903"));
    EXPECT_DOUBLE_EQ(questions.at(0).firstTryShare(), 0.0);
    EXPECT_DOUBLE_EQ(questions.at(1).firstTryShare(), 0.5);
    EXPECT_LT(questions.at(4).firstTryShare(), 0.0);
}

TEST(ClassRecords, ReadingWritesNothing)
{
    ClassFixture f;
    const QDir folder(f.seisu);
    const QStringList before = folder.entryList(QDir::Files, QDir::Name);
    QList<QByteArray> bytes;
    for (const QString& file : before)
        bytes.append(test::readBytes(f.seisu + file));
    const ClassRecords records =
        ReadClassRecords(f.courseware.folder(), f.table, 1, {u8("青木陽太"), u8("太郎")});
    EXPECT_EQ(records.learners.size(), 4);
    EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name), before);
    for (qsizetype i = 0; i < before.size(); ++i)
        EXPECT_EQ(test::readBytes(f.seisu + before.at(i)), bytes.at(i))
            << before.at(i).toStdString();
}

TEST(ClassRecords, ReadsExactlyTheLinesTheRecordLineReaderReads)
{
    const char* cases[] = {
        "2005年06月21日 14:03 [0102]  3/ 4  75点 01:27",
        "類題2)2010年01月05日 09:07 [] 10/10 100点 100:05",
        "類題5)2010年01月05日 09:07 [00]  2/ 2 100点 00:05",
        "2005年06月21日 14:03 []  0/ 0   0点 00:00",
        "2005年06月21日 14:03 [] 123/456 1000点 1000000:59",
        "類題6)2010年01月05日 09:07 [] 10/10 100点 00:05",
        "類題0)2010年01月05日 09:07 [] 10/10 100点 00:05",
        "新5821)2026年12月08日 17:40 [01]  2/ 2 100点 01:05",
        "新0)2026年12月08日 17:40 []  2/ 2 100点 01:05",
        "新18446744073709551615)2026年12月08日 17:40 []  2/ 2 100点 01:05",
        "新18446744073709551616)2026年12月08日 17:40 []  2/ 2 100点 01:05",
        "新05)2026年12月08日 17:40 []  2/ 2 100点 01:05",
        "新)2026年12月08日 17:40 []  2/ 2 100点 01:05",
        "0999年06月21日 14:03 []  3/ 4  75点 01:27",
        "2005年6月21日 14:03 []  3/ 4  75点 01:27",
        "2005年02月30日 14:03 []  3/ 4  75点 01:27",
        "2005年06月21日 24:03 []  3/ 4  75点 01:27",
        "2005年06月21日 14:03 [01a]  3/ 4  75点 01:27",
        "2005年06月21日 14:03 []   3/ 4  75点 01:27",
        "2005年06月21日 14:03 [] 03/ 4  75点 01:27",
        "2005年06月21日 14:03 []  12/ 4  75点 01:27",
        "2005年06月21日 14:03 []  3/ 4 75点 01:27",
        "2005年06月21日 14:03 []  3/ 4  075点 01:27",
        "2005年06月21日 14:03 []  3/ 4  75点 1:27",
        "2005年06月21日 14:03 []  3/ 4  75点 099:27",
        "2005年06月21日 14:03 []  3/ 4  75点 01:60",
        "2005年06月21日 14:03 []  3/ 4  75点 01:27 ",
        "2005年06月21日 14:03 []  3/ 4  75点 1000001:00",
        "2005年06月21日 14:03 []  3/ 4  75点 01:27x",
        "2005年06月21日 14:03 [] 99999999999/ 4  75点 01:27",
        "",
        "?",
    };
    for (const char* text : cases) {
        const QString line = u8(text);
        const std::optional<RecordValues> want = ParseRecordLine(line);
        const std::optional<ClassRecord> got = ReadClassRecord(line);
        ASSERT_EQ(got.has_value(), want.has_value()) << text;
        if (!want)
            continue;
        EXPECT_EQ(got->kind == RecordKind::Variant, want->variant > 0) << text;
        EXPECT_EQ(got->kind == RecordKind::Generated, want->generatedSeed.has_value()) << text;
        EXPECT_EQ(got->finished.date(), want->finished.date()) << text;
        EXPECT_EQ(got->finished.time(), want->finished.time()) << text;
        EXPECT_EQ(got->tries, want->triesText) << text;
        EXPECT_EQ(std::tuple(got->right, got->total, got->percent, got->elapsedSeconds),
                  std::tuple(want->right, want->total, want->percent, want->elapsedSeconds))
            << text;
    }
}
