#include "arithmetic/Rational.h"

#include <limits>
#include <numeric>

namespace zendra {

qint64 Gcd(qint64 a, qint64 b)
{
    // On magnitudes as unsigned, so that the smallest qint64 does not overflow.
    const quint64 x = a < 0 ? 0 - quint64(a) : quint64(a);
    const quint64 y = b < 0 ? 0 - quint64(b) : quint64(b);
    return qint64(std::gcd(x, y));
}

qint64 PowerOfTen(int n)
{
    qint64 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

std::optional<Rational> Rational::Make(qint64 n, qint64 d)
{
    if (d == 0)
        return std::nullopt;
    const qint64 g = Gcd(n, d);
    // g can only be negative (2^63 as qint64) when both are the smallest qint64.
    if (g <= 0)
        return std::nullopt;
    n /= g;
    d /= g;
    if (d < 0) {
        if (n == std::numeric_limits<qint64>::min() || d == std::numeric_limits<qint64>::min())
            return std::nullopt;
        n = -n;
        d = -d;
    }
    Rational r;
    r.num_ = n;
    r.den_ = d;
    return r;
}

qint64 Rational::floor() const
{
    qint64 q = num_ / den_;
    if (num_ % den_ != 0 && num_ < 0)
        --q;
    return q;
}

namespace {

// a*b + c*d over e*f, each step checked; the result reduced.
std::optional<Rational> Combine(qint64 a, qint64 b, qint64 c, qint64 d, qint64 e, qint64 f)
{
    qint64 ab = 0, cd = 0, n = 0, den = 0;
    if (__builtin_mul_overflow(a, b, &ab) || __builtin_mul_overflow(c, d, &cd) ||
        __builtin_add_overflow(ab, cd, &n) || __builtin_mul_overflow(e, f, &den))
        return std::nullopt;
    return Rational::Make(n, den);
}

} // namespace

std::optional<Rational> Rational::add(const Rational& o) const
{
    // Over the least common denominator keeps the intermediate products small.
    const qint64 g = Gcd(den_, o.den_);
    return Combine(num_, o.den_ / g, o.num_, den_ / g, den_ / g, o.den_);
}

std::optional<Rational> Rational::sub(const Rational& o) const
{
    if (o.num_ == std::numeric_limits<qint64>::min())
        return std::nullopt;
    Rational neg = o;
    neg.num_ = -o.num_;
    return add(neg);
}

std::optional<Rational> Rational::mul(const Rational& o) const
{
    // Cross-cancel first, so that products of reduced factors stay in range where possible.
    const qint64 g1 = Gcd(num_, o.den_), g2 = Gcd(o.num_, den_);
    const qint64 a = g1 ? num_ / g1 : num_, d = g1 ? o.den_ / g1 : o.den_;
    const qint64 c = g2 ? o.num_ / g2 : o.num_, b = g2 ? den_ / g2 : den_;
    qint64 n = 0, m = 0;
    if (__builtin_mul_overflow(a, c, &n) || __builtin_mul_overflow(b, d, &m))
        return std::nullopt;
    return Make(n, m);
}

std::optional<Rational> Rational::div(const Rational& o) const
{
    if (o.num_ == 0)
        return std::nullopt;
    const auto inverse = Make(o.den_, o.num_);
    if (!inverse)
        return std::nullopt;
    return mul(*inverse);
}

std::optional<Rational> Rational::pow(int exponent) const
{
    if (exponent < 0)
        return std::nullopt;
    Rational r(1);
    for (int i = 0; i < exponent; ++i) {
        const auto next = r.mul(*this);
        if (!next)
            return std::nullopt;
        r = *next;
    }
    return r;
}

std::optional<qint64> Rational::scaled(int places) const
{
    if (places < 0 || places > 18)
        return std::nullopt;
    const qint64 p = PowerOfTen(places);
    if (p % den_ != 0)
        return std::nullopt;
    qint64 n = 0;
    if (__builtin_mul_overflow(num_, p / den_, &n))
        return std::nullopt;
    return n;
}

bool operator<(const Rational& a, const Rational& b)
{
    // Cross products in 128 bits cannot overflow for 64-bit parts.
    __extension__ typedef __int128 Wide;
    return Wide(a.num_) * Wide(b.den_) < Wide(b.num_) * Wide(a.den_);
}

} // namespace zendra
