#include "study/StudyMarks.h"

#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

QRect edges(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r, b));
}

} // namespace

TEST(StudyMarks, MarksLieOnTheEntryBoxRectangleOfThePage)
{
    // An entry box at (200, 100), 60 x 27, right of a 150-pixel panel, scrolled by 20.
    const EntryBoxRect e{200, 100, 60, 27};
    const PageFrame screen{150, 20, 1.0, 1.0};
    EXPECT_EQ(MarkRect(e, screen), edges(41, 123, 107, 150));
    EXPECT_EQ(TriangleRect(e, screen), edges(50, 123, 107, 150));

    struct Case
    {
        MarkKind kind;
        PageFrame frame;
        bool review;
        QRgb colour;
        int penWidth;
        QList<QRect> ellipses;
        QList<QLine> lines;
    };
    const Case cases[] = {
        {MarkKind::Circle, screen, false, kMarkRed, 2, {edges(35, 111, 113, 162)}, {}},
        {MarkKind::DoubleCircle,
         screen,
         true,
         kMarkGreen,
         2,
         {edges(36, 118, 112, 155), edges(31, 113, 117, 160)},
         {}},
        {MarkKind::Slash, screen, false, kMarkRed, 2, {}, {QLine(113, 111, 35, 162)}},
        {MarkKind::Slash, screen, true, kMarkGreen, 2, {}, {QLine(113, 111, 35, 162)}},
        {MarkKind::Triangle,
         screen,
         false,
         kMarkRed,
         3,
         {},
         {QLine(78, 108, 20, 155), QLine(20, 155, 117, 155), QLine(117, 155, 78, 108)}},
        // A printer page: scale 2, widened by 1.03.
        {MarkKind::Circle,
         PageFrame{150, 20, 2.0, 1.03},
         false,
         kMarkRed,
         4,
         {edges(232, 202, 388, 304)},
         {}},
    };
    for (const Case& c : cases) {
        const MarkShape m = MakeMark(c.kind, e, c.frame, c.review);
        EXPECT_EQ(m.kind, c.kind);
        EXPECT_EQ(m.colour, c.colour) << static_cast<int>(c.kind);
        EXPECT_EQ(m.penWidth, c.penWidth) << static_cast<int>(c.kind);
        EXPECT_EQ(m.ellipses, c.ellipses) << static_cast<int>(c.kind);
        EXPECT_EQ(m.lines, c.lines) << static_cast<int>(c.kind);
    }

    const MarkShape slash = TestSlashMark(edges(10, 43, 67, 70), 60, 1.0);
    EXPECT_EQ(slash.lines, QList<QLine>{QLine(64, 40, 13, 73)});
    EXPECT_EQ(slash.colour, kMarkRed);
}

TEST(StudyMarks, EntryBoxesScoringMarksAndTheScoreSitOverTheComposedPage)
{
    AnswerBox box;
    box.x = 100;
    box.y = 200;
    box.width = 63;
    const EntryBoxRect e = PlaceEntryBox(box, 150, 14, 20);
    EXPECT_EQ(e.left, 256);
    EXPECT_EQ(e.top, 211); // 200 + round(0.3 * (28 + 20 - 10))
    EXPECT_EQ(e.width, 60);
    EXPECT_EQ(e.height, AnswerFieldHeight(14));

    box.judgement = 1;
    EXPECT_EQ(ScoringMark(box, 14, 20).ellipses, QList<QRect>{edges(91, 202, 169, 253)});
    box.judgement = 0;
    EXPECT_EQ(ScoringMark(box, 14, 20).lines, QList<QLine>{QLine(157, 200, 103, 233)});

    // The composer's drawer: the marks of judged boxes only.
    const MarkDrawer drawer = StudyMarkDrawer(14, 20);
    const AnswerBoxRects rects = AnswerBoxGeometry(box, 1.0, 1.0, AnswerFieldHeight(14), 20, 20);
    const int judgements[] = {1, 0, -2, -1, 2, 99};
    const RecordingSurface::Op::Kind drawn[] = {
        RecordingSurface::Op::Ellipse, RecordingSurface::Op::Line, RecordingSurface::Op::Line};
    for (int k = 0; k < 6; ++k) {
        RecordingSurface surface;
        box.judgement = judgements[k];
        drawer(surface, 1, box, rects, 1.0, 1.0);
        ASSERT_EQ(surface.ops().isEmpty(), k >= 3) << judgements[k];
        if (k < 3) {
            EXPECT_EQ(surface.ops().front().kind, drawn[k]);
            EXPECT_EQ(surface.ops().front().colour, kMarkRed);
        }
    }

    const ScorePlace place = DrawScorePlace(QPoint(480, 35), 150, 75);
    EXPECT_EQ(place.number, QPoint(496, 35));
    EXPECT_EQ(place.unitY, 50);
    EXPECT_EQ(DrawScorePlace(QPoint(480, 35), 150, 100).number, QPoint(479, 35));
    RecordingSurface surface;
    DrawScore(surface, QPoint(480, 35), 150, 75);
    ASSERT_EQ(surface.texts().size(), 2);
    const RecordingSurface::Op number = surface.texts().at(0);
    const RecordingSurface::Op unit = surface.texts().at(1);
    EXPECT_EQ(number.text, QStringLiteral("75"));
    EXPECT_EQ(number.fontSize, 38);
    EXPECT_EQ(number.colour, kMarkRed);
    EXPECT_EQ(unit.text, QStringLiteral("点"));
    EXPECT_EQ(unit.fontSize, 24);
    EXPECT_EQ(unit.rect.topLeft(), QPoint(496 + 38, 50)); // right after the digits
}

TEST(StudyMarks, PaintMarkDrawsOutlinesInTheMarksColour)
{
    RecordingSurface surface;
    surface.setPenColour(qRgb(0, 0, 0));
    MarkShape circle;
    circle.kind = MarkKind::Circle;
    circle.colour = kMarkRed;
    circle.penWidth = 2;
    circle.ellipses = {edges(20, 20, 180, 120)};
    PaintMark(surface, circle);
    MarkShape slash;
    slash.kind = MarkKind::Slash;
    slash.colour = kMarkGreen;
    slash.penWidth = 3;
    slash.lines = {QLine(10, 190, 190, 140)};
    PaintMark(surface, slash);
    PaintMark(surface, MarkShape{}); // no mark: nothing drawn

    using Op = RecordingSurface::Op;
    ASSERT_EQ(surface.ops().size(), 2);
    const Op& ellipse = surface.ops().at(0);
    EXPECT_EQ(ellipse.kind, Op::Ellipse); // an outline, never filled
    EXPECT_EQ(ellipse.rect, edges(20, 20, 180, 120));
    EXPECT_EQ(ellipse.colour, kMarkRed);
    EXPECT_EQ(ellipse.penWidth, 2);
    const Op& line = surface.ops().at(1);
    EXPECT_EQ(line.kind, Op::Line);
    EXPECT_EQ(line.rect, edges(10, 190, 190, 140));
    EXPECT_EQ(line.colour, kMarkGreen);
    EXPECT_EQ(line.penWidth, 3);
    // The surface's pen as it was.
    EXPECT_EQ(surface.penColour(), qRgb(0, 0, 0));
    EXPECT_EQ(surface.penWidth(), 1);
}
