#include "arithmetic/Expression.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace zendra;

namespace {
std::optional<Rational> ValueOf(const char* text)
{
    const auto e = ReadExpression(QString::fromUtf8(text));
    if (!e)
        return std::nullopt;
    std::vector<Rational> nodes;
    if (!EvaluateNodes(*e, *LeafValues(*e), nodes))
        return std::nullopt;
    return nodes.back();
}
} // namespace

TEST(Expression, ReadsTheCoursewaresSignsInTheUsualOrder)
{
    // {expression, value numerator, value denominator}
    const std::tuple<const char*, qint64, qint64> cases[] = {
        {"245＋132", 377, 1},     {"1000－638", 362, 1}, {"8＋4×3", 20, 1},
        {"20－12÷4", 17, 1},      {"(8＋4)×3", 36, 1},   {"（１２－４）÷２", 4, 1},
        {"60－8×5＋12", 32, 1},   {"100−25*3", 25, 1},   {"84\\4", 21, 1},
        {"2/3*4/5", 8, 15},       {"5/6\\10", 1, 12},    {"3*5/6", 5, 2},
        {"1&1/2+2&1/3", 23, 6},   {"2-1/3", 5, 3},       {"(2/3)^2", 4, 9},
        {"2^3*1/4", 2, 1},        {"1/2*4^2", 8, 1},     {"(2/5)^2+1/25", 1, 5},
        {"2.4×1.3", 78, 25},      {"8.4÷0.35", 24, 1},   {"2/5 ＋ 1/5", 3, 5},
        {"(2＋(3×4))^2", 196, 1}, {"6/8", 3, 4},
    };
    for (const auto& [text, n, d] : cases) {
        const auto v = ValueOf(text);
        ASSERT_TRUE(v) << text;
        EXPECT_EQ(*v, *Rational::Make(n, d)) << text;
    }
    for (const char* bad : {"", "3＋", "＋3", "(3＋4", "3＋4)", "3 4", "1/2^2", "2^", "2^1.5",
                            "-3＋4", "3＝4", "3/0", "1／2"})
        EXPECT_FALSE(ReadExpression(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(ValueOf("3÷(2－2)")); // a zero divisor has no value
}

TEST(Expression, KnowsWhereEachNumberStands)
{
    const QString text = QStringLiteral("(1&2/5 ＋ 3.25)×１２");
    const auto e = ReadExpression(text);
    ASSERT_TRUE(e);
    QStringList numbers;
    for (const ExprLeaf& leaf : e->leaves)
        numbers.append(text.mid(leaf.start, leaf.length));
    EXPECT_EQ(numbers, QStringList({QStringLiteral("1&2/5"), QStringLiteral("3.25"),
                                    QStringLiteral("１２")}));
    EXPECT_EQ(e->nodes.back().op, ExprOp::Mul);
}
