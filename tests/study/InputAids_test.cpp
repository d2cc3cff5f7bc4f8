#include "study/InputAids.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zendra;

namespace {

// Presses the fraction keypad's keys: digits, "分の", "と", "<==".
std::optional<QString> press(FractionKeypad& pad, const QStringList& keys, int currentBox = 1)
{
    std::optional<QString> result;
    for (const QString& k : keys) {
        if (k == u"分の")
            pad.bunno();
        else if (k == u"と")
            pad.to();
        else if (k == u"<==")
            result = pad.compose(currentBox);
        else
            pad.digit(k.at(0));
    }
    return result;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

TEST(InputAids, FractionKeypadReadsTheDenominatorFirst)
{
    struct Case
    {
        QStringList keys;
        int currentBox;
        std::optional<QString> composed;
    };
    const Case cases[] = {
        {{"4", "分の", "3", "<=="}, 1, QStringLiteral("3/4")},
        {{"1", "と", "4", "分の", "3", "<=="}, 1, QStringLiteral("1&3/4")},
        {{"3", "と", "1", "2", "分の", "5", "<=="}, 2, QStringLiteral("3&5/12")},
        {{"4", "<=="}, 1, std::nullopt},              // no numerator: nothing
        {{"4", "分の", "3", "<=="}, 0, std::nullopt}, // no current box: nothing
    };
    for (const Case& c : cases) {
        FractionKeypad pad;
        EXPECT_EQ(press(pad, c.keys, c.currentBox), c.composed) << c.keys.join(u' ').toStdString();
        if (c.composed) { // composing empties the entry and turns the digits back
            EXPECT_TRUE(pad.numerator().isEmpty() && pad.denominator().isEmpty() &&
                        pad.whole().isEmpty());
            EXPECT_TRUE(pad.toDenominator());
            EXPECT_FALSE(pad.barRed());
        }
    }

    FractionKeypad pad;
    press(pad, {"4", "分の"});
    EXPECT_TRUE(pad.barRed());
    EXPECT_FALSE(pad.toDenominator());
    EXPECT_EQ(pad.focus(), FractionKeypad::Field::Numerator);
    press(pad, {"3"});
    EXPECT_EQ(pad.compose(0), std::nullopt); // kept for a box to come
    EXPECT_EQ(pad.numerator(), QStringLiteral("3"));
    pad.clear();
    EXPECT_TRUE(pad.denominator().isEmpty() && pad.numerator().isEmpty());
    EXPECT_TRUE(pad.toDenominator());
    EXPECT_FALSE(pad.barRed());
}

TEST(InputAids, SoftKeysAreWholeCharactersAndFillAtMost120)
{
    struct Case
    {
        QStringList lines;
        QStringList characters; // the keys' captions, in any order, before the blanks
    };
    const QString fifty = QString(50, QChar(u'あ'));
    QStringList hundredTwenty;
    for (int i = 0; i < 120; ++i)
        hundredTwenty.append(QStringLiteral("あ"));
    const Case cases[] = {
        // Three lines of 50 fill the 120 keys and drop the last 30 characters.
        {{fifty, fifty, fifty}, hundredTwenty},
        // ASCII beside full-width characters: a key each, never half a character.
        {{QStringLiteral("x=３"), QStringLiteral("1ア")}, {"x", "=", "３", "1", "ア"}},
        {{QStringLiteral("𠀋a")}, {"𠀋", "a"}},
    };
    for (const Case& c : cases) {
        StudyRandom random;
        const QStringList keys = LoadSoftKeys(c.lines, random);
        ASSERT_EQ(keys.size(), kSoftKeyCount);
        const qsizetype used = c.characters.size();
        EXPECT_EQ(sorted(keys.mid(0, used)), sorted(c.characters));
        EXPECT_TRUE(std::all_of(keys.begin() + used, keys.end(),
                                [](const QString& k) { return k.isEmpty(); }));
    }
    StudyRandom random;
    EXPECT_TRUE(LoadSoftKeys({}, random).isEmpty()); // nothing to change
}

TEST(InputAids, SoftKeysAndLinesShuffleByTheSeedOnly)
{
    const QStringList lines{QStringLiteral("あいうえおかきくけこ"), QStringLiteral("さしすせそ")};
    StudyRandom a;
    StudyRandom b;
    const QStringList first = LoadSoftKeys(lines, a);
    EXPECT_EQ(first, LoadSoftKeys(lines, b)); // both from the fixed initial state
    EXPECT_NE(first.mid(0, 15),
              QString(lines.join(QString())).split(QString(), Qt::SkipEmptyParts));

    QStringList shuffled{"1", "2", "3", "4", "5", "6", "7", "8"};
    QStringList again = shuffled;
    a.fixSeed(11);
    b.fixSeed(11);
    a.reseed();
    b.reseed();
    ShuffleLines(shuffled, a);
    ShuffleLines(again, b);
    EXPECT_EQ(shuffled, again);
    EXPECT_EQ(sorted(shuffled), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_NE(shuffled, (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));

    QStringList one{"x"};
    ShuffleLines(one, a);
    EXPECT_EQ(one, QStringList{"x"});
}

TEST(InputAids, BackSpaceRemovesTheLastWholeCharacter)
{
    struct Case
    {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("12"), QStringLiteral("1")},
        {QStringLiteral("3分の"), QStringLiteral("3分")},
        {QStringLiteral("a𠀋"), QStringLiteral("a")},
        {QStringLiteral("ア"), QString()},
        {QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RemoveLastCharacter(c.text), c.expected) << c.text.toStdString();
}
