#pragma once

#include "arithmetic/Number.h"
#include "arithmetic/Rational.h"

#include <QStringView>

#include <optional>
#include <vector>

namespace zendra {

enum class ExprOp { Number, Add, Sub, Mul, Div, Pow };

struct ExprNode
{
    ExprOp op = ExprOp::Number;
    int left = -1;    // operand nodes; a node's operands always come before it
    int right = -1;   // (none for Pow: the exponent is a whole number of its own)
    int leaf = -1;    // Number: its index among the leaves
    int exponent = 0; // Pow
};

// A number of the expression and where it stands in the text it was read from.
struct ExprLeaf
{
    qsizetype start = 0;
    qsizetype length = 0;
    WrittenNumber number;
};

// One line's arithmetic: numbers, + - × ÷ with the usual order, parentheses and whole
// powers. Nodes are stored operands first; the last node is the whole expression.
struct Expression
{
    std::vector<ExprNode> nodes;
    std::vector<ExprLeaf> leaves;

    int root() const { return int(nodes.size()) - 1; }
};

// Reads a whole text as one expression. Signs: + - × ÷ in ASCII ('+', '-', '*', '\') and
// full-width forms (＋ － − × ÷); '/' joins the digits of a fraction, '&' a mixed number,
// '^' raises a number or a parenthesised expression to a written whole exponent. Blanks
// between the parts are allowed. None when anything is left over or out of place.
std::optional<Expression> ReadExpression(QStringView text);

// The value of every node for the given leaf values; false on a zero divisor or a value out
// of range.
bool EvaluateNodes(const Expression& expr, const std::vector<Rational>& leafValues,
                   std::vector<Rational>& nodeValues);

// The leaves' values as written; none when one of them is out of range.
std::optional<std::vector<Rational>> LeafValues(const Expression& expr);

} // namespace zendra
