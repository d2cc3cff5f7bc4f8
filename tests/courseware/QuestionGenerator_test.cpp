#include "arithmetic/ColumnLayout.h"
#include "courseware/QuestionGenerator.h"
#include "courseware/UnitReader.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <numeric>

using namespace zendra;

namespace {

// A small exact evaluator of its own, so that the generator's answers are checked by code
// that shares nothing with it.
struct Frac
{
    long long n = 0, d = 1;
};

Frac Norm(long long n, long long d)
{
    const long long g = std::gcd(n, d);
    return d < 0 ? Frac{-n / g, -d / g} : Frac{n / g, d / g};
}
bool operator==(Frac a, Frac b)
{
    return a.n == b.n && a.d == b.d;
}
bool Less(Frac a, Frac b)
{
    return a.n * b.d < b.n * a.d;
}

int Digit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'０' && c <= u'９')
        return c.unicode() - u'０';
    return -1;
}

// A number as the test reads it: its kind ('i' integer, 'd' decimal, 'f' fraction, 'm'
// mixed), the digit counts of its parts, and its written parts.
struct Num
{
    char kind = 'i';
    std::vector<int> digits;
    std::vector<long long> parts;
    Frac value;
};

std::optional<Num> ReadNum(const QString& s, int& pos)
{
    Num num;
    auto run = [&](long long& v) {
        int count = 0;
        v = 0;
        while (pos < s.size() && Digit(s[pos]) >= 0) {
            v = v * 10 + Digit(s[pos++]);
            ++count;
        }
        num.digits.push_back(count);
        num.parts.push_back(v);
        return count > 0;
    };
    long long a = 0, b = 0, c = 0;
    const int start = pos;
    if (pos < s.size() && s[pos] == u'.') {
        ++pos;
        if (!run(b))
            return std::nullopt;
        num.kind = 'd';
        num.digits.insert(num.digits.begin(), 0);
        num.parts.insert(num.parts.begin(), 0);
        num.value = Norm(b, (long long)std::pow(10, num.digits[1]));
        return num;
    }
    if (!run(a)) {
        pos = start;
        return std::nullopt;
    }
    num.value = {a, 1};
    if (pos < s.size() && s[pos] == u'.') {
        ++pos;
        if (!run(b))
            return std::nullopt;
        num.kind = 'd';
        const long long p = (long long)std::pow(10, num.digits[1]);
        num.value = Norm(a * p + b, p);
    } else if (pos < s.size() && s[pos] == u'&') {
        ++pos;
        if (!run(b) || pos >= s.size() || s[pos++] != u'/' || !run(c) || c == 0)
            return std::nullopt;
        num.kind = 'm';
        num.value = Norm(a * c + b, c);
    } else if (pos < s.size() && s[pos] == u'/') {
        ++pos;
        if (!run(b) || b == 0)
            return std::nullopt;
        num.kind = 'f';
        num.value = Norm(a, b);
    }
    return num;
}

// Reads a whole expression; every intermediate result is kept in the order it is made.
struct Eval
{
    QString s;
    int pos = 0;
    std::vector<Num> numbers;
    std::vector<Frac> steps;
    std::vector<char> ops;
    bool ok = true;

    void blanks()
    {
        while (pos < s.size() && (s[pos] == u' ' || s[pos] == u'\u3000'))
            ++pos;
    }
    char op()
    {
        blanks();
        if (pos >= s.size())
            return 0;
        switch (s[pos].unicode()) {
        case u'+':
        case u'＋':
            return '+';
        case u'-':
        case u'－':
        case u'−':
            return '-';
        case u'*':
        case u'×':
            return '*';
        case u'\\':
        case u'÷':
            return ':';
        default:
            return s[pos].toLatin1();
        }
    }
    Frac apply(char o, Frac a, Frac b)
    {
        Frac r;
        switch (o) {
        case '+':
            r = Norm(a.n * b.d + b.n * a.d, a.d * b.d);
            break;
        case '-':
            r = Norm(a.n * b.d - b.n * a.d, a.d * b.d);
            break;
        case '*':
            r = Norm(a.n * b.n, a.d * b.d);
            break;
        default:
            if (b.n == 0) {
                ok = false; // a zero divisor
                return {};
            }
            r = Norm(a.n * b.d, a.d * b.n);
        }
        steps.push_back(r);
        ops.push_back(o);
        return r;
    }
    Frac primary()
    {
        blanks();
        if (pos < s.size() && (s[pos] == u'(' || s[pos] == u'（')) {
            ++pos;
            const Frac v = sum();
            blanks();
            if (pos >= s.size() || (s[pos] != u')' && s[pos] != u'）'))
                ok = false;
            ++pos;
            return v;
        }
        const auto n = ReadNum(s, pos);
        if (!n) {
            ok = false;
            return {};
        }
        numbers.push_back(*n);
        return n->value;
    }
    Frac power()
    {
        Frac v = primary();
        if (op() == '^') {
            ++pos;
            Frac e = primary();
            Frac r{1, 1};
            for (long long i = 0; i < e.n; ++i)
                r = Norm(r.n * v.n, r.d * v.d);
            numbers.pop_back(); // the exponent is not an operand
            steps.push_back(r);
            ops.push_back('^');
            v = r;
        }
        return v;
    }
    Frac product()
    {
        Frac v = power();
        for (char o = op(); ok && (o == '*' || o == ':'); o = op()) {
            ++pos;
            v = apply(o, v, power());
        }
        return v;
    }
    Frac sum()
    {
        Frac v = product();
        for (char o = op(); ok && (o == '+' || o == '-'); o = op()) {
            ++pos;
            v = apply(o, v, product());
        }
        return v;
    }
};

std::optional<Eval> Evaluate(const QString& text)
{
    Eval e;
    e.s = text;
    const Frac v = e.sum();
    e.blanks();
    if (!e.ok || e.pos != text.size() || e.numbers.empty())
        return std::nullopt;
    if (e.steps.empty())
        e.steps.push_back(v);
    return e;
}

// The expression a text piece ends with: the longest tail after a blank that reads whole.
std::optional<std::pair<QString, Eval>> ExpressionBefore(QString piece)
{
    // A column problem's mark ("@H" and its option letters) is no part of its expression.
    static const QRegularExpression mark(QStringLiteral("@H[csm]*"));
    if (piece.contains(QStringLiteral("@H")))
        piece.replace(mark, QStringLiteral(" "));
    while (!piece.isEmpty() && (piece.back() == u' ' || piece.back() == u'\u3000'))
        piece.chop(1);
    if (piece.isEmpty() || (piece.back() != u'=' && piece.back() != u'＝'))
        return std::nullopt;
    piece.chop(1);
    for (int i = 0; i < piece.size(); ++i) {
        // After a blank or after a question number "(3)".
        if (i > 0 && piece[i - 1] != u' ' && piece[i - 1] != u'\u3000' && piece[i - 1] != u')' &&
            piece[i - 1] != u'）')
            continue;
        const QString tail = piece.mid(i).trimmed();
        if (auto e = Evaluate(tail))
            return std::make_pair(tail, *e);
    }
    return std::nullopt;
}

