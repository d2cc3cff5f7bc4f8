#include "courseware/CoursewareIndex.h"
#include "platform/Messages.h"
#include "platform/Paths.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

class CoursewareIndexTest : public ::testing::Test
{
protected:
    QString folder() const { return withTrailingSlash(dir_.path()); }
    void writeMain(const QStringList& lines)
    {
        test::writeLines(folder() + QStringLiteral("Main.ind"), lines);
    }

    QTemporaryDir dir_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

} // namespace

TEST_F(CoursewareIndexTest, MainIndexSplitsLessonLines)
{
    writeMain({"算数", "<<", "整数,Seisu\\xSeisu", "表示,Hyou\\\\Hyou", "no comma",
               "a,b,Dir\\yBase", "Top,Base", ">>", "After,Never\\xRead"});
    LessonTable table;
    ASSERT_TRUE(LoadMainIndex(folder(), table));
    EXPECT_EQ(table.title, QStringLiteral("算数"));
    struct Expected
    {
        const char16_t *name, *folder, *base;
    };
    const Expected expected[] = {
        {u"整数", u"Seisu\\", u"Seisu"}, {u"表示", u"Hyou\\", u"Hyou"}, {u"?", u"", u""},
        {u"a", u"b,Dir\\", u"Base"},     {u"Top", u"", u"Base"},
    };
    ASSERT_EQ(table.count(), 5);
    for (int i = 0; i < 5; ++i) {
        const Lesson l = table.lesson(i + 1);
        EXPECT_EQ(l.name, QString::fromUtf16(expected[i].name)) << i;
        EXPECT_EQ(l.folder, QString::fromUtf16(expected[i].folder)) << i;
        EXPECT_EQ(l.baseName, QString::fromUtf16(expected[i].base)) << i;
    }
    EXPECT_EQ(LessonIndexPath(folder(), table, 1), folder() + QStringLiteral("Seisu/Seisu.ind"));
    EXPECT_TRUE(messages_.entries().isEmpty());
}

TEST_F(CoursewareIndexTest, LessonWithoutCommaKeepsTheFoldersOfAnEarlierLoad)
{
    writeMain({"T", "", "A,One\\xOne", "B,Two\\xTwo"});
    LessonTable table;
    ASSERT_TRUE(LoadMainIndex(folder(), table));
    writeMain({"T", "", "A,One\\xOne", "broken"});
    ASSERT_TRUE(LoadMainIndex(folder(), table));
    EXPECT_EQ(table.lesson(2).name, QStringLiteral("?"));
    EXPECT_EQ(table.lesson(2).folder, QStringLiteral("Two\\"));
    EXPECT_EQ(table.lesson(2).baseName, QStringLiteral("Two"));
}

TEST_F(CoursewareIndexTest, MainIndexProblemsAreReported)
{
    LessonTable table;
    EXPECT_FALSE(LoadMainIndex(folder(), table));
    writeMain({"T", "<<"});
    EXPECT_FALSE(LoadMainIndex(folder(), table));
    test::writeBytes(folder() + QStringLiteral("Main.ind"), "T\r\n<<\r\n\x82");
    EXPECT_FALSE(LoadMainIndex(folder(), table));
    ASSERT_EQ(messages_.texts().size(), 3);
    EXPECT_EQ(messages_.texts().at(0), QStringLiteral("ファイル ") +
                                           shownPath(folder() + QStringLiteral("Main.ind")) +
                                           QStringLiteral(" が見つかりません"));
    EXPECT_TRUE(messages_.texts().at(1).contains(QStringLiteral("Main.ind")));
    EXPECT_TRUE(messages_.texts().at(2).contains(QStringLiteral("3 行目")));
}

// A lesson whose folder would lead out of the program folder is refused, naming the line,
// and the table keeps what it held.
TEST_F(CoursewareIndexTest, LessonFoldersOutsideTheProgramFolderAreRefused)
{
    LessonTable table;
    writeMain({"T", "", "A,Seisu\\xSeisu"});
    ASSERT_TRUE(LoadMainIndex(folder(), table));
    for (const char* line : {"B,..\\..\\outside\\xOut", "B,/etc\\xpasswd", "B,C:\\x\\xy",
                             "B,Sub\\x..\\..\\Out", "B,a/../..\\xOut"}) {
        messages_.clear();
        writeMain({"T", "", "A,Seisu\\xSeisu", QString::fromUtf8(line)});
        EXPECT_FALSE(LoadMainIndex(folder(), table)) << line;
        ASSERT_EQ(messages_.texts().size(), 1) << line;
        EXPECT_TRUE(messages_.texts().at(0).contains(QStringLiteral("Main.ind の 4 行目")))
            << messages_.texts().at(0).toStdString();
        EXPECT_EQ(table.count(), 1) << line;
    }
    writeMain({"T", "", "A,Seisu\\xSeisu", "B,Two..Three\\xT"});
    EXPECT_TRUE(LoadMainIndex(folder(), table)); // dots inside a name are only a name
}

