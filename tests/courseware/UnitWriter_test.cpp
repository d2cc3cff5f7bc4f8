#include "courseware/UnitWriter.h"

#include "courseware/ParsedUnit.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zendra;

namespace {

QStringList L(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

} // namespace

TEST(UnitWriter, CheckQuestionLines)
{
    struct Case
    {
        const char* lines;
        int result;
        const char* message; // empty: none
    };
    const std::vector<Case> cases = {
        {"1+2=#3#", -1, ""},
        {"例　日本の首都は　#　東京　#　です", -1, ""},
        {"計算しなさい。||(1) 3+4=#7#　(2) 5+6=#11;十一#", -1, ""},
        {"1+2=#3", 0, "1行目：＃の数は偶数にしてください"},
        {"#1#|#2#|x#3", 2, "3行目：＃の数は偶数にしてください"},
        {"見出し|#3##4#", 1, "2行目：解答がありません"},
        {"1+2=##", 0, "1行目：解答がありません"},
        {"a#1# #2#b", -1, ""},
        {"答えのない行", 0, "解答欄がありません"},
        {"", 0, "解答欄がありません"},
        {"筆算|(1)@H345+278=#623#　(2)@Hs139÷6=#23#…#1#", -1, ""},
        {"筆算|(1)@H345+278=#600#", 1, "2行目：筆算の答え 600 が違います（623）"},
        {"(1)@H123456+1=#123457#", 0, "1行目：たし算・ひき算の筆算は５けたまでです"},
        {"#1#|@H345+278=", 1, "2行目：筆算に ＝#答え# がありません"},
    };
    for (const Case& c : cases) {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        EXPECT_EQ(CheckQuestionLines(L(c.lines)), c.result) << c.lines;
        const QStringList expected =
            *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
        EXPECT_EQ(messages.texts(), expected) << c.lines;
    }
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    EXPECT_EQ(CheckQuestionLines({}), 0);
    EXPECT_EQ(messages.texts(), QStringList{"解答欄がありません"});
}

TEST(UnitWriter, CheckPositionBlocks)
{
    const QString v7 = "<<value|630|False|40|5|5|1|7|>>";
    const QString f7 = "<<font|12|MS 明朝|False|False|False|False|0|>>";
    struct Case
    {
        QString lines;
        bool ok;
        const char* message;
    };
    const std::vector<Case> cases = {
        {v7 + "|" + f7 + "|<<kran|5|15|2|0|0|0|15|10|0|0|>>", true, ""},
        {v7 + "|<<kran|5|15|2|0|0|0|15|10|>>", true, ""},
        {v7 + "|<<kran|5|15|2|0|0|0|15|10|0|>>", false, "kranブロックの数が合いません"},
        {"<<value|630|False|40|5|5|1|7|8|>>", false, "valueブロックの数が合いません"},
        {"<<font|12|MS 明朝|>>|" + v7, false, "fontブロックの数が合いません"},
        {"<<kran|1|2|3|4|5|6|7|8|9|10", true, ""}, // no ">>": counted to the end
        {"<<value|1|2|3", false, "valueブロックの数が合いません"},
        {"なにか|>>|", true, ""},
    };
    for (const Case& c : cases) {
        ScriptedMessages messages;
        ScopedMessages scope(messages);
        EXPECT_EQ(CheckPositionBlocks(c.lines.split(u'|')), c.ok) << qPrintable(c.lines);
        const QStringList expected =
            *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
        EXPECT_EQ(messages.texts(), expected) << qPrintable(c.lines);
    }
    EXPECT_TRUE(CheckPositionBlocks(DefaultDataLines()));
}

// Writing a unit whose "]]" is missing replaces it up to the next unit, which stays.
TEST(UnitWriter, WriteUnitKeepsTheUnitAfterAnUnclosedOne)
{
    QStringList file = L("[[unit1|<<ques|old|>>|[[unit2|<<ques|two|>>|]]");
    UnitBlocks blocks;
    blocks.ques = L("new");
    WriteUnit(file, QStringLiteral("[[unit1"), blocks);
    EXPECT_EQ(file, L("[[unit1|<<ques|new|>>|<<dummy|>>|]]|[[unit2|<<ques|two|>>|]]"));
}
