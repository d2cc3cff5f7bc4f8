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
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeRecordLine(c.values), QString::fromUtf8(c.expected)) << c.expected;
}
