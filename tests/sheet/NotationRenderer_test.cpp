#include "sheet/NotationRenderer.h"

#include "platform/PainterSurface.h"
#include "platform/RecordingSurface.h"

#include "TestSupport.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zendra;

namespace {

// Drawn text as "text@x,y/size" and lines as "line x1,y1-x2,y2 w", so a failing case shows
// the whole drawing at once.
std::vector<std::string> drawing(const RecordingSurface& surface)
{
    std::vector<std::string> out;
    for (const RecordingSurface::Op& op : surface.ops()) {
        if (op.kind == RecordingSurface::Op::Text)
            out.push_back(QStringLiteral("%1@%2,%3/%4")
                              .arg(op.text)
                              .arg(op.rect.x())
                              .arg(op.rect.y())
                              .arg(op.fontSize)
                              .toStdString());
        else if (op.kind == RecordingSurface::Op::Line)
            out.push_back(QStringLiteral("line %1,%2-%3,%4 %5")
                              .arg(op.rect.left())
                              .arg(op.rect.top())
                              .arg(op.rect.right())
                              .arg(op.rect.bottom())
                              .arg(op.penWidth)
                              .toStdString());
    }
    return out;
}

struct Case
{
    const char16_t* text;
    std::vector<std::string> drawn;
    int endX;
};

// Screen, character size 12: k = 7, g = 2; at size 12 a single-byte character is 6 px
// wide, any other 12 px, and the bar is not shifted.
TEST(NotationRendererTest, DrawsPiecesAtExactPositions)
{
    const std::vector<Case> cases = {
        {u"", {}, 100},
        {u"#", {}, 100},
        // one character is an item with its trailing gap; '*' alone stays as typed
        {u"a", {"a@100,207/12"}, 110},
        {u"*", {"*@100,207/12"}, 110},
        // without '/' nothing is interpreted and the whole text is one call
        {u"2^3", {"2^3@100,207/12"}, 118},
        {u"こたえ", {"こたえ@100,207/12"}, 136},
        {u"こ", {"こ@100,207/12"}, 112},
        {u"3/4", {"3@100,196/12", "4@100,218/12", "line 101,215-107,215 1"}, 111},
        // the shorter line is centred by half an estimated character width
        {u"12/5", {"1@100,196/12", "2@106,196/12", "5@103,218/12", "line 101,215-113,215 1"}, 117},
        {u"2^3+1/2",
         {"2@100,207/12", "3@110,200/10", "+@119,207/12", "1@129,196/12", "2@129,218/12",
          "line 130,215-136,215 1"},
         140},
        {u"a<=b/2",
         {"a@100,207/12", "≦@110,207/12", "b@123,196/12", "2@123,218/12", "line 124,215-130,215 1"},
         134},
        {u"a>b>=1/2",
         {"a@100,207/12", "＞@110,207/12", "b@123,207/12", "≧@133,207/12", "1@146,196/12",
          "2@146,218/12", "line 147,215-153,215 1"},
         157},
        {u"1/2+1/3",
         {"1@100,196/12", "2@100,218/12", "line 101,215-107,215 1", "+@111,207/12", "1@121,196/12",
          "3@121,218/12", "line 122,215-128,215 1"},
         132},
        {u"/3", {"3@100,207/12"}, 110},
        {u"2*3/4",
         {"2@100,207/12", "×@110,207/12", "3@123,196/12", "4@123,218/12", "line 124,215-130,215 1"},
         134},
        {u"6\\2/3",
         {"6@100,207/12", "÷@110,207/12", "2@123,196/12", "3@123,218/12", "line 124,215-130,215 1"},
         134},
        // '[' opens a denominator whose brackets are not drawn, unless it holds an R
        {u"1/[12]",
         {"1@100,218/12", "2@106,218/12", "1@103,196/12", "line 101,215-113,215 1"},
         117},
        {u"1/[R5]",
         {"R@100,218/12", "5@106,218/12", "]@112,218/12", "1@106,196/12", "line 101,215-119,215 1"},
         123},
        {u"(1/2)",
         {"(@100,207/12", "1@110,196/12", "2@110,218/12", "line 111,215-117,215 1", ")@121,207/12"},
         131},
        {u"1/2&3", {"1@100,196/12", "2@100,218/12", "line 101,215-107,215 1", "3@111,207/12"}, 121},
        // a double-byte character after a fraction is one character, drawn intact
        {u"1/2こ",
         {"1@100,196/12", "2@100,218/12", "line 101,215-107,215 1", "こ@111,207/12"},
         127},
        {u"表1/2",
         {"表@100,207/12", "1@116,196/12", "2@116,218/12", "line 117,215-123,215 1"},
         127},
        // a fraction without a numerator keeps its denominator as plain text
        {u"/3 x", {"3@100,207/12", " @110,207/12", "x@120,207/12"}, 130},
        // '|': the suffix up to ')' joins the numerator, a numerator "1" is dropped, and the
        // character that starts the suffix and the ')' are not drawn
        {u"1|4 x)+1/2",
         {"x@100,196/12", "4@100,218/12", "line 101,215-107,215 1", "+@111,207/12", "1@121,196/12",
          "2@121,218/12", "line 122,215-128,215 1"},
         132},
        // without ')' the last character ends the suffix in its place
        {u"1/2&2|3 ab",
         {"1@100,196/12", "2@100,218/12", "line 101,215-107,215 1", "2@111,196/12", "a@117,196/12",
          "3@114,218/12", "line 112,215-124,215 1"},
         128},
    };

    NotationRenderer renderer;
    renderer.begin(1.0, 12, false, 630);
    ASSERT_EQ(renderer.rise(), 7);
    ASSERT_EQ(renderer.gap(), 2);
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        RecordingSurface surface;
        const QPoint end = renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 255), text, surface, 1.0);
        EXPECT_EQ(drawing(surface), c.drawn);
        EXPECT_EQ(end, QPoint(c.endX, 200));
        if (!text.isEmpty()) {
            EXPECT_EQ(surface.fontSize(), 12);
        }
    }
}

