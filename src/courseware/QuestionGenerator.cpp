#include "courseware/QuestionGenerator.h"

#include "courseware/GeneratorColumns.h"
#include "courseware/GeneratorEquations.h"
#include "courseware/QuestionLine.h"
#include "courseware/QuestionPlan.h"
#include "courseware/WordedQuestions.h"

#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <vector>

namespace zendra {

using namespace generator;

namespace {

// The largest power of ten that divides a whole number (1 for 0).
qint64 RoundingOf(qint64 n)
{
    qint64 p = 1;
    while (n != 0 && n % (p * 10) == 0)
        p *= 10;
    return p;
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
        if (q.expr.nodes[size_t(i)].op == ExprOp::Number || !q.originalNodes[size_t(i)].isWhole())
            continue;
        if (!nodes[size_t(i)].isWhole())
            return false;
        // A round result on the way (25×4 = 100 in 25×4×37) is what the question is
        // built on: it stays as round.
        const qint64 round = RoundingOf(q.originalNodes[size_t(i)].num());
        if (round >= 100 && nodes[size_t(i)].num() % round != 0)
            return false;
    }
    if (q.alternatives[0].kind == AnswerKind::Remainder) {
        const ExprNode& r = q.expr.nodes.back();
        const Rational a = nodes[size_t(r.left)], b = nodes[size_t(r.right)];
        const qint64 quotient = nodes.back().floor();
        const auto rest = a.sub(b.mul(Rational(quotient)).value_or(Rational()));
        if (!rest || !FitsShape(Rational(quotient), q.answer) || !FitsShape(*rest, q.remainder))
            return false;
        for (size_t i = 1; i < q.alternatives.size(); ++i) {
            if (!Express(*rest, q.alternatives[i].notation))
                return false;
        }
    } else {
        if (!FitsShape(nodes.back(), q.answer))
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
        if (rule.partCarry >= 0 && PartCarry(nodes[size_t(n.left)], nodes[size_t(n.right)],
                                             n.op == ExprOp::Sub) != rule.partCarry)
            return false;
        if (rule.fractions) {
            if ((a.denominator == b.denominator) != rule.like)
                return false;
        } else if (rule.columns) {
            const auto x = nodes[size_t(n.left)].scaled(rule.places);
            const auto y = nodes[size_t(n.right)].scaled(rule.places);
            if (!x || !y || ColumnCarries(*x, *y, n.op == ExprOp::Sub) != rule.pattern)
                return false;
        }
    }
    for (const auto& [node, same] : q.operands) {
        const ExprNode& n = q.expr.nodes[size_t(node)];
        if ((nodes[size_t(n.left)] == nodes[size_t(n.right)]) != same)
            return false;
    }
    if (q.reducible >= 0 && RawReducible(q.expr, leaves) != q.reducible)
        return false;
    if (!q.boxes.empty() && !BoxesKeep(q, leaves, nodes))
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
bool DrawCommon(const Question& q, SeededRandom& rng, const QSet<QString>& used, Draw& out)
{
    const size_t count = q.expr.leaves.size();
    out.leaves.resize(count);
    for (int attempt = 0; attempt < kTries; ++attempt) {
        bool ok = true;
        QSet<qint64> denominators;
        for (size_t i = 0; i < count && ok; ++i) {
            const auto w = DrawNumber(q.leafShapes[i], q.expr.leaves[i].number, rng);
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

bool DrawQuestion(const Question& q, SeededRandom& rng, const QSet<QString>& used, Draw& out)
{
    if (q.common)
        return DrawCommon(q, rng, used, out);
    if (q.equation)
        return DrawEquation(*q.equation, rng, used, out);
    if (q.worded)
        return DrawWorded(q, rng, used, out);
    const size_t count = q.expr.leaves.size();
    out.leaves.resize(count);
    std::vector<Rational> values(count);
    for (int attempt = 0; attempt < kTries; ++attempt) {
        bool ok = true;
        for (size_t i = 0; i < count && ok; ++i) {
            const auto w = DrawNumber(q.leafShapes[i], q.expr.leaves[i].number, rng);
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
            const auto w = DrawNumber(q.leafShapes[r], q.expr.leaves[r].number, rng,
                                      out.leaves[l].denominator);
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
            const auto result = DrawNumber(q.quotient, WrittenNumber{}, rng);
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
                const auto rest = DrawNumber(q.remainder, WrittenNumber{}, rng);
                if (!rest || !dividend)
                    continue;
                dividend = dividend->add(*rest->value());
            }
            if (!dividend)
                continue;
            const auto w = Express(*dividend, q.leafShapes[leaf].notation);
            if (!w || !FitsWritten(*w, q.leafShapes[leaf]))
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
        const std::vector<ColumnMark> marks = understood && lines_[i].contains(QStringLiteral("@H"))
                                                  ? FindColumnMarks(lines_[i])
                                                  : std::vector<ColumnMark>();
        for (int b = 0; b < blanks && understood;) {
            Question q;
            const int boxes = ColumnBoxCount(marks, b);
            understood = boxes > 1 ? PlanColumnBoxes(line.pieces, 2 * b, boxes, q, reason)
                                   : PlanQuestion(line.pieces, 2 * b, q, reason);
            if (understood)
                line.questions.push_back(std::move(q));
            b += std::max(boxes, 1);
        }
        if (!understood && reason == kNoExpression) {
            Question q;
            if (PlanCommonDenominator(line.pieces, q)) {
                line.questions.assign(1, std::move(q));
                understood = true;
            }
        }
        if (!understood && reason == kNoExpression) {
            Question q;
            if (PlanEquation(lines_[i], q)) {
                line.questions.assign(1, std::move(q));
                understood = true;
            }
        }
        if (!understood && reason == kNoExpression)
            understood = PlanWorded(lines_, int(i), line.pieces, line.questions, reason);
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
    SeededRandom rng(0x5A454E445241ULL);
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
bool DrawSet(const std::vector<Line>& lines, const QSet<QString>& originals, SeededRandom& rng,
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
        SeededRandom rng(round == 0 ? set.seed : SetSeed(set.seed, round));
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
            if (q.worded) {
                WriteWorded(q, d, pieces);
                continue;
            }
            if (q.equation) {
                pieces = SplitQuestionLine(d.text);
                continue;
            }
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
            if (q.boxes.empty())
                pieces[q.piece + 1] = AnswerText(q, d.nodes);
            else
                WriteBoxes(q, d.leaves, d.nodes, pieces);
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
