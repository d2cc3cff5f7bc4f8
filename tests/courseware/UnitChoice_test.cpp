#include "courseware/UnitChoice.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

TEST(UnitChoice, NamesDerivedFromAChoice)
{
    LessonTable table;
    table.lessons = {Lesson{"整数", "Seisu\\", "Seisu"}, Lesson{"分数", "Bunsu\\", "Bunsu"}};
    const QString program = QStringLiteral("/nowhere/");
    struct Case
    {
        UnitChoice choice;
        const char16_t *header, *windowId, *shortName;
    };
    const Case cases[] = {
        {{2, 3, 4, 0}, u"[[unit4", u"/nowhere/Bunsu/Bunsu3.que-U4", u"Bunsu3.que-U4"},
        {{2, 3, 4, 2}, u"[[unit4R2", u"/nowhere/Bunsu/Bunsu3.que-U4R2", u"Bunsu3.que-U4R2"},
        {{1, 12, 1, 0}, u"[[unit1", u"/nowhere/Seisu/Seisu12.que-U1", u"Seisu12.que-U1"},
    };
    for (const Case& c : cases) {
        const UnitNames names = MakeUnitNames(program, table, c.choice);
        EXPECT_EQ(UnitHeaderLine(c.choice), QString::fromUtf16(c.header));
        EXPECT_EQ(names.windowId, QString::fromUtf16(c.windowId));
        EXPECT_EQ(names.shortName, QString::fromUtf16(c.shortName));
        EXPECT_TRUE(names.windowId.startsWith(names.masterPath));
    }
}

TEST(UnitChoice, RecordKeyIgnoresTheVariant)
{
    SectionUnits sections;
    sections.sections = {Section{"s1", {"わり算", "あまりのあるわり算"}}};
    EXPECT_EQ(MakeRecordKey({1, 1, 2, 0}, sections), QStringLiteral("S12あまりのあるわり算"));
    EXPECT_EQ(MakeRecordKey({1, 1, 2, 3}, sections), QStringLiteral("S12あまりのあるわり算"));
}

TEST(UnitChoice, GraphFolderPrefersTheLessonsOwn)
{
    QTemporaryDir dir;
    const QString program = withTrailingSlash(dir.path());
    LessonTable table;
    table.lessons = {Lesson{"A", "A\\", "A"}, Lesson{"B", "B\\", "B"}};
    EXPECT_EQ(GraphFolder(program, table, 1), QString());
    QDir().mkpath(program + QStringLiteral("Graph"));
    EXPECT_EQ(GraphFolder(program, table, 2), program + QStringLiteral("Graph/"));
    QDir().mkpath(program + QStringLiteral("A/graph"));
    EXPECT_EQ(GraphFolder(program, table, 1), program + QStringLiteral("A/graph/"));
    EXPECT_EQ(GraphFolder(program, table, 0), program + QStringLiteral("A/graph/"));
    EXPECT_EQ(GraphFolder(program, table, 2), program + QStringLiteral("Graph/"));
}
