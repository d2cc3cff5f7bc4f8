#pragma once

// What the generator keeps of a question in words, and the reckoning that both reading the
// question and drawing its new numbers use. Private to WordedQuestions and WordedDraw.

#include "courseware/QuestionPlan.h"

#include <optional>
#include <vector>

namespace zendra::generator {

enum class Worded {
    Round,      // 3648（百の位） #3600#
    Compare,    // 0.8 #＞# 0.6
    Scale,      // 3.6 の 10倍は #36#, 42 の @=1/10@= は #4.2#
    ScaleAsked, // 0.047 を何倍すると 0.47 になりますか。 #10#
    Convert,    // 235cm＝#2.35#m, 5cm3mmは #5.3# cmです。
    Count,      // 0.1を 7こ集めた数は #0.7# です。
    CountAsked, // 2.8は、0.1を #28# こ集めた数です。
    Join,       // 3と 0.6をあわせた数は #3.6# です。
    JoinAsked,  // 4.7は、4と #0.7# をあわせた数です。
};

// Where a number of the question stands: in a text piece, counted from its start, or from
// its end for a number just before a blank (another question's number may come first).
struct Spot
{
    int piece = 0;
    qsizetype offset = 0, length = 0;
    bool fromEnd = false;
};

// How rounding goes: 四捨五入, 切り捨て, 切り上げ.
enum class Rounding { Nearest, Down, Up };

struct WordedPlan
{
    Worded kind = Worded::Round;
    std::vector<Spot> spots;            // the numbers that change, in the order of the text
    std::vector<WrittenNumber> numbers; // as the original writes them
    std::vector<NumberShape> shapes;
    int answerPiece = 1;
    std::vector<Alternative> answers; // the answer's alternatives; none when it stays as it is
    NumberShape answerShape;
    // Scale, Count, CountAsked: the factor, the number counted or the one counted in;
    // ScaleAsked: what the second number is of the first.
    Rational factor = 1;
    std::vector<Rational> units; // Convert: each number's unit in the answer's unit
    qint64 place = 0;            // Round
    Rounding rounding = Rounding::Nearest;
    QString signs; // Compare: the signs for greater, less and equal, as the original writes them
    std::vector<int> traits; // what new numbers keep, see Traits()
    QString tag;             // tells this question's numbers from those of another form
};

namespace worded {

// The value of a number of the sample's kind.
Rational ValueOf(const WrittenNumber& w);
std::vector<Rational> Values(const std::vector<WrittenNumber>& numbers);
// How many places a comparison's numbers are compared to.
int ComparePlaces(const WordedPlan& p);
// What new numbers must keep of the original's (see the plan's `traits`); none when the
// numbers do not make a question of the plan's kind.
std::optional<std::vector<int>> Traits(const WordedPlan& p, const std::vector<Rational>& v);
// The answer to the question for these numbers; none when there is none.
std::optional<Rational> AnswerOf(const WordedPlan& p, const std::vector<Rational>& v);
// A question's numbers as a text that tells one question from another.
QString Identity(const WordedPlan& p, const std::vector<WrittenNumber>& numbers);

} // namespace worded
} // namespace zendra::generator