TEST_F(CoursewareIndexTest, LessonIndexSectionsInFileOrder)
{
    writeMain({"T", "", "分数,Bunsu\\xBunsu"});
    test::writeLines(folder() + QStringLiteral("Bunsu/Bunsu.ind"),
                     {"分数の計算", "[[sect1", "たし算",  "<<",      "通分", "帯分数", ">>",
                      "]]",         "stray",   "[[sect5", "ひき算",  "<<",   ">>",     "]]",
                      "[[sect2",    "かけ算",  "<<",      "[[unit?", ">>",   "]]"});
    LessonTable table;
    ASSERT_TRUE(LoadMainIndex(folder(), table));
    SectionUnits sections;
    ASSERT_TRUE(LoadLessonIndex(folder(), table, 1, sections));
    EXPECT_EQ(sections.indexTitle, QStringLiteral("分数の計算"));
    ASSERT_EQ(sections.count(), 3);
    EXPECT_EQ(sections.section(1).title, QStringLiteral("たし算"));
    EXPECT_EQ(sections.section(1).units, (QStringList{"通分", "帯分数"}));
    EXPECT_EQ(sections.section(2).title, QStringLiteral("ひき算"));
    EXPECT_TRUE(sections.section(2).units.isEmpty());
    EXPECT_EQ(sections.section(3).units, QStringList{"[[unit?"});
    EXPECT_EQ(MasterPath(folder(), table, 1, 3), folder() + QStringLiteral("Bunsu/Bunsu3.que"));
    EXPECT_EQ(MakeRecordKey(UnitChoice{1, 1, 2, 3}, sections), QStringLiteral("S12帯分数"));
}

TEST_F(CoursewareIndexTest, LessonIndexFailures)
{
    writeMain({"T", "", "A,Here\\xHere", "B,Gone\\xGone"});
    LessonTable table;
    ASSERT_TRUE(LoadMainIndex(folder(), table));
    SectionUnits sections;

    EXPECT_FALSE(LoadLessonIndex(folder(), table, 2, sections));
    QDir().mkpath(folder() + QStringLiteral("Here"));
    EXPECT_FALSE(LoadLessonIndex(folder(), table, 1, sections));
    // A section that runs to the end of the file without ">>" is refused, not read past.
    test::writeLines(folder() + QStringLiteral("Here/Here.ind"),
                     {"T", "[[sect1", "S", "<<", "u1", ">>", "]]", "[[sect2", "S2", "<<", "u"});
    EXPECT_FALSE(LoadLessonIndex(folder(), table, 1, sections));
    EXPECT_EQ(sections.count(), 0);
    test::writeLines(folder() + QStringLiteral("Here/Here.ind"), {"T", "[[sect1"});
    EXPECT_FALSE(LoadLessonIndex(folder(), table, 1, sections));

    const QStringList texts = messages_.texts();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts.at(0), QStringLiteral("ディレクトリ ") +
                               shownPath(folder() + QStringLiteral("Gone/")) +
                               QStringLiteral(" が見つかりません"));
    EXPECT_EQ(texts.at(1), QStringLiteral("ファイル ") +
                               shownPath(folder() + QStringLiteral("Here/Here.ind")) +
                               QStringLiteral(" が見つかりません"));
    EXPECT_TRUE(texts.at(2).contains(QStringLiteral("Here.ind")));
    EXPECT_TRUE(texts.at(2).contains(QStringLiteral("8 行目")));
    EXPECT_TRUE(texts.at(3).contains(QStringLiteral("2 行目")));
}

TEST(FindVariants, StopAtTheFirstGapAndNeedIncreasingOrder)
{
    struct Case
    {
        QStringList lines;
        QStringList expected;
    };
    const Case cases[] = {
        {{"[[unit4", "]]", "[[unit4R1", "]]", "[[unit4R2", "]]", "[[unit4R4", "]]"},
         {"類題　4R1", "類題　4R2"}},
        {{"[[unit4R2", "[[unit4R1"}, {"類題　4R1"}},
        {{"[[unit4", "[[unit14R1", "[[unit4R1 "}, {}},
        {{"[[unit4R1", "[[unit4R2", "[[unit4R3", "[[unit4R4", "[[unit4R5", "[[unit4R6"},
         {"類題　4R1", "類題　4R2", "類題　4R3", "類題　4R4", "類題　4R5"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindVariants(UnitChoice{1, 1, 4, 0}, c.lines), c.expected)
            << c.lines.join(' ').toStdString();
        EXPECT_EQ(HasVariants(4, c.lines), c.lines.contains(QStringLiteral("[[unit4R1")));
    }
}
