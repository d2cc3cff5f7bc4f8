#include "app/MainCommands.h"

#include <gtest/gtest.h>

using namespace zendra;

TEST(MainCommands, CopyRectangleLeavesTheOutlineOut)
{
    struct Case
    {
        QPoint a, b;
        QRect expected;
    };
    const Case cases[] = {
        {{10, 10}, {110, 60}, QRect(11, 11, 98, 48)},
        {{110, 60}, {10, 10}, QRect(11, 11, 98, 48)}, // marked from the other corner
        {{110, 10}, {10, 60}, QRect(11, 11, 98, 48)},
        {{5, 5}, {6, 6}, QRect(6, 6, 1, 1)}, // |1 − 2| = 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(CopyRectangle(c.a, c.b), c.expected) << c.a.x() << "," << c.a.y();
}

TEST(MainCommands, RenamedSheetKeepsOneEntry)
{
    const QStringList list{"a.que-U1", "b.que-U2"};
    EXPECT_EQ(RenameOpenSheet(list, "a.que-U1", "/x/copy.prp"),
              (QStringList{"b.que-U2", "/x/copy.prp"}));
}