TEST(NotationRendererTest, SpacingUnitsFollowScaleAndCharacterSize)
{
    NotationRenderer renderer;
    renderer.begin(7.5, 13, true, 4725); // a 600 dpi page
    EXPECT_EQ(renderer.rise(), 50);      // 50.49
    EXPECT_EQ(renderer.gap(), 16);       // 16.25
    EXPECT_TRUE(renderer.printing());
    renderer.begin(1.0, 15, false, 630);
    EXPECT_EQ(renderer.gap(), 2); // 2.5 rounds to even
    EXPECT_FALSE(renderer.printing());

    // With g = 4 each character of a run advances by g div 4 = 1, and the estimate of one
    // character's width comes from the longer line including those advances.
    renderer.begin(1.0, 24, false, 630);
    RecordingSurface surface;
    const QPoint end = renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 0), "123/5", surface, 1.0);
    EXPECT_EQ(drawing(surface),
              (std::vector<std::string>{"1@100,196/12", "2@107,196/12", "3@114,196/12",
                                        "5@106,218/12", "line 101,215-121,215 1"}));
    EXPECT_EQ(end, QPoint(129, 200));
}

TEST(NotationRendererTest, FractionBarShiftAndWidth)
{
    struct BarCase
    {
        bool printing;
        int pageWidth;
        int fontSize;
        int barY;
        int width;
    };
    // 200 + round(2.2k) = 215, minus the shift e
    const BarCase cases[] = {
        {false, 630, 6, 211, 1},  {false, 630, 8, 211, 1},  {false, 630, 10, 213, 1},
        {false, 630, 12, 215, 1}, {false, 630, 14, 216, 1}, {false, 630, 16, 217, 1},
        {false, 630, 18, 219, 1}, {false, 630, 13, 213, 1}, {false, 4000, 12, 215, 1},
        {true, 2800, 12, 212, 1}, {true, 2801, 12, 212, 4}, {true, 2801, 18, 218, 4},
        {true, 2801, 8, 208, 4},
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "printing " << c.printing << " page " << c.pageWidth
                                        << " size " << c.fontSize);
        NotationRenderer renderer;
        renderer.begin(1.0, 12, c.printing, c.pageWidth);
        RecordingSurface surface;
        surface.setPenColour(qRgb(1, 2, 3));
        surface.setPenWidth(3);
        surface.setPenMode(PenMode::Invert);
        renderer.DrawNotation(c.fontSize, 100, 200, qRgb(0, 0, 255), "3/4", surface, 1.0);
        const QList<RecordingSurface::Op> lines = surface.lines();
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0].rect.top(), c.barY);
        EXPECT_EQ(lines[0].rect.bottom(), c.barY);
        EXPECT_EQ(lines[0].penWidth, c.width);
        EXPECT_EQ(lines[0].colour, qRgb(0, 0, 255));
        EXPECT_EQ(lines[0].penMode, PenMode::Copy);
        EXPECT_EQ(surface.penColour(), qRgb(0, 0, 0));
        EXPECT_EQ(surface.penWidth(), 1);
    }
}

