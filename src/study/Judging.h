#pragma once

#include "sheet/AnswerBoxTable.h"
#include "study/StudyRandom.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

namespace zendra {

// What Enter and scoring decide about an answer, without any window.

// Match codes of MatchAnswer and JudgeBox.
inline constexpr int kMatchRight = 1;
inline constexpr int kMatchWrong = 0;
inline constexpr int kMatchRightAfterShown = -2;
// The judgements a box takes besides the match codes: wrong in practice or review (or its
// answer shown), and right after an earlier wrong attempt.
inline constexpr int kJudgedWrong = -1;
inline constexpr int kRightAfterWrong = 2;

// Drops leading and trailing characters of codes 0..32, then leading full-width blanks, then
// trailing ones. ASCII blanks laid bare by the second step stay, so "　 5" is " 5".
QString TrimAnswer(const QString& text);

// The accepted answers of a box: its answer text split at every ';', empty pieces kept.
QStringList SplitAlternatives(const QString& answerText);

// The text with every full-width ASCII form (U+FF01..U+FF5E) replaced by its ASCII
// character: "４６１" is "461". The full-width blank is not among them.
QString FoldFullWidth(const QString& text);

// 1 when the trimmed text equals a trimmed alternative, both with full-width ASCII forms
// folded (case counts), -2 instead of 1 when the answer was shown, 0 when none matches or
// there are none.
int MatchAnswer(const QStringList& alternatives, bool answerShown, const QString& text);

// True when every alternative, trimmed and folded, is plain ASCII: the learner types the
// answers on a Latin keyboard.
bool AsciiAnswers(const QStringList& alternatives);

// A test answer as the answer sheet writes it: a text shorter than the model (in CP932
// bytes) becomes " " + text + blanks, exactly as many bytes as the model; a text at least
// as long stays as it is. Works on whole characters, so no character is ever split.
QString PadAnswer(const QString& text, const QString& model);

// The score of the last judging.
struct Score
{
    int correct = 0; // boxes judged 1
    int total = 0;   // boxes on the sheet
    int percent = 0; // half rounds up: 1 of 8 is 13
};

// Counts the boxes 1..count() judged 1; 0 of 0 scores 0.
Score ScorePercent(const AnswerBoxTable& boxes);

// The eight pictures of the records panel.
enum class Face { Gaoh, Namida, Nanda, Sleep, Happy, GreenHeart, Kutta, RedHeart };

// The picture for a percent: 0 Gaoh, 1-39 Namida, 40-59 Nanda, 60-79 Sleep, 80-99 Happy or
// GreenHeart, 100 Kutta or RedHeart (the pairs by chance, one draw).
Face FaceImageFor(int percent, StudyRandom& random);

// The praise texts, one drawn for every right answer in practice and review.
inline constexpr std::array<QStringView, 6> kPraiseTexts = {
    u"正解です", u"よくできました", u"合っています", u"ＧＯＯＤ", u"ＧＲＥＡＴ", u"ＮＩＣＥ",
};

// "★★" + a praise text drawn at random + "★★".
QString PraiseLine(StudyRandom& random);

} // namespace zendra
