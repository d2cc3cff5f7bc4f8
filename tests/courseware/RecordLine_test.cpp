#include "courseware/RecordLine.h"

#include <gtest/gtest.h>

using zendra::MakeRecordLine;
using zendra::RecordValues;

TEST(RecordLine, FormatsEveryField)
{
    struct Case
    {
        RecordValues values;
        const char* expected;
    };
    const auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, 59));
    };
    const Case cases[] = {
        {{0, at(2005, 6, 21, 14, 3), QStringLiteral("0102"), 3, 4, 75, 87},
         "2005年06月21日 14:03 [0102]  3/ 4  75点 01:27"},
        {{2, at(2010, 1, 5, 9, 7), QString(), 10, 10, 100, 6005},
         "類題2)2010年01月05日 09:07 [] 10/10 100点 100:05"},
        {{0, at(2024, 12, 31, 0, 0), QStringLiteral("00000000000"), 0, 11, 0, 0},
         "2024年12月31日 00:00 [00000000000]  0/11   0点 00:00"},
        {{5, at(2099, 10, 10, 23, 59), QStringLiteral("3"), 80, 80, 100, 3599},
         "類題5)2099年10月10日 23:59 [3] 80/80 100点 59:59"},
        // Generated numbers are marked by their seed, also on a stored set's sheet.
        {{3, at(2026, 12, 8, 17, 40), QStringLiteral("01"), 2, 2, 100, 65, 5821},
         "新5821)2026年12月08日 17:40 [01]  2/ 2 100点 01:05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeRecordLine(c.values), QString::fromUtf8(c.expected)) << c.expected;
}

TEST(RecordLine, ReadsBackExactlyWhatItWrites)
{
    const auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi));
    };
    const RecordValues cases[] = {
        {0, at(2005, 6, 21, 14, 3), QStringLiteral("0102"), 3, 4, 75, 87},
        {2, at(2010, 1, 5, 9, 7), QString(), 10, 10, 100, 6005},
        {5, at(2099, 10, 10, 23, 59), QStringLiteral("3"), 80, 80, 100, 3599},
        {1, at(2024, 2, 29, 0, 0), QStringLiteral("00000000000"), 0, 11, 0, 0},
        {0, at(2024, 12, 31, 8, 5), QStringLiteral("12"), 100, 120, 83, 100 * 60 * 60 + 1},
        {0, at(2026, 12, 8, 17, 40), QString(), 1, 2, 50, 9, 5821},
        {0, at(2026, 12, 8, 17, 40), QString(), 1, 2, 50, 9, 0},
        {0, at(2026, 12, 8, 17, 40), QString(), 1, 2, 50, 9, 18446744073709551615ULL},
    };
    for (const RecordValues& v : cases) {
        const QString line = MakeRecordLine(v);
        const std::optional<RecordValues> read = zendra::ParseRecordLine(line);
        ASSERT_TRUE(read.has_value()) << line.toStdString();
        EXPECT_EQ(read->variant, v.variant) << line.toStdString();
        EXPECT_EQ(read->generatedSeed, v.generatedSeed) << line.toStdString();
        EXPECT_EQ(read->finished, v.finished) << line.toStdString();
        EXPECT_EQ(read->triesText, v.triesText) << line.toStdString();
        EXPECT_EQ(read->right, v.right) << line.toStdString();
        EXPECT_EQ(read->total, v.total) << line.toStdString();
        EXPECT_EQ(read->percent, v.percent) << line.toStdString();
        EXPECT_EQ(read->elapsedSeconds, v.elapsedSeconds) << line.toStdString();
    }
}

TEST(RecordLine, RefusesLinesItCouldNotHaveWritten)
{
    const char* lines[] = {
        "?",
        "",
        "2005年06月21日 14:03 [0102]  3/ 4  75点 01:27 ",  // trailing blank
        "2005年06月21日 14:03 [0102] 3/ 4  75点 01:27",    // count not padded
        "2005年06月21日 14:03 [0102]  3/ 4  75点 1:27",    // minutes of one digit
        "2005年06月21日 14:03 [0102]  3/ 4  75点 01:60",   // seconds past 59
        "2005年06月21日 14:03 [0102]  3/ 4  75点 001:27",  // minutes with a leading zero
        "2005年02月30日 14:03 [0102]  3/ 4  75点 01:27",   // no such day
        "2005年06月21日 24:00 [0102]  3/ 4  75点 01:27",   // no such hour
        "2005年6月21日 14:03 [0102]  3/ 4  75点 01:27",    // month of one digit
        "類題0)2005年06月21日 14:03 []  3/ 4  75点 01:27", // no such variant
        "類題6)2005年06月21日 14:03 []  3/ 4  75点 01:27", // no such variant
        "類題02)2005年06月21日 14:03 []  3/ 4  75点 01:27",
        "新)2005年06月21日 14:03 []  3/ 4  75点 01:27",                     // no seed
        "新05821)2005年06月21日 14:03 []  3/ 4  75点 01:27",                // leading zero
        "新18446744073709551616)2005年06月21日 14:03 []  3/ 4  75点 01:27", // past 64 bits
        "新5821類題2)2005年06月21日 14:03 []  3/ 4  75点 01:27",
        "2005年06月21日 14:03 [01a]  3/ 4  75点 01:27",
        "2005年06月21日 14:03 [0102]  03/ 4  75点 01:27",
        "2005年06月21日 14:03 [0102]  3/ 4  75 01:27",
        "05年06月21日 14:03 [0102]  3/ 4  75点 01:27",
    };
    for (const char* text : lines)
        EXPECT_FALSE(zendra::ParseRecordLine(QString::fromUtf8(text)).has_value()) << text;
}
