#include "courseware/LayoutLines.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zendra;

namespace {

QStringList L(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

} // namespace

// Reading through a view and writing back leaves every line as it was read; a setter changes
// only its own line, padding a short block with "0".
TEST(LayoutLines, WriteBackOnlyTheLineASetterTouches)
{
    struct Row
    {
        const char* what;
        const char* lines;
        std::function<void(QStringList&)> edit;
        const char* expected;
    };
    const Row rows[] = {
        {"read only", "True|x |False| 7|0|0|15|10|0|junk",
         [](QStringList& l) {
             const KranLines kran(l);
             EditKranLines back(l);
             for (int i = 1; i <= 10; ++i)
                 back.setText(static_cast<KranLine>(i), kran.text(static_cast<KranLine>(i)));
         },
         "True|x |False| 7|0|0|15|10|0|junk"},
        {"box width", "True|x |False| 7|0|0|15|10|0|junk",
         [](QStringList& l) { EditKranLines(l).setNumber(KranLine::BoxWidth, 12); },
         "True|12|False| 7|0|0|15|10|0|junk"},
        {"short block", "1|8",
         [](QStringList& l) { EditKranLines(l).setNumber(KranLine::SubLineSpacing, -3); },
         "1|8|0|0|0|0|0|0|-3"},
        {"answers shown", "True|False|40|x|5|1|False",
         [](QStringList& l) { EditValueLines(l).setFlag(ValueLine::AnswersShown, true); },
         "True|True|40|x|5|1|False"},
        {"font styles", "12|MS 明朝|False|True|False|False|0",
         [](QStringList& l) {
             EditFontLines font(l);
             font.setRange(FontLine::Face, font.range(FontLine::Face, FontLine::StrikeOut));
             font.setText(FontLine::DrawingFace, QStringLiteral("ＭＳ ゴシック"));
         },
         "12|MS 明朝|False|True|False|False|ＭＳ ゴシック"},
        {"figure place", "a.bmp|1|2|b.bmp|x|True|c.bmp|9",
         [](QStringList& l) { EXPECT_TRUE(EditFigureTriples(l).setPlace(2, 30, -4)); },
         "a.bmp|1|2|b.bmp|30|-4|c.bmp|9"},
        {"partial triple", "a.bmp|1|2|c.bmp|9",
         [](QStringList& l) { EXPECT_FALSE(EditFigureTriples(l).setPlace(2, 30, 40)); },
         "a.bmp|1|2|c.bmp|9"},
        {"unplace", "a.bmp|1|2|c.bmp|9", [](QStringList& l) { EditFigureTriples(l).unplaceAll(); },
         "a.bmp|-1|-1|c.bmp|-1"},
        {"append", "a.bmp|1|True",
         [](QStringList& l) { EditFigureTriples(l).append(QStringLiteral("d.bmp"), 41, 20); },
         "a.bmp|1|True|d.bmp|41|20"},
    };
    for (const Row& row : rows) {
        QStringList lines = L(row.lines);
        row.edit(lines);
        EXPECT_EQ(lines, L(row.expected)) << row.what;
    }
}
