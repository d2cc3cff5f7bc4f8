#pragma once

// Column problems whose answers stand in boxes of their own, for the question generator:
// "@H255×73＝#765#,#1785#,#18615#" (the partial products, then the product) and
// "@Hs505÷32＝#15#…#25#" (the quotient and the remainder). Private to the generator.

#include "arithmetic/ColumnLayout.h"
#include "courseware/QuestionPlan.h"

#include <vector>

namespace zendra::generator {

// The number of answer boxes of the column problem whose first answer is the line's answer
// `blank` (from 0), when it has more than one and reads without a fault; 0 otherwise.
int ColumnBoxCount(const std::vector<ColumnMark>& marks, int blank);

// Works out a column problem with `count` answer boxes, its expression at the end of piece
// `piece`: the rules of its product (or of its quotient and remainder) as for one answer,
// and the shape of each box.
bool PlanColumnBoxes(const QStringList& pieces, int piece, int count, Question& q, QString& reason);

// The numbers the boxes hold for these leaves and node values: the multiplicand's digits
// times each digit of the multiplier (ones first) and the product, or the quotient and
// the remainder.
std::vector<Rational> BoxValues(const Question& q, const std::vector<WrittenNumber>& leaves,
                                const std::vector<Rational>& nodes);

// Every box keeps its shape (the product's and the quotient's are held as one answer's).
bool BoxesKeep(const Question& q, const std::vector<WrittenNumber>& leaves,
               const std::vector<Rational>& nodes);

// Writes the boxes' numbers into the line's answer pieces.
void WriteBoxes(const Question& q, const std::vector<WrittenNumber>& leaves,
                const std::vector<Rational>& nodes, QStringList& pieces);

} // namespace zendra::generator
