#pragma once

#include <QtGlobal>

#include <optional>

namespace zendra {

// An exact fraction of 64-bit integers, always in lowest terms with a positive denominator.
// Every operation that would leave the 64-bit range gives no value instead of wrapping.
class Rational
{
public:
    Rational() = default;
    Rational(qint64 whole) : num_(whole) {} // NOLINT: a whole number is a rational

    // n/d reduced; none when d is 0 or the reduced value does not fit.
    static std::optional<Rational> Make(qint64 n, qint64 d);

    qint64 num() const { return num_; }
    qint64 den() const { return den_; }
    bool isWhole() const { return den_ == 1; }
    bool isZero() const { return num_ == 0; }
    bool isNegative() const { return num_ < 0; }
    // The largest whole number not above the value.
    qint64 floor() const;

    std::optional<Rational> add(const Rational& o) const;
    std::optional<Rational> sub(const Rational& o) const;
    std::optional<Rational> mul(const Rational& o) const;
    std::optional<Rational> div(const Rational& o) const; // none for a zero divisor
    std::optional<Rational> pow(int exponent) const;      // exponent >= 0

    // The value times 10^places when that is a whole number.
    std::optional<qint64> scaled(int places) const;

    friend bool operator==(const Rational& a, const Rational& b)
    {
        return a.num_ == b.num_ && a.den_ == b.den_;
    }
    friend bool operator<(const Rational& a, const Rational& b);
    friend bool operator>(const Rational& a, const Rational& b) { return b < a; }

private:
    qint64 num_ = 0;
    qint64 den_ = 1;
};

qint64 Gcd(qint64 a, qint64 b);
// 10^n for 0 <= n <= 18.
qint64 PowerOfTen(int n);

} // namespace zendra
