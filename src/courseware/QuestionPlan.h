#pragma once

// What the question generator reads from a unit's lines: each answer's expression, the
// notation of its answer and the rules new numbers keep. Private to the generator.

#include "arithmetic/Expression.h"
#include "arithmetic/NumberShape.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace zendra::generator {

// Why a line is kept as it stands.
inline const QString kNoExpression = QStringLiteral("答えの前に「＝」で終わる式がありません");
inline const QString kUnreadable = QStringLiteral("式を読めません");
inline const QString kNoComputation = QStringLiteral("計算のない式です");
inline const QString kAnswerForm = QStringLiteral("答えの書き方を読めません");
inline const QString kAnswerWrong = QStringLiteral("答えが式の値と合いません");
inline const QString kNoOtherNumbers = QStringLiteral("条件に合うほかの数が見つかりません");
inline const QString kOddMarks = QStringLiteral("＃の数が奇数です");
inline const QString kTooLong = QStringLiteral("けたの多すぎる数があります");

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
    // With a mixed number: whether the fraction parts carry into the whole (an addition) or
    // borrow from it (a subtraction); -1 when there is no mixed number.
    int partCarry = -1;
};

// One answer box of a column problem that has several: a partial product, the product, the
// quotient or the remainder.
struct ColumnBox
{
    QString before, after; // blanks around the number, kept
    NumberShape shape;
};

struct Equation;
struct WordedPlan; // a question in words (WordedQuestions.cpp)

struct Question
{
    int piece = 0;       // the text piece that holds the expression; its answer is piece + 1
    qsizetype start = 0; // the expression within the piece
    qsizetype length = 0;
    QString text; // the original expression
    Expression expr;
    std::vector<NumberShape> leafShapes;
    std::vector<Rational> originalNodes;
    std::vector<PairRule> pairs;
    std::vector<std::pair<int, bool>> operands; // two written operands: equal or not
    int reducible = -1;
    std::vector<Alternative> alternatives;
    NumberShape answer;    // of the first alternative: the number, or the quotient
    NumberShape remainder; // "q…r"
    int inverse = -1;      // a × or ÷ node whose left number is worked back from its result
    NumberShape quotient;  // its quotient's shape
    // A column problem whose answers stand in boxes of their own ("@H255×73＝#765#,#1785#,
    // #18615#", "@Hs505÷32＝#15#…#25#"): the partial products, ones digit first, and the
    // product; or the quotient and the remainder. The answer pieces are piece + 1, + 3, ...
    std::vector<ColumnBox> boxes;
    // A line of sides joined by '＝' with blanks among them: the whole line is the question.
    std::shared_ptr<const Equation> equation;
    // Fractions of the text restated over their least common denominator, one answer each
    // ("@=1/2@= と @=1/3@=　→　#3/6#　と　#2/6#"): the leaves are those fractions, the span
    // runs from the first to the last, and the answers are pieces 1, 3, ...
    bool common = false;
    int commonDigits = 0; // of the common denominator
    int commonKind = 0;   // 0: the product of the denominators, 1: the larger one, 2: neither
    // A question in words ("3.6 の 10倍は #36#"): its numbers, answer and rules are there,
    // and `text` tells its numbers from those of other questions.
    std::shared_ptr<const WordedPlan> worded;
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

// Works out one question: the expression before answer piece `piece + 1`, its answer and
// the rules its new numbers keep. False with the reason when it cannot.
bool PlanQuestion(const QStringList& pieces, int piece, Question& q, QString& reason);
// A line that restates the fractions of its text over their least common denominator, one
// answer each, the fractions all before the first answer.
bool PlanCommonDenominator(const QStringList& pieces, Question& q);
// The least common denominator of fractions (0 when it grows past a sheet's numbers), and
// how it was made: 0 the product of the denominators, 1 the largest one, 2 neither.
qint64 CommonDenominator(const std::vector<WrittenNumber>& leaves);
int CommonKind(const std::vector<WrittenNumber>& leaves, qint64 common);

} // namespace zendra::generator
