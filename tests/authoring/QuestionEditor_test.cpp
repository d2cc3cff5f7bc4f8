#include "authoring/QuestionEditor.h"

#include "courseware/CoursewareIndex.h"
#include "courseware/ParsedUnit.h"
#include "courseware/UnitReader.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"
#include "sheet/Sheet.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace zendra;

namespace {

QStringList L(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

// A lesson "T" whose master files live in `folder` + "Tst\".
LessonTable oneLesson()
{
    LessonTable table;
    table.lessons.append({QStringLiteral("テスト"), QStringLiteral("Tst\\"), QStringLiteral("T")});
    return table;
}

const char* kUnit1 = "[[unit1|<<ques|前#1#|>>|<<dummy|>>|]]";
const char* kUnit2 = "[[unit2|<<header|題|校|名|>>|<<ques|1+2=#3#|>>|<<softkey|１|２|>>|"
                     "<<hint|ひんと|>>|<<kgroup|３|>>|<<graph|a.bmp|10|20|>>|"
                     "<<value|630|False|40|5|5|1|7|>>|<<dummy|だみ|>>|]]";
const char* kUnit3 = "[[unit3|<<ques|後#9#|>>|]]";

} // namespace

TEST(QuestionEditor, TextCommands)
{
    ScriptedMessages messages;
    ScopedMessages scope(messages);

    TextEditResult r = InsertAnswerField("1+2=3です", 4, 5);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.text, "1+2= # 3 # です");
    EXPECT_EQ(r.caret, 11);
    r = UnderlineWithParentheses("主語を書く", 2, 0); // selection made backwards
    EXPECT_EQ(r.text, "<U>（主語）</>を書く");

    r = InsertAnswerField("abc", 1, 1);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.text, "abc");
    r = UnderlineWithParentheses("abc", 2, 2);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(messages.texts(),
              QStringList({"囲む範囲を選択してください", "囲む範囲を選択してください"}));

    const QStringList once = NumberQuestions(L("計算しなさい。|3+4|5+6"));
    EXPECT_EQ(once, L("計算しなさい。|(1) 3+4=|(2) 5+6="));
    EXPECT_EQ(NumberQuestions(once), L("計算しなさい。|(1) (1) 3+4==|(2) (2) 5+6=="));
    EXPECT_EQ(NumberQuestions({"見出し"}), QStringList{"見出し"});
}

TEST(QuestionEditor, AnswersAndChoiceList)
{
    EXPECT_EQ(AnswersOfLines(L("例　日本の首都は　#　東京　#　です|a # 3 # b#ア#|なし")),
              L("東京|3|ア"));

    struct Case
    {
        const char* answers;
        bool digits, signs;
        const char* choices; // "" for none
    };
    const std::vector<Case> cases = {
        {"５|ア|三角形;さんかく", true, true, "三角形|さんかく"},
        {"５|ア|三角形;さんかく", false, true, "５|三角形|さんかく"},
        {"５|ア|三角形;さんかく", true, false, "ア|三角形|さんかく"},
        {"１２|5|１a|Ｇ|アイ|ａ", true, true, "5|１a|Ｇ|アイ|ａ"},
        {"3;|;x", true, true, "3|x"}, // empty alternatives count as digit-only lines
        {"3;|;x", false, false, "3|||x"},
    };
    for (const Case& c : cases) {
        const QStringList expected = *c.choices ? L(c.choices) : QStringList{};
        EXPECT_EQ(ChoicesFromAnswers(L(c.answers), c.digits, c.signs), expected) << c.answers;
    }
    EXPECT_EQ(ChoicesFromAnswers(L("|"), false, false), QStringList{});

    const QStringList withDummies = AddDummyChoices(L("三角形|さんかく"), L("四角形||三角形|a"));
    EXPECT_EQ(withDummies, L("三角形|さんかく|四角形|a"));
    const ChoiceCounters counters = CountChoices(withDummies);
    EXPECT_EQ(counters.characters, 3 + 4 + 3 + 0);
    EXPECT_EQ(counters.lines, 4);
}