// Carries (addition) or borrows (subtraction) per column, numbers scaled to whole ones.
std::vector<bool> Columns(long long a, long long b, bool subtract)
{
    std::vector<bool> out;
    int carry = 0;
    while (a > 0 || b > 0) {
        const int x = int(a % 10), y = int(b % 10);
        a /= 10;
        b /= 10;
        carry = subtract ? (x - y - carry < 0) : (x + y + carry >= 10);
        out.push_back(carry);
    }
    return out;
}

long long Scaled(Frac v, int places)
{
    return v.n * (long long)std::pow(10, places) / v.d;
}

struct Answer
{
    bool remainder = false;
    Num number; // the number, or the quotient
    Num rest;
};

std::optional<Answer> ReadAnswer(const QString& text)
{
    Answer a;
    const QString t = text.trimmed().remove(u'\u3000');
    for (const QString& sep : {QStringLiteral("…"), QStringLiteral("あまり")}) {
        const int at = int(t.indexOf(sep));
        if (at < 0)
            continue;
        a.remainder = true;
        const QString q = t.left(at), r = t.mid(at + sep.size());
        int p = 0, p2 = 0;
        const auto qn = ReadNum(q, p);
        const auto rn = ReadNum(r, p2);
        if (!qn || !rn || p != q.size() || p2 != r.size())
            return std::nullopt;
        a.number = *qn;
        a.rest = *rn;
        return a;
    }
    int p = 0;
    const auto n = ReadNum(t, p);
    if (!n || p != t.size())
        return std::nullopt;
    a.number = *n;
    return a;
}

// The shape the generator must keep: kind and digit counts of the operands.
std::vector<std::pair<char, std::vector<int>>> Shapes(const std::vector<Num>& numbers)
{
    std::vector<std::pair<char, std::vector<int>>> out;
    for (const Num& n : numbers)
        out.push_back({n.kind, n.digits});
    return out;
}

// An answer's class: whole, proper, improper; and its digits as the rules count them.
std::vector<long long> AnswerClass(const Num& n)
{
    const Frac v = n.value;
    const long long cls = v.d == 1 ? 0 : v.n < v.d ? 1 : 2;
    switch (n.kind) {
    case 'i':
        return {cls, n.digits[0], v.n == 0};
    case 'd':
        return {cls, n.parts[0] == 0 ? 0 : n.digits[0], n.digits[1], n.parts[1] % 10 == 0};
    case 'f':
        return {cls, n.digits[1]};
    default:
        return {cls, n.digits[0], n.digits[2]};
    }
}

// The fraction a learner has before reducing, for "a op b" with a fraction in it, or for a
// single fraction: whether it can be reduced (-1 when there is no such step).
int Reducible(const Eval& e)
{
    auto raw = [](const Num& n) {
        switch (n.kind) {
        case 'f':
            return Frac{n.parts[0], n.parts[1]};
        case 'm':
            return Frac{n.parts[0] * n.parts[2] + n.parts[1], n.parts[2]};
        default:
            return n.value;
        }
    };
    auto reducible = [](long long n, long long d) { return int(std::gcd(n, d) > 1); };
    if (e.numbers.size() == 1 && e.ops.empty() && e.numbers[0].kind != 'i')
        return reducible(raw(e.numbers[0]).n, raw(e.numbers[0]).d);
    if (e.numbers.size() != 2 || e.ops.size() != 1 || e.ops[0] == '^' ||
        (e.numbers[0].kind != 'f' && e.numbers[0].kind != 'm' && e.numbers[1].kind != 'f' &&
         e.numbers[1].kind != 'm'))
        return -1;
    const Frac a = raw(e.numbers[0]), b = raw(e.numbers[1]);
    switch (e.ops[0]) {
    case '+':
    case '-': {
        const long long d = std::lcm(a.d, b.d);
        const long long n =
            e.ops[0] == '+' ? a.n * (d / a.d) + b.n * (d / b.d) : a.n * (d / a.d) - b.n * (d / b.d);
        return reducible(n, d);
    }
    case '*':
        return reducible(a.n * b.n, a.d * b.d);
    default:
        return reducible(a.n * b.d, a.d * b.n);
    }
}

// Replaces every run of digits by one '9': lines that differ only in their numbers agree.
QString Skeleton(const QString& line)
{
    QString out;
    for (int i = 0; i < line.size(); ++i) {
        if (Digit(line[i]) >= 0) {
            if (out.isEmpty() || out.back() != u'9' || i == 0 || Digit(line[i - 1]) < 0)
                out += u'9';
            continue;
        }
        out += line[i];
    }
    return out;
}

// A line of sides joined by '＝' with blanks among them ("8×12＋2×12＝(8＋#2#)×12＝#120#"):
// each side as read, blanks read as the numbers they hold.
std::optional<std::vector<Eval>> EquationSides(QString line)
{
    if (!line.contains(u'#') || line.contains(u'@'))
        return std::nullopt;
    line.replace(u'#', u' ');
    static const QRegularExpression number(QStringLiteral("^[(（][0-9]+[)）]"));
    static const QRegularExpression equals(QStringLiteral("[=＝]"));
    line = line.trimmed().remove(number);
    const QStringList parts = line.split(equals);
    if (parts.size() < 2)
        return std::nullopt;
    std::vector<Eval> sides;
    for (const QString& part : parts) {
        const auto e = Evaluate(part.trimmed());
        if (!e)
            return std::nullopt;
        sides.push_back(*e);
    }
    return sides;
}

// Checks a new equation line against the original: every side of one value, computed here;
// each number in the original's shape; numbers equal where the original's were, different
// where they differed; steps whole, not negative and as round as the original's.
void CheckEquation(const std::vector<Eval>& now, const std::vector<Eval>& was, const QString& where)
{
    ASSERT_EQ(now.size(), was.size()) << qPrintable(where);
    std::vector<Frac> numbers, original;
    for (size_t s = 0; s < now.size(); ++s) {
        const Eval &ne = now[s], &oe = was[s];
        ASSERT_EQ(ne.steps.back(), now[0].steps.back()) << qPrintable(where);
        ASSERT_EQ(Shapes(ne.numbers), Shapes(oe.numbers)) << qPrintable(where);
        ASSERT_EQ(ne.steps.size(), oe.steps.size()) << qPrintable(where);
        for (size_t k = 0; k < ne.steps.size(); ++k) {
            ASSERT_GE(ne.steps[k].n, 0) << qPrintable(where);
            if (k + 1 == ne.steps.size() || oe.steps[k].d != 1)
                continue;
            ASSERT_EQ(ne.steps[k].d, 1) << qPrintable(where);
            // 8＋2 makes 10 and 25×4 makes 100: the new step is as round.
            const bool sum = oe.ops[k] == '+' || oe.ops[k] == '-';
            for (long long p = sum ? 10 : 100; oe.steps[k].n != 0 && oe.steps[k].n % p == 0;
                 p *= 10)
                ASSERT_EQ(ne.steps[k].n % p, 0) << qPrintable(where);
        }
        for (size_t k = 0; k < ne.numbers.size(); ++k) {
            numbers.push_back(ne.numbers[k].value);
            original.push_back(oe.numbers[k].value);
        }
    }
    for (size_t i = 0; i < numbers.size(); ++i) {
        for (size_t j = 0; j < i; ++j)
            ASSERT_EQ(numbers[i] == numbers[j], original[i] == original[j]) << qPrintable(where);
    }
}

