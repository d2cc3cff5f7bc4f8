#include "courseware/UnitReader.h"

#include "platform/Messages.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <vector>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// Lines written as one text with '|' between them, to keep the fixtures readable.
QStringList L(const char* text)
{
    return QString::fromUtf8(text).split(u'|');
}

QStringList numbered(const char* prefix, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QString::fromUtf8(prefix) + QString::number(i));
    return lines;
}

// A sheet holding only question lines and a title, as an add starts from.
UnitContent sheetContent(const QStringList& questions, const QString& title = {})
{
    UnitContent content;
    content.title = title;
    content.questions = questions;
    return content;
}

class UnitReaderTest : public ::testing::Test
{
protected:
    QString write(const QStringList& lines)
    {
        const QString path = dir_.filePath(QStringLiteral("u%1.que").arg(++files_));
        test::writeLines(path, lines);
        return path;
    }
    bool read(const QString& path, const char* header)
    {
        return reader_.ReadUnit(path, QString::fromUtf8(header), 1, 1, UnitReader::OpenMaster, {});
    }

    QTemporaryDir dir_;
    int files_ = 0;
    UnitReader reader_;
    ScriptedMessages messages_;
    ScopedMessages scope_{messages_};
};

} // namespace

TEST_F(UnitReaderTest, FindsTheHeaderByWholeLine)
{
    const QStringList u1 = L("[[unit1|<<ques|one|>>|]]");
    const QStringList u12 = L("[[unit12|<<ques|twelve|>>|]]");
    const QStringList u1r1 = L("[[unit1R1|<<ques|one-r1|>>|]]");
    for (const QString& file : {write(u1 + u12 + u1r1), write(u12 + u1r1 + u1)}) {
        for (const auto& [header, question] :
             {std::pair{"[[unit1", "one"}, {"[[unit12", "twelve"}, {"[[unit1R1", "one-r1"}}) {
            ASSERT_TRUE(read(file, header)) << header;
            EXPECT_EQ(reader_.unit().content.questions, L(question)) << header;
        }
        EXPECT_FALSE(read(file, "[[unit1 "));
        EXPECT_FALSE(read(file, "[[unit2"));
    }
    EXPECT_TRUE(messages_.entries().isEmpty());
}

TEST_F(UnitReaderTest, SplitsTheBlocksOfAUnit)
{
    const QString file = write(L("<<ques|before the unit|>>|[[unit3|"
                                 "<<ques|{|editor group|}|1+2=#3#||>>|"
                                 "<<ans|<<value|>>|<<hint|hint text|>>|"
                                 "<<dummy|scratch|<<kgroup|g1|>>|stray|>>|"
                                 "<<ques |not a block|>>|"
                                 "<<graph|a.bmp|-1|-1|>>|<<AGraph|b.bmp|10|20|>>|"
                                 "<<softkey|ア|>>|<<header|h1|>>|<<ques|2*3=#6#|>>|]]|"
                                 "<<ques|after the unit|>>"));
    ASSERT_TRUE(read(file, "[[unit3"));
    const ParsedUnit& u = reader_.unit();
    EXPECT_EQ(u.content.questions, L("1+2=#3#||2*3=#6#"));
    // The keyword line inside "<<dummy" opened its block; "<<ans" hid its "<<value".
    EXPECT_EQ(u.content.answerGroups, L("g1"));
    EXPECT_TRUE(u.values.isEmpty() && u.font.isEmpty() && u.kran.isEmpty());
    EXPECT_EQ(u.content.questionFigures, L("a.bmp|-1|-1"));
    EXPECT_EQ(u.content.answerFigures, L("b.bmp|10|20"));
    EXPECT_EQ(u.content.softKeys, L("ア"));
    EXPECT_EQ(u.header, L("h1"));

    // A unit may run to the end of the file, also inside a block or an unclosed "{" group.
    ASSERT_TRUE(read(write(L("[[unit1|<<ques|a|>>|<<kran|1|2")), "[[unit1"));
    EXPECT_EQ(reader_.unit().content.questions, L("a"));
    EXPECT_EQ(reader_.unit().kran, L("1|2|0|0|0|0|0|0|0|0"));
    ASSERT_TRUE(read(write(L("[[unit1|<<ques|{|a|>>")), "[[unit1"));
    EXPECT_TRUE(reader_.unit().content.questions.isEmpty());
    EXPECT_TRUE(messages_.entries().isEmpty());
}

