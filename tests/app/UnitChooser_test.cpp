#include "app/UnitChooser.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/RecordFile.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

const QString kNoSelection = QStringLiteral("メニューを選択してください");

class UnitChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        state_.programFolder = courseware_.folder();
        ASSERT_TRUE(LoadMainIndex(state_.programFolder, state_.lessonTable));
    }

    QString path(const QString& relative) const { return courseware_.folder() + relative; }
    // The learner's record file of the integer lesson, written as the study window does.
    void practise(const QString& learner, const QString& key, int times)
    {
        const QString file = path(QStringLiteral("Seisu/") + learner + QStringLiteral(".ini"));
        for (int i = 0; i < times; ++i)
            ASSERT_TRUE(AppendRecord(file, key, QStringLiteral("2005年06月21日 14:03 []")).ok);
    }

    test::CoursewareCopy courseware_;
    AppState state_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

} // namespace

TEST_F(UnitChooserTest, RowPrefixesShowSetsAndTheLearnersCounts)
{
    practise(QStringLiteral("共通"), QStringLiteral("S11３けたのたし算"), 3);
    practise(QStringLiteral("共通"), QStringLiteral("S14４けたのひき算"), 12);
    practise(QStringLiteral("共通"), QStringLiteral("S22３けた×１けた"), 1);
    practise(QStringLiteral("花子"), QStringLiteral("S12４けたのたし算"), 2);

    UnitChooser chooser(state_);
    chooser.show();
    ASSERT_EQ(chooser.loadedLesson(), 1);
    ASSERT_EQ(chooser.selectedSection(), 0);
    EXPECT_TRUE(messages_.entries().isEmpty()) << messages_.texts().join('\n').toStdString();

    struct Row
    {
        int section, unit;
        const char16_t* prefix;
        bool variants;
    };
    const Row shared[] = {
        {1, 1, u"◎[3]", true},    {1, 2, u"　[ ]", false}, {1, 3, u"◎[ ]", true},
        {1, 4, u"　[12]", false}, {2, 2, u"◎[1]", true},   {4, 5, u"　[ ]", false},
    };
    for (const Row& row : shared) {
        SCOPED_TRACE(testing::Message() << row.section << "-" << row.unit);
        EXPECT_EQ(chooser.unitRowPrefix(row.section, row.unit), QString::fromUtf16(row.prefix));
        EXPECT_EQ(chooser.hasVariants(row.section, row.unit), row.variants);
    }
    EXPECT_EQ(chooser.unitRowText(0),
              QStringLiteral("◎[3]３けたのたし算") + QString(38 - 14, u' '));
    EXPECT_EQ(chooser.unitRows().value(1),
              QStringLiteral("　[ ]４けたのたし算") + QString(24, u' '));

    // Another learner logs on between two showings: the counts are theirs, once the
    // password of the lesson was given.
    state_.learnerName = QStringLiteral("花子");
    chooser.show();
    EXPECT_EQ(chooser.unitRowPrefix(1, 2), QStringLiteral("　[ ]"));
    state_.recordGate->open(chooser.learnerPlace().recordPath());
    chooser.show();
    EXPECT_EQ(chooser.unitRowPrefix(1, 1), QStringLiteral("◎[ ]"));
    EXPECT_EQ(chooser.unitRowPrefix(1, 2), QStringLiteral("　[2]"));
}

TEST_F(UnitChooserTest, RowTextPadsTitlesToThirtyEightBytes)
{
    const struct
    {
        QString title;
        int pad;
    } cases[] = {
        {QStringLiteral("abc"), 35},      {QStringLiteral("３けたのたし算"), 24},
        {QStringLiteral("ｶﾀｶﾅ10倍"), 30}, {QString(19, u'あ'), 0},
        {QString(25, u'あ'), 0},          {QString(), 38},
    };
    for (const auto& c : cases) {
        const QString row = UnitRowText(QStringLiteral("◎[3]"), c.title);
        EXPECT_EQ(row, QStringLiteral("◎[3]") + c.title + QString(c.pad, u' '))
            << c.title.toStdString();
    }
}