// A column problem's answers in boxes of their own, "#765#,#1785#,#18615#" (the partial
// products and the product) or "#15#…#25#" (the quotient and the remainder): each group,
// its expression piece first, goes to `groups`, and the pieces come back as for one answer,
// the product or "15…25".
QStringList JoinBoxes(const QStringList& p, std::vector<QStringList>& groups)
{
    QStringList out;
    for (int i = 0; i < p.size(); ++i) {
        const bool product = i % 2 == 1 && i + 4 < p.size() && p[i + 1] == u"," && p[i + 3] == u",";
        const bool quotient = i % 2 == 1 && i + 2 < p.size() && p[i + 1] == u"…";
        if (product) {
            groups.push_back({p[i - 1], p[i], p[i + 2], p[i + 4]});
            out.append(p[i + 4]);
            i += 4;
        } else if (quotient) {
            groups.push_back({p[i - 1], p[i], p[i + 2]});
            out.append(p[i].trimmed() + u'…' + p[i + 2].trimmed());
            i += 2;
        } else {
            out.append(p[i]);
        }
    }
    return out;
}

// The boxes of a new column problem, recomputed: the multiplicand's digits times each digit
// of the multiplier, ones first, then the product; or a = q·b + r, 0 < r < b. Each box has
// the digits of the original's.
void CheckBoxes(const QStringList& now, const QStringList& was, const QString& where)
{
    ASSERT_EQ(now.size(), was.size()) << qPrintable(where);
    const auto e = ExpressionBefore(now[0]);
    ASSERT_TRUE(e && e->second.numbers.size() == 2) << qPrintable(where);
    const Num &a = e->second.numbers[0], &b = e->second.numbers[1];
    std::vector<Num> boxes;
    for (int k = 1; k < now.size(); ++k) {
        const auto box = ReadAnswer(now[k]);
        const auto old = ReadAnswer(was[k]);
        ASSERT_TRUE(box && old && !box->remainder) << qPrintable(where);
        ASSERT_EQ(box->number.digits, old->number.digits) << qPrintable(where);
        boxes.push_back(box->number);
    }
    if (now.size() == 4) {
        ASSERT_EQ(b.kind, 'i') << qPrintable(where);
        const long long digits = a.kind == 'd' ? Scaled(a.value, a.digits[1]) : a.parts[0];
        const long long m = b.parts[0];
        ASSERT_EQ(boxes[0].value, (Frac{digits * (m % 10), 1})) << qPrintable(where);
        ASSERT_EQ(boxes[1].value, (Frac{digits * (m / 10), 1})) << qPrintable(where);
        ASSERT_EQ(boxes[2].value, Norm(a.value.n * b.value.n, a.value.d * b.value.d))
            << qPrintable(where);
        return;
    }
    ASSERT_TRUE(a.kind == 'i' && b.kind == 'i') << qPrintable(where);
    const long long q = boxes[0].value.n, r = boxes[1].value.n;
    ASSERT_EQ(q * b.parts[0] + r, a.parts[0]) << qPrintable(where);
    ASSERT_TRUE(r > 0 && r < b.parts[0]) << qPrintable(where);
}

struct Unit
{
    QString name;
    QStringList lines;
};

// Questions in words, read with patterns of the test's own: every number of a text in order.
std::vector<Num> NumbersIn(const QString& text)
{
    std::vector<Num> out;
    for (int i = 0; i < text.size();) {
        if (const auto n = ReadNum(text, i))
            out.push_back(*n);
        else
            ++i;
    }
    return out;
}

QString WithoutNumber(const QString& piece)
{
    static const QRegularExpression number(QStringLiteral("^[ 　]*[(（][0-9]+[)）]"));
    return QString(piece).remove(number);
}

int Compare(Frac a, Frac b)
{
    return Less(a, b) ? -1 : Less(b, a) ? 1 : 0;
}

// Rounds the digits of a whole number, keeping `figures` of them, the way a pupil does it on
// paper: look at the first digit dropped.
QString RoundDigits(const QString& digits, int figures, const QString& how)
{
    QString kept = digits.left(figures);
    const int dropped = Digit(digits[figures]);
    const bool up = how == u"四捨五入"   ? dropped >= 5
                    : how == u"切り上げ" ? digits.mid(figures).count(u'0') < digits.size() - figures
                                         : false;
    if (up) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[i] == u'9')
            kept[i--] = u'0';
        if (i < 0)
            kept.prepend(u'1');
        else
            kept[i] = QChar(kept[i].unicode() + 1);
    }
    return kept + QString(digits.size() - figures, u'0');
}

// A unit's size in the smallest unit of its kind; 0 for a name that is none.
long long UnitMm(const QString& name)
{
    static const std::map<QString, long long> sizes = {
        {"mm", 1},    {"cm", 10},     {"m", 1000}, {"km", 1000000}, {"g", 1},
        {"kg", 1000}, {"t", 1000000}, {"mL", 1},   {"dL", 100},     {"L", 1000}};
    const auto it = sizes.find(name);
    return it == sizes.end() ? 0 : it->second;
}

