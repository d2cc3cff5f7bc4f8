#include "study/Judging.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <set>

using namespace zendra;

TEST(Judging, TrimAnswerDropsAsciiThenFullWidthBlanksOnly)
{
    struct Case
    {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("  12\t\r\n"), QStringLiteral("12")},
        {QStringLiteral("　　12　"), QStringLiteral("12")},
        {QStringLiteral(" 　12　 "), QStringLiteral("12")},
        // An ASCII blank laid bare by dropping the full-width one stays.
        {QStringLiteral("　 5"), QStringLiteral(" 5")},
        {QStringLiteral("5 　"), QStringLiteral("5 ")},
        {QStringLiteral("1 2"), QStringLiteral("1 2")},
        {QStringLiteral("　"), QString()},
        // "ａ@" is 0x82 0x81 0x40 in CP932: its last two bytes are no full-width blank.
        {QStringLiteral("ａ@"), QStringLiteral("ａ@")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimAnswer(c.text), c.expected) << c.text.toStdString();
}

TEST(Judging, MatchAnswerComparesTrimmedTextExactly)
{
    struct Case
    {
        QString answerText;
        bool shown;
        QString typed;
        int expected;
    };
    const Case cases[] = {
        {QStringLiteral("12"), false, QStringLiteral("12"), 1},
        {QStringLiteral("12"), true, QStringLiteral("12"), -2},
        // Full-width ASCII forms are folded on both sides: a kana keyboard's digits match.
        {QStringLiteral("461"), false, QStringLiteral("４６１"), 1},
        {QStringLiteral("１２"), false, QStringLiteral("12"), 1},
        {QStringLiteral("3.5;x"), false, QStringLiteral("　３．５ "), 1},
        {QStringLiteral("a+b"), false, QStringLiteral("ａ＋Ｂ"), 0}, // case still counts
        {QStringLiteral("5"), false, QStringLiteral("　 ５"), 0},    // the blanks rule stays
        {QStringLiteral("3あまり2"), false, QStringLiteral("３あまり２"), 1},
        {QStringLiteral("5"), false, QStringLiteral("　5 "), 1},
        {QStringLiteral("5"), false, QStringLiteral("　 5"), 0},
        {QStringLiteral("0.5;.5"), false, QStringLiteral(".5"), 1},
        {QStringLiteral("0.5"), false, QStringLiteral(".5"), 0}, // no numeric comparison
        {QStringLiteral("x"), false, QStringLiteral("X"), 0},
        {QString(), false, QString(), 1},                        // empty answer, left empty
        {QStringLiteral("3;;4"), false, QStringLiteral(" "), 1}, // an empty alternative
        {QStringLiteral("3;4"), false, QString(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchAnswer(SplitAlternatives(c.answerText), c.shown, c.typed), c.expected)
            << c.answerText.toStdString() << " / " << c.typed.toStdString();
    EXPECT_EQ(MatchAnswer({}, false, QString()), 0);
    // Latin input suits a unit whose answers, folded and trimmed, are ASCII.
    EXPECT_TRUE(AsciiAnswers({QStringLiteral("　3415"), QStringLiteral("＞"), QString()}));
    EXPECT_FALSE(AsciiAnswers({QStringLiteral("12"), QStringLiteral("3…2")}));
}

TEST(Judging, PadAnswerFillsToTheModelsBytesWithWholeCharacters)
{
    struct Case
    {
        QString text;
        QString model;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("7"), QStringLiteral("123"), QStringLiteral(" 7 ")},
        {QString(), QStringLiteral("12"), QStringLiteral("  ")},
        {QStringLiteral("123"), QStringLiteral("12"), QStringLiteral("123")},
        // Counted in CP932 bytes, not in characters: "ア" is two of the model's five.
        {QStringLiteral("ア"), QStringLiteral("12345"), QStringLiteral(" ア  ")},
        {QStringLiteral("7"), QStringLiteral("あい"), QStringLiteral(" 7  ")},
        {QStringLiteral("アイ"), QStringLiteral("12345"), QStringLiteral(" アイ")},
        {QStringLiteral("ア"), QStringLiteral("12"), QStringLiteral("ア")},
        // A model longer than the padding: " " + text + twelve blanks.
        {QStringLiteral("1"), QString(20, u'9'), QStringLiteral(" 1") + QString(12, u' ')},
    };
    for (const Case& c : cases) {
        const QString padded = PadAnswer(c.text, c.model);
        EXPECT_EQ(padded, c.expected) << c.text.toStdString() << " / " << c.model.toStdString();
        EXPECT_EQ(TrimAnswer(padded), TrimAnswer(c.text));
    }
}

TEST(Judging, ScorePercentRoundsHalfUpOverTheBoxesJudgedRight)
{
    struct Case
    {
        int right;
        int total;
        int percent;
    };
    const Case cases[] = {{1, 8, 13}, {1, 3, 33}, {2, 3, 67}, {3, 4, 75}, {0, 4, 0}, {4, 4, 100}};
    for (const Case& c : cases) {
        AnswerBoxTable table;
        for (int i = 1; i <= c.total; ++i) {
            table.add(0, 0, 10, QStringLiteral("1"), 14);
            // Wrong boxes carry every other code: only 1 counts.
            const int wrongCodes[] = {0, -2, 2, -1, 99};
            table.box(i).judgement = i <= c.right ? 1 : wrongCodes[i % 5];
        }
        const Score score = ScorePercent(table);
        EXPECT_EQ(score.percent, c.percent) << c.right << "/" << c.total;
        EXPECT_EQ(score.correct, c.right);
        EXPECT_EQ(score.total, c.total);
    }
    EXPECT_EQ(ScorePercent(AnswerBoxTable{}).percent, 0);
}

TEST(Judging, FaceBandsAndTheirPairsByChance)
{
    struct Case
    {
        int percent;
        std::set<Face> faces;
    };
    const Case cases[] = {
        {0, {Face::Gaoh}},
        {1, {Face::Namida}},
        {33, {Face::Namida}},
        {39, {Face::Namida}},
        {40, {Face::Nanda}},
        {50, {Face::Nanda}},
        {59, {Face::Nanda}},
        {60, {Face::Sleep}},
        {75, {Face::Sleep}},
        {79, {Face::Sleep}},
        {80, {Face::Happy, Face::GreenHeart}},
        {99, {Face::Happy, Face::GreenHeart}},
        {100, {Face::Kutta, Face::RedHeart}},
    };
    StudyRandom random;
    for (const Case& c : cases) {
        std::set<Face> seen;
        for (int draw = 0; draw < 64; ++draw)
            seen.insert(FaceImageFor(c.percent, random));
        EXPECT_EQ(seen, c.faces) << c.percent;
    }
}

TEST(Judging, PraiseIsOneOfSixBetweenStarsAndFollowsTheSeed)
{
    StudyRandom a;
    StudyRandom b;
    a.seed(7);
    b.seed(7);
    std::set<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString line = PraiseLine(a);
        EXPECT_EQ(line, PraiseLine(b));
        ASSERT_TRUE(line.startsWith(QStringLiteral("★★")) && line.endsWith(QStringLiteral("★★")));
        seen.insert(line.mid(2, line.size() - 4));
    }
    std::set<QString> all;
    for (QStringView t : kPraiseTexts)
        all.insert(t.toString());
    EXPECT_EQ(seen, all);
}
