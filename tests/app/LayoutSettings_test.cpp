#include "app/LayoutSettings.h"

#include "sheet/Sheet.h"

#include <gtest/gtest.h>

using namespace zendra;

TEST(LayoutSettings, ShapesWriteLineOneAndOnlyNoneAndUnderlineMarkModified)
{
    struct Row
    {
        int shape;
        SizeBoxes boxes;
        bool marks;
    };
    const Row rows[] = {
        {0, {false, false}, true}, {1, {true, true}, false}, {2, {true, false}, false},
        {3, {true, false}, false}, {4, {true, false}, true}, {5, {true, true}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shape);
        Sheet sheet;
        sheet.settings.lstKranX[0] = QStringLiteral("0");
        ApplyLayoutValue(sheet, LayoutControl::Shape, row.shape);
        EXPECT_EQ(sheet.settings.lstKranX[0], QString::number(row.shape));
        EXPECT_EQ(sheet.changed, row.marks);
        EXPECT_EQ(SizeBoxesForShape(row.shape), row.boxes);
        // The other lines stay as they were.
        EXPECT_EQ(sheet.settings.lstKranX.mid(1), FormKranLines().mid(1));
    }
    EXPECT_EQ(SizeBoxesForShape(7), SizeBoxes{});
}

TEST(LayoutSettings, ShortAnswerBoxBlockIsPaddedBeforeWriting)
{
    Sheet sheet;
    sheet.settings.lstKranX = {QStringLiteral("1"), QStringLiteral("8")};
    ApplyLayoutValue(sheet, LayoutControl::BoxY, -3);
    EXPECT_EQ(sheet.settings.lstKranX, QStringList({"1", "8", "0", "0", "0", "0", "0", "-3"}));
    EXPECT_EQ(LayoutValue(sheet, LayoutControl::AnswerX), 0);
}

TEST(LayoutSettings, ShapeValueSelectsItsVisibleButton)
{
    const std::pair<int, std::optional<int>> rows[] = {
        {0, 0}, {1, 1}, {2, std::nullopt}, {3, std::nullopt}, {4, 4}, {5, 5}, {6, 0}, {-1, 0},
    };
    for (const auto& [shape, button] : rows)
        EXPECT_EQ(ShapeButtonFor(shape), button) << shape;
}

TEST(LayoutSettings, ApplyPaperRecomputesHeightAndMarksModified)
{
    Sheet sheet;
    ApplyPaper(sheet, 771);
    EXPECT_EQ(sheet.settings.page.width, 771);
    EXPECT_EQ(sheet.settings.page.height, PaperRecord::heightFor(771));
    EXPECT_TRUE(sheet.changed);

    const std::pair<int, Paper> papers[] = {
        {546, Paper::B5}, {630, Paper::A4}, {771, Paper::B4}, {891, Paper::A3}, {700, Paper::A3}};
    for (const auto& [width, paper] : papers)
        EXPECT_EQ(DialogPaperOfWidth(width), paper) << width;
    EXPECT_EQ(PaperWidth(Paper::B5), 546);
    EXPECT_EQ(PaperWidth(Paper::A3), 891);
}

TEST(LayoutSettings, OptionBitsRoundTrip)
{
    EXPECT_EQ(OptionBits({true, false, true}), 5);
    EXPECT_EQ(OptionBits({false, true, false}), 2);
    for (int bits = 0; bits < 8; ++bits)
        EXPECT_EQ(OptionBits(OptionsOfBits(bits)), bits);
    // The unused bit 8 is not a check box.
    EXPECT_EQ(OptionBits(OptionsOfBits(15)), 7);
}

TEST(LayoutSettings, SheetValuesWrittenByName)
{
    struct Row
    {
        LayoutControl control;
        int SheetSettings::*field;
        bool marks;
    };
    const Row rows[] = {
        {LayoutControl::LineSpacing, &SheetSettings::lineSpacing, true},
        {LayoutControl::CharacterSize, &SheetSettings::characterSize, true},
        {LayoutControl::StartNumber, &SheetSettings::startNumber, true},
        {LayoutControl::LeftMargin, &SheetSettings::leftMargin, true},
        {LayoutControl::Options, &SheetSettings::options, false}, // the paper marks the sheet
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.control));
        Sheet sheet;
        ApplyLayoutValue(sheet, row.control, 3);
        EXPECT_EQ(sheet.settings.*row.field, 3);
        EXPECT_EQ(LayoutValue(sheet, row.control), 3);
        EXPECT_EQ(sheet.changed, row.marks);
        EXPECT_EQ(sheet.settings.lstKranX, FormKranLines());
    }
}