// What a question in words keeps and what its answer must be. Returns false for a line that
// is none (the caller checks it as something else). `keys` collects each question's numbers.
bool CheckWorded(const QStringList& lines, int index, const QString& now, const QString& where,
                 QStringList& keys)
{
    const QString& was = lines[index];
    const QStringList p = now.split(u'#'), q = was.split(u'#');
    static const QString signs = QStringLiteral("＜＝＞<=>");
    // Comparisons: the relation, the numbers' shapes and how their wholes compare.
    if (signs.contains(q[1].trimmed())) {
        for (int a = 1; a < p.size(); a += 2) {
            const Num x = NumbersIn(p[a - 1]).back(), y = NumbersIn(p[a + 1]).front();
            const Num ox = NumbersIn(q[a - 1]).back(), oy = NumbersIn(q[a + 1]).front();
            const int sign = int(signs.indexOf(p[a].trimmed()) % 3) - 1;
            EXPECT_EQ(sign, Compare(x.value, y.value)) << qPrintable(where);
            EXPECT_EQ(p[a].trimmed(), q[a].trimmed()) << qPrintable(where);
            EXPECT_EQ(Shapes({x, y}), Shapes({ox, oy})) << qPrintable(where);
            const auto whole = [](const Num& n) { return Frac{n.value.n / n.value.d, 1}; };
            EXPECT_EQ(Compare(whole(x), whole(y)), Compare(whole(ox), whole(oy)))
                << qPrintable(where);
            // The numbers as written: 1.1 and 1.10 are two questions, 1.10 and 1.1 another.
            keys.append(QStringLiteral("%1/%2.%3 %4/%5.%6")
                            .arg(x.value.n)
                            .arg(x.value.d)
                            .arg(x.digits.back())
                            .arg(y.value.n)
                            .arg(y.value.d)
                            .arg(y.digits.back()));
        }
        return true;
    }
    if (p.size() != 3)
        return false;
    const QString text = WithoutNumber(p[0]), oldText = WithoutNumber(q[0]);
    const auto answer = ReadAnswer(p[1].split(u';')[0]), old = ReadAnswer(q[1].split(u';')[0]);
    if (!answer || !old)
        return false;
    const std::vector<Num> n = NumbersIn(text), o = NumbersIn(oldText);
    const Frac v = answer->number.value;
    auto sum = [](Frac a, Frac b) { return Norm(a.n * b.d + b.n * a.d, a.d * b.d); };
    auto product = [](Frac a, Frac b) { return Norm(a.n * b.n, a.d * b.d); };
    // Rounding: the place in the line or the figures in the heading above it.
    static const QRegularExpression rounding(
        QStringLiteral("^[ 　]*([0-9]+)[ 　]*(?:（(.+)の位）)?[ 　]*$"));
    const auto r = rounding.match(text);
    QString heading;
    for (int i = index - 1; i >= 0 && heading.isEmpty(); --i) {
        if (lines[i].contains(QStringLiteral("がい数")))
            heading = lines[i];
    }
    if (r.hasMatch() && !heading.isEmpty()) {
        static const QStringList places = {"十", "百", "千", "一万", "十万"};
        static const QRegularExpression figures(QStringLiteral("上から([０-９0-9])けた"));
        static const QRegularExpression placeTo(QStringLiteral("(.)の位まで"));
        static const QRegularExpression how(QStringLiteral("(四捨五入|切り捨て|切り上げ)"));
        const QString digits = r.captured(1);
        int dropped = 0;
        if (!r.captured(2).isEmpty())
            dropped = int(places.indexOf(r.captured(2))) + 1;
        else if (const auto f = figures.match(heading); f.hasMatch())
            dropped = int(digits.size()) - Digit(f.captured(1)[0]);
        else
            dropped = int(places.indexOf(placeTo.match(heading).captured(1))) + 1;
        const QString method = how.match(heading).captured(1);
        const int keep = int(digits.size()) - dropped;
        const QString rounded = RoundDigits(digits, keep, method);
        EXPECT_EQ(p[1].trimmed(), rounded) << qPrintable(where);
        // Up or down, a carry past the place, and a dropped 4 or 5 stay as they were.
        const QString oldNumber = QString::number(o[0].value.n);
        const auto traits = [&](const QString& d, const QString& result) {
            const int first = Digit(d[keep]);
            const bool up = result.left(keep) != d.left(keep) || result.size() > d.size();
            const bool edge = method == u"四捨五入" && (first == 4 || first == 5);
            return std::vector<int>{up, result == d, up && d[keep - 1] == u'9', edge ? first : -1,
                                    int(result.size())};
        };
        EXPECT_EQ(traits(digits, rounded), traits(oldNumber, q[1].trimmed())) << qPrintable(where);
    } else if (text.contains(QStringLiteral("倍は")) || text.contains(QStringLiteral("@=1/"))) {
        EXPECT_EQ(v, product(n[0].value, n[1].value)) << qPrintable(where);
    } else if (text.contains(QStringLiteral("分の1は"))) {
        EXPECT_EQ(product(v, n[1].value), n[0].value) << qPrintable(where);
    } else if (text.contains(QStringLiteral("何倍すると"))) {
        EXPECT_EQ(product(n[0].value, v), n[1].value) << qPrintable(where);
        EXPECT_EQ(p[1], q[1]) << qPrintable(where);
    } else if (text.contains(QStringLiteral("何分の1が"))) { // the 1 of 何分の1 is read too
        EXPECT_EQ(product(n.back().value, v), n[0].value) << qPrintable(where);
        EXPECT_EQ(p[1], q[1]) << qPrintable(where);
    } else if (text.contains(QStringLiteral("こ集めた数は"))) {
        EXPECT_EQ(v, product(n[0].value, n[1].value)) << qPrintable(where);
    } else if (p[2].contains(QStringLiteral("こ集めた数"))) {
        EXPECT_EQ(product(v, n[1].value), n[0].value) << qPrintable(where);
    } else if (text.contains(QStringLiteral("をあわせた数は"))) {
        EXPECT_EQ(v, sum(n[0].value, n[1].value)) << qPrintable(where);
    } else if (p[2].contains(QStringLiteral("をあわせた数"))) {
        EXPECT_EQ(sum(v, n[1].value), n[0].value) << qPrintable(where);
        // The part added is the number's part below its whole, as in the original.
        EXPECT_EQ(n[1].value.n == n[0].value.n / n[0].value.d,
                  o[1].value.n == o[0].value.n / o[0].value.d)
            << qPrintable(where);
    } else {
        // Units: the given amount (one or two parts) is the answer in the unit after it.
        static const QRegularExpression given(QStringLiteral(
            "^[ 　]*([0-9.]+)([a-zA-Z]+)(?:([0-9.]+)([a-zA-Z]+))?[ 　]*[＝=は][ 　]*$"));
        static const QRegularExpression into(QStringLiteral("^[ 　]*([a-zA-Z]+)"));
        const auto g = given.match(text), t = into.match(p[2]);
        if (!g.hasMatch() || !t.hasMatch() || UnitMm(t.captured(1)) == 0)
            return false;
        Frac total{0, 1};
        for (size_t k = 0; k < n.size(); ++k)
            total = sum(total, product(n[k].value, {UnitMm(g.captured(int(2 * k + 2))), 1}));
        EXPECT_EQ(product(v, {UnitMm(t.captured(1)), 1}), total) << qPrintable(where);
        if (n.size() == 2) { // 5cm3mm: the second part stays below one of the first unit
            EXPECT_TRUE(
                Less(product(n[1].value, {UnitMm(g.captured(4)), 1}), {UnitMm(g.captured(2)), 1}))
                << qPrintable(where);
        }
    }
    // Every number keeps its shape, every alternative is the answer in its own notation.
    EXPECT_EQ(Shapes(n), Shapes(o)) << qPrintable(where);
    EXPECT_EQ(AnswerClass(answer->number), AnswerClass(old->number)) << qPrintable(where);
    const QStringList alts = p[1].split(u';'), oldAlts = q[1].split(u';');
    EXPECT_EQ(alts.size(), oldAlts.size()) << qPrintable(where);
    for (int k = 0; k < alts.size(); ++k) {
        const auto alt = ReadAnswer(alts[k]), oldAlt = ReadAnswer(oldAlts[k]);
        EXPECT_TRUE(alt && oldAlt && alt->number.value == v &&
                    alt->number.digits == oldAlt->number.digits &&
                    alts[k].startsWith(u'.') == oldAlts[k].startsWith(u'.'))
            << qPrintable(where);
    }
    keys.append(text + u'#' + p[2]);
    return true;
}

