#include "courseware/QuestionGenerator.h"

#include "arithmetic/Expression.h"
#include "arithmetic/Number.h"
#include "courseware/QuestionLine.h"

#include <QRandomGenerator>
#include <QSet>

#include <algorithm>

#include <vector>

namespace zendra {

namespace {

// xoshiro256** seeded through splitmix64, and ranges by rejection: fixed arithmetic, so a
// seed gives the same numbers on every platform and compiler.
class Random
{
public:
    explicit Random(quint64 seed)
    {
        for (quint64& word : s_) {
            seed += 0x9E3779B97F4A7C15ULL;
            quint64 z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    quint64 next()
    {
        const quint64 result = rotl(s_[1] * 5, 7) * 9;
        const quint64 t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform in [0, n).
    quint64 below(quint64 n)
    {
        const quint64 threshold = (0 - n) % n;
        for (;;) {
            const quint64 r = next();
            if (r >= threshold)
                return r % n;
        }
    }

    // Uniform in [lo, hi]; lo <= hi.
    qint64 range(qint64 lo, qint64 hi) { return lo + qint64(below(quint64(hi - lo) + 1)); }

private:
    static quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
    quint64 s_[4];
};

// What a number must look like to stand where the original stood. Leaves are drawn in the
// original's shape; answers are held to it.
struct Shape
{
    NumberNotation notation;
    bool zero = false;       // the number is 0: a leaf stays 0, an answer must be 0 again
    bool one = false;        // the number is 1
    int wholeDigits = 0;     // Integer, Mixed: digits of the whole; Decimal: before the point,
                             // 0 when that part is 0
    bool lastNonZero = true; // Decimal: the last place is not 0
    int numDigits = 0;       // Fraction, Mixed
    int denDigits = 0;
    int relation = 0; // Fraction: numerator below (-1), equal to (0) or above (1) the denominator
    bool reduced = true; // Fraction, Mixed: the fraction is in lowest terms
};

Shape ShapeOf(const WrittenNumber& w)
{
    Shape s;
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

qint64 Lowest(int digits)
{
    return digits <= 1 ? 1 : PowerOfTen(digits - 1);
}

qint64 Highest(int digits)
{
    return PowerOfTen(digits) - 1;
}

// Does an answer (or a derived operand) keep the original's shape?
bool Fits(const Rational& v, const Shape& s)
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
bool FitsLeaf(const WrittenNumber& w, const Shape& s)
{
    switch (s.notation.form) {
    case NumberForm::Integer:
    case NumberForm::Decimal:
        return Fits(*w.value(), s) && (s.one || w.whole != 1);
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
std::optional<WrittenNumber> DrawLeaf(const Shape& s, const WrittenNumber& original, Random& rng,
                                      qint64 den = 0)
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
std::vector<bool> ColumnPattern(qint64 a, qint64 b, bool subtract)
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

// The columns a number's digits take when written with `places` places (columns count from
// the last place), and which of its digits must not be 0.
struct DigitSpan
{
    int lo = 0, hi = -1;
    int topMin = 0;  // the first digit: 1 (2 for a one-digit number that was not 1), or 0
    int lastMin = 0; // the last digit of a decimal: 1
};

DigitSpan SpanOf(const Shape& s, int places)
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
bool DrawColumns(const Shape& sa, const Shape& sb, int places, const std::vector<bool>& pattern,
                 bool subtract, Random& rng, WrittenNumber& a, WrittenNumber& b)
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
    const auto whole = [places](const Shape& s, qint64 v) {
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
void AsFraction(const WrittenNumber& w, qint64& n, qint64& d)
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
        n = w.whole * w.denominator + w.numerator;
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
    qint64 n = 0, d = 1;
    switch (root.op) {
    case ExprOp::Add:
    case ExprOp::Sub: {
        const qint64 g = Gcd(ad, bd);
        d = ad / g * bd;
        n = root.op == ExprOp::Add ? an * (d / ad) + bn * (d / bd) : an * (d / ad) - bn * (d / bd);
        break;
    }
    case ExprOp::Mul:
        n = an * bn;
        d = ad * bd;
        break;
    case ExprOp::Div:
        n = an * bd;
        d = ad * bn;
        break;
    default:
        return -1;
    }
    if (n <= 0 || d <= 0)
        return -1;
    return Gcd(n, d) > 1 ? 1 : 0;
}

enum class AnswerKind { Number, Remainder };

// One alternative of an answer and how it is written.
struct Alternative
{
    QString before, after; // blanks around it, kept
    AnswerKind kind = AnswerKind::Number;
    NumberNotation notation;         // the number, or the remainder of "q…r"
    NumberNotation quotientNotation; // "q…r"
    QString separator;               // "…" or "あまり"
};

// Constraints on a +/- of two numbers.
struct PairRule
{
    int node = 0;
    bool columns = false; // integers or decimals: carries or borrows per column
    std::vector<bool> pattern;
    int places = 0;
    bool fractions = false; // fractions: like or unlike denominators
    bool like = false;
};

struct Question
{
    int piece = 0;       // the text piece that holds the expression; its answer is piece + 1
    qsizetype start = 0; // the expression within the piece
    qsizetype length = 0;
    QString text; // the original expression
    Expression expr;
    std::vector<Shape> leafShapes;
    std::vector<Rational> originalNodes;
    std::vector<PairRule> pairs;
    int reducible = -1;
    std::vector<Alternative> alternatives;
    Shape answer;     // of the first alternative: the number, or the quotient
    Shape remainder;  // "q…r"
    int inverse = -1; // a × or ÷ node whose left number is worked back from its result
    Shape quotient;   // its quotient's shape
    // Fractions of the text restated over their least common denominator, one answer each
    // ("@=1/2@= と @=1/3@=　→　#3/6#　と　#2/6#"): the leaves are those fractions, the span
    // runs from the first to the last, and the answers are pieces 1, 3, ...
    bool common = false;
    int commonDigits = 0; // of the common denominator
    int commonKind = 0;   // 0: the product of the denominators, 1: the larger one, 2: neither
};

struct Line
{
    QStringList pieces;
    std::vector<Question> questions;
    bool varied = false;
};

// A draw: the leaves of a question and its expression text.
struct Draw
{
    std::vector<WrittenNumber> leaves;
    std::vector<Rational> nodes;
    QString text;
};

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\u3000';
}

bool IsExpressionChar(QChar c)
{
    static const QString signs = QStringLiteral("./&+-*\\^()．＋－−×÷（）");
    return DigitValue(c) >= 0 || IsBlank(c) || signs.contains(c);
}

QString Trimmed(const QString& s, QString* before, QString* after)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    if (before)
        *before = s.left(b);
    if (after)
        *after = s.mid(e);
    return s.mid(b, e - b);
}

const QString kNoExpression = QStringLiteral("答えの前に「＝」で終わる式がありません");
const QString kUnreadable = QStringLiteral("式を読めません");
const QString kNoComputation = QStringLiteral("計算のない式です");
const QString kAnswerForm = QStringLiteral("答えの書き方を読めません");
const QString kAnswerWrong = QStringLiteral("答えが式の値と合いません");
const QString kNoOtherNumbers = QStringLiteral("条件に合うほかの数が見つかりません");
const QString kOddMarks = QStringLiteral("＃の数が奇数です");
const QString kTooLong = QStringLiteral("けたの多すぎる数があります");

// Numbers of more digits than a drawn number of the same shape can hold.
bool TooLong(const Shape& s)
{
    const int places = s.notation.form == NumberForm::Decimal ? s.notation.places : 0;
    return s.wholeDigits + places > 15 || s.numDigits > 15 || s.denDigits > 15;
}

// The expression that a text piece ends with: "... 245＋132＝". Sets start and length.
std::optional<Expression> FindExpression(const QString& piece, qsizetype& start, qsizetype& length,
                                         QString& reason)
{
    qsizetype end = piece.size();
    while (end > 0 && IsBlank(piece[end - 1]))
        --end;
    reason = kNoExpression;
    if (end == 0 || (piece[end - 1] != u'=' && piece[end - 1] != u'＝'))
        return std::nullopt;
    --end;
    if (end > 0 && piece[end - 1] == u'@') // the style mark "@=", not an equals sign
        return std::nullopt;
    qsizetype begin = end;
    while (begin > 0 && IsExpressionChar(piece[begin - 1]))
        --begin;
    for (int attempt = 0; attempt < 2; ++attempt) {
        while (begin < end && IsBlank(piece[begin]))
            ++begin;
        while (end > begin && IsBlank(piece[end - 1]))
            --end;
        if (begin == end)
            return std::nullopt;
        reason = kUnreadable;
        if (auto e = ReadExpression(QStringView(piece).sliced(begin, end - begin))) {
            start = begin;
            length = end - begin;
            return e;
        }
        // A question number "(3)" before the expression.
        if (piece[begin] != u'(' && piece[begin] != u'（')
            return std::nullopt;
        qsizetype i = begin + 1;
        while (i < end && DigitValue(piece[i]) >= 0)
            ++i;
        if (i == begin + 1 || i == end || (piece[i] != u')' && piece[i] != u'）'))
            return std::nullopt;
        begin = i + 1;
    }
    return std::nullopt;
}

// Reads one alternative: a number, or a quotient with its remainder.
bool ReadAlternative(const QString& raw, Alternative& alt, Rational& value, Rational& rest,
                     WrittenNumber& main, WrittenNumber& remainder)
{
    const QString text = Trimmed(raw, &alt.before, &alt.after);
    for (const QString& sep : {QStringLiteral("…"), QStringLiteral("あまり")}) {
        const qsizetype at = text.indexOf(sep);
        if (at < 0)
            continue;
        const auto q = ReadNumber(QStringView(text).left(at));
        const auto r = ReadNumber(QStringView(text).mid(at + sep.size()));
        if (!q || !r || q->notation.form != NumberForm::Integer ||
            (r->notation.form != NumberForm::Integer && r->notation.form != NumberForm::Decimal))
            return false;
        alt.kind = AnswerKind::Remainder;
        alt.separator = sep;
        alt.quotientNotation = q->notation;
        alt.notation = r->notation;
        value = Rational(q->whole);
        rest = *r->value();
        main = *q;
        remainder = *r;
        return true;
    }
    const auto n = ReadNumber(text);
    if (!n || !n->value())
        return false;
    // An answer is written in lowest terms, and a mixed number's part is proper.
    if (IsFractionForm(*n) && (Gcd(n->numerator, n->denominator) != 1 ||
                               (n->notation.form == NumberForm::Mixed &&
                                (n->whole == 0 || n->numerator >= n->denominator))))
        return false;
    alt.kind = AnswerKind::Number;
    alt.notation = n->notation;
    value = *n->value();
    main = *n;
    return true;
}

// Works out one question: its expression, its answer and the rules its new numbers keep.
bool PlanQuestion(const QStringList& pieces, int piece, Question& q, QString& reason)
{
    q.piece = piece;
    auto expr = FindExpression(pieces[piece], q.start, q.length, reason);
    if (!expr)
        return false;
    q.expr = std::move(*expr);
    q.text = pieces[piece].mid(q.start, q.length);
    const auto leafValues = LeafValues(q.expr);
    if (!leafValues || !EvaluateNodes(q.expr, *leafValues, q.originalNodes)) {
        reason = kUnreadable;
        return false;
    }
    // A lone number is a question only when it is a fraction to reduce or to write another
    // way ("6/8=#3/4#", "7/4=#1&3/4#").
    const ExprNode& root = q.expr.nodes.back();
    if (root.op == ExprOp::Number) {
        const WrittenNumber& n = q.expr.leaves[0].number;
        const auto answer =
            ReadNumber(Trimmed(SplitAnswer(pieces[piece + 1]).value(0), nullptr, nullptr));
        if (!IsFractionForm(n) || (Gcd(n.numerator, n.denominator) == 1 && answer &&
                                   answer->notation.form == n.notation.form)) {
            reason = kNoComputation;
            return false;
        }
    }
    for (const ExprLeaf& leaf : q.expr.leaves) {
        q.leafShapes.push_back(ShapeOf(leaf.number));
        if (TooLong(q.leafShapes.back())) {
            reason = kTooLong;
            return false;
        }
    }

    // The answer: every alternative must be read and agree with the expression.
    const Rational value = q.originalNodes.back();
    const QStringList alternatives = SplitAnswer(pieces[piece + 1]);
    for (int i = 0; i < alternatives.size(); ++i) {
        Alternative alt;
        Rational v, rest;
        WrittenNumber main, remainder;
        if (!ReadAlternative(alternatives[i], alt, v, rest, main, remainder)) {
            reason = kAnswerForm;
            return false;
        }
        if (alt.kind == AnswerKind::Remainder) {
            const ExprNode& r = root;
            if (r.op != ExprOp::Div) {
                reason = kAnswerForm;
                return false;
            }
            const Rational a = q.originalNodes[size_t(r.left)];
            const Rational b = q.originalNodes[size_t(r.right)];
            const auto back = b.mul(v).value_or(Rational()).add(rest);
            if (!back || !(*back == a) || !(rest < b)) {
                reason = kAnswerWrong;
                return false;
            }
        } else if (!(v == value)) {
            reason = kAnswerWrong;
            return false;
        }
        if (i == 0) {
            q.answer = ShapeOf(main);
            if (alt.kind == AnswerKind::Remainder)
                q.remainder = ShapeOf(remainder);
            if (TooLong(q.answer) || TooLong(q.remainder)) {
                reason = kTooLong;
                return false;
            }
        } else if (alt.kind != q.alternatives[0].kind) {
            reason = kAnswerForm;
            return false;
        }
        q.alternatives.push_back(alt);
    }

    // Rules for each + and - of two numbers.
    for (size_t i = 0; i < q.expr.nodes.size(); ++i) {
        const ExprNode& n = q.expr.nodes[i];
        if (n.op != ExprOp::Add && n.op != ExprOp::Sub)
            continue;
        const ExprNode& l = q.expr.nodes[size_t(n.left)];
        const ExprNode& r = q.expr.nodes[size_t(n.right)];
        if (l.op != ExprOp::Number || r.op != ExprOp::Number)
            continue;
        const WrittenNumber& a = q.expr.leaves[size_t(l.leaf)].number;
        const WrittenNumber& b = q.expr.leaves[size_t(r.leaf)].number;
        PairRule rule;
        rule.node = int(i);
        if (IsFractionForm(a) && IsFractionForm(b)) {
            rule.fractions = true;
            rule.like = a.denominator == b.denominator;
        } else if (!IsFractionForm(a) && !IsFractionForm(b)) {
            rule.columns = true;
            rule.places = std::max(a.notation.form == NumberForm::Decimal ? a.notation.places : 0,
                                   b.notation.form == NumberForm::Decimal ? b.notation.places : 0);
            rule.pattern = ColumnPattern(*(*leafValues)[size_t(l.leaf)].scaled(rule.places),
                                         *(*leafValues)[size_t(r.leaf)].scaled(rule.places),
                                         n.op == ExprOp::Sub);
        } else {
            continue;
        }
        q.pairs.push_back(rule);
    }
    std::vector<WrittenNumber> written;
    for (const ExprLeaf& leaf : q.expr.leaves)
        written.push_back(leaf.number);
    q.reducible = RawReducible(q.expr, written);

    // A result whose shape is to be kept: the left number is worked back from the other and
    // a result of that shape, as a teacher picks a division that works out, rather than
    // drawn and hoped for. (Sums with carries to keep are drawn by column instead.)
    for (size_t i = 0; i < q.expr.nodes.size(); ++i) {
        const ExprNode& n = q.expr.nodes[i];
        if (n.op == ExprOp::Number || n.op == ExprOp::Pow ||
            q.expr.nodes[size_t(n.left)].op != ExprOp::Number)
            continue;
        if ((n.op == ExprOp::Add || n.op == ExprOp::Sub) &&
            (int(i) != q.expr.root() ||
             std::any_of(q.pairs.begin(), q.pairs.end(),
                         [i](const PairRule& r) { return r.columns && r.node == int(i); })))
            continue;
        const int leaf = q.expr.nodes[size_t(n.left)].leaf;
        if (q.leafShapes[size_t(leaf)].zero)
            continue;
        const bool isRoot = int(i) == q.expr.root();
        if (isRoot) {
            q.quotient = q.answer;
        } else if (n.op == ExprOp::Div && q.originalNodes[i].isWhole()) {
            WrittenNumber w;
            w.whole = q.originalNodes[i].num();
            q.quotient = ShapeOf(w);
        } else {
            continue;
        }
        if (q.quotient.zero)
            continue;
        q.inverse = int(i);
        break;
    }
    return true;
}

qint64 CommonDenominator(const std::vector<WrittenNumber>& leaves)
{
    qint64 l = 1;
    for (const WrittenNumber& w : leaves) {
        l = l / Gcd(l, w.denominator) * w.denominator;
        if (l > 1000000)
            return 0;
    }
    return l;
}

int CommonKind(const std::vector<WrittenNumber>& leaves, qint64 common)
{
    qint64 product = 1, largest = 0;
    for (const WrittenNumber& w : leaves) {
        product *= w.denominator;
        largest = std::max(largest, w.denominator);
    }
    return common == product ? 0 : common == largest ? 1 : 2;
}

// A line that restates the fractions of its text over their least common denominator, one
// answer each, the fractions all before the first answer.
bool PlanCommonDenominator(const QStringList& pieces, Question& q)
{
    const QString& text = pieces[0];
    const int answers = int(pieces.size() / 2);
    if (answers < 2)
        return false;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && (DigitValue(text[end]) >= 0 || text[end] == u'/'))
            ++end;
        if (end == i) {
            ++i;
            continue;
        }
        const auto n = ReadNumber(QStringView(text).sliced(i, end - i));
        if (n && n->notation.form == NumberForm::Fraction) {
            if (first < 0)
                first = i;
            last = end;
            q.expr.leaves.push_back({i, end - i, *n});
        }
        i = end;
    }
    if (int(q.expr.leaves.size()) != answers)
        return false;
    std::vector<WrittenNumber> written;
    for (int k = 0; k < answers; ++k) {
        const WrittenNumber& n = q.expr.leaves[size_t(k)].number;
        Alternative alt;
        const QString a = Trimmed(pieces[2 * k + 1], &alt.before, &alt.after);
        const auto w = ReadNumber(a);
        if (!w || w->notation.form != NumberForm::Fraction || !w->value() ||
            !(*w->value() == *n.value()) || Gcd(n.numerator, n.denominator) != 1 ||
            n.numerator >= n.denominator)
            return false;
        alt.notation = w->notation;
        q.alternatives.push_back(alt);
        written.push_back(*w);
        q.leafShapes.push_back(ShapeOf(n));
    }
    std::vector<WrittenNumber> fractions;
    QSet<qint64> denominators;
    for (const ExprLeaf& leaf : q.expr.leaves) {
        fractions.push_back(leaf.number);
        denominators.insert(leaf.number.denominator);
    }
    const qint64 common = CommonDenominator(fractions);
    if (common == 0 || denominators.size() != answers)
        return false;
    for (const WrittenNumber& w : written) {
        if (w.denominator != common)
            return false;
    }
    for (ExprLeaf& leaf : q.expr.leaves)
        leaf.start -= first;
    for (size_t k = 0; k < q.expr.leaves.size(); ++k)
        q.expr.nodes.push_back({ExprOp::Number, -1, -1, int(k), 0});
    q.common = true;
    q.commonDigits = DigitCount(common);
    q.commonKind = CommonKind(fractions, common);
    q.piece = 0;
    q.start = first;
    q.length = last - first;
    q.text = text.mid(first, last - first);
    return true;
}

// Every rule of the question holds for these leaves and node values.
bool Keeps(const Question& q, const std::vector<WrittenNumber>& leaves,
           const std::vector<Rational>& nodes)
{
    const int root = q.expr.root();
    for (int i = 0; i < root; ++i) {
        if (nodes[size_t(i)].isNegative())
            return false;
        // Results on the way are whole where the original's were; the numbers as written
        // keep their own shape.
        if (q.expr.nodes[size_t(i)].op != ExprOp::Number && q.originalNodes[size_t(i)].isWhole() &&
            !nodes[size_t(i)].isWhole())
            return false;
    }
    if (q.alternatives[0].kind == AnswerKind::Remainder) {
        const ExprNode& r = q.expr.nodes.back();
        const Rational a = nodes[size_t(r.left)], b = nodes[size_t(r.right)];
        const qint64 quotient = nodes.back().floor();
        const auto rest = a.sub(b.mul(Rational(quotient)).value_or(Rational()));
        if (!rest || !Fits(Rational(quotient), q.answer) || !Fits(*rest, q.remainder))
            return false;
        for (size_t i = 1; i < q.alternatives.size(); ++i) {
            if (!Express(*rest, q.alternatives[i].notation))
                return false;
        }
    } else {
        if (!Fits(nodes.back(), q.answer))
            return false;
        for (size_t i = 1; i < q.alternatives.size(); ++i) {
            if (!Express(nodes.back(), q.alternatives[i].notation))
                return false;
        }
    }
    for (const PairRule& rule : q.pairs) {
        const ExprNode& n = q.expr.nodes[size_t(rule.node)];
        const WrittenNumber& a = leaves[size_t(q.expr.nodes[size_t(n.left)].leaf)];
        const WrittenNumber& b = leaves[size_t(q.expr.nodes[size_t(n.right)].leaf)];
        if (rule.fractions) {
            if ((a.denominator == b.denominator) != rule.like)
                return false;
        } else {
            const auto x = nodes[size_t(n.left)].scaled(rule.places);
            const auto y = nodes[size_t(n.right)].scaled(rule.places);
            if (!x || !y || ColumnPattern(*x, *y, n.op == ExprOp::Sub) != rule.pattern)
                return false;
        }
    }
    if (q.reducible >= 0 && RawReducible(q.expr, leaves) != q.reducible)
        return false;
    return true;
}

QString ExpressionText(const Question& q, const std::vector<WrittenNumber>& leaves)
{
    QString text = q.text;
    for (size_t i = q.expr.leaves.size(); i-- > 0;) {
        const ExprLeaf& leaf = q.expr.leaves[i];
        text.replace(leaf.start, leaf.length, WriteNumber(leaves[i]));
    }
    return text;
}

constexpr int kTries = 20000;

// New numbers for a question, not among `used`.
bool DrawCommon(const Question& q, Random& rng, const QSet<QString>& used, Draw& out)
{
    const size_t count = q.expr.leaves.size();
    out.leaves.resize(count);
    for (int attempt = 0; attempt < kTries; ++attempt) {
        bool ok = true;
        QSet<qint64> denominators;
        for (size_t i = 0; i < count && ok; ++i) {
            const auto w = DrawLeaf(q.leafShapes[i], q.expr.leaves[i].number, rng);
            ok = w && !denominators.contains(w->denominator);
            if (ok) {
                out.leaves[i] = *w;
                denominators.insert(w->denominator);
            }
        }
        if (!ok)
            continue;
        const qint64 common = CommonDenominator(out.leaves);
        if (common == 0 || DigitCount(common) != q.commonDigits ||
            CommonKind(out.leaves, common) != q.commonKind)
            continue;
        out.text = ExpressionText(q, out.leaves);
        if (used.contains(out.text))
            continue;
        out.nodes.clear();
        for (const WrittenNumber& w : out.leaves)
            out.nodes.push_back(*w.value());
        return true;
    }
    return false;
}

bool DrawQuestion(const Question& q, Random& rng, const QSet<QString>& used, Draw& out)
{
    if (q.common)
        return DrawCommon(q, rng, used, out);
    const size_t count = q.expr.leaves.size();
    out.leaves.resize(count);
    std::vector<Rational> values(count);
    for (int attempt = 0; attempt < kTries; ++attempt) {
        bool ok = true;
        for (size_t i = 0; i < count && ok; ++i) {
            const auto w = DrawLeaf(q.leafShapes[i], q.expr.leaves[i].number, rng);
            if (!w) {
                ok = false;
                break;
            }
            out.leaves[i] = *w;
            values[i] = *w->value();
        }
        // Carries and borrows are drawn column by column, like denominators alike.
        for (const PairRule& rule : q.pairs) {
            if (!ok || !rule.columns)
                continue;
            const ExprNode& n = q.expr.nodes[size_t(rule.node)];
            const size_t l = size_t(q.expr.nodes[size_t(n.left)].leaf);
            const size_t r = size_t(q.expr.nodes[size_t(n.right)].leaf);
            if (q.leafShapes[l].zero || q.leafShapes[r].zero)
                continue;
            ok = DrawColumns(q.leafShapes[l], q.leafShapes[r], rule.places, rule.pattern,
                             n.op == ExprOp::Sub, rng, out.leaves[l], out.leaves[r]);
            if (ok) {
                values[l] = *out.leaves[l].value();
                values[r] = *out.leaves[r].value();
            }
        }
        for (const PairRule& rule : q.pairs) {
            if (!ok || !rule.fractions || !rule.like)
                continue;
            const ExprNode& n = q.expr.nodes[size_t(rule.node)];
            const size_t l = size_t(q.expr.nodes[size_t(n.left)].leaf);
            const size_t r = size_t(q.expr.nodes[size_t(n.right)].leaf);
            const auto w =
                DrawLeaf(q.leafShapes[r], q.expr.leaves[r].number, rng, out.leaves[l].denominator);
            ok = w.has_value();
            if (ok) {
                out.leaves[r] = *w;
                values[r] = *w->value();
            }
        }
        if (!ok || !EvaluateNodes(q.expr, values, out.nodes))
            continue;
        // Every other draw, so that a dividend drawn freely still has its chance.
        if (q.inverse >= 0 && attempt % 2 == 0) {
            const ExprNode& n = q.expr.nodes[size_t(q.inverse)];
            const size_t leaf = size_t(q.expr.nodes[size_t(n.left)].leaf);
            const Rational other = out.nodes[size_t(n.right)];
            const auto result = DrawLeaf(q.quotient, WrittenNumber{}, rng);
            if (!result)
                continue;
            std::optional<Rational> dividend;
            switch (n.op) {
            case ExprOp::Add:
                dividend = result->value()->sub(other);
                break;
            case ExprOp::Sub:
                dividend = result->value()->add(other);
                break;
            case ExprOp::Mul:
                dividend = result->value()->div(other);
                break;
            default:
                dividend = other.mul(*result->value());
            }
            if (q.alternatives[0].kind == AnswerKind::Remainder && q.inverse == q.expr.root()) {
                const auto rest = DrawLeaf(q.remainder, WrittenNumber{}, rng);
                if (!rest || !dividend)
                    continue;
                dividend = dividend->add(*rest->value());
            }
            if (!dividend)
                continue;
            const auto w = Express(*dividend, q.leafShapes[leaf].notation);
            if (!w || !FitsLeaf(*w, q.leafShapes[leaf]))
                continue;
            out.leaves[leaf] = *w;
            values[leaf] = *dividend;
            if (!EvaluateNodes(q.expr, values, out.nodes))
                continue;
        }
        if (!Keeps(q, out.leaves, out.nodes))
            continue;
        out.text = ExpressionText(q, out.leaves);
        if (used.contains(out.text))
            continue;
        return true;
    }
    return false;
}

QString AnswerText(const Question& q, const std::vector<Rational>& nodes)
{
    QStringList parts;
    const Rational value = nodes.back();
    for (const Alternative& alt : q.alternatives) {
        QString text;
        if (alt.kind == AnswerKind::Remainder) {
            const ExprNode& r = q.expr.nodes.back();
            const qint64 quotient = value.floor();
            const Rational rest =
                *nodes[size_t(r.left)].sub(*nodes[size_t(r.right)].mul(Rational(quotient)));
            WrittenNumber w;
            w.notation = alt.quotientNotation;
            w.whole = quotient;
            text = WriteNumber(w) + alt.separator + WriteNumber(*Express(rest, alt.notation));
        } else {
            text = WriteNumber(*Express(value, alt.notation));
        }
        parts.append(alt.before + text + alt.after);
    }
    return parts.join(u';');
}

} // namespace

struct QuestionGenerator::Plan
{
    std::vector<Line> lines;
    QSet<QString> originals; // every original expression: no set repeats one
    // For each varied question (in line order), a draw found when the unit was read: the
    // stand-in when a set's own draws run out.
    std::vector<Draw> spares;
};

QuestionGenerator::QuestionGenerator(const QStringList& questionLines) : lines_(questionLines)
{
    auto plan = std::make_shared<Plan>();
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        Line line;
        line.pieces = SplitQuestionLine(lines_[i]);
        const int blanks = int(lines_[i].count(u'#') / 2);
        if (!lines_[i].contains(u'#')) {
            plan->lines.push_back(std::move(line));
            continue;
        }
        totalAnswers_ += blanks;
        QString reason;
        bool understood = lines_[i].count(u'#') % 2 == 0;
        if (!understood)
            reason = kOddMarks;
        for (int b = 0; b < blanks && understood; ++b) {
            Question q;
            understood = PlanQuestion(line.pieces, 2 * b, q, reason);
            if (understood)
                line.questions.push_back(std::move(q));
        }
        if (!understood && reason == kNoExpression) {
            Question q;
            if (PlanCommonDenominator(line.pieces, q)) {
                line.questions.assign(1, std::move(q));
                understood = true;
            }
        }
        line.varied = understood;
        if (!understood) {
            line.questions.clear();
            kept_.append({int(i + 1), lines_[i], reason});
        } else {
            understoodAnswers_ += blanks;
            for (const Question& q : line.questions)
                plan->originals.insert(q.text);
        }
        plan->lines.push_back(std::move(line));
    }
    // A question whose rules no other numbers meet cannot be varied: its line is kept. The
    // draws made here, all different, are the set that stands in when a set's own draws run
    // out (questions that share their few possible numbers).
    Random rng(0x5A454E445241ULL);
    QSet<QString> used = plan->originals;
    for (size_t i = 0; i < plan->lines.size(); ++i) {
        Line& line = plan->lines[i];
        if (!line.varied)
            continue;
        std::vector<Draw> found;
        for (const Question& q : line.questions) {
            Draw d;
            if (!DrawQuestion(q, rng, used, d))
                break;
            used.insert(d.text);
            found.push_back(std::move(d));
        }
        if (found.size() == line.questions.size()) {
            for (Draw& d : found)
                plan->spares.push_back(std::move(d));
            continue;
        }
        for (const Draw& d : found)
            used.remove(d.text);
        line.varied = false;
        line.questions.clear();
        understoodAnswers_ -= int(lines_[int(i)].count(u'#') / 2);
        kept_.append({int(i + 1), lines_[int(i)], kNoOtherNumbers});
    }
    std::sort(kept_.begin(), kept_.end(),
              [](const KeptLine& a, const KeptLine& b) { return a.line < b.line; });
    plan_ = std::move(plan);
}

namespace {

// Draws every varied question of the plan from one random stream; false when one of them
// finds no numbers that the set does not have yet.
bool DrawSet(const std::vector<Line>& lines, const QSet<QString>& originals, Random& rng,
             std::vector<Draw>& draws)
{
    QSet<QString> used = originals;
    draws.clear();
    for (const Line& line : lines) {
        if (!line.varied)
            continue;
        for (const Question& q : line.questions) {
            Draw d;
            if (!DrawQuestion(q, rng, used, d))
                return false;
            used.insert(d.text);
            draws.push_back(std::move(d));
        }
    }
    return true;
}

} // namespace

GeneratedSet QuestionGenerator::generate(quint64 seed, int variant) const
{
    GeneratedSet set{variant, SetSeed(seed, variant), lines_};
    // Questions that share their few possible numbers can leave a later one without any;
    // the set is drawn again from a stream derived from its seed, a few times, before the
    // draws made when the unit was read stand in.
    std::vector<Draw> draws;
    bool drawn = false;
    for (int round = 0; round < 4 && !drawn; ++round) {
        Random rng(round == 0 ? set.seed : SetSeed(set.seed, round));
        drawn = DrawSet(plan_->lines, plan_->originals, rng, draws);
    }
    const std::vector<Draw>& chosen = drawn ? draws : plan_->spares;
    size_t next = 0;
    for (size_t i = 0; i < plan_->lines.size(); ++i) {
        const Line& line = plan_->lines[i];
        if (!line.varied)
            continue;
        QStringList pieces = line.pieces;
        for (const Question& q : line.questions) {
            const Draw& d = chosen[next++];
            pieces[q.piece].replace(q.start, q.length, d.text);
            if (q.common) {
                const qint64 common = CommonDenominator(d.leaves);
                for (size_t k = 0; k < d.leaves.size(); ++k) {
                    const Alternative& alt = q.alternatives[k];
                    WrittenNumber w;
                    w.notation = alt.notation;
                    w.numerator = d.leaves[k].numerator * (common / d.leaves[k].denominator);
                    w.denominator = common;
                    pieces[int(2 * k + 1)] = alt.before + WriteNumber(w) + alt.after;
                }
                continue;
            }
            pieces[q.piece + 1] = AnswerText(q, d.nodes);
        }
        set.questions[qsizetype(i)] = pieces.join(u'#');
    }
    return set;
}

QList<GeneratedSet> QuestionGenerator::generateSets(quint64 seed, int count) const
{
    QList<GeneratedSet> sets;
    for (int v = 1; v <= count; ++v)
        sets.append(generate(seed, v));
    return sets;
}

quint64 QuestionGenerator::SetSeed(quint64 seed, int variant)
{
    // splitmix64 of the pair: fixed arithmetic, the same on every compiler.
    quint64 z = seed * 0x9E3779B97F4A7C15ULL + quint64(variant);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

quint64 QuestionGenerator::NewSeed()
{
    return QRandomGenerator::global()->bounded(1000, 100000);
}

} // namespace zendra
