#include "learners/RecordList.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

LearnerPlace placeIn(const QString& folder, const QString& learner, int lesson = 1)
{
    LearnerPlace place;
    place.programFolder = folder;
    place.lesson = lesson;
    place.learnerName = learner;
    EXPECT_TRUE(LoadMainIndex(folder, place.lessonTable));
    return place;
}

void appendTimes(const QString& path, const QString& key, int times)
{
    for (int i = 1; i <= times; ++i)
        ASSERT_TRUE(AppendRecord(path, key, QStringLiteral("line %1").arg(i)).ok);
}

} // namespace

TEST(RecordList, CountTexts)
{
    const std::pair<int, const char*> cases[] = {{0, "  "},  {1, "01"},  {9, "09"},
                                                 {10, "10"}, {12, "12"}, {100, "100"}};
    for (const auto& [count, text] : cases)
        EXPECT_EQ(RecordCountText(count), QString::fromUtf8(text)) << count;
}

TEST(RecordList, ListsSectionsUnitsAndCopyFilesWithTheirCounts)
{
    test::CoursewareCopy courseware;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    const LearnerPlace place = placeIn(courseware.folder(), QStringLiteral("太郎"));
    const QString path = place.recordPath();
    appendTimes(path, QStringLiteral("S11３けたのたし算"), 7);
    appendTimes(path, QStringLiteral("S12４けたのたし算"), 12);
    appendTimes(path, QStringLiteral("S31あまりのないわり算"), 1);
    appendTimes(path, QStringLiteral("Matome1.prp"), 2);

    RecordList list;
    ASSERT_TRUE(FillRecordList(place, list));
    EXPECT_EQ(list.recordPath, path);
    const QStringList texts = list.texts();
    const std::pair<int, const char*> rows[] = {
        {0, "たし算とひき算（３年）"},        {1, "07回S11３けたのたし算"},
        {2, "12回S12４けたのたし算"},         {3, "  回S13３けたのひき算"},
        {5, "  回S15たし算とひき算の文章題"}, {6, "かけ算（３年・４年）"},
        {7, "  回S21２けた×１けた"},          {12, "わり算（３年・４年）"},
        {13, "01回S31あまりのないわり算"},
    };
    for (const auto& [row, text] : rows)
        EXPECT_EQ(texts.value(row), QString::fromUtf8(text)) << row;
    EXPECT_EQ(texts.last(), QStringLiteral("02回Matome1.prp"));
    EXPECT_EQ(list.entries.last().kind, RecordListEntry::Kind::CopyFile);

    EXPECT_EQ(RecordDetailLines(list, 0), QStringList{QStringLiteral("練習の記録はありません")});
    EXPECT_EQ(RecordDetailLines(list, 3), QStringList{QStringLiteral("練習の記録はありません")});
    EXPECT_EQ(RecordDetailLines(list, 1).size(), 7);
    EXPECT_EQ(RecordDetailLines(list, 1).last(), QStringLiteral("line 7"));

    ASSERT_TRUE(EraseRecordEntry(list, 1).ok);
    ASSERT_TRUE(EraseRecordEntry(list, 0).ok); // a title has no records
    ASSERT_TRUE(FillRecordList(place, list));
    EXPECT_EQ(list.texts().at(1), QStringLiteral("  回S11３けたのたし算"));
    EXPECT_EQ(list.texts().at(2), QStringLiteral("12回S12４けたのたし算"));
    EXPECT_TRUE(messages.entries().isEmpty()) << messages.texts().join('\n').toStdString();
}

TEST(RecordList, NoRecordFileAndNoLearner)
{
    test::CoursewareCopy courseware;
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    RecordList list;
    ASSERT_TRUE(FillRecordList(placeIn(courseware.folder(), QStringLiteral("花子"), 2), list));
    ASSERT_FALSE(list.entries.isEmpty());
    for (const RecordListEntry& entry : list.entries) {
        if (entry.kind != RecordListEntry::Kind::SectionTitle) {
            EXPECT_TRUE(entry.text.startsWith(QStringLiteral("  回S"))) << entry.text.toStdString();
        }
    }
    // No file can be named for these, so nothing is listed.
    for (const char* name : {"", "../花子", "a/b"}) {
        EXPECT_FALSE(FillRecordList(placeIn(courseware.folder(), QString::fromUtf8(name)), list));
        EXPECT_TRUE(list.entries.isEmpty());
    }
    EXPECT_FALSE(FillRecordList(placeIn(courseware.folder(), QStringLiteral("花子"), 9), list));
    EXPECT_TRUE(messages.entries().isEmpty());
}