// The sample's master files, by name ("Seisu1").
std::vector<std::string> SampleFiles()
{
    std::vector<std::string> names;
    QDirIterator it(test::sampleCourseware(), {QStringLiteral("*.que")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names.push_back(QFileInfo(it.next()).completeBaseName().toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<Unit> SampleUnits(const std::string& name)
{
    std::vector<Unit> units;
    QDirIterator it(test::sampleCourseware(), {QString::fromStdString(name + ".que")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QStringList lines;
        EXPECT_TRUE(TextFile::read(file, lines)) << qPrintable(file);
        for (const QString& header : lines) {
            if (!IsUnitHeader(header))
                continue;
            UnitReader reader;
            EXPECT_TRUE(reader.ReadUnit(file, header, 1, 1, UnitReader::OpenMaster, {}));
            units.push_back(
                {file.section(u'/', -2) + u' ' + header, reader.unit().content.questions});
        }
    }
    return units;
}

// Units of our own for the forms the sample does not show.
std::vector<Unit> OwnUnits()
{
    auto unit = [](const char* name, std::initializer_list<const char*> lines) {
        Unit u{QString::fromUtf8(name), {}};
        for (const char* l : lines)
            u.lines.append(QString::fromUtf8(l));
        return u;
    };
    return {
        unit("ascii and full width",
             {"(1) 46+27=#73#  (2) 92-38=#54#  (3) 7*8=#56#  (4) 84\\4=#21#",
              "（１）　１２＋３４＝#４６#　（２）　９１－４５＝#４６#", "(3) 6×7−5＝#37#",
              "@B(4) 2/5 ＋ 1/5 ＝ #3/5#", "(5)(8+4)*3=#36#", "（６）（１２－４）÷２＝#４#",
              "no blanks here"}),
        unit("decimals",
             {"(1) 0.25＋0.5＝#0.75;.75#", "(2) 1.6×5＝#8;8.0#", "(3) 3.05－1.2＝#1.85#",
              "(4) 12.5÷5＝#2.5#", "(5) 9.7÷4＝#2…1.7;2あまり1.7#", "(6) 3÷8＝#0.375;.375#"}),
        unit("fractions",
             {"(1) 3/4-1/4=#1/2#", "(2) 2&1/3+1&1/6=#3&1/2;7/2#", "(3) 5/6\\5/12=#2#",
              "(4) 9/4=#2&1/4#", "(5) 3&4/5=#19/5#", "(6) 10/12=#5/6#", "(7) (3/4)^2*4/3=#3/4#",
              "(8) 2^3-3/5=#37/5;7&2/5#", "(9) 2-5/8=#11/8;1&3/8#"}),
        unit("remainders and order",
             {"(1) 100÷7＝#14…2;14あまり2#", "(7) 7.0÷2＝#3…1.0;3あまり1#", "(2) 3×(17－9)÷4＝#6#",
              "(3) 48÷(2＋6)×5＝#30#", "(4) 700－1＝#699#", "(5) 0÷9＝#0#", "(6) 8＋0×5＝#8#"}),
    };
}

// Checks one generated set against the unit's originals; returns the expression texts made.
void CheckSet(const Unit& unit, const QuestionGenerator& gen, const GeneratedSet& set,
              const QSet<QString>& originals)
{
    ASSERT_EQ(set.questions.size(), unit.lines.size());
    QSet<int> keptLines;
    for (const KeptLine& k : gen.kept())
        keptLines.insert(k.line);
    QSet<QString> made;
    for (int i = 0; i < unit.lines.size(); ++i) {
        const QString& was = unit.lines[i];
        const QString& now = set.questions[i];
        const QString where =
            unit.name + QStringLiteral(" seed %1 line %2: ").arg(set.seed).arg(i + 1) + now;
        if (keptLines.contains(i + 1) || !was.contains(u'#')) {
            ASSERT_EQ(now, was) << qPrintable(where);
            continue;
        }
        ASSERT_EQ(Skeleton(now).toStdString(), Skeleton(was).toStdString()) << qPrintable(where);
        // Column problems read and agree with their answers, as the sheet lays them out.
        if (now.contains(QStringLiteral("@H"))) {
            for (const ColumnMark& mark : FindColumnMarks(now))
                ASSERT_EQ(mark.error.toStdString(), "") << qPrintable(where);
        }
        std::vector<QStringList> boxes, oldBoxes;
        const QStringList p = JoinBoxes(now.split(u'#'), boxes);
        const QStringList q = JoinBoxes(was.split(u'#'), oldBoxes);
        ASSERT_EQ(boxes.size(), oldBoxes.size()) << qPrintable(where);
        for (size_t k = 0; k < boxes.size(); ++k)
            ASSERT_NO_FATAL_FAILURE(CheckBoxes(boxes[k], oldBoxes[k], where));
        const auto oldSides = ExpressionBefore(q[0]) ? std::nullopt : EquationSides(was);
        if (oldSides) {
            const auto sides = EquationSides(now);
            ASSERT_TRUE(sides) << qPrintable(where);
            ASSERT_NE(now, was) << qPrintable(where);
            ASSERT_FALSE(made.contains(now)) << "repeated: " << qPrintable(where);
            made.insert(now);
            ASSERT_NO_FATAL_FAILURE(CheckEquation(*sides, *oldSides, where));
            continue;
        }
        QStringList keys, oldKeys;
        if (!ExpressionBefore(q[0]) && CheckWorded(unit.lines, i, now, where, keys)) {
            ASSERT_FALSE(::testing::Test::HasFailure()) << qPrintable(where);
            CheckWorded(unit.lines, i, was, where, oldKeys);
            for (int k = 0; k < keys.size(); ++k) {
                ASSERT_NE(keys[k], oldKeys[k]) << "the original's: " << qPrintable(where);
                ASSERT_FALSE(made.contains(keys[k])) << "repeated: " << qPrintable(where);
                made.insert(keys[k]);
            }
            continue;
        }
        if (!ExpressionBefore(q[0])) {
            // Fractions restated over their least common denominator.
            const auto fractions = [](const QString& text) {
                std::vector<Num> out;
                for (int i = 0; i < text.size();) {
                    const auto n = ReadNum(text, i);
                    if (n && n->kind == 'f')
                        out.push_back(*n);
                    if (!n)
                        ++i;
                }
                return out;
            };
            const auto f = fractions(p[0]), g = fractions(q[0]);
            ASSERT_EQ(f.size(), size_t(p.size() / 2)) << qPrintable(where);
            ASSERT_EQ(Shapes(f), Shapes(g)) << qPrintable(where);
            ASSERT_FALSE(made.contains(p[0])) << qPrintable(where);
            made.insert(p[0]);
            ASSERT_NE(p[0], q[0]) << qPrintable(where);
            long long common = 1, before = 1;
            for (size_t k = 0; k < f.size(); ++k) {
                common = std::lcm(common, f[k].parts[1]);
                before = std::lcm(before, g[k].parts[1]);
            }
            ASSERT_EQ(QString::number(common).size(), QString::number(before).size())
                << qPrintable(where);
            for (size_t k = 0; k < f.size(); ++k) {
                const auto answer = ReadAnswer(p[int(2 * k + 1)]);
                ASSERT_TRUE(answer && answer->number.kind == 'f') << qPrintable(where);
                ASSERT_EQ(answer->number.value, f[k].value) << qPrintable(where);
                ASSERT_EQ(answer->number.parts[1], common) << qPrintable(where);
            }
            continue;
        }
        for (int a = 1; a < p.size(); a += 2) {
            const auto e = ExpressionBefore(p[a - 1]);
            const auto o = ExpressionBefore(q[a - 1]);
            ASSERT_TRUE(e && o) << qPrintable(where);
            const Eval& ne = e->second;
            const Eval& oe = o->second;
            ASSERT_FALSE(originals.contains(e->first)) << qPrintable(where);
            ASSERT_FALSE(made.contains(e->first)) << "repeated: " << qPrintable(where);
            made.insert(e->first);
            // Operands: kinds and digit counts; intermediates: not negative, whole where the
            // original's were.
            ASSERT_EQ(Shapes(ne.numbers), Shapes(oe.numbers)) << qPrintable(where);
            ASSERT_EQ(ne.steps.size(), oe.steps.size()) << qPrintable(where);
            for (size_t s = 0; s < ne.steps.size(); ++s) {
                ASSERT_GE(ne.steps[s].n, 0) << qPrintable(where);
                if (s + 1 < ne.steps.size() && oe.steps[s].d == 1) {
                    ASSERT_EQ(ne.steps[s].d, 1) << qPrintable(where);
                    // A round result on the way (100, 1000) stays as round.
                    for (long long p = 100; oe.steps[s].n != 0 && oe.steps[s].n % p == 0; p *= 10)
                        ASSERT_EQ(ne.steps[s].n % p, 0) << qPrintable(where);
                }
            }
            const Frac value = ne.steps.back();
            // Carries or borrows of "a ± b".
            auto decimal = [](const Num& n) { return n.kind == 'i' || n.kind == 'd'; };
            if (ne.numbers.size() == 2 && ne.ops.size() == 1 &&
                (ne.ops[0] == '+' || ne.ops[0] == '-') && decimal(ne.numbers[0]) &&
                decimal(ne.numbers[1])) {
                int places = 0;
                for (const Num& n : oe.numbers)
                    places = std::max(places, n.kind == 'd' ? n.digits[1] : 0);
                auto pattern = [&](const Eval& x) {
                    return Columns(Scaled(x.numbers[0].value, places),
                                   Scaled(x.numbers[1].value, places), x.ops[0] == '-');
                };
                ASSERT_EQ(pattern(ne), pattern(oe)) << qPrintable(where);
            }
            // Like or unlike denominators of two fractions.
            if (ne.numbers.size() == 2 && ne.ops.size() == 1 &&
                (ne.ops[0] == '+' || ne.ops[0] == '-') && !decimal(ne.numbers[0]) &&
                !decimal(ne.numbers[1])) {
                ASSERT_EQ(ne.numbers[0].parts.back() == ne.numbers[1].parts.back(),
                          oe.numbers[0].parts.back() == oe.numbers[1].parts.back())
                    << qPrintable(where);
            }
            ASSERT_EQ(Reducible(ne), Reducible(oe)) << qPrintable(where);
            if (ne.numbers.size() == 2 && ne.ops.size() == 1 && ne.ops[0] != '^') {
                // Operands that differ stay different, the same one twice stays so.
                ASSERT_EQ(ne.numbers[0].value == ne.numbers[1].value,
                          oe.numbers[0].value == oe.numbers[1].value)
                    << qPrintable(where);
                // With a mixed number: the fraction parts carry or borrow as the original's.
                auto part = [](Frac v) { return Frac{v.n % v.d, v.d}; };
                auto carries = [&](const Eval& x) {
                    const Frac a = part(x.numbers[0].value), b = part(x.numbers[1].value);
                    return x.ops[0] == '-'
                               ? Less(a, b)
                               : !Less(Norm(a.n * b.d + b.n * a.d, a.d * b.d), Frac{1, 1});
                };
                if ((ne.ops[0] == '+' || ne.ops[0] == '-') &&
                    (oe.numbers[0].kind == 'm' || oe.numbers[1].kind == 'm')) {
                    ASSERT_EQ(carries(ne), carries(oe)) << qPrintable(where);
                }
            }
            // Every alternative is the value, in the original's notation.
            const QStringList alts = p[a].split(u';'), oldAlts = q[a].split(u';');
            ASSERT_EQ(alts.size(), oldAlts.size()) << qPrintable(where);
            for (int k = 0; k < alts.size(); ++k) {
                const auto ans = ReadAnswer(alts[k]);
                const auto old = ReadAnswer(oldAlts[k]);
                ASSERT_TRUE(ans && old) << qPrintable(where);
                ASSERT_EQ(ans->remainder, old->remainder) << qPrintable(where);
                if (!ans->remainder) {
                    ASSERT_EQ(ans->number.value, value) << qPrintable(where);
                    if (k == 0) {
                        ASSERT_EQ(AnswerClass(ans->number), AnswerClass(old->number))
                            << qPrintable(where);
                    }
                    continue;
                }
                // q…r: a = q·b + r with 0 < r < b, as the original (or r = 0 if it was).
                ASSERT_EQ(ne.ops.back(), ':') << qPrintable(where);
                const Frac dividend = ne.numbers.size() == 2 ? ne.numbers[0].value : Frac{};
                const Frac divisor = ne.numbers.size() == 2 ? ne.numbers[1].value : Frac{};
                const Frac qb = Norm(ans->number.value.n * divisor.n, divisor.d);
                const Frac back = Norm(qb.n * ans->rest.value.d + ans->rest.value.n * qb.d,
                                       qb.d * ans->rest.value.d);
                ASSERT_EQ(back, dividend) << qPrintable(where);
                ASSERT_TRUE(Less(ans->rest.value, divisor)) << qPrintable(where);
                ASSERT_EQ(ans->rest.value.n == 0, old->rest.value.n == 0) << qPrintable(where);
                ASSERT_EQ(ans->number.digits, old->number.digits) << qPrintable(where);
                ASSERT_EQ(AnswerClass(ans->rest), AnswerClass(old->rest)) << qPrintable(where);
            }
        }
    }
}

int SeedCount()
{
    const QByteArray env = qgetenv("ZENDRA_GENERATOR_SEEDS");
    if (!env.isEmpty())
        return env.toInt();
#if defined(__SANITIZE_ADDRESS__)
    return 100; // the sanitizer build runs far slower; the full run is the plain build's
#else
    return 10000;
#endif
}

QSet<QString> OriginalExpressions(const Unit& unit)
{
    QSet<QString> originals;
    for (const QString& line : unit.lines) {
        const QStringList p = line.split(u'#');
        for (int a = 1; a < p.size(); a += 2) {
            if (const auto e = ExpressionBefore(p[a - 1]))
                originals.insert(e->first);
        }
    }
    return originals;
}

void CheckUnits(const std::vector<Unit>& units)
{
    const int seeds = SeedCount();
    for (const Unit& unit : units) {
        const QuestionGenerator gen(unit.lines);
        const QuestionGenerator again(unit.lines);
        const QSet<QString> originals = OriginalExpressions(unit);
        for (int seed = 1; seed <= seeds; ++seed) {
            const GeneratedSet set = gen.generate(quint64(seed), 1 + seed % 5);
            ASSERT_NO_FATAL_FAILURE(CheckSet(unit, gen, set, originals));
            if (seed % 97 == 0) { // the same seed, another generator: the same bytes
                ASSERT_EQ(again.generate(quint64(seed), 1 + seed % 5).questions, set.questions);
            }
        }
    }
}

} // namespace

// One test per master file of the sample, so that the files run side by side.
class SampleFile : public ::testing::TestWithParam<std::string>
{
};

TEST_P(SampleFile, EveryUnitKeepsEveryRule)
{
    const auto units = SampleUnits(GetParam());
    ASSERT_GE(units.size(), 3u);
    CheckUnits(units);
}

INSTANTIATE_TEST_SUITE_P(QuestionGenerator, SampleFile, ::testing::ValuesIn(SampleFiles()),
                         [](const auto& info) { return info.param; });

TEST(QuestionGenerator, OwnUnitsKeepEveryRule)
{
    const auto units = OwnUnits();
    for (const Unit& unit : units) {
        const QuestionGenerator gen(unit.lines);
        for (const KeptLine& k : gen.kept())
            ADD_FAILURE() << qPrintable(unit.name + u' ' + k.text + u' ' + k.reason);
    }
    CheckUnits(units);
}

// Questions in words: the sample's, and the other ways of putting them.
TEST(QuestionGenerator, VariesQuestionsInWords)
{
    const std::vector<std::pair<const char*, std::vector<const char*>>> units = {
        {"rounding to a place",
         {"@B四捨五入して、（　）の中の位までのがい数にしましょう。", "(1) 3648（百の位）　#3600#",
          "(2) 5271（千の位）　#5000#", "(3) 48350（千の位）　#48000#",
          "(4) 72951（一万の位）　#70000#", "(5) 8496（十の位）　#8500#",
          "(6) 15503（百の位）　#15500#", "(7) 9651（千の位）　#10000#",
          "(8) 4300（百の位）　#4300#"}},
        {"rounding to figures",
         {"@B四捨五入して、上から２けたのがい数にしましょう。", "(7) 4762　#4800#",
          "(8) 39512　#40000#", "(9) 265300　#270000#", "(10) 8049　#8000#"}},
        {"rounding down and up",
         {"@B切り捨てで、百の位までのがい数にしましょう。", "(1) 3682　#3600#",
          "@B切り上げで、上から1けたのがい数にしましょう。", "(2) 3612　#4000#"}},
        {"comparing",
         {"@Bどちらが大きいですか。", "(1) 0.8　#　＞#　0.6　　　　　　(2) 1.3　#　＜#　3.1",
          "(3) 0.7　#　＝#　0.70　　　　　　(4) 2.5　#　＞#　2.49",
          "(5) 0.9　#　＜#　1　　　　　　　(6) 4　#　＞#　3.98",
          "(7) 0.06　#　＜#　0.1　　　　　　(8) 5.2　#　＝#　5.20",
          "(9) 10.1　#　＞#　9.99　　　　　(10) 0.35　#　＜#　0.4",
          "(11) 7.08　#　＜#　7.1　　　　　(12) 1.01　#　＜#　1.1",
          "(13) 2.05 #<# 2.5 (14) 3.50 #=# 3.5"}},
        {"ten times and a tenth",
         {"(1) 3.6 の 10倍は　#36#", "(2) 0.52 の 10倍は　#5.2#", "(3) 1.25 の 100倍は　#125#",
          "(4) 0.08 の 100倍は　#8#", "(5) 42 の @=1/10@= は　#4.2#",
          "(6) 7.5 の @=1/10@= は　#0.75;.75#", "(7) 360 の @=1/100@= は　#3.6#",
          "(8) 9 の @=1/100@= は　#0.09;.09#", "(9) 0.047 を何倍すると 0.47 になりますか。　#10#",
          "(10) 230 の何分の1が 2.3 ですか。　#100#", "(11) 56 の 10分の1は　#5.6#"}},
        {"units",
         {"(1) 235cm＝#　2.35#　m", "(2) 1800g＝#　1.8#　kg", "(3) 750mL＝#　0.75;.75#　L",
          "(4) 3.4km＝#　3400#　m", "(5) 2.5L＝#　25#　dL", "(6) 0.6kg＝#　600#　g",
          "(7) 47mm＝#　4.7#　cm", "(8) 1.08m＝#　108#　cm", "(9) 2t＝#2000#kg",
          "(10) 4m25cm＝#4.25#m", "(11) 1dLは　#　0.1;.1#　Lです。"}},
        {"tenths",
         {"(4) 0.1を 7こ集めた数は　#　0.7;.7#　です。",
          "(5) 3と 0.6をあわせた数は　#　3.6#　です。",
          "(6) 2.8は、0.1を　#　28#　こ集めた数です。", "(8) 5cm3mmは　#　5.3#　cmです。",
          "(9) 4.7は、4と　#　0.7;.7#　をあわせた数です。"}},
    };
    std::vector<Unit> checked;
    for (const auto& [name, lines] : units) {
        Unit unit{QString::fromUtf8(name), {}};
        for (const char* line : lines)
            unit.lines.append(QString::fromUtf8(line));
        const QuestionGenerator gen(unit.lines);
        for (const KeptLine& k : gen.kept())
            ADD_FAILURE() << name << ": " << qPrintable(k.text + u' ' + k.reason);
        EXPECT_TRUE(gen.understandsEveryAnswerLine()) << name;
        checked.push_back(unit);
    }
    CheckUnits(checked);
}

TEST(QuestionGenerator, KeepsWhatItCannotVaryWithTheReason)
{
    // {line, reason it is kept, or "" when it is varied}
    const std::pair<const char*, const char*> cases[] = {
        {"(1) 245＋132＝#377#　　(2) 17÷5＝#3…2;3あまり2#", ""},
        {"(3) 6/8=#3/4#　(4) 7/4=#1&3/4#　(5) 1&2/3=#5/3#", ""},
        {"(1) @=1/2@= と @=1/3@=　→　#  3/6#　と　#  2/6#", ""},
        {"(2) @=1/2@= と @=1/3@=　→　#  6/12#　と　#  4/12#",
         "答えの前に「＝」で終わる式がありません"},
        {"　　式　#　425＋368#　　答え　#　793#　円", "文章題です"},
        {"(5) 42 の @=1/10@= は　#4.2#", ""},
        {"(1) 235cm＝#　2.35#　m", ""},
        {"(1) 0.8　#　＞#　0.6　(2) 0.7　#　＝#　0.70", ""},
        {"(1) 3.6 の 10倍は　#37#", "答えが式の値と合いません"},
        {"(1) 0.8　#　＜#　0.6", "答えが式の値と合いません"},
        {"(2) 235cm＝#　2.35#　kg", "答えの前に「＝」で終わる式がありません"},
        {"(3) 3648（百の位）　#3600#", "答えの前に「＝」で終わる式がありません"},
        {"(4) 数直線のアの目もり　#　0.4;.4#", "数直線を読む問題です"},
        {"(9) 下のテープの長さは何cmですか。　#　7.4#　cm", "図を読む問題です"},
        {"(5) 8cmのテープ 9本分の長さは？#かけ算#", "答えが数ではありません"},
        {"(3) 赤い花が 35本、白い花が 18本。あわせて何本？#53#", "文章題です"},
        {"(6) 2＋3＝#5#　(7) 2＋3＝#6#", "答えが式の値と合いません"},
        {"(8) 17÷5＝#3…1#", "答えが式の値と合いません"},
        {"(9) 1/2+1/4=#3/4;4分の3#", "答えの書き方を読めません"},
        {"(10) 1/2+1/2=#2/2#", "答えの書き方を読めません"},
        {"(11) 2/0+1=#1#", "式を読めません"},
        {"(12) 1/2^2=#1/4#", "式を読めません"},
        {"(13) 12＝#12#", "計算のない式です"},
        {"(14) 1/2=#1/2#", "計算のない式です"},
        {"a#b", "＃の数が奇数です"},
        {"(16) 1234567890123456789＋1＝#1234567890123456790#", "けたの多すぎる数があります"},
        {"(17) 0.1234567890123456＋1＝#1.1234567890123456#", "けたの多すぎる数があります"},
        {"(15) 0×0＝#0#", "条件に合うほかの数が見つかりません"},
    };
    for (const auto& [line, reason] : cases) {
        const QString text = QString::fromUtf8(line);
        const QuestionGenerator gen({QStringLiteral("見出し"), text});
        EXPECT_EQ(gen.totalAnswers(), text.count(u'#') / 2) << line;
        if (*reason == 0) {
            EXPECT_TRUE(gen.kept().isEmpty()) << line;
            EXPECT_TRUE(gen.understandsEveryAnswerLine()) << line;
            continue;
        }
        ASSERT_EQ(gen.kept().size(), 1) << line;
        EXPECT_EQ(gen.kept()[0].line, 2) << line;
        EXPECT_EQ(gen.kept()[0].text, text) << line;
        EXPECT_EQ(gen.kept()[0].reason.toStdString(), std::string(reason)) << line;
        EXPECT_EQ(gen.understoodAnswers(), 0) << line;
        EXPECT_EQ(gen.generate(7).questions.value(1), text) << line;
    }
}

// Column problems with their answers in boxes of their own, and blanks inside an equation:
// the numbers vary, and every rule holds on every seed.
TEST(QuestionGenerator, VariesAnswerBoxesAndEquations)
{
    const char* lines[] = {
        "(1)@H255×73＝#765#,#1785#,#18615#　　　　(2)@H151×44＝#604#,#604#,#6644#",
        "(7)@H915×31＝#915#,#2745#,#28365#",
        "(3)@Hc2.35×14＝#940#,#235#,#32.9#",
        "(2)@Hs505÷32＝#15#…#25#　　　　(4)@Hsm843÷31＝#27#…#6#",
        "(6)@Hs290÷16＝#18#…#2#",
        "(9) 25×(4×7)＝(25×#　4# )×7",
        "(10) 8×12＋2×12＝(8＋#　2# )×12＝#　120#",
        "(11) 15×6－5×6＝(15－#　5# )×6＝#　60#",
        "(12) 36＋27＋64＝(36＋#64#)＋27＝#127#",
        "(13) 7×(5×4)＝(7×#　5#)×4＝#140#",
    };
    std::vector<Unit> units;
    for (const char* line : lines) {
        const Unit unit{QString::fromUtf8(line), {QString::fromUtf8(line)}};
        const QuestionGenerator gen(unit.lines);
        for (const KeptLine& k : gen.kept())
            ADD_FAILURE() << line << " kept: " << qPrintable(k.reason);
        QSet<QString> made;
        for (int seed = 1; seed <= 100; ++seed)
            made.insert(gen.generate(quint64(seed)).questions[0]);
        EXPECT_GE(made.size(), 8) << line;
        units.push_back(unit);
    }
    CheckUnits(units);
}

// The same seed must give these bytes on every platform and compiler: the generator and
// its mapping to ranges are the program's own.
TEST(QuestionGenerator, SeedGivesTheSameSetEverywhere)
{
    const QuestionGenerator gen({
        QStringLiteral("(1) 245＋132＝#377#　　(2) 17÷5＝#3…2;3あまり2#"),
        QStringLiteral("(3) 2/3+2/3=#4/3;1&1/3#　(4) 4.5＋0.5＝#5;5.0#"),
        QStringLiteral("(5) 1.5－0.8＝#0.7;.7#"),
        QStringLiteral("(6) 6/8=#3/4#"),
    });
    const GeneratedSet set = gen.generate(20261208, 3);
    EXPECT_EQ(set.variant, 3);
    EXPECT_EQ(set.seed, QuestionGenerator::SetSeed(20261208, 3));
    EXPECT_EQ(set.questions.join(u'\n').toStdString(),
              "(1) 104＋140＝#244#　　(2) 52÷9＝#5…7;5あまり7#\n"
              "(3) 4/7+4/7=#8/7;1&1/7#　(4) 2.9＋0.1＝#3;3.0#\n"
              "(5) 1.8－0.9＝#0.9;.9#\n"
              "(6) 2/6=#1/3#");
    const auto sets = gen.generateSets(20261208, 5);
    ASSERT_EQ(sets.size(), 5);
    EXPECT_EQ(sets[2].questions, set.questions);
    EXPECT_NE(sets[1].questions, set.questions);
}