TEST(QuestionEditor, FigureInsertion)
{
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    const QList<QPoint> anchors = {QPoint(), QPoint(50, 100), QPoint(50, 140), QPoint(50, 180)};

    QStringList question;
    EXPECT_EQ(InsertFigures(question, {"a.bmp", "b.bmp"}, anchors, false), 2);
    EXPECT_EQ(question, L("a.bmp|90|120|b.bmp|90|160"));
    QStringList answer;
    EXPECT_EQ(InsertFigures(answer, {"a.bmp", "b.bmp"}, anchors, true), 2);
    EXPECT_EQ(answer, L("a.bmp|40|20|b.bmp|90|120")); // index 0 is never a line
    QStringList beyond = L("x|1|1|y|1|1|z|1|1");
    InsertFigures(beyond, {"c.bmp"}, anchors, false); // line 4 was not drawn
    EXPECT_EQ(beyond.mid(9), L("c.bmp|40|20"));
    EXPECT_TRUE(messages.texts().isEmpty());

    QStringList full;
    for (int i = 0; i < 14; ++i)
        full << "f.bmp"
             << "1"
             << "2";
    EXPECT_EQ(InsertFigures(full, {"15.bmp", "16.bmp", "17.bmp"}, anchors, false), 1);
    EXPECT_EQ(full.size(), 45);
    EXPECT_EQ(full.at(42), "15.bmp");
    EXPECT_EQ(messages.texts(), QStringList({"グラフは15個までです", "グラフは15個までです"}));
}

TEST(QuestionEditor, PaneTextRoundTrip)
{
    for (const QStringList& lines : {L("a||b"), L("a|"), L("|x"), QStringList{}})
        EXPECT_EQ(PaneLines(PaneText(lines)), lines) << qPrintable(lines.join('|'));
}

class QuestionEditorFile : public ::testing::Test
{
protected:
    QString folder() const { return dir_.path() + "/"; }
    QString master() const { return folder() + "Tst/T1.que"; }
    UnitChoice unit(int n, int variant = 0) const { return {1, 1, n, variant}; }

    QTemporaryDir dir_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

TEST_F(QuestionEditorFile, ReplacingKeepsTheOtherUnitsAndWritesTheReplacedOrder)
{
    const QStringList before = L("前置き行") + L(kUnit1) + L(kUnit2) + L(kUnit3);
    test::writeLines(master(), before);
    const QByteArray original = test::readBytes(master());

    QuestionEditor editor;
    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder(), oneLesson(), unit(2), nullptr));
    EXPECT_TRUE(editor.unitFound());
    EXPECT_EQ(editor.fileName, master());
    EXPECT_EQ(editor.ques, L("1+2=#3#"));
    EXPECT_EQ(editor.kgroup, L("３"));
    EXPECT_EQ(editor.dummy, L("だみ"));
    EXPECT_EQ(editor.hint, L("ひんと"));
    EXPECT_EQ(editor.qgraph, L("a.bmp|10|20"));
    EXPECT_EQ(editor.pasteLo, L("<<value|630|False|40|5|5|1|7|>>"));

    editor.ques << "4+5=#9#";
    editor.WriteUnitFromPanes();
    ASSERT_TRUE(editor.Save());
    QStringList after;
    ASSERT_TRUE(TextFile::read(master(), after));
    const QStringList unit2 =
        L("[[unit2|<<ques|1+2=#3#|4+5=#9#|>>|<<kgroup|３|>>|<<dummy|だみ|>>|"
          "<<graph|a.bmp|10|20|>>|<<hint|ひんと|>>|<<value|630|False|40|5|5|1|7|>>|]]");
    EXPECT_EQ(after, L("前置き行") + L(kUnit1) + unit2 + L(kUnit3));

    // The bytes around the unit are those of the old file.
    const QByteArray now = test::readBytes(master());
    const qsizetype head = original.indexOf("[[unit2");
    const qsizetype tail = original.size() - original.indexOf("[[unit3");
    EXPECT_EQ(now.left(head), original.left(head));
    EXPECT_EQ(now.right(tail), original.right(tail));
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(QuestionEditorFile, AppendingWritesTheAppendedOrderAfterTheLastUnit)
{
    test::writeLines(master(), L(kUnit1) + L(kUnit3));
    const QByteArray original = test::readBytes(master());

    QuestionEditor editor;
    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder(), oneLesson(), unit(3, 1), nullptr));
    EXPECT_FALSE(editor.unitFound());
    EXPECT_EQ(editor.ques,
              L("１．次の各空欄に適語を入れなさい。|例　日本の首都は　#　東京　#　です"));
    EXPECT_EQ(editor.pasteLo, DefaultDataLines());
    editor.ques = L("x#1#");
    editor.hint = L("h");
    editor.agraph = L("b.bmp|1|2");
    editor.WriteUnitFromPanes();
    ASSERT_TRUE(editor.Save());

    QStringList after;
    ASSERT_TRUE(TextFile::read(master(), after));
    const QStringList appended = L("[[unit3R1|<<ques|x#1#|>>|<<dummy|>>") + DefaultDataLines() +
                                 L("<<AGraph|b.bmp|1|2|>>|<<hint|h|>>|]]");
    EXPECT_EQ(after, L(kUnit1) + L(kUnit3) + appended);
    EXPECT_TRUE(test::readBytes(master()).startsWith(original));
}