TEST_F(UnitChooserTest, VariantComesFromTheFocusedSelectedSet)
{
    UnitChooser chooser(state_);
    chooser.show();
    ASSERT_EQ(chooser.variantRows(), QStringList({"類題　1R1", "類題　1R2", "類題　1R3"}));

    const struct
    {
        QList<int> selected;
        int focus;
        bool clearAfter;
        int variant;
    } cases[] = {
        {{1}, 1, false, 2},
        {{0, 2}, 0, false, 1},
        {{2, 0}, 2, false, 3},
        // The focus entry decides, even one the user deselected again.
        {{0, 2}, 1, false, 2},
        {{1, 2}, 0, false, 1},
        {{2}, -1, false, 3},
        {{1}, 1, true, 0},
        {{}, 2, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "focus " << c.focus << " clear " << c.clearAfter);
        chooser.variantsChosen(c.selected, c.focus);
        EXPECT_EQ(chooser.unitHeadingColour(),
                  c.selected.isEmpty() ? QColor(0, 255, 255) : QColor(255, 0, 0));
        if (c.clearAfter)
            chooser.clearVariantChoice();
        ASSERT_TRUE(chooser.ok());
        EXPECT_EQ(state_.currentUnit, (UnitChoice{1, 1, 1, c.variant}));
        EXPECT_EQ(state_.variantChosen, c.variant != 0);
        EXPECT_EQ(chooser.unitHeading(), c.variant != 0 ? QStringLiteral("類題が選択されています")
                                                        : QStringLiteral("項目を選んでください"));
    }

    chooser.unitChosen(1); // a unit without sets
    EXPECT_TRUE(chooser.variantRows().isEmpty());
    EXPECT_FALSE(chooser.variantsVisible());
}

TEST_F(UnitChooserTest, SelectionIsKeptBetweenShowings)
{
    UnitChooser chooser(state_);
    chooser.setMode(UnitChooser::Purpose::Add);
    chooser.show();
    EXPECT_EQ(chooser.caption(), QStringLiteral("追加ファイルを開く"));
    ASSERT_TRUE(chooser.lessonChosen(1));
    EXPECT_EQ(state_.currentUnit.lesson, 2);
    chooser.sectionChosen(1);
    chooser.unitChosen(0);
    ASSERT_EQ(chooser.variantRows(), QStringList({"類題　1R1", "類題　1R2"}));
    chooser.variantsChosen({1}, 1);
    ASSERT_TRUE(chooser.ok());
    EXPECT_EQ(state_.currentUnit, (UnitChoice{2, 2, 1, 2}));
    EXPECT_EQ(state_.chosenTitles.lesson, QStringLiteral("小数の計算"));
    EXPECT_EQ(state_.chosenTitles.section, QStringLiteral("小数のたし算とひき算（３年・４年）"));
    EXPECT_EQ(state_.chosenTitles.unit, QStringLiteral("小数第一位のたし算"));

    // The same window shown again, and a window made anew for the next use.
    UnitChooser fresh(state_);
    for (UnitChooser* again : {&chooser, &fresh}) {
        again->show();
        EXPECT_EQ(again->selectedLesson(), 1);
        EXPECT_EQ(again->selectedSection(), 1);
        EXPECT_EQ(again->selectedUnit(), 0);
        EXPECT_EQ(again->variantRows().size(), 2);
        EXPECT_TRUE(again->selectedVariants().isEmpty());
        EXPECT_EQ(again->unitHeadingColour(), QColor(0, 255, 255));
        ASSERT_TRUE(again->ok());
        EXPECT_EQ(state_.currentUnit, (UnitChoice{2, 2, 1, 0}));
        EXPECT_FALSE(state_.variantChosen);
    }

    // After the index was edited the chooser starts over at the first lesson.
    test::writeLines(path(QStringLiteral("Main.ind")), {"算数", "<<", "分数の計算,Bunsu\\\\Bunsu",
                                                        "整数の計算,Seisu\\\\Seisu", ">>"});
    state_.indexChanged = true;
    chooser.show();
    EXPECT_FALSE(state_.indexChanged);
    EXPECT_EQ(chooser.lessonRows(), QStringList({"分数の計算", "整数の計算"}));
    EXPECT_EQ(chooser.selectedLesson(), 0);
    EXPECT_EQ(chooser.selectedSection(), 0);
    EXPECT_EQ(chooser.sectionRows().value(0), QStringLiteral("同じ分母の分数（４年）"));
}

