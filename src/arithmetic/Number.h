#pragma once

#include "arithmetic/Rational.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace zendra {

// How a number is written in the courseware's one-line notation.
enum class NumberForm {
    Integer,  // 377
    Decimal,  // 3.14, .4
    Fraction, // 5/7, 4/3 (proper or improper)
    Mixed,    // 1&3/4
};

struct NumberNotation
{
    NumberForm form = NumberForm::Integer;
    int places = 0;          // Decimal: digits after the point
    bool leadingZero = true; // Decimal below 1: "0.4" rather than ".4"
    bool fullWidth = false;  // digits written ０..９

    friend bool operator==(const NumberNotation&, const NumberNotation&) = default;
};

// A number as written: its notation and its parts, not reduced.
struct WrittenNumber
{
    NumberNotation notation;
    // Integer: the number; Decimal: its digits without the point (the value times
    // 10^places); Mixed: the whole part.
    qint64 whole = 0;
    qint64 numerator = 0; // Fraction and Mixed
    qint64 denominator = 1;

    // The value; none for a zero denominator or a value out of range.
    std::optional<Rational> value() const;
};

// A whole text that is exactly one number: digits in ASCII or full width, an optional
// decimal point ('.' or '．'), "a/b" or "w&a/b". No sign, no blanks.
std::optional<WrittenNumber> ReadNumber(QStringView text);

// The number in its own notation.
QString WriteNumber(const WrittenNumber& number);

// `value` written in `notation`: an integer must be whole, a decimal must end within its
// places (padded with zeros up to them), a fraction is written in lowest terms and must not
// be whole, a mixed number must be above 1 and not whole. None when it does not fit.
std::optional<WrittenNumber> Express(const Rational& value, const NumberNotation& notation);

// The count of decimal digits of a non-negative number (0 has one digit).
int DigitCount(qint64 n);

// The character's digit value for '0'..'9' and '０'..'９', or -1.
int DigitValue(QChar c);

} // namespace zendra
