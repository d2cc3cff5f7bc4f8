#include "arithmetic/Expression.h"

namespace zendra {

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\u3000';
}

bool IsNumberChar(QChar c)
{
    return DigitValue(c) >= 0 || c == u'.' || c == u'．' || c == u'/' || c == u'&';
}

ExprOp SignOf(QChar c)
{
    switch (c.unicode()) {
    case u'+':
    case u'＋':
        return ExprOp::Add;
    case u'-':
    case u'－':
    case u'−':
        return ExprOp::Sub;
    case u'*':
    case u'×':
        return ExprOp::Mul;
    case u'\\':
    case u'÷':
        return ExprOp::Div;
    default:
        return ExprOp::Number;
    }
}

// Recursive descent over the text; every method leaves `pos` after what it read.
class Reader
{
public:
    explicit Reader(QStringView text) : text_(text) {}

    std::optional<Expression> read()
    {
        if (sum() < 0)
            return std::nullopt;
        skipBlanks();
        if (pos_ != text_.size())
            return std::nullopt;
        return std::move(expr_);
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    QChar peek()
    {
        skipBlanks();
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }

    int add(ExprNode node)
    {
        expr_.nodes.push_back(node);
        return int(expr_.nodes.size()) - 1;
    }

    int sum()
    {
        int left = product();
        while (left >= 0) {
            const ExprOp op = SignOf(peek());
            if (op != ExprOp::Add && op != ExprOp::Sub)
                break;
            ++pos_;
            const int right = product();
            if (right < 0)
                return -1;
            left = add({op, left, right, -1, 0});
        }
        return left;
    }

    int product()
    {
        int left = power();
        while (left >= 0) {
            const ExprOp op = SignOf(peek());
            if (op != ExprOp::Mul && op != ExprOp::Div)
                break;
            ++pos_;
            const int right = power();
            if (right < 0)
                return -1;
            left = add({op, left, right, -1, 0});
        }
        return left;
    }

    int power()
    {
        const int base = primary();
        if (base < 0 || peek() != u'^')
            return base;
        // A fraction's bar is not a bracket: "1/2^2" would be read either way, so it is
        // refused; "(1/2)^2" says which.
        const ExprNode& b = expr_.nodes[base];
        if (b.op == ExprOp::Number && !parenthesised_ &&
            expr_.leaves[b.leaf].number.notation.form != NumberForm::Integer &&
            expr_.leaves[b.leaf].number.notation.form != NumberForm::Decimal)
            return -1;
        ++pos_;
        skipBlanks();
        qsizetype end = pos_;
        while (end < text_.size() && DigitValue(text_[end]) >= 0)
            ++end;
        const auto exponent = ReadNumber(text_.sliced(pos_, end - pos_));
        if (!exponent || exponent->whole > 12)
            return -1;
        pos_ = end;
        return add({ExprOp::Pow, base, -1, -1, int(exponent->whole)});
    }

    int primary()
    {
        const QChar c = peek();
        parenthesised_ = false;
        if (c == u'(' || c == u'（') {
            ++pos_;
            const int inner = sum();
            const QChar close = peek();
            if (inner < 0 || (close != u')' && close != u'）'))
                return -1;
            ++pos_;
            parenthesised_ = true;
            return inner;
        }
        qsizetype end = pos_;
        while (end < text_.size() && IsNumberChar(text_[end]))
            ++end;
        const auto number = ReadNumber(text_.sliced(pos_, end - pos_));
        if (!number || !number->value())
            return -1;
        expr_.leaves.push_back({pos_, end - pos_, *number});
        pos_ = end;
        return add({ExprOp::Number, -1, -1, int(expr_.leaves.size()) - 1, 0});
    }

    QStringView text_;
    qsizetype pos_ = 0;
    bool parenthesised_ = false;
    Expression expr_;
};

} // namespace

std::optional<Expression> ReadExpression(QStringView text)
{
    return Reader(text).read();
}

std::optional<std::vector<Rational>> LeafValues(const Expression& expr)
{
    std::vector<Rational> values;
    values.reserve(expr.leaves.size());
    for (const ExprLeaf& leaf : expr.leaves) {
        const auto v = leaf.number.value();
        if (!v)
            return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

bool EvaluateNodes(const Expression& expr, const std::vector<Rational>& leafValues,
                   std::vector<Rational>& nodeValues)
{
    nodeValues.resize(expr.nodes.size());
    for (size_t i = 0; i < expr.nodes.size(); ++i) {
        const ExprNode& n = expr.nodes[i];
        std::optional<Rational> v;
        switch (n.op) {
        case ExprOp::Number:
            v = leafValues[size_t(n.leaf)];
            break;
        case ExprOp::Add:
            v = nodeValues[size_t(n.left)].add(nodeValues[size_t(n.right)]);
            break;
        case ExprOp::Sub:
            v = nodeValues[size_t(n.left)].sub(nodeValues[size_t(n.right)]);
            break;
        case ExprOp::Mul:
            v = nodeValues[size_t(n.left)].mul(nodeValues[size_t(n.right)]);
            break;
        case ExprOp::Div:
            v = nodeValues[size_t(n.left)].div(nodeValues[size_t(n.right)]);
            break;
        case ExprOp::Pow:
            v = nodeValues[size_t(n.left)].pow(n.exponent);
            break;
        }
        if (!v)
            return false;
        nodeValues[i] = *v;
    }
    return true;
}

} // namespace zendra
