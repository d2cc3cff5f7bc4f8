#pragma once

#include "study/StudyRandom.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zendra {

// The on-screen input aids' logic: the choice list's shuffle, the soft keyboard's keys, the
// back-space key and the fraction keypad. The window shows what these give.

inline constexpr int kSoftKeyCount = 120;

// Exchanges line i with a line drawn at random, for every i in order; 0 or 1 lines stay.
void ShuffleLines(QStringList& lines, StudyRandom& random);

// The captions of keys 1..120 (index 0 is key 1): one key per character of the source lines
// in order, the characters after the 120th dropped, then shuffled; unused keys get "".
// Nothing (an empty list) when there are no source lines: the keys stay as they are.
QStringList LoadSoftKeys(const QStringList& sourceLines, StudyRandom& random);

// The box text after "ＢＳ": without its last character (a whole character, whatever its
// width).
QString RemoveLastCharacter(const QString& text);

// The text of a mixed or plain fraction: whole + "&" + numerator + "/" + denominator, the
// whole part and its "&" only when given; nothing when the numerator is empty.
std::optional<QString> ComposeFraction(const QString& whole, const QString& numerator,
                                       const QString& denominator);

// The fraction entry: the denominator first, as Japanese reads a fraction ("3分の2"), then
// "分の" and the numerator; "と" turns what was typed into the whole part.
class FractionKeypad
{
public:
    const QString& whole() const { return whole_; }             // edtSign
    const QString& numerator() const { return numerator_; }     // edtBunshi
    const QString& denominator() const { return denominator_; } // edtBunbo
    // Digit keys write into the denominator (true) or the numerator (false).
    bool toDenominator() const { return toDenominator_; }
    // The bar is red while the numerator is being typed.
    bool barRed() const { return barRed_; }
    // Which of the three boxes should have the focus after the last key.
    enum class Field { Whole, Numerator, Denominator };
    Field focus() const { return focus_; }

    // A digit key, '0'..'9'.
    void digit(QChar d);
    // "分の": the digits that follow are the numerator.
    void bunno();
    // "と": what is in the denominator is the whole part; the denominator starts again.
    void to();
    // "<==" and the first step of "次へ": the composed fraction for the current box, which
    // empties the entry, when the numerator is given and a box is current (currentBox >= 1);
    // otherwise nothing changes and nothing is returned.
    std::optional<QString> compose(int currentBox);
    // "消去" and the last step of "次へ": empty, bar white, digits to the denominator.
    void clear();

private:
    QString whole_;
    QString numerator_;
    QString denominator_;
    bool toDenominator_ = true;
    bool barRed_ = false;
    Field focus_ = Field::Denominator;
};

} // namespace zendra
