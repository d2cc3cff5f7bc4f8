#include "courseware/GeneratorEquations.h"

#include <algorithm>

namespace zendra::generator {

namespace {

constexpr int kEquationTries = 20000;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\u3000';
}

// The largest power of ten that divides a whole number (1 for 0).
qint64 RoundingOf(qint64 n)
{
    qint64 p = 1;
    while (n != 0 && n % (p * 10) == 0)
        p *= 10;
    return p;
}

bool IsColumnForm(const WrittenNumber& w)
{
    return w.notation.form == NumberForm::Integer || w.notation.form == NumberForm::Decimal;
}

// The sides of `text` from `begin` on, split at each '＝'; none when one does not read.
std::optional<std::vector<EquationSide>> ReadSides(const QString& text, qsizetype begin)
{
    std::vector<EquationSide> sides;
    qsizetype from = begin;
    while (from <= text.size()) {
        qsizetype to = from;
        while (to < text.size() && text[to] != u'＝' && text[to] != u'=')
            ++to;
        qsizetype a = from, b = to;
        while (a < b && IsBlank(text[a]))
            ++a;
        while (b > a && IsBlank(text[b - 1]))
            --b;
        auto expr = ReadExpression(QStringView(text).sliced(a, b - a));
        if (a == b || !expr)
            return std::nullopt;
        for (ExprLeaf& leaf : expr->leaves)
            leaf.start += a;
        EquationSide side;
        side.expr = std::move(*expr);
        sides.push_back(std::move(side));
        from = to + 1;
    }
    return sides;
}

// Every step of a side for its leaves' values: none when one is out of range, negative,
// not whole where the original's was, or not as round.
std::optional<Rational> SideValue(const EquationSide& side, const std::vector<Rational>& leaves,
                                  std::vector<Rational>& nodes)
{
    if (!EvaluateNodes(side.expr, leaves, nodes))
        return std::nullopt;
    for (const Rational& v : nodes) {
        if (v.isNegative())
            return std::nullopt;
    }
    for (const SideStep& step : side.steps) {
        const Rational& v = nodes[size_t(step.node)];
        if (!v.isWhole() || v.num() % step.round != 0)
            return std::nullopt;
    }
    return nodes.back();
}

// Carries or borrows of a + or - of two written numbers.
std::optional<std::vector<bool>> Carries(const EquationSide& side, const SideColumns& c,
                                         const std::vector<Rational>& nodes)
{
    const ExprNode& n = side.expr.nodes[size_t(c.node)];
    const auto x = nodes[size_t(n.left)].scaled(c.places);
    const auto y = nodes[size_t(n.right)].scaled(c.places);
    if (!x || !y)
        return std::nullopt;
    return ColumnCarries(*x, *y, n.op == ExprOp::Sub);
}

// The rules a side's new numbers keep, from its original values.
void SideRules(EquationSide& side, const std::vector<Rational>& nodes)
{
    const int root = side.expr.root();
    for (int i = 0; i < root; ++i) {
        const ExprNode& n = side.expr.nodes[size_t(i)];
        if (n.op == ExprOp::Number || !nodes[size_t(i)].isWhole())
            continue;
        // A step made round is what the rewriting is built on: 8＋2 makes 10, 25×4 makes
        // 100. It stays as round.
        const qint64 round = RoundingOf(nodes[size_t(i)].num());
        const bool sum = n.op == ExprOp::Add || n.op == ExprOp::Sub;
        side.steps.push_back({i, round >= (sum ? 10 : 100) ? round : 1});
    }
    for (size_t i = 0; i < side.expr.nodes.size(); ++i) {
        const ExprNode& n = side.expr.nodes[i];
        if (n.op != ExprOp::Add && n.op != ExprOp::Sub)
            continue;
        const ExprNode& l = side.expr.nodes[size_t(n.left)];
        const ExprNode& r = side.expr.nodes[size_t(n.right)];
        if (l.op != ExprOp::Number || r.op != ExprOp::Number)
            continue;
        const WrittenNumber& a = side.expr.leaves[size_t(l.leaf)].number;
        const WrittenNumber& b = side.expr.leaves[size_t(r.leaf)].number;
        if (!IsColumnForm(a) || !IsColumnForm(b))
            continue;
        SideColumns c;
        c.node = int(i);
        c.places = std::max(a.notation.form == NumberForm::Decimal ? a.notation.places : 0,
                            b.notation.form == NumberForm::Decimal ? b.notation.places : 0);
        if (const auto pattern = Carries(side, c, nodes)) {
            c.pattern = *pattern;
            side.columns.push_back(std::move(c));
        }
    }
}

} // namespace

