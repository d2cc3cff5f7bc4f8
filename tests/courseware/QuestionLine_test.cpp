#include "courseware/QuestionLine.h"

#include <gtest/gtest.h>

using namespace zendra;

TEST(QuestionLine, SplitsAtMarksKeepingEmptyPieces)
{
    auto L = [](const char* text) { return QString::fromUtf8(text).split(u'|'); };
    // {line, pieces at '#', alternatives of the first answer}
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "", ""},
        {"例　日本の首都は　#　東京　#　です", "例　日本の首都は　|　東京　|　です", "　東京　"},
        {"#1#+#2#", "|1|+|2|", "1"},
        {"a##b", "a||b", ""},
        {"x=#1/2;0.5;２分の１#", "x=|1/2;0.5;２分の１|", "1/2|0.5|２分の１"},
        // 表 and ソ end in the byte of '\' in CP932.
        {"表#ソ;表#", "表|ソ;表|", "ソ|表"},
    };
    for (const auto& [line, pieces, alternatives] : cases) {
        const QStringList split = SplitQuestionLine(QString::fromUtf8(line));
        EXPECT_EQ(split, L(pieces)) << line;
        EXPECT_EQ(SplitAnswer(split.value(1)), L(alternatives)) << line;
    }
}
