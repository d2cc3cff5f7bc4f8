#include "study/InputAids.h"

#include <utility>

namespace zendra {

namespace {

// The text cut into characters; a surrogate pair stays one character.
QStringList characters(const QString& text)
{
    QStringList out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        out.append(text.mid(i, n));
        i += n - 1;
    }
    return out;
}

} // namespace

void ShuffleLines(QStringList& lines, StudyRandom& random)
{
    const int c = static_cast<int>(lines.size());
    if (c <= 1)
        return;
    for (int i = 0; i < c; ++i) {
        const int j = random.below(c);
        if (j != i)
            lines.swapItemsAt(i, j);
    }
}

QStringList LoadSoftKeys(const QStringList& sourceLines, StudyRandom& random)
{
    if (sourceLines.isEmpty())
        return {};
    QStringList keys;
    for (const QString& line : sourceLines) {
        for (const QString& c : characters(line)) {
            if (keys.size() >= kSoftKeyCount)
                break;
            keys.append(c);
        }
    }
    // Keys 1..k; drawing 0 (as drawing the key itself) leaves key j where it is.
    const int k = static_cast<int>(keys.size());
    for (int j = 1; j <= k; ++j) {
        const int r = random.below(k + 1);
        if (r != j && r >= 1)
            keys.swapItemsAt(j - 1, r - 1);
    }
    while (keys.size() < kSoftKeyCount)
        keys.append(QString());
    return keys;
}

QString RemoveLastCharacter(const QString& text)
{
    if (text.isEmpty())
        return text;
    qsizetype n = 1;
    if (text.size() >= 2 && text.back().isLowSurrogate() &&
        text.at(text.size() - 2).isHighSurrogate())
        n = 2;
    return text.left(text.size() - n);
}

std::optional<QString> ComposeFraction(const QString& whole, const QString& numerator,
                                       const QString& denominator)
{
    if (numerator.isEmpty())
        return std::nullopt;
    QString text;
    if (!whole.isEmpty())
        text = whole + u'&';
    return text + numerator + u'/' + denominator;
}

void FractionKeypad::digit(QChar d)
{
    if (toDenominator_) {
        denominator_ += d;
        focus_ = Field::Denominator;
    } else {
        numerator_ += d;
        focus_ = Field::Numerator;
    }
}

void FractionKeypad::bunno()
{
    barRed_ = true;
    focus_ = Field::Numerator;
    toDenominator_ = false;
}

void FractionKeypad::to()
{
    whole_ = std::exchange(denominator_, QString());
    focus_ = Field::Denominator;
    toDenominator_ = true;
}

std::optional<QString> FractionKeypad::compose(int currentBox)
{
    std::optional<QString> text = ComposeFraction(whole_, numerator_, denominator_);
    if (!text || currentBox < 1)
        return std::nullopt;
    clear();
    return text;
}

void FractionKeypad::clear()
{
    whole_.clear();
    numerator_.clear();
    denominator_.clear();
    barRed_ = false;
    toDenominator_ = true;
    focus_ = Field::Denominator;
}

} // namespace zendra