TEST_F(UnitReaderTest, ChecksTheLayoutBlocks)
{
    struct Case
    {
        const char* blocks;
        const char* message; // empty when the unit is accepted
        const char* values;
        const char* font;
        const char* kran;
    };
    const Case cases[] = {
        {"<<value|1|2|3|4|5|6|7|>>|<<font|a|b|c|d|e|f|g|>>", "", "1|2|3|4|5|6|7", "a|b|c|d|e|f|g",
         ""},
        {"<<kran|1|2|3|4|5|>>", "", "", "", "1|2|3|4|5|0|0|0|0|0"},
        {"<<kran|>>", "", "", "", "0|0|0|0|0|0|0|0|0|0"},
        {"<<value|1|2|3|4|5|6|7|>>|<<value|a|b|c|d|e|f|g|>>", "", "1|2|3|4|5|6|7|a|b|c|d|e|f|g", "",
         ""},
        {"<<kran|1|2|3|4|5|6|7|8|9|10|11|>>", "<<kran block error", "", "", ""},
        {"<<value|1|2|3|4|5|6|>>", "<<value block error", "", "", ""},
        {"<<value|1|2|3|4|5|6|7|8|>>", "<<value block error", "", "", ""},
        {"<<value|1|2|3|4|5|6|7|>>|<<value|>>", "<<value block error", "", "", ""},
        {"<<font|1|2|3|4|5|6|>>", "<<font block error", "", "", ""},
    };
    for (const Case& c : cases) {
        messages_.clear();
        const bool ok = *c.message == '\0';
        EXPECT_EQ(read(write(L("[[unit1") + L(c.blocks) + L("]]")), "[[unit1"), ok) << c.blocks;
        EXPECT_EQ(messages_.texts(), ok ? QStringList{} : L(c.message)) << c.blocks;
        if (ok) {
            EXPECT_EQ(reader_.unit().values, *c.values ? L(c.values) : QStringList{}) << c.blocks;
            EXPECT_EQ(reader_.unit().font, *c.font ? L(c.font) : QStringList{}) << c.blocks;
            EXPECT_EQ(reader_.unit().kran, *c.kran ? L(c.kran) : QStringList{}) << c.blocks;
        }
    }
}

TEST_F(UnitReaderTest, HoldsAtMostSixtyQuestionLines)
{
    // {lines on the sheet before an add (0: an open), lines in the unit, accepted}
    const std::tuple<int, int, bool> cases[] = {
        {0, 60, true}, {0, 61, false}, {30, 30, true}, {30, 31, false}, {60, 1, false}};
    for (const auto& [onSheet, inUnit, ok] : cases) {
        messages_.clear();
        const QString file = write(L("[[unit1|<<ques") + numbered("q", inUnit) + L(">>|]]"));
        reader_.setSheetContent(sheetContent(numbered("s", onSheet)));
        EXPECT_EQ(reader_.ReadUnit(file, QStringLiteral("[[unit1"), 1, 1,
                                   onSheet > 0 ? UnitReader::AddToSheet : UnitReader::OpenMaster,
                                   {}, {QStringLiteral("t"), true, 1, 1}),
                  ok)
            << onSheet << "+" << inUnit;
        EXPECT_EQ(messages_.texts(), ok ? QStringList{} : L("問題の行は６０行以下です"));
        if (ok) {
            EXPECT_EQ(reader_.unit().content.questions,
                      numbered("s", onSheet) + numbered("q", inUnit));
        }
    }
}

