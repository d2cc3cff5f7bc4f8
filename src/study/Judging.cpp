#include "study/Judging.h"

#include "platform/Cp932.h"
#include "platform/Numbers.h"

namespace zendra {

namespace {

constexpr QChar kFullWidthBlank(0x3000);

bool isControlOrBlank(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

QString TrimAnswer(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isControlOrBlank(text.at(begin)))
        ++begin;
    while (end > begin && isControlOrBlank(text.at(end - 1)))
        --end;
    while (begin < end && text.at(begin) == kFullWidthBlank)
        ++begin;
    while (end > begin && text.at(end - 1) == kFullWidthBlank)
        --end;
    return text.mid(begin, end - begin);
}

QStringList SplitAlternatives(const QString& answerText)
{
    return answerText.split(u';', Qt::KeepEmptyParts);
}

QString FoldFullWidth(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFF01 + 0x21);
    }
    return folded;
}

int MatchAnswer(const QStringList& alternatives, bool answerShown, const QString& text)
{
    const QString typed = FoldFullWidth(TrimAnswer(text));
    for (const QString& a : alternatives) {
        if (typed == FoldFullWidth(TrimAnswer(a)))
            return answerShown ? kMatchRightAfterShown : kMatchRight;
    }
    return kMatchWrong;
}

bool AsciiAnswers(const QStringList& alternatives)
{
    for (const QString& a : alternatives) {
        for (const QChar c : FoldFullWidth(TrimAnswer(a))) {
            if (c.unicode() > 0x7E)
                return false;
        }
    }
    return true;
}

QString PadAnswer(const QString& text, const QString& model)
{
    const int wanted = cp932::byteLength(model);
    if (cp932::byteLength(text) >= wanted)
        return text;
    // The text is shorter than the model, so " " + text fits whole and the cut falls among
    // the ASCII blanks: counted in bytes, never inside a character.
    return cp932::leftBytes(QStringLiteral(" ") + text + QString(12, u' '), wanted);
}

Score ScorePercent(const AnswerBoxTable& boxes)
{
    Score score;
    score.total = boxes.count();
    if (score.total < 1)
        return Score{};
    for (int i = 1; i <= score.total; ++i) {
        if (boxes[i].judgement == kMatchRight)
            ++score.correct;
    }
    score.percent = percentHalfUp(score.correct, score.total);
    return score;
}

Face FaceImageFor(int percent, StudyRandom& random)
{
    if (percent <= 0)
        return Face::Gaoh;
    switch (std::min(percent, 100) / 20) {
    case 0:
    case 1:
        return Face::Namida;
    case 2:
        return Face::Nanda;
    case 3:
        return Face::Sleep;
    case 4:
        return random.below(2) == 0 ? Face::Happy : Face::GreenHeart;
    default:
        return random.below(2) == 0 ? Face::Kutta : Face::RedHeart;
    }
}

QString PraiseLine(StudyRandom& random)
{
    const int index = random.below(static_cast<int>(kPraiseTexts.size()));
    return QStringLiteral("★★") + kPraiseTexts[index].toString() + QStringLiteral("★★");
}

} // namespace zendra