TEST_F(QuestionEditorFile, UnitWithoutClosingLinesStaysInsideItsUnit)
{
    // A block without ">>" and a last unit without "]]".
    test::writeLines(master(), L("[[unit1|<<ques|a#1#|]]|[[unit2|<<ques|b#2#|>>"));
    QuestionEditor editor;
    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder(), oneLesson(), unit(1), nullptr));
    EXPECT_EQ(editor.ques, L("a#1#"));
    editor.WriteUnitFromPanes();
    EXPECT_EQ(editor.unitLines, L("[[unit1|<<ques|a#1#|>>|<<dummy|>>|]]|[[unit2|<<ques|b#2#|>>"));

    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder(), oneLesson(), unit(2), nullptr));
    editor.ques = L("c#3#");
    editor.WriteUnitFromPanes();
    EXPECT_EQ(editor.unitLines, L("[[unit1|<<ques|a#1#|]]|[[unit2|<<ques|c#3#|>>|<<dummy|>>|]]"));
}

TEST_F(QuestionEditorFile, NewMasterFileHoldsOnlyTheNewUnit)
{
    // Neither the lesson folder nor the file exists yet.
    QuestionEditor editor;
    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder(), oneLesson(), {1, 2, 1, 0}, nullptr));
    EXPECT_TRUE(editor.unitLines.isEmpty());
    editor.ques = L("問題|1+1=#2#");
    editor.WriteUnitFromPanes();
    ASSERT_TRUE(editor.Save());
    QStringList lines;
    ASSERT_TRUE(TextFile::read(folder() + "Tst/T2.que", lines));
    EXPECT_EQ(lines, L("[[unit1|<<ques|問題|1+1=#2#|>>|<<dummy|>>") + DefaultDataLines() + L("]]"));
}

