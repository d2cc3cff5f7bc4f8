#include "arithmetic/Rational.h"

#include <gtest/gtest.h>

#include <limits>

using namespace zendra;

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

Rational R(qint64 n, qint64 d)
{
    return *Rational::Make(n, d);
}
} // namespace

TEST(Rational, KeepsLowestTermsWithAPositiveDenominator)
{
    // {n, d, reduced n, reduced d}
    const qint64 cases[][4] = {
        {6, 8, 3, 4},  {-6, 8, -3, 4},     {6, -8, -3, 4},
        {0, -5, 0, 1}, {kMax, kMax, 1, 1}, {kMin, 2, kMin / 2, 1},
    };
    for (const auto& c : cases) {
        const Rational r = R(c[0], c[1]);
        EXPECT_EQ(r.num(), c[2]) << c[0] << "/" << c[1];
        EXPECT_EQ(r.den(), c[3]) << c[0] << "/" << c[1];
    }
    EXPECT_FALSE(Rational::Make(1, 0));
    EXPECT_FALSE(Rational::Make(1, kMin)); // its positive denominator does not fit
    EXPECT_EQ(R(7, 2).floor(), 3);
    EXPECT_EQ(R(-7, 2).floor(), -4);
}

TEST(Rational, ReportsOverflowInsteadOfWrapping)
{
    const Rational big(kMax);
    const Rational half = R(1, 2);
    EXPECT_FALSE(big.add(Rational(1)));
    EXPECT_FALSE(Rational(kMin).sub(Rational(1)));
    EXPECT_FALSE(big.mul(Rational(2)));
    EXPECT_FALSE(Rational(3).div(Rational(0)));
    EXPECT_FALSE(Rational(10).pow(19));
    EXPECT_FALSE(R(1, kMax).add(R(1, kMax - 1))); // the common denominator does not fit
    // Cancelling first keeps in range what a plain product would not.
    EXPECT_EQ(*R(kMax, 3).mul(R(3, kMax)), Rational(1));
    EXPECT_EQ(*big.sub(big), Rational(0));
    EXPECT_EQ(*half.add(R(1, 3)), R(5, 6));
    EXPECT_EQ(*R(2, 3).div(R(4, 9)), R(3, 2));
    EXPECT_EQ(*R(2, 3).pow(3), R(8, 27));
    EXPECT_EQ(*Rational(10).pow(18), Rational(1000000000000000000));
    EXPECT_TRUE(R(1, 3) < half);
    // Cross products past 64 bits still compare right.
    EXPECT_TRUE(R(kMax, kMax - 1) < R(kMax - 1, kMax - 2));
}

TEST(Rational, ScalesToWholeNumbersOfGivenPlaces)
{
    EXPECT_EQ(R(3, 4).scaled(2), 75);
    EXPECT_EQ(R(3, 4).scaled(3), 750);
    EXPECT_FALSE(R(3, 4).scaled(1));
    EXPECT_FALSE(R(1, 3).scaled(18));
    EXPECT_FALSE(Rational(kMax / 5).scaled(1));
}
