#include "arithmetic/Number.h"

namespace zendra {

int DigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'０' && u <= u'９')
        return u - u'０';
    return -1;
}

int DigitCount(qint64 n)
{
    int count = 1;
    while (n >= 10) {
        n /= 10;
        ++count;
    }
    return count;
}

namespace {

// Reads a run of digits at `pos`; none when there is no digit or the run does not fit.
std::optional<qint64> ReadDigits(QStringView text, qsizetype& pos, bool& fullWidth, int* count)
{
    qint64 value = 0;
    int n = 0;
    while (pos < text.size()) {
        const int d = DigitValue(text[pos]);
        if (d < 0)
            break;
        if (n == 0)
            fullWidth = text[pos].unicode() >= u'０';
        if (__builtin_mul_overflow(value, qint64(10), &value) ||
            __builtin_add_overflow(value, qint64(d), &value))
            return std::nullopt;
        ++n;
        ++pos;
    }
    if (count)
        *count = n;
    if (n == 0)
        return std::nullopt;
    return value;
}

QString Digits(qint64 n, bool fullWidth, int minimumDigits = 1)
{
    QString s = QString::number(n);
    while (s.size() < minimumDigits)
        s.prepend(u'0');
    if (fullWidth) {
        for (QChar& c : s)
            c = QChar(char16_t(c.unicode() - u'0' + u'０'));
    }
    return s;
}

} // namespace

std::optional<Rational> WrittenNumber::value() const
{
    switch (notation.form) {
    case NumberForm::Integer:
        return Rational(whole);
    case NumberForm::Decimal:
        return Rational::Make(whole, PowerOfTen(notation.places));
    case NumberForm::Fraction:
        return Rational::Make(numerator, denominator);
    case NumberForm::Mixed: {
        const auto part = Rational::Make(numerator, denominator);
        if (!part)
            return std::nullopt;
        return part->add(Rational(whole));
    }
    }
    return std::nullopt;
}

std::optional<WrittenNumber> ReadNumber(QStringView text)
{
    WrittenNumber n;
    qsizetype pos = 0;
    bool fullWidth = false;
    const auto isPoint = [](QChar c) { return c == u'.' || c == u'．'; };
    if (!text.isEmpty() && isPoint(text[0])) {
        // ".4": a decimal below 1 without its leading zero.
        ++pos;
        int places = 0;
        const auto frac = ReadDigits(text, pos, fullWidth, &places);
        if (!frac || pos != text.size() || places > 18)
            return std::nullopt;
        n.notation = {NumberForm::Decimal, places, false, fullWidth};
        n.whole = *frac;
        return n;
    }
    int wholeDigits = 0;
    const auto first = ReadDigits(text, pos, fullWidth, &wholeDigits);
    if (!first)
        return std::nullopt;
    n.notation.fullWidth = fullWidth;
    if (pos == text.size()) {
        n.whole = *first;
        return n;
    }
    bool ignored = false;
    if (isPoint(text[pos])) {
        ++pos;
        int places = 0;
        const auto frac = ReadDigits(text, pos, ignored, &places);
        if (!frac || pos != text.size() || places > 18)
            return std::nullopt;
        qint64 digits = 0;
        if (__builtin_mul_overflow(*first, PowerOfTen(places), &digits) ||
            __builtin_add_overflow(digits, *frac, &digits))
            return std::nullopt;
        n.notation.form = NumberForm::Decimal;
        n.notation.places = places;
        n.whole = digits;
        return n;
    }
    qint64 numerator = *first;
    if (text[pos] == u'&') {
        ++pos;
        const auto num = ReadDigits(text, pos, ignored, nullptr);
        if (!num)
            return std::nullopt;
        n.notation.form = NumberForm::Mixed;
        n.whole = *first;
        numerator = *num;
    } else {
        n.notation.form = NumberForm::Fraction;
    }
    if (pos == text.size() || text[pos] != u'/')
        return std::nullopt;
    ++pos;
    const auto den = ReadDigits(text, pos, ignored, nullptr);
    if (!den || *den == 0 || pos != text.size())
        return std::nullopt;
    n.numerator = numerator;
    n.denominator = *den;
    return n;
}

QString WriteNumber(const WrittenNumber& n)
{
    const bool fw = n.notation.fullWidth;
    switch (n.notation.form) {
    case NumberForm::Integer:
        return Digits(n.whole, fw);
    case NumberForm::Decimal: {
        const int places = n.notation.places;
        if (places == 0)
            return Digits(n.whole, fw);
        const qint64 p = PowerOfTen(places);
        const qint64 whole = n.whole / p;
        QString s;
        if (whole != 0 || n.notation.leadingZero)
            s = Digits(whole, fw);
        s += fw ? QStringLiteral("．") : QStringLiteral(".");
        return s + Digits(n.whole % p, fw, places);
    }
    case NumberForm::Fraction:
        return Digits(n.numerator, fw) + u'/' + Digits(n.denominator, fw);
    case NumberForm::Mixed:
        return Digits(n.whole, fw) + u'&' + Digits(n.numerator, fw) + u'/' +
               Digits(n.denominator, fw);
    }
    return QString();
}

std::optional<WrittenNumber> Express(const Rational& value, const NumberNotation& notation)
{
    if (value.isNegative())
        return std::nullopt;
    WrittenNumber n;
    n.notation = notation;
    switch (notation.form) {
    case NumberForm::Integer:
        if (!value.isWhole())
            return std::nullopt;
        n.whole = value.num();
        return n;
    case NumberForm::Decimal: {
        const auto digits = value.scaled(notation.places);
        if (!digits)
            return std::nullopt;
        n.whole = *digits;
        return n;
    }
    case NumberForm::Fraction:
        if (value.isWhole())
            return std::nullopt;
        n.numerator = value.num();
        n.denominator = value.den();
        return n;
    case NumberForm::Mixed:
        if (value.isWhole() || value.num() < value.den())
            return std::nullopt;
        n.whole = value.floor();
        n.numerator = value.num() % value.den();
        n.denominator = value.den();
        return n;
    }
    return std::nullopt;
}

} // namespace zendra