bool PlanEquation(const QString& line, Question& q)
{
    if (line.contains(u'@') || line.contains(u';') || line.count(u'#') % 2 != 0 ||
        !line.contains(u'#'))
        return false;
    // The marks become blanks, so that every place in the text is its place in the line.
    QString text = line;
    text.replace(u'#', u' ');
    std::vector<std::pair<qsizetype, qsizetype>> blanks; // the marks around each blank
    for (qsizetype open = line.indexOf(u'#'); open >= 0;) {
        const qsizetype close = line.indexOf(u'#', open + 1);
        blanks.push_back({open, close});
        open = line.indexOf(u'#', close + 1);
    }
    qsizetype begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    auto sides = ReadSides(text, begin);
    if (!sides && begin < text.size() && (text[begin] == u'(' || text[begin] == u'（')) {
        // A question number "(10)" before the first side.
        qsizetype i = begin + 1;
        while (i < text.size() && DigitValue(text[i]) >= 0)
            ++i;
        if (i > begin + 1 && i < text.size() && (text[i] == u')' || text[i] == u'）'))
            sides = ReadSides(text, i + 1);
    }
    if (!sides || sides->size() < 2)
        return false;

    auto eq = std::make_shared<Equation>();
    eq->line = line;
    eq->sides = std::move(*sides);
    // Which blank each leaf stands in, if any; every blank holds exactly one number.
    std::vector<int> filled(blanks.size(), 0);
    auto blankOf = [&blanks](const ExprLeaf& leaf) {
        for (size_t k = 0; k < blanks.size(); ++k) {
            if (leaf.start > blanks[k].first && leaf.start + leaf.length <= blanks[k].second)
                return int(k);
        }
        return -1;
    };
    std::vector<Rational> values; // per variable
    bool computed = false;
    for (int pass = 0; pass < 2; ++pass) {
        // Numbers written outside the blanks first: they are the variables; then the blanks.
        for (EquationSide& side : eq->sides) {
            side.variables.resize(side.expr.leaves.size(), -1);
            const bool lone = side.expr.nodes.size() == 1;
            computed = computed || !lone;
            for (size_t i = 0; i < side.expr.leaves.size(); ++i) {
                const ExprLeaf& leaf = side.expr.leaves[i];
                const int blank = blankOf(leaf);
                if ((blank >= 0) != (pass == 1))
                    continue;
                const auto value = leaf.number.value();
                if (!value || TooLong(ShapeOf(leaf.number)))
                    return false;
                if (blank >= 0)
                    ++filled[size_t(blank)];
                if (blank >= 0 && lone) {
                    side.result = true;
                    side.resultNotation = leaf.number.notation;
                    side.resultShape = ShapeOf(leaf.number);
                    continue;
                }
                const auto at = std::find(values.begin(), values.end(), *value);
                if (at != values.end()) {
                    const size_t v = size_t(at - values.begin());
                    if (WriteNumber(eq->originals[v]) != WriteNumber(leaf.number))
                        return false; // one number written two ways
                    side.variables[i] = int(v);
                    continue;
                }
                if (blank >= 0)
                    return false; // a blank whose number is written nowhere else
                side.variables[i] = int(values.size());
                values.push_back(*value);
                eq->originals.push_back(leaf.number);
                eq->shapes.push_back(ShapeOf(leaf.number));
            }
        }
    }
    if (!computed || std::any_of(filled.begin(), filled.end(), [](int n) { return n != 1; }))
        return false;
    // Every side of the same value.
    std::optional<Rational> value;
    for (EquationSide& side : eq->sides) {
        std::vector<Rational> leaves, nodes;
        for (const ExprLeaf& leaf : side.expr.leaves)
            leaves.push_back(*leaf.number.value());
        if (!EvaluateNodes(side.expr, leaves, nodes) || (value && !(nodes.back() == *value)))
            return false;
        value = nodes.back();
        if (!side.result)
            SideRules(side, nodes);
    }
    q.text = line;
    q.equation = std::move(eq);
    return true;
}

bool DrawEquation(const Equation& eq, SeededRandom& rng, const QSet<QString>& used, Draw& out)
{
    const size_t count = eq.shapes.size();
    out.leaves.resize(count);
    std::vector<Rational> drawn(count), leaves, nodes;
    for (int attempt = 0; attempt < kEquationTries; ++attempt) {
        bool ok = true;
        for (size_t v = 0; v < count && ok; ++v) {
            const auto w = DrawNumber(eq.shapes[v], eq.originals[v], rng);
            ok = w.has_value();
            if (ok) {
                out.leaves[v] = *w;
                drawn[v] = *w->value();
                // Numbers that differ stay different.
                ok = std::find(drawn.begin(), drawn.begin() + qsizetype(v), drawn[v]) ==
                     drawn.begin() + qsizetype(v);
            }
        }
        std::optional<Rational> value;
        for (const EquationSide& side : eq.sides) {
            if (!ok || side.result)
                continue;
            leaves.clear();
            for (int v : side.variables)
                leaves.push_back(drawn[size_t(v)]);
            const auto sideValue = SideValue(side, leaves, nodes);
            ok = sideValue && (!value || *sideValue == *value);
            for (const SideColumns& c : side.columns) {
                if (ok)
                    ok = Carries(side, c, nodes) == c.pattern;
            }
            if (ok)
                value = sideValue;
        }
        if (!ok || !value)
            continue;
        // The new line: every number written where the original's stood, last first.
        std::vector<std::pair<const ExprLeaf*, QString>> writes;
        for (const EquationSide& side : eq.sides) {
            for (size_t i = 0; i < side.expr.leaves.size() && ok; ++i) {
                if (!side.result) {
                    writes.push_back(
                        {&side.expr.leaves[i], WriteNumber(out.leaves[size_t(side.variables[i])])});
                    continue;
                }
                const auto w = Express(*value, side.resultNotation);
                ok = FitsShape(*value, side.resultShape) && w.has_value();
                if (ok)
                    writes.push_back({&side.expr.leaves[i], WriteNumber(*w)});
            }
        }
        if (!ok)
            continue;
        std::sort(writes.begin(), writes.end(),
                  [](const auto& a, const auto& b) { return a.first->start > b.first->start; });
        out.text = eq.line;
        for (const auto& [leaf, number] : writes)
            out.text.replace(leaf->start, leaf->length, number);
        if (used.contains(out.text))
            continue;
        out.nodes.assign(1, *value);
        return true;
    }
    return false;
}

} // namespace zendra::generator
