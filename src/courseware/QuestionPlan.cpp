#include "courseware/QuestionPlan.h"

#include "courseware/QuestionLine.h"

#include <QSet>

#include <algorithm>

namespace zendra::generator {

namespace {

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
} // namespace

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
        if (a.notation.form == NumberForm::Mixed || b.notation.form == NumberForm::Mixed)
            rule.partCarry = PartCarry((*leafValues)[size_t(l.leaf)], (*leafValues)[size_t(r.leaf)],
                                       n.op == ExprOp::Sub);
        if (IsFractionForm(a) && IsFractionForm(b)) {
            rule.fractions = true;
            rule.like = a.denominator == b.denominator;
        } else if (!IsFractionForm(a) && !IsFractionForm(b)) {
            rule.columns = true;
            rule.places = std::max(a.notation.form == NumberForm::Decimal ? a.notation.places : 0,
                                   b.notation.form == NumberForm::Decimal ? b.notation.places : 0);
            rule.pattern = ColumnCarries(*(*leafValues)[size_t(l.leaf)].scaled(rule.places),
                                         *(*leafValues)[size_t(r.leaf)].scaled(rule.places),
                                         n.op == ExprOp::Sub);
        } else if (rule.partCarry < 0) {
            continue;
        }
        q.pairs.push_back(rule);
    }
    // Two numbers of one operation that differ stay different ("2/7+3/7"), and the same
    // number twice stays so ("2/3+2/3", "99×99").
    for (size_t i = 0; i < q.expr.nodes.size(); ++i) {
        const ExprNode& n = q.expr.nodes[i];
        if (n.op == ExprOp::Number || n.op == ExprOp::Pow ||
            q.expr.nodes[size_t(n.left)].op != ExprOp::Number ||
            q.expr.nodes[size_t(n.right)].op != ExprOp::Number)
            continue;
        q.operands.push_back(
            {int(i), q.originalNodes[size_t(n.left)] == q.originalNodes[size_t(n.right)]});
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
        if (product > 0 && __builtin_mul_overflow(product, w.denominator, &product))
            product = -1; // past any common denominator
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

} // namespace zendra::generator
