#include "arithmetic/NumberShape.h"

#include <algorithm>

namespace zendra {

NumberShape ShapeOf(const WrittenNumber& w)
{
    NumberShape s;
    s.notation = w.notation;
    switch (w.notation.form) {
    case NumberForm::Integer:
        s.zero = w.whole == 0;
        s.one = w.whole == 1;
        s.wholeDigits = DigitCount(w.whole);
        break;
    case NumberForm::Decimal: {
        const qint64 whole = w.whole / PowerOfTen(w.notation.places);
        s.zero = w.whole == 0;
        s.wholeDigits = whole == 0 ? 0 : DigitCount(whole);
        s.lastNonZero = w.whole % 10 != 0;
        break;
    }
    case NumberForm::Fraction:
    case NumberForm::Mixed:
        s.zero = w.numerator == 0 && w.whole == 0;
        s.wholeDigits = DigitCount(w.whole);
        s.numDigits = DigitCount(w.numerator);
        s.denDigits = DigitCount(w.denominator);
        s.relation = w.numerator < w.denominator ? -1 : w.numerator > w.denominator ? 1 : 0;
        s.reduced = Gcd(w.numerator, w.denominator) == 1;
        break;
    }
    return s;
}

static qint64 Lowest(int digits)
{
    return digits <= 1 ? 1 : PowerOfTen(digits - 1);
}

static qint64 Highest(int digits)
{
    return PowerOfTen(digits) - 1;
}

// Does an answer (or a derived operand) keep the original's shape?
bool FitsShape(const Rational& v, const NumberShape& s)
{
    if (v.isNegative())
        return false;
    switch (s.notation.form) {
    case NumberForm::Integer:
        return v.isWhole() && v.isZero() == s.zero && DigitCount(v.num()) == s.wholeDigits;
    case NumberForm::Decimal: {
        const auto digits = v.scaled(s.notation.places);
        if (!digits || (*digits == 0) != s.zero)
            return false;
        if (s.lastNonZero && *digits % 10 == 0)
            return false;
        const qint64 whole = *digits / PowerOfTen(s.notation.places);
        return s.wholeDigits == 0 ? whole == 0 : whole != 0 && DigitCount(whole) == s.wholeDigits;
    }
    case NumberForm::Fraction:
        // The denominator's digits: an improper result's numerator grows with its whole.
        if (v.isWhole() || DigitCount(v.den()) != s.denDigits)
            return false;
        return s.relation < 0 ? v.num() < v.den() : v.num() > v.den();
    case NumberForm::Mixed:
        return !v.isWhole() && v.num() > v.den() && DigitCount(v.floor()) == s.wholeDigits &&
               DigitCount(v.den()) == s.denDigits;
    }
    return false;
}

// Does a number worked back from a result keep the shape of the leaf it replaces?
bool FitsWritten(const WrittenNumber& w, const NumberShape& s)
{
    switch (s.notation.form) {
    case NumberForm::Integer:
    case NumberForm::Decimal:
        return FitsShape(*w.value(), s) && (s.one || w.whole != 1);
    case NumberForm::Mixed:
        if (DigitCount(w.whole) != s.wholeDigits)
            return false;
        [[fallthrough]];
    case NumberForm::Fraction: {
        const int relation = w.numerator < w.denominator ? -1 : w.numerator > w.denominator;
        return w.denominator >= 2 && DigitCount(w.numerator) == s.numDigits &&
               DigitCount(w.denominator) == s.denDigits &&
               (s.notation.form == NumberForm::Mixed || relation == s.relation);
    }
    }
    return false;
}

// A fresh leaf in the original's shape; none when this draw found no fitting fraction.
// `den`, when not 0, is the denominator to use (a fraction with a like denominator).
std::optional<WrittenNumber> DrawNumber(const NumberShape& s, const WrittenNumber& original,
                                        SeededRandom& rng, qint64 den)
{
    if (s.zero)
        return original;
    WrittenNumber w;
    w.notation = s.notation;
    switch (s.notation.form) {
    case NumberForm::Integer:
        // ×1, ÷1 and +1 are questions of their own: a 1 is drawn only where one stood.
        w.whole = rng.range(s.one ? 1 : std::max<qint64>(2, Lowest(s.wholeDigits)),
                            Highest(s.wholeDigits));
        return w;
    case NumberForm::Decimal: {
        const int places = s.notation.places;
        const qint64 whole =
            s.wholeDigits == 0 ? 0 : rng.range(Lowest(s.wholeDigits), Highest(s.wholeDigits));
        qint64 part = rng.range(0, PowerOfTen(places) - 1);
        if (s.lastNonZero)
            part = part / 10 * 10 + rng.range(1, 9);
        w.whole = whole * PowerOfTen(places) + part;
        return w;
    }
    case NumberForm::Fraction:
    case NumberForm::Mixed: {
        if (s.notation.form == NumberForm::Mixed)
            w.whole = rng.range(Lowest(s.wholeDigits), Highest(s.wholeDigits));
        if (den == 0)
            den = rng.range(std::max<qint64>(2, Lowest(s.denDigits)), Highest(s.denDigits));
        else if (DigitCount(den) != s.denDigits)
            return std::nullopt;
        qint64 lo = Lowest(s.numDigits), hi = Highest(s.numDigits);
        if (s.relation < 0)
            hi = std::min(hi, den - 1);
        else if (s.relation > 0)
            lo = std::max(lo, den + 1);
        else
            lo = hi = den;
        if (lo > hi || DigitCount(lo) != s.numDigits)
            return std::nullopt;
        w.denominator = den;
        // A fraction in lowest terms stays so; one that is not may become either (where
        // reducing is the question, the rule on the result decides).
        for (int attempt = 0; attempt < 8; ++attempt) {
            w.numerator = rng.range(lo, hi);
            if (!s.reduced || Gcd(w.numerator, den) == 1)
                return w;
        }
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// Carries of an addition or borrows of a subtraction, column by column from the last place,
// for two numbers given as whole numbers of the same places.
std::vector<bool> ColumnCarries(qint64 a, qint64 b, bool subtract)
{
    std::vector<bool> pattern;
    int carry = 0;
    const int columns = std::max(DigitCount(a), DigitCount(b));
    for (int i = 0; i < columns; ++i) {
        const int x = int(a % 10), y = int(b % 10);
        a /= 10;
        b /= 10;
        if (subtract)
            carry = x - y - carry < 0 ? 1 : 0;
        else
            carry = x + y + carry >= 10 ? 1 : 0;
        pattern.push_back(carry != 0);
    }
    return pattern;
}

namespace {

// The columns a number's digits take when written with `places` places (columns count from
// the last place), and which of its digits must not be 0.
struct DigitSpan
{
    int lo = 0, hi = -1;
    int topMin = 0;  // the first digit: 1 (2 for a one-digit number that was not 1), or 0
    int lastMin = 0; // the last digit of a decimal: 1
};

} // namespace

static DigitSpan SpanOf(const NumberShape& s, int places)
{
    DigitSpan d;
    const bool decimal = s.notation.form == NumberForm::Decimal;
    d.lo = places - (decimal ? s.notation.places : 0);
    d.hi = places + s.wholeDigits - 1;
    if (s.wholeDigits > 0)
        d.topMin = s.wholeDigits == 1 && !decimal && !s.one ? 2 : 1;
    if (decimal && s.lastNonZero)
        d.lastMin = 1;
    return d;
}

// Two numbers drawn column by column with the carries (or borrows) of `pattern`, instead of
// drawing them whole and hoping the pattern comes up.
bool DrawColumns(const NumberShape& sa, const NumberShape& sb, int places,
                 const std::vector<bool>& pattern, bool subtract, SeededRandom& rng,
                 WrittenNumber& a, WrittenNumber& b)
{
    const DigitSpan da = SpanOf(sa, places), db = SpanOf(sb, places);
    const int columns = std::max({da.hi, db.hi, int(pattern.size()) - 1}) + 1;
    if (columns > 18)
        return false;
    auto bounds = [](const DigitSpan& d, int i, int& lo, int& hi) {
        lo = 0;
        hi = 9;
        if (i < d.lo || i > d.hi)
            hi = 0;
        else if (i == d.hi)
            lo = std::max(lo, d.topMin);
        if (i == d.lo && i <= d.hi)
            lo = std::max(lo, d.lastMin);
    };
    qint64 x = 0, y = 0, unit = 1;
    int carry = 0;
    for (int i = 0; i < columns; ++i, unit *= 10) {
        int alo, ahi, blo, bhi;
        bounds(da, i, alo, ahi);
        bounds(db, i, blo, bhi);
        const bool out = i < int(pattern.size()) && pattern[size_t(i)];
        bool found = false;
        int dx = 0, dy = 0;
        for (int attempt = 0; attempt < 8 && !found; ++attempt) {
            dx = int(rng.range(alo, ahi));
            int lo = blo, hi = bhi;
            if (subtract) {
                // A borrow when dx - dy - carry < 0.
                if (out)
                    lo = std::max(lo, dx - carry + 1);
                else
                    hi = std::min(hi, dx - carry);
            } else if (out) {
                lo = std::max(lo, 10 - dx - carry);
            } else {
                hi = std::min(hi, 9 - dx - carry);
            }
            if (lo <= hi) {
                dy = int(rng.range(lo, hi));
                found = true;
            }
        }
        if (!found)
            return false;
        x += dx * unit;
        y += dy * unit;
        carry = out ? 1 : 0;
    }
    const auto whole = [places](const NumberShape& s, qint64 v) {
        const int own = s.notation.form == NumberForm::Decimal ? s.notation.places : 0;
        return v / PowerOfTen(places - own);
    };
    a.notation = sa.notation;
    b.notation = sb.notation;
    a.whole = whole(sa, x);
    b.whole = whole(sb, y);
    return true;
}

bool IsFractionForm(const WrittenNumber& w)
{
    return w.notation.form == NumberForm::Fraction || w.notation.form == NumberForm::Mixed;
}

// n/d as written: a mixed number as its improper fraction, a whole number over 1.
static void AsFraction(const WrittenNumber& w, qint64& n, qint64& d)
{
    switch (w.notation.form) {
    case NumberForm::Integer:
        n = w.whole;
        d = 1;
        return;
    case NumberForm::Decimal:
        n = w.whole;
        d = PowerOfTen(w.notation.places);
        return;
    case NumberForm::Fraction:
        n = w.numerator;
        d = w.denominator;
        return;
    case NumberForm::Mixed:
        // -1 when the whole does not fit: the caller then has no rule to keep.
        if (__builtin_mul_overflow(w.whole, w.denominator, &n) ||
            __builtin_add_overflow(n, w.numerator, &n))
            n = -1;
        d = w.denominator;
        return;
    }
}

// Whether the result, worked the way a learner works it before reducing, can be reduced:
// numerators over the common denominator for + and -, products of the parts for × and ÷.
// -1 when the question has no such step (0 when it cannot be reduced, 1 when it can).
int RawReducible(const Expression& e, const std::vector<WrittenNumber>& leaves)
{
    const ExprNode& root = e.nodes.back();
    if (root.op == ExprOp::Number) {
        const WrittenNumber& w = leaves[size_t(root.leaf)];
        return IsFractionForm(w) ? Gcd(w.numerator, w.denominator) > 1 : -1;
    }
    if (root.op == ExprOp::Pow)
        return -1;
    const ExprNode& l = e.nodes[size_t(root.left)];
    const ExprNode& r = e.nodes[size_t(root.right)];
    if (l.op != ExprOp::Number || r.op != ExprOp::Number)
        return -1;
    const WrittenNumber& a = leaves[size_t(l.leaf)];
    const WrittenNumber& b = leaves[size_t(r.leaf)];
    if (!IsFractionForm(a) && !IsFractionForm(b))
        return -1;
    qint64 an = 0, ad = 1, bn = 0, bd = 1;
    AsFraction(a, an, ad);
    AsFraction(b, bn, bd);
    // Numbers of many digits can take the step past 64 bits: then there is no rule.
    bool overflow = an < 0 || bn < 0;
    const auto mul = [&overflow](qint64 x, qint64 y) {
        qint64 product = 0;
        overflow = overflow || __builtin_mul_overflow(x, y, &product);
        return product;
    };
    qint64 n = 0, d = 1;
    switch (root.op) {
    case ExprOp::Add:
    case ExprOp::Sub: {
        d = mul(ad / Gcd(ad, bd), bd);
        const qint64 x = mul(an, d / ad), y = mul(bn, d / bd);
        n = root.op == ExprOp::Add ? x + y : x - y; // both below 2^62 when neither overflowed
        overflow = overflow || x > (qint64(1) << 62) || y > (qint64(1) << 62);
        break;
    }
    case ExprOp::Mul:
        n = mul(an, bn);
        d = mul(ad, bd);
        break;
    case ExprOp::Div:
        n = mul(an, bd);
        d = mul(ad, bn);
        break;
    default:
        return -1;
    }
    if (overflow || n <= 0 || d <= 0)
        return -1;
    return Gcd(n, d) > 1 ? 1 : 0;
}

// The fraction part of a number (0 for a whole one).
static Rational FractionPart(const Rational& v)
{
    return *v.sub(Rational(v.floor()));
}

int PartCarry(const Rational& a, const Rational& b, bool subtract)
{
    const Rational x = FractionPart(a), y = FractionPart(b);
    return subtract ? x < y : !(*x.add(y) < Rational(1));
}

// Numbers of more digits than a drawn number of the same shape can hold.
bool TooLong(const NumberShape& s)
{
    const int places = s.notation.form == NumberForm::Decimal ? s.notation.places : 0;
    return s.wholeDigits + places > 15 || s.numDigits > 15 || s.denDigits > 15;
}

} // namespace zendra