TEST_F(UnitReaderTest, ComposesTitlesByMode)
{
    const UnitTitles titles{QStringLiteral("整数"), QStringLiteral("たし算"),
                            QStringLiteral("くり上がり")};
    const QString master = write(L("[[unit3|<<ques|a|>>|<<graph|a.bmp|1|2|>>|]]|"
                                   "[[unit4|<<ques|b|>>|<<graph|b.bmp|-1|-1|>>|]]|"
                                   "[[unit1|<<ques|c|>>|]]"));
    const QString copy = write(L("[[unitX|<<header|コピーの題|東小学校|名前|>>|<<ques|x|>>|]]"));
    const QString shortHeader = write(L("[[unitX|<<header|題だけ|>>|]]"));
    auto read = [&](const QString& file, const char* header, int unit, int section,
                    UnitReader::Mode mode, const AddContext& add = {}) {
        return reader_.ReadUnit(file, QString::fromUtf8(header), unit, section, mode, titles, add);
    };

    // Open unit 3 of section 2, add unit 4 of section 2, then unit 1 of section 5.
    ASSERT_TRUE(read(master, "[[unit3", 3, 2, UnitReader::OpenMaster));
    EXPECT_EQ(reader_.unit().content.title, QStringLiteral("整数//たし算§2-3 くり上がり"));
    EXPECT_EQ(reader_.unit().content.school, QStringLiteral("小学校"));
    EXPECT_EQ(reader_.unit().content.nameLine, QStringLiteral("　年　組　番　氏名"));
    const AddContext sheet{reader_.unit().content.title, true, 2, 3};
    ASSERT_TRUE(read(master, "[[unit4", 4, 2, UnitReader::AddToSheet, sheet));
    EXPECT_EQ(reader_.unit().content.title, QStringLiteral("整数//§2-3,4"));
    EXPECT_EQ(reader_.unit().content.questions, L("a|b"));
    EXPECT_EQ(reader_.unit().content.questionFigures, L("a.bmp|1|2|b.bmp|-1|-1"));
    EXPECT_EQ(reader_.unit().priorFigureLines, 3);
    ASSERT_TRUE(read(master, "[[unit1", 1, 5, UnitReader::AddToSheet, sheet));
    EXPECT_EQ(reader_.unit().content.title, QStringLiteral("整数//§2-3,4 §5-1"));
    EXPECT_EQ(reader_.unit().content.school, QStringLiteral("小学校"));

    // A copy file takes its header (a short one gives empty texts); an add to it, or to a
    // sheet whose header was edited, follows the sheet's own title.
    ASSERT_TRUE(read(shortHeader, "[[unitX", 0, 0, UnitReader::OpenCopy));
    EXPECT_EQ(reader_.unit().content.title, QStringLiteral("題だけ"));
    EXPECT_TRUE(reader_.unit().content.school.isEmpty() &&
                reader_.unit().content.nameLine.isEmpty());
    ASSERT_TRUE(read(copy, "[[unitX", 0, 0, UnitReader::OpenCopy));
    EXPECT_EQ(L("コピーの題|東小学校|名前"),
              (QStringList{reader_.unit().content.title, reader_.unit().content.school,
                           reader_.unit().content.nameLine}));
    ASSERT_TRUE(read(master, "[[unit4", 4, 2, UnitReader::AddToSheet,
                     {QStringLiteral("編集した題"), false, 0, 0}));
    EXPECT_EQ(reader_.unit().content.title, QStringLiteral("編集した題 §2-4"));
    EXPECT_EQ(reader_.unit().content.questions, L("x|b"));
    EXPECT_EQ(reader_.unit().content.school, QStringLiteral("東小学校"));
}

TEST_F(UnitReaderTest, FailureKeepsTheRememberedState)
{
    const UnitTitles titles{QStringLiteral("L"), QStringLiteral("S"), QStringLiteral("U")};
    const QString good = write(L("[[unit3|<<ques|a|>>|]]|[[unit4|<<ques|b|>>|]]"));
    const QString empty = dir_.filePath(QStringLiteral("empty.que"));
    test::writeBytes(empty, QByteArray());
    const QString notCp932 = dir_.filePath(QStringLiteral("bad.que"));
    test::writeBytes(notCp932, "[[unit1\r\n<<ques\r\n\x82\r\n>>\r\n]]\r\n");
    const QString missing = dir_.filePath(QStringLiteral("missing.que"));
    auto readError = [](const QString& path) {
        QStringList ignored;
        return QStringList{TextFile::read(path, ignored).error};
    };

    ASSERT_TRUE(
        reader_.ReadUnit(good, QStringLiteral("[[unit3"), 3, 2, UnitReader::OpenMaster, titles));
    const QString opened = reader_.unit().content.title;
    const AddContext sheet{opened, true, 2, 3};
    const std::tuple<QString, const char*, QStringList> cases[] = {
        {write(L("[[unit1|<<ques") + numbered("q", 60) + L(">>|]]")), "[[unit1",
         L("問題の行は６０行以下です")},
        {write(L("[[unit1|<<value|>>|]]")), "[[unit1", L("<<value block error")},
        {empty, "[[unit1", {}},
        {good, "[[unit9", {}},
        {notCp932, "[[unit1", readError(notCp932)},
        {missing, "[[unit1", readError(missing)},
    };
    for (const auto& [file, header, messages] : cases) {
        messages_.clear();
        reader_.setSheetContent(sheetContent(L("a"), opened));
        EXPECT_FALSE(reader_.ReadUnit(file, QString::fromUtf8(header), 1, 5, UnitReader::AddToSheet,
                                      titles, sheet))
            << file.toStdString();
        EXPECT_EQ(messages_.texts(), messages) << file.toStdString();
        EXPECT_EQ(reader_.previousSection(), 2);
        EXPECT_EQ(reader_.lastTitle(), opened);
        EXPECT_TRUE(reader_.opened());
    }
    // The next add reads as if the failed ones had not happened.
    reader_.setSheetContent(sheetContent(L("a"), opened));
    ASSERT_TRUE(reader_.ReadUnit(good, QStringLiteral("[[unit4"), 4, 2, UnitReader::AddToSheet,
                                 titles, sheet));
    EXPECT_EQ(reader_.unit().content.title, QStringLiteral("L//§2-3,4"));
}

