#include "arithmetic/Number.h"

#include <gtest/gtest.h>

using namespace zendra;

TEST(Number, ReadsAndWritesEveryNotationBackAsItWas)
{
    // {text, value numerator, value denominator}
    const std::tuple<const char*, qint64, qint64> cases[] = {
        {"377", 377, 1},    {"0", 0, 1},         {"3.14", 157, 50},  {"0.4", 2, 5},
        {".4", 2, 5},       {"5.0", 5, 1},       {"0.06", 3, 50},    {"5/7", 5, 7},
        {"6/8", 3, 4},      {"10/7", 10, 7},     {"1&3/4", 7, 4},    {"2&6/9", 8, 3},
        {"３７７", 377, 1}, {"１２．５", 25, 2}, {"１&２/３", 5, 3},
    };
    for (const auto& [text, n, d] : cases) {
        const QString s = QString::fromUtf8(text);
        const auto number = ReadNumber(s);
        ASSERT_TRUE(number) << text;
        EXPECT_EQ(WriteNumber(*number), s) << text;
        EXPECT_EQ(*number->value(), *Rational::Make(n, d)) << text;
    }
    for (const char* bad : {"", "3.", ".", "1/0", "1/", "/3", "1&2", "1&2/", "-3", "3 ", "1.2.3",
                            "99999999999999999999", "1/2/3", "3a"})
        EXPECT_FALSE(ReadNumber(QString::fromUtf8(bad))) << bad;
}

TEST(Number, ExpressesAValueInAnAnswersNotation)
{
    const NumberNotation integer, fraction{NumberForm::Fraction}, mixed{NumberForm::Mixed},
        places1{NumberForm::Decimal, 1}, bare2{NumberForm::Decimal, 2, false},
        wide{NumberForm::Integer, 0, true, true};
    // {value n, value d, notation, text or "" when it does not fit}
    const std::tuple<qint64, qint64, NumberNotation, const char*> cases[] = {
        {12, 1, integer, "12"},  {1, 2, integer, ""},   {4, 3, fraction, "4/3"},
        {8, 6, fraction, "4/3"}, {2, 1, fraction, ""},  {4, 3, mixed, "1&1/3"},
        {2, 3, mixed, ""},       {3, 1, mixed, ""},     {7, 1, places1, "7.0"},
        {21, 5, places1, "4.2"}, {1, 3, places1, ""},   {3, 4, bare2, ".75"},
        {7, 4, bare2, "1.75"},   {1, 20, bare2, ".05"}, {46, 1, wide, "４６"},
        {-1, 2, fraction, ""},
    };
    for (const auto& [n, d, notation, text] : cases) {
        const auto w = Express(*Rational::Make(n, d), notation);
        EXPECT_EQ(w ? WriteNumber(*w) : QString(), QString::fromUtf8(text)) << n << "/" << d;
    }
}