TEST_F(UnitChooserTest, MissingMasterFileStillListsItsUnits)
{
    practise(QStringLiteral("共通"), QStringLiteral("S11３けたのたし算"), 3);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Seisu/Seisu1.que"))));
    UnitChooser chooser(state_);
    chooser.show();
    EXPECT_TRUE(messages_.entries().isEmpty());
    EXPECT_EQ(chooser.unitTitles().size(), 5);
    EXPECT_TRUE(chooser.masterLines().isEmpty());
    EXPECT_FALSE(chooser.variantsVisible());
    // No marks without the file, but the count is the learner's and later sections are read.
    EXPECT_EQ(chooser.unitRowPrefix(1, 1), QStringLiteral("　[3]"));
    EXPECT_EQ(chooser.unitRowPrefix(2, 2), QStringLiteral("◎[ ]"));

    chooser.unitChosen(2);
    ASSERT_TRUE(chooser.ok());
    EXPECT_EQ(state_.currentUnit, (UnitChoice{1, 1, 3, 0}));
    EXPECT_EQ(state_.chosenTitles.unit, QStringLiteral("３けたのひき算"));
}

TEST_F(UnitChooserTest, OkNeedsAUnit)
{
    // A section with no units.
    test::writeLines(path(QStringLiteral("Seisu/Seisu.ind")),
                     {"整数", "[[sect1", "たし算", "<<", "３けたのたし算", ">>", "]]", "[[sect2",
                      "空", "<<", ">>", "]]"});
    UnitChooser chooser(state_);
    chooser.show();
    ASSERT_TRUE(chooser.ok());
    const UnitChoice chosen = state_.currentUnit;

    chooser.sectionChosen(1);
    EXPECT_EQ(chooser.selectedUnit(), -1);
    EXPECT_TRUE(chooser.unitRows().isEmpty());
    messages_.clear();
    EXPECT_FALSE(chooser.ok());
    EXPECT_EQ(messages_.texts(), QStringList{kNoSelection});
    EXPECT_EQ(state_.currentUnit.unit, chosen.unit);
}

TEST_F(UnitChooserTest, LessonThatCannotBeLoaded)
{
    ASSERT_TRUE(QDir(path(QStringLiteral("Bunsu"))).removeRecursively());
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Shosu/Shosu.ind"))));
    UnitChooser chooser(state_);
    chooser.show();
    chooser.sectionChosen(1);
    const QStringList sections = chooser.sectionRows();
    const QStringList units = chooser.unitRows();

    for (const int lesson : {2, 1}) {
        SCOPED_TRACE(lesson);
        messages_.clear();
        EXPECT_FALSE(chooser.lessonChosen(lesson));
        EXPECT_EQ(state_.currentUnit.lesson, -1);
        ASSERT_EQ(messages_.texts().size(), 1);
        EXPECT_TRUE(messages_.texts().first().endsWith(QStringLiteral(" が見つかりません")));
        EXPECT_EQ(chooser.sectionRows(), sections);
        EXPECT_EQ(chooser.unitRows(), units);
        EXPECT_EQ(state_.sectionUnits.count(), 5); // the integer lesson's sections
        // The lists show the integer lesson; OK must not pair them with the failed one.
        EXPECT_EQ(chooser.selectedLesson(), -1);
        messages_.clear();
        EXPECT_FALSE(chooser.ok());
        EXPECT_EQ(messages_.texts(), QStringList{kNoSelection});
    }
    EXPECT_TRUE(chooser.lessonChosen(0));
    EXPECT_TRUE(chooser.ok());
    EXPECT_EQ(state_.currentUnit, (UnitChoice{1, 1, 1, 0}));
}