TEST_F(QuestionEditorFile, FailedSavesLeaveTheFileAndTheModifiedMark)
{
    test::writeLines(master(), L(kUnit1));
    const QByteArray original = test::readBytes(master());

    QuestionEditor editor;
    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder(), oneLesson(), unit(1), nullptr));
    editor.unitModified = true;
    editor.ques = QStringList{QString::fromUtf8("\xF0\x9F\x98\x80#1#")}; // no CP932 form
    editor.WriteUnitFromPanes();
    EXPECT_FALSE(editor.Save());
    EXPECT_TRUE(editor.unitModified);
    EXPECT_EQ(test::readBytes(master()), original);
    ASSERT_EQ(messages_.texts().size(), 1);
    EXPECT_TRUE(messages_.texts().first().contains("の保存に失敗しました"));

    // A file that cannot be read is never replaced by the lines the editor could gather.
    messages_.clear();
    test::writeBytes(master(), original + "\x81\r\n");
    const QByteArray unreadable = test::readBytes(master());
    EXPECT_FALSE(editor.LoadUnitIntoPanes(folder(), oneLesson(), unit(1), nullptr));
    editor.WriteUnitFromPanes();
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(test::readBytes(master()), unreadable);
    EXPECT_EQ(messages_.texts().size(), 2);

    // Without a section there is no file to write, whatever was loaded before.
    messages_.clear();
    editor.LoadUnitIntoPanes(folder(), oneLesson(), {1, 0, 1, 0}, nullptr);
    EXPECT_TRUE(editor.fileName.isEmpty());
    editor.WriteUnitFromPanes();
    EXPECT_FALSE(editor.Save());
    EXPECT_EQ(messages_.texts().size(), 1);
}

class SaveSheetToMasterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadMainIndex(program_, lessons_));
        master_ = MasterPath(program_, lessons_, 1, 1);
    }

    Sheet openSheet(const UnitChoice& choice)
    {
        UnitReader reader;
        EXPECT_TRUE(reader.ReadUnit(master_, UnitHeaderLine(choice), choice.unit, choice.section,
                                    UnitReader::OpenMaster, {}));
        SheetSource source;
        source.choice = choice;
        source.fileName = master_;
        source.unitNumber = choice.unit;
        return Sheet::fromParsedUnit(reader.unit(), source, false);
    }

    test::CoursewareCopy copy_;
    QString program_ = copy_.folder();
    LessonTable lessons_;
    QString master_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

TEST_F(SaveSheetToMasterTest, ReplacesTheUnitWithTheSheetsLayoutAndKeepsTheRest)
{
    const QByteArray original = test::readBytes(master_);
    const UnitChoice choice{1, 1, 3, 1};
    Sheet sheet = openSheet(choice);
    sheet.settings.lineSpacing = 52;
    sheet.settings.lstKranX[1] = "22";
    sheet.content.questionFigures << "tape.bmp"
                                  << "300"
                                  << "120";

    ASSERT_TRUE(SaveSheetToMaster(program_, lessons_, sheet));
    EXPECT_TRUE(messages_.texts().isEmpty());

    const QByteArray now = test::readBytes(master_);
    const qsizetype head = original.indexOf("[[unit3R1");
    const qsizetype tail = original.size() - original.indexOf("[[unit3R2");
    ASSERT_GT(head, 0);
    EXPECT_EQ(now.left(head), original.left(head));
    EXPECT_EQ(now.right(tail), original.right(tail));

    UnitReader reader;
    ASSERT_TRUE(reader.ReadUnit(master_, "[[unit3R1", 3, 1, UnitReader::OpenMaster, {}));
    EXPECT_EQ(reader.unit().content.questions, sheet.content.questions);
    EXPECT_EQ(reader.unit().values.at(2), "52");
    EXPECT_EQ(reader.unit().kran.at(1), "22");
    EXPECT_EQ(
        reader.unit().content.questionFigures.mid(reader.unit().content.questionFigures.size() - 3),
        L("tape.bmp|300|120"));
}

TEST_F(SaveSheetToMasterTest, AppendsTheSheetsOwnUnitWhenTheFileLacksIt)
{
    const QByteArray original = test::readBytes(master_);
    Sheet sheet = openSheet({1, 1, 2, 0});
    sheet.source.choice = {1, 1, 9, 0};
    ASSERT_TRUE(SaveSheetToMaster(program_, lessons_, sheet));
    EXPECT_TRUE(test::readBytes(master_).startsWith(original));

    UnitReader reader;
    ASSERT_TRUE(reader.ReadUnit(master_, "[[unit9", 9, 1, UnitReader::OpenMaster, {}));
    EXPECT_EQ(reader.unit().content.questions, sheet.content.questions);
    EXPECT_EQ(reader.unit().content.answerGroups, sheet.content.answerGroups);
}
