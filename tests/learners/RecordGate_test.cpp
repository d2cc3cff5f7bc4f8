#include "learners/RecordGate.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/NameList.h"
#include "courseware/RecordFile.h"
#include "learners/LogOn.h"
#include "learners/RecordList.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace zendra;

TEST(RecordGate, OpensOneLearnersLessonByItsPassword)
{
    test::CoursewareCopy copy;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    LessonTable lessons;
    ASSERT_TRUE(LoadMainIndex(copy.folder(), lessons));
    const auto gate = std::make_shared<RecordGate>();
    const auto place = [&](const QString& learner, int lesson) {
        LearnerPlace p;
        p.programFolder = copy.folder();
        p.lessonTable = lessons;
        p.lesson = lesson;
        p.learnerName = learner;
        p.gate = gate;
        return p;
    };
    const QString jiro = QStringLiteral("次郎");
    const QString key = QStringLiteral("S11小数の表し方");
    ASSERT_TRUE(WritePassword(place(jiro, 2).recordPath(), QStringLiteral("jiro")).ok);
    ASSERT_TRUE(AppendRecord(place(jiro, 2).recordPath(), key, QStringLiteral("line")).ok);
    EXPECT_TRUE(place(kSharedLearner, 2).recordsOpen());

    // Closed records are listed without counts; nothing of them is read or erased.
    RecordList list;
    ASSERT_TRUE(FillRecordList(place(jiro, 2), list));
    EXPECT_TRUE(list.recordPath.isEmpty());
    EXPECT_EQ(list.entries.value(1).count, 0);
    EXPECT_TRUE(EraseRecordEntry(list, 1).ok);
    EXPECT_EQ(RecordCount(place(jiro, 2).recordPath(), key), 1);

    // Cancelled, then a wrong password, then the right one.
    const struct
    {
        const char* typed; // nullptr: the question is cancelled
        bool opens;
    } answers[] = {{nullptr, false}, {"xxxx", false}, {"jiro", true}, {nullptr, true}};
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.typed ? answer.typed : "cancel");
        const bool opened = OpenRecords(place(jiro, 2), [&](PasswordCheck& check) {
            EXPECT_FALSE(check.isNew());
            return answer.typed && check.ok(QString::fromLatin1(answer.typed), {}) ==
                                       PasswordCheck::Result::Accepted;
        });
        EXPECT_EQ(opened, answer.opens);
    }
    EXPECT_FALSE(place(jiro, 1).recordsOpen());
    EXPECT_FALSE(place(QStringLiteral("花子"), 2).recordsOpen());
    ASSERT_TRUE(FillRecordList(place(jiro, 2), list));
    EXPECT_EQ(list.entries.value(1).count, 1);
}
