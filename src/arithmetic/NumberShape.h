#pragma once

#include "arithmetic/Expression.h"
#include "arithmetic/Number.h"
#include "arithmetic/SeededRandom.h"

#include <optional>
#include <vector>

namespace zendra {

// What a number must look like to stand where the original stood. Leaves are drawn in the
// original's shape; answers are held to it.
struct NumberShape
{
    NumberNotation notation;
    bool zero = false;       // the number is 0: a leaf stays 0, an answer must be 0 again
    bool one = false;        // the number is 1
    int wholeDigits = 0;     // Integer, Mixed: digits of the whole; Decimal: before the point,
                             // 0 when that part is 0
    bool lastNonZero = true; // Decimal: the last place is not 0
    int numDigits = 0;       // Fraction, Mixed
    int denDigits = 0;
    int relation = 0; // Fraction: numerator below (-1), equal to (0) or above (1) the denominator
    bool reduced = true; // Fraction, Mixed: the fraction is in lowest terms
};

NumberShape ShapeOf(const WrittenNumber& w);

// Does an answer (or a number worked out from others) keep the original's shape?
bool FitsShape(const Rational& v, const NumberShape& s);
// Does a written number keep the shape of the number it replaces?
bool FitsWritten(const WrittenNumber& w, const NumberShape& s);
// A fresh number in the original's shape; none when this draw found no fitting fraction.
// `den`, when not 0, is the denominator to use (a fraction with a like denominator).
std::optional<WrittenNumber> DrawNumber(const NumberShape& s, const WrittenNumber& original,
                                        SeededRandom& rng, qint64 den = 0);
// Numbers of more digits than a drawn number of the same shape can hold.
bool TooLong(const NumberShape& s);

// Carries of an addition or borrows of a subtraction, column by column from the last place,
// for two numbers given as whole numbers of the same places.
std::vector<bool> ColumnCarries(qint64 a, qint64 b, bool subtract);
// Two numbers of the given shapes drawn column by column with the carries (or borrows) of
// `pattern`, the numbers written with `places` places in common.
bool DrawColumns(const NumberShape& sa, const NumberShape& sb, int places,
                 const std::vector<bool>& pattern, bool subtract, SeededRandom& rng,
                 WrittenNumber& a, WrittenNumber& b);

bool IsFractionForm(const WrittenNumber& w);
// Whether the result, worked the way a learner works it before reducing, can be reduced:
// numerators over the common denominator for + and -, products of the parts for × and ÷.
// -1 when the expression has no such step (0 when it cannot be reduced, 1 when it can).
int RawReducible(const Expression& e, const std::vector<WrittenNumber>& leaves);
// With a mixed number: whether the fraction parts of a + b carry into the whole, or those of
// a - b borrow from it.
int PartCarry(const Rational& a, const Rational& b, bool subtract);

} // namespace zendra
