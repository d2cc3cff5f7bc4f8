#include "study/StudyPage.h"

#include "platform/RecordingSurface.h"
#include "sheet/Sheet.h"

#include <gtest/gtest.h>

using namespace zendra;
using Op = RecordingSurface::Op;

// 消去 draws the box's frame again: one rounded frame across the box, black with a
// one-pixel pen, whatever pen the page was left with.
TEST(StudyPage, RedrawnFrameIsOneBlackThinRoundFrameAcrossTheBox)
{
    struct Case
    {
        int x, y, characterSize, boxHeight;
    };
    const Case cases[] = {{40, 100, 12, 2}, {200, 300, 16, 3}, {10, 20, 10, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const StudyPageGeometry g{c.characterSize, c.boxHeight, 0, 150};
        AnswerBox box;
        box.x = c.x;
        box.y = c.y;
        RecordingSurface surface;
        surface.setPenColour(0xffff0000);
        surface.setPenWidth(3);
        RedrawFrame(surface, g, box);
        ASSERT_EQ(surface.ops().size(), 1);
        const Op& op = surface.ops().first();
        EXPECT_EQ(op.kind, Op::RoundRect);
        EXPECT_EQ(op.colour, 0xff000000u);
        EXPECT_EQ(op.penWidth, 1);
        const QRect frame = g.rects(box).box;
        EXPECT_EQ(op.rect.left(), frame.left());
        EXPECT_EQ(op.rect.width(), frame.width());
    }
}

// A typed answer is drawn in blue where it is asked, in the sheet's drawing face.
TEST(StudyPage, TypedAnswerIsBlueWhereAsked)
{
    Sheet sheet;
    sheet.settings.drawingFace = QStringLiteral("ＭＳ 明朝");
    const std::tuple<QString, int, int> cases[] = {{QStringLiteral("12"), 30, 40},
                                                   {QStringLiteral("345"), 200, 310}};
    for (const auto& [text, x, y] : cases) {
        RecordingSurface surface;
        DrawTypedAnswer(surface, sheet, 12, text, x, y);
        const QList<Op> texts = surface.texts();
        ASSERT_EQ(texts.size(), 1);
        const Op& op = texts.first();
        EXPECT_EQ(op.text, text);
        EXPECT_EQ(op.colour, qRgb(0, 0, 255));
        EXPECT_EQ(op.face, sheet.settings.drawingFace);
        EXPECT_EQ(op.rect.x(), x);
        // On the answer's line: below y by no more than the character size.
        EXPECT_GE(op.rect.y(), y);
        EXPECT_LE(op.rect.y(), y + 12);
    }
}