TEST_F(UnitReaderTest, KeepsDoubleByteCharactersWithABackslashTrailByte)
{
    // 表 is 0x95 0x5C and ソ is 0x83 0x5C in CP932.
    const QString path = dir_.filePath(QStringLiteral("sjis.que"));
    test::writeBytes(path, "[[unit1\r\n<<ques\r\n\x95\x5c\x83\x5c=#\x95\x5c;\x83\x5c#\r\n>>\r\n"
                           "<<header\r\n\x83\x5c\x95\x5c\r\n>>\r\n]]\r\n");
    ASSERT_TRUE(read(path, "[[unit1"));
    EXPECT_EQ(reader_.unit().content.questions, L("表ソ=#表;ソ#"));
    EXPECT_EQ(reader_.unit().header, L("ソ表"));
}

// A unit or block that lacks its "]]" or ">>" keeps its own lines and never takes in the
// unit after it; the structure check names the line where the close belongs.
TEST_F(UnitReaderTest, AnUnclosedUnitOrBlockNeverTakesInTheNext)
{
    struct Case
    {
        const char* file;
        const char* unit1; // its question lines
        std::vector<std::pair<int, const char*>> problems;
    };
    const Case cases[] = {
        {"[[unit1|<<ques|one|>>|[[unit2|<<ques|two|>>|]]",
         "one",
         {{5, "[[unit1 を閉じる ]] がありません"}}},
        {"[[unit1|<<ques|one|]]|[[unit2|<<ques|two|>>|]]",
         "one",
         {{4, "<<ques を閉じる >> がありません"}}},
        // Every ">>" and "]]" gone: keyword lines belong to the open block, as always.
        {"[[unit1|<<ques|one|<<kgroup|g|[[unit2|<<ques|two",
         "one|<<kgroup|g",
         {{6, "<<ques を閉じる >> がありません"}, {6, "[[unit1 を閉じる ]] がありません"}}},
        {"[[unit1|<<ques|{|a|[[unit2|<<ques|two|>>|]]",
         "",
         {{5, "<<ques を閉じる >> がありません"}, {5, "[[unit1 を閉じる ]] がありません"}}},
        {"[[unit1|<<ques|{|<<kgroup|}|one|>>|]]", "one", {}},
    };
    for (const Case& c : cases) {
        const QStringList lines = L(c.file);
        const QString path = write(lines);
        ASSERT_TRUE(read(path, "[[unit1")) << c.file;
        EXPECT_EQ(reader_.unit().content.questions, *c.unit1 ? L(c.unit1) : QStringList{})
            << c.file;
        if (lines.contains(QStringLiteral("[[unit2"))) {
            ASSERT_TRUE(read(path, "[[unit2")) << c.file;
            EXPECT_EQ(reader_.unit().content.questions, L("two")) << c.file;
        }
        std::vector<std::pair<int, const char*>> got;
        QStringList texts;
        for (const UnitProblem& p : UnitStructureProblems(lines, 0))
            got.emplace_back(p.line, ""), texts.append(p.text);
        ASSERT_EQ(got.size(), c.problems.size()) << c.file << ": " << qPrintable(texts.join(u'/'));
        for (size_t k = 0; k < got.size(); ++k) {
            EXPECT_EQ(got[k].first, c.problems[k].first) << c.file;
            EXPECT_EQ(texts.at(qsizetype(k)), QString::fromUtf8(c.problems[k].second)) << c.file;
        }
    }
    // A header index outside the lines (found by fuzzing: an empty file read before its start).
    for (qsizetype header : {0, -1, 3})
        EXPECT_TRUE(
            UnitStructureProblems(header == 3 ? L("a|b|c") : QStringList(), header).isEmpty());
    EXPECT_TRUE(messages_.entries().isEmpty());
}
