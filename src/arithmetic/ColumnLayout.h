#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace zendra {

// 筆算: a calculation written in columns, digit under digit, as it is done on paper.
enum class ColumnKind { Add, Sub, Mul, Div };

// What a cell of a column problem holds.
enum class CellRole {
    Operand,   // a digit of an addend, the minuend, the subtrahend or a factor
    Partial,   // a digit of a partial product
    Answer,    // a digit of the sum, difference or product
    Carry,     // a learner's carry or borrow mark: always empty, never judged
    Quotient,  // long division: above the bar
    Divisor,   // left of the bracket
    Dividend,  // under the bar
    Step,      // a step's product or difference below the dividend
    Remainder, // what is left at the bottom
};

// "add", "sub", "mul", "div".
QString ColumnKindName(ColumnKind kind);
// "operand", "partial", "answer", "carry", "quotient", "divisor", "dividend", "step",
// "remainder".
QString CellRoleName(CellRole role);

// A number as written in a column problem: its digits without the point, and how many of
// them stand after the point. 2.50 is {250, 2}.
struct ColumnNumber
{
    qint64 digits = 0;
    int places = 0;

    friend bool operator==(const ColumnNumber&, const ColumnNumber&) = default;
};

struct ColumnOptions
{
    bool carries = false; // empty carry/borrow cells above the columns (add, sub, mul)
    bool steps = false;   // long division: each step's product and difference below
    bool grid = false;    // マス目: every cell in a square

    friend bool operator==(const ColumnOptions&, const ColumnOptions&) = default;
};

// One problem: add has 2 or 3 operands, sub, mul and div have 2 (div: dividend, divisor).
struct ColumnProblem
{
    ColumnKind kind = ColumnKind::Add;
    std::vector<ColumnNumber> operands;
    ColumnOptions options;
    // How many '#' answers the problem has: 1 (the result; a division's remainder goes in
    // the same box after "…"), 3 for a product with its two partial products answered
    // first, 2 for a quotient and a remainder in boxes of their own.
    int answerCount = 1;
};

// One cell of the grid. Rows count from the top, columns from the left, both from 0.
struct ColumnCell
{
    CellRole role = CellRole::Operand;
    int row = 0;
    int column = 0;
    // The power of ten of the cell's column: 0 for ones, negative after the point. Every row
    // shares the columns, so one place is one column; the divisor alone, left of the
    // bracket, counts the places of its own digits.
    int place = 0;
    QString text; // the digit ('0'..'9'), or empty
    // Which of the problem's '#' answers the cell shows (from 0), or -1 for a cell that is
    // no answer. Cells of partial products and division steps that are not answers are
    // worked out like answers: they show when answers show and stay empty when hidden.
    int answer = -1;
};

// A horizontal rule along the top edge of `row`, over columns first..last.
struct ColumnRule
{
    int row = 0;
    int first = 0;
    int last = 0;
};

// A decimal point, drawn at the lower right corner of the cell at (row, column).
struct ColumnPoint
{
    int row = 0;
    int column = 0;
};

struct ColumnLayout
{
    ColumnKind kind = ColumnKind::Add;
    ColumnOptions options;
    int rows = 0;
    int columns = 0;
    std::vector<ColumnCell> cells;
    std::vector<ColumnRule> rules;
    std::vector<ColumnPoint> points;
    // add, sub, mul: the sign left of the last operand ("+", "−", "×").
    QString sign;
    int signRow = -1;
    int signColumn = -1;
    // div: the bracket stands at the left edge of this column (the dividend's first) on the
    // dividend's row; the bar over the dividend is the first rule.
    int bracketRow = -1;
    int bracketColumn = -1;
    int answerCount = 1;

    // The cells that show answer `answer` (from 0), left to right within each row.
    std::vector<const ColumnCell*> answerCells(int answer) const;
    // The digits of answer `answer` as its cells show them, read left to right and top to
    // bottom, with the point where the layout has one ("32.9", "23…1" for a quotient and
    // its remainder in one box).
    QString answerText(int answer) const;
};

// Checks the problem against what the layout can draw and lays it out; none with `error`
// set (a Japanese sentence for the author) when a number is out of range or the problem
// has no column form (a negative difference, a division by zero, a decimal divisor).
std::optional<ColumnLayout> LayOutColumns(const ColumnProblem& problem, QString* error);

// A column problem as written in a question line: "@H", option letters, the one-line form,
// "=" or "＝", and its '#' answers: (1)@H345+278=#623#. A product may answer its partial
// products first (@H123*45=#615#,#492#,#5535#), a division its quotient and remainder in
// boxes of their own (@H139\6=#23#…#1#) or in one (=#23…1#). Options: c carry cells,
// s division steps, m マス目 (@Hcm345+278=#623#).
struct ColumnMark
{
    qsizetype start = 0; // the '@' of "@H" in the line
    qsizetype end = 0;   // just after the '#' that closes its last answer
    int firstAnswer = 0; // the number of its first answer among the line's answers, from 0
    QStringList answers; // its answer pieces as written, alternatives included
    std::optional<ColumnProblem> problem;
    std::optional<ColumnLayout> layout;
    QString error; // empty when the problem reads, lays out and its answers are right
};

// The column problems of a question line, in order. A mark that does not read still has
// its place in the line and an error.
std::vector<ColumnMark> FindColumnMarks(QStringView line);

} // namespace zendra
