#include "sheet/Sheet.h"

#include "courseware/UnitReader.h"
#include "platform/Messages.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace zendra;

namespace {

QStringList L(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

} // namespace

TEST(Sheet, UnitWithoutBlocksTakesTheBuiltInDefaults)
{
    ParsedUnit unit;
    unit.content.title = "整数//§1-1 たし算";
    unit.content.questions = L("1+2=#3#");
    SheetSource source;
    source.unitId = "Seisu1.que-U1";
    const Sheet sheet = Sheet::fromParsedUnit(unit, source, true);
    EXPECT_EQ(sheet.settings.page.width, 630);
    EXPECT_EQ(sheet.settings.page.height, 891);
    EXPECT_EQ(sheet.settings.lineSpacing, 30);
    EXPECT_EQ(sheet.settings.leftMargin, 5);
    EXPECT_EQ(sheet.settings.rightMargin, 5);
    EXPECT_EQ(sheet.settings.startNumber, 1);
    EXPECT_EQ(sheet.settings.options, 7);
    EXPECT_EQ(sheet.settings.characterSize, 14);
    EXPECT_EQ(sheet.settings.drawingFace, "ＭＳ 明朝");
    EXPECT_EQ(sheet.settings.lstKranX, FormKranLines());
    EXPECT_TRUE(sheet.answersShown);
    EXPECT_TRUE(sheet.titleGenerated);
    EXPECT_EQ(sheet.lastComposedTitle, unit.content.title);
    for (int i = 0; i <= AnswerBoxTable::kMaxBoxes; ++i)
        EXPECT_EQ(sheet.composed.boxes[i].judgement, 99);
}

TEST(Sheet, ValueAndFontBlocks)
{
    struct Case
    {
        const char* values;
        const char* font;
        int width, height, spacing, left, right, start, options, size;
        QString face;
    };
    const std::vector<Case> cases = {
        {"771|True|36|3|4|12|5", "16|MS 明朝|True|False|False|False|ＭＳ ゴシック", 771, 1090, 36,
         3, 4, 12, 5, 16, "ＭＳ ゴシック"},
        // legacy booleans in lines 1 and 7; line 2 never switches answers on
        {"True|True|40|5|5|1|False", "12|MS 明朝|False|False|False|False|0", 630, 891, 40, 5, 5, 1,
         7, 12, "IPA明朝"},
        {"546|False|40|5|5|1|16", "12|a|b|c|d|e|", 546, 772, 40, 5, 5, 1, 15, 12, "IPA明朝"},
        // damaged numbers keep the defaults instead of becoming 0
        {"abc|False|x|||?|99", "big|a|b|c|d|e|0", 630, 891, 30, 5, 5, 1, 15, 14, "IPA明朝"},
        {"-630|False|40|5|5|1|7", "12|a|b|c|d|e|0", 630, 891, 40, 5, 5, 1, 7, 12, "IPA明朝"},
        // sizes and spacings beyond any page are held at the limits
        {"630|False|9999999|5|5|1|7", "1000000|a|b|c|d|e|0", 630, 891, 1000, 5, 5, 1, 7, 500,
         "IPA明朝"},
        {"630|False|-9999999|5|5|1|7", "-1000000|a|b|c|d|e|0", 630, 891, -1000, 5, 5, 1, 7, -500,
         "IPA明朝"},
        // a repeated block adds its lines after the first; the first block counts
        {"546|False|40|5|5|1|7|891|False|10|0|0|9|1", "9|a|b|c|d|e|0|20|a|b|c|d|e|X", 546, 772, 40,
         5, 5, 1, 7, 9, "IPA明朝"},
    };
    for (const Case& c : cases) {
        ParsedUnit unit;
        unit.values = L(c.values);
        unit.font = L(c.font);
        const Sheet sheet =
            Sheet::fromParsedUnit(unit, SheetSource{}, false, QStringLiteral("IPA明朝"));
        EXPECT_EQ(sheet.settings.page.width, c.width) << c.values;
        EXPECT_EQ(sheet.settings.page.height, c.height) << c.values;
        EXPECT_EQ(sheet.settings.lineSpacing, c.spacing) << c.values;
        EXPECT_EQ(sheet.settings.leftMargin, c.left) << c.values;
        EXPECT_EQ(sheet.settings.rightMargin, c.right) << c.values;
        EXPECT_EQ(sheet.settings.startNumber, c.start) << c.values;
        EXPECT_EQ(sheet.settings.options, c.options) << c.values;
        EXPECT_EQ(sheet.settings.characterSize, c.size) << c.font;
        EXPECT_EQ(sheet.settings.drawingFace, c.face) << c.font;
        EXPECT_FALSE(sheet.answersShown);
    }
}

TEST(Sheet, KranBlockReplacesTheFormDefault)
{
    ParsedUnit unit;
    unit.kran = L("1|12|3|2|30|0|15|10|4|0|5|15|2|0|0|0|15|10|0|0");
    EXPECT_EQ(Sheet::fromParsedUnit(unit, {}, false).settings.lstKranX, unit.kran.mid(0, 10));
    unit.kran = L("4|8");
    EXPECT_EQ(Sheet::fromParsedUnit(unit, {}, false).settings.lstKranX, L("4|8|0|0|0|0|0|0|0|0"));
}

TEST(Sheet, CopyFileReadsBackAsTheSameSheet)
{
    ParsedUnit unit;
    unit.content.title = "整数//§2-3";
    unit.content.school = "小学校";
    unit.content.nameLine = "　年　組　番　氏名";
    unit.content.questions = L("1+2=#3#||表ソ=#表;ソ#");
    unit.values = L("771|False|36|3|4|12|5");
    unit.font = L("16|MS 明朝|True|False|False|False|0");
    unit.kran = L("1|12|3|2|30|0|15|10|4|0");
    unit.content.questionFigures = L("a.bmp|-1|-1");
    unit.content.answerGroups = L("1,2");
    Sheet sheet = Sheet::fromParsedUnit(unit, {}, true);
    sheet.content.questionFigures[1] = "90";

    QTemporaryDir dir;
    const QString path = dir.filePath("copy.prp");
    test::writeLines(path, BuildCopyLines(sheet.toCopySheet()));
    UnitReader reader;
    ASSERT_TRUE(reader.ReadUnit(path, CopyUnitHeaderLine(), 0, 0, UnitReader::OpenCopy, {}));
    SheetSource source;
    source.fromCopy = true;
    const Sheet back = Sheet::fromParsedUnit(reader.unit(), source, false);
    EXPECT_EQ(back.content.title, sheet.content.title);
    EXPECT_EQ(back.content.school, sheet.content.school);
    EXPECT_EQ(back.content.nameLine, sheet.content.nameLine);
    EXPECT_EQ(back.content.questions, sheet.content.questions);
    EXPECT_EQ(back.content.questionFigures, L("a.bmp|90|-1"));
    EXPECT_EQ(back.settings.page.width, 771);
    EXPECT_EQ(back.settings.lineSpacing, 36);
    EXPECT_EQ(back.settings.options, 5);
    EXPECT_EQ(back.settings.characterSize, 16);
    EXPECT_TRUE(back.settings.drawingFaceIsDefault);
    EXPECT_EQ(back.toCopySheet().font, L("16|MS 明朝|True|False|False|False|0"));
    EXPECT_EQ(back.settings.lstKranX, sheet.settings.lstKranX);
    EXPECT_EQ(back.content.answerGroups, sheet.content.answerGroups);
    EXPECT_FALSE(back.titleGenerated);
    EXPECT_EQ(sheet.toCopySheet().answersShown, true);
}

TEST(Sheet, MissingFigurePicturesAreReportedAndStayEmpty)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/Graph/";
    QDir().mkpath(folder);
    QImage(12, 7, QImage::Format_RGB32).save(folder + "Fig1.bmp");

    Sheet sheet;
    sheet.content.questionFigures = L("fig1.BMP|10|20|gone.bmp|-1|-1||0|0|..\\..\\Fig1.bmp|0|0");
    sheet.content.answerFigures = L("Fig1.bmp|1|2");
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    sheet.loadFigures(folder);

    ASSERT_EQ(sheet.questionPictures.size(), 4);
    EXPECT_TRUE(sheet.questionPictures[3].isNull());           // never read from outside the tree
    EXPECT_EQ(sheet.questionPictures[0].size(), QSize(12, 7)); // found without regard to case
    EXPECT_TRUE(sheet.questionPictures[1].isNull());
    EXPECT_TRUE(sheet.questionPictures[2].isNull());
    ASSERT_EQ(sheet.answerPictures.size(), 1);
    EXPECT_EQ(sheet.answerPictures[0].size(), QSize(12, 7));
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts()[0].startsWith("ファイル "));
    EXPECT_TRUE(messages.texts()[0].endsWith("gone.bmp が見つかりません"));
    EXPECT_EQ(messages.texts()[1],
              "図のファイル名 ..\\..\\Fig1.bmp はプログラムのフォルダの外を指しています");
}