TEST(NotationRendererTest, PrintingRaisesRunCharactersButNotPlainText)
{
    NotationRenderer renderer;
    renderer.begin(1.0, 12, true, 2000);
    RecordingSurface surface;
    renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 0), "1/2_こ", surface, 1.0);
    // bar e = 15 - 12 = 3; '_' and double-byte characters stay on the line
    EXPECT_EQ(drawing(surface),
              (std::vector<std::string>{"1@100,188/12", "2@100,210/12", "line 101,212-107,212 1",
                                        "_@111,207/12", "こ@121,207/12"}));

    surface.clear();
    renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 0), "a", surface, 1.0);
    renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 0), "ab", surface, 1.0);
    EXPECT_EQ(drawing(surface), (std::vector<std::string>{"a@100,199/12", "ab@100,207/12"}));
}

TEST(NotationRendererTest, RunCharacterClearsStyleAndPieceSetsColourAndSize)
{
    NotationRenderer renderer;
    renderer.begin(1.0, 12, false, 630);
    RecordingSurface surface;
    surface.setFontSize(20);
    surface.setFontStyle(StyleBold | StyleUnderline);
    renderer.DrawNotation(12, 100, 200, qRgb(255, 0, 0), "1/2", surface, 1.0);
    const QList<RecordingSurface::Op> texts = surface.texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0].style, unsigned(StyleBold | StyleUnderline));
    EXPECT_EQ(texts[1].style, unsigned(StylePlain));
    EXPECT_EQ(texts[0].colour, qRgb(255, 0, 0));
    EXPECT_EQ(surface.fontStyle(), unsigned(StylePlain));

    // text without '/' keeps the style it was given
    surface.setFontStyle(StyleBold);
    renderer.DrawNotation(12, 100, 200, qRgb(0, 0, 0), "12", surface, 1.0);
    EXPECT_EQ(surface.fontStyle(), unsigned(StyleBold));
}

TEST(NotationRendererTest, PaintsReadableFractionOnImage)
{
    if (!zendra::test::ensureGuiApplication())
        GTEST_SKIP() << "fonts need a QGuiApplication";

    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    NotationRenderer renderer;
    renderer.begin(1.0, 12, false, image.width());
    QPoint end;
    {
        QPainter painter(&image);
        PainterSurface surface(painter, 96, image.width());
        end = renderer.DrawNotation(12, 50, 30, qRgb(0, 0, 0), "3/4", surface, 1.0);
    }
    EXPECT_GT(end.x(), 50);
    EXPECT_EQ(end.y(), 30);

    // The bar lies at y = 30 + 15; the numerator above it, the denominator below.
    auto darkIn = [&](int top, int bottom) {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 45; x < end.x(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    ++dark;
        return dark;
    };
    EXPECT_GT(darkIn(20, 44), 5);
    EXPECT_GT(darkIn(45, 46), 3);
    EXPECT_GT(darkIn(47, 70), 5);
    EXPECT_EQ(darkIn(0, 20), 0);
}

} // namespace
