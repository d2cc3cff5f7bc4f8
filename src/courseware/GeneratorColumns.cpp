#include "courseware/GeneratorColumns.h"

namespace zendra::generator {

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\u3000';
}

QString Trim(const QString& s, QString& before, QString& after)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    before = s.left(b);
    after = s.mid(e);
    return s.mid(b, e - b);
}

bool IsProduct(const Question& q)
{
    return q.expr.nodes.back().op == ExprOp::Mul;
}

} // namespace

int ColumnBoxCount(const std::vector<ColumnMark>& marks, int blank)
{
    for (const ColumnMark& mark : marks) {
        if (mark.firstAnswer == blank)
            return mark.answers.size() > 1 && mark.error.isEmpty() ? int(mark.answers.size()) : 0;
    }
    return 0;
}

bool PlanColumnBoxes(const QStringList& pieces, int piece, int count, Question& q, QString& reason)
{
    std::vector<ColumnBox> boxes(static_cast<size_t>(count));
    std::vector<WrittenNumber> written;
    for (int k = 0; k < count; ++k) {
        const QString text =
            Trim(pieces[piece + 1 + 2 * k], boxes[size_t(k)].before, boxes[size_t(k)].after);
        const auto n = ReadNumber(text);
        if (!n ||
            (n->notation.form != NumberForm::Integer && n->notation.form != NumberForm::Decimal)) {
            reason = kAnswerForm;
            return false;
        }
        boxes[size_t(k)].shape = ShapeOf(*n);
        written.push_back(*n);
    }
    // The product (the last box), or the quotient and its remainder as one answer "q…r".
    QStringList one = pieces;
    if (count == 2)
        one[piece + 1] = WriteNumber(written[0]) + u'…' + WriteNumber(written[1]);
    else
        one[piece + 1] = pieces[piece + 2 * count - 1];
    if (!PlanQuestion(one, piece, q, reason))
        return false;
    const bool product = IsProduct(q);
    if (product != (count == 3) || (!product && q.alternatives[0].kind != AnswerKind::Remainder)) {
        reason = kAnswerForm;
        return false;
    }
    q.boxes = std::move(boxes);
    return true;
}

std::vector<Rational> BoxValues(const Question& q, const std::vector<WrittenNumber>& leaves,
                                const std::vector<Rational>& nodes)
{
    const ExprNode& root = q.expr.nodes.back();
    const Rational value = nodes.back();
    if (IsProduct(q)) {
        // The digits of the multiplicand as written, a decimal's point left out, as the
        // partial rows show them.
        const qint64 a = leaves[size_t(q.expr.nodes[size_t(root.left)].leaf)].whole;
        const qint64 m = leaves[size_t(q.expr.nodes[size_t(root.right)].leaf)].whole;
        return {Rational(a * (m % 10)), Rational(a * (m / 10 % 10)), value};
    }
    const qint64 quotient = value.floor();
    const auto rest = nodes[size_t(root.left)].sub(
        nodes[size_t(root.right)].mul(Rational(quotient)).value_or(Rational()));
    return {Rational(quotient), rest.value_or(Rational())};
}

bool BoxesKeep(const Question& q, const std::vector<WrittenNumber>& leaves,
               const std::vector<Rational>& nodes)
{
    if (!IsProduct(q))
        return true; // the quotient and the remainder are held as one answer's
    const std::vector<Rational> values = BoxValues(q, leaves, nodes);
    return FitsShape(values[0], q.boxes[0].shape) && FitsShape(values[1], q.boxes[1].shape);
}

void WriteBoxes(const Question& q, const std::vector<WrittenNumber>& leaves,
                const std::vector<Rational>& nodes, QStringList& pieces)
{
    const std::vector<Rational> values = BoxValues(q, leaves, nodes);
    for (size_t k = 0; k < q.boxes.size(); ++k) {
        const ColumnBox& box = q.boxes[k];
        pieces[q.piece + 1 + 2 * int(k)] =
            box.before + WriteNumber(*Express(values[k], box.shape.notation)) + box.after;
    }
}

} // namespace zendra::generator
