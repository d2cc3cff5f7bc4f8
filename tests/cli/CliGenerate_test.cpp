// zendra-cli generate: the sets as JSON, the refusals, and the sets written into the master
// file, read back by the reader, check, the question editor and the unit chooser.
#include "app/UnitChooser.h"
#include "authoring/QuestionEditor.h"
#include "courseware/CoursewareIndex.h"
#include "courseware/QuestionGenerator.h"
#include "courseware/UnitReader.h"
#include "platform/Messages.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

const QString kMaster = QStringLiteral("Seisu/Seisu1.que");

// The question lines of `header` in a master file.
QStringList questionsOf(const QString& path, const QString& header)
{
    UnitReader reader;
    return reader.ReadUnit(path, header, 1, 1, UnitReader::OpenMaster, {})
               ? reader.unit().content.questions
               : QStringList{QStringLiteral("unreadable")};
}

// Gives unit `header` of a master file other question lines.
void setQuestions(const QString& path, const QString& header, const QStringList& questions)
{
    QStringList lines;
    ASSERT_TRUE(TextFile::read(path, lines).ok);
    const qsizetype from = lines.indexOf(QStringLiteral("<<ques"), lines.indexOf(header)) + 1;
    const qsizetype to = lines.indexOf(QStringLiteral(">>"), from);
    ASSERT_GT(from, 0);
    lines.remove(from, to - from);
    for (qsizetype i = 0; i < questions.size(); ++i)
        lines.insert(from + i, questions.at(i));
    test::writeLines(path, lines);
}

} // namespace

TEST(CliGenerate, JsonOfTheSetsAndRefusals)
{
    test::CoursewareCopy copy;
    const QString folder = copy.folder();
    const QString master = folder + kMaster;
    // Unit 4: one line with arithmetic, one the generator must keep; unit 5: text only.
    const QString word = QStringLiteral("(2) 日本の首都は#東京#です");
    setQuestions(master, "[[unit4", {"@B計算しましょう。", "(1) 12＋34＝#46#", word});
    setQuestions(master, "[[unit5", {word});
    const QByteArray before = test::readBytes(master);

    struct Case
    {
        QStringList args;
        int exitCode;
        const char* said;
    };
    const Case cases[] = {
        {{"--unit", "1/1"}, 2, "--unit には"},
        {{"--unit", "1/1/4/1"}, 2, "--unit には"},
        {{"--unit", "1/1/4", "--sets", "0"}, 2, "--sets は 1 から 5"},
        {{"--unit", "1/1/4", "--sets", "6"}, 2, "--sets は 1 から 5"},
        {{"--unit", "1/1/4", "--seed", "-3"}, 2, "--seed には"},
        {{"--unit", "1/1/4", "--seed", "18446744073709551616"}, 2, "--seed には"},
        {{"--unit", "1/1/4", "--replace"}, 2, "--write と一緒に"},
        {{"--unit", "9/1/1"}, 1, "レッスン 9 はありません"},
        {{"--unit", "1/1/99"}, 1, "ユニット 1/1/99 はありません"},
        {{"--unit", "1/1/5", "--write"}, 1, "類題を作れません"},
    };
    for (const Case& c : cases) {
        const test::CliResult run = test::runCli(QStringList{"generate", folder} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.said))) << run.errors.toStdString();
    }
    EXPECT_EQ(test::readBytes(master), before);

    // Seeds are 64-bit and stand in the JSON as exact integers.
    const QStringList args{"generate", folder, "--unit", "1/1/4", "--sets", "3"};
    const test::CliResult run = test::runCli(args + QStringList{"--seed", "18446744073709551615"});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(test::runCli(args + QStringList{"--seed", "18446744073709551615"}).out, run.out);
    const QJsonObject json = run.json();
    EXPECT_EQ(json.value("unit").toString(), QStringLiteral("1/1/4"));
    EXPECT_TRUE(run.out.contains("\"seed\": 18446744073709551615,"));
    const QuestionGenerator generator(questionsOf(master, "[[unit4"));
    const QJsonArray sets = json.value("sets").toArray();
    ASSERT_EQ(sets.size(), 3);
    for (int v = 1; v <= 3; ++v) {
        const GeneratedSet expected = generator.generate(18446744073709551615ULL, v);
        const QJsonObject set = sets.at(v - 1).toObject();
        EXPECT_EQ(set.value("variant").toInt(), v);
        EXPECT_TRUE(run.out.contains("\"seed\": " + QByteArray::number(expected.seed) + ','));
        EXPECT_EQ(set.value("questions").toArray(), QJsonArray::fromStringList(expected.questions));
    }
    const QJsonObject kept = json.value("kept").toArray().first().toObject();
    EXPECT_EQ(json.value("kept").toArray().size(), 1);
    EXPECT_EQ(kept.value("line").toInt(), 3);
    EXPECT_EQ(kept.value("text").toString(), word);
    EXPECT_FALSE(kept.value("reason").toString().isEmpty());

    // Without --seed a new seed is printed, and it makes the same sets again.
    const test::CliResult fresh = test::runCli(QStringList{"generate", folder, "--unit", "1/1/4"});
    ASSERT_EQ(fresh.exitCode, 0);
    EXPECT_EQ(fresh.json().value("sets").toArray().size(), 5);
    const QString seed = QString::number(fresh.json().value("seed").toInteger());
    EXPECT_EQ(test::runCli({"generate", folder, "--unit", "1/1/4", "--seed", seed}).out, fresh.out);
}

TEST(CliGenerate, WriteAddsWholeSetsAndKeepsEveryOtherByte)
{
    test::CoursewareCopy copy;
    const QString folder = copy.folder();
    const QString master = folder + kMaster;
    const QByteArray original = test::readBytes(master);
    QStringList lines;
    ASSERT_TRUE(TextFile::read(master, lines).ok);
    const auto generate = [&](const QStringList& args) {
        return test::runCli(QStringList{"generate", folder, "--write"} + args);
    };
    const auto sets = [&] {
        QStringList now;
        EXPECT_TRUE(TextFile::read(master, now).ok);
        return FindVariants({1, 1, 2, 0}, now);
    };
    const auto check = [&] { return test::runCli({"check", folder}); };

    // Unit 2 has no sets: they follow it, each a copy of the unit with its own questions and
    // the seed after the header.
    const test::CliResult run = generate({"--unit", "1/1/2", "--sets", "2", "--seed", "5"});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QByteArray written = test::readBytes(master);
    const qsizetype at = original.indexOf("\r\n[[unit3\r\n") + 2;
    const qsizetype added = written.size() - original.size();
    ASSERT_GT(added, 0);
    EXPECT_EQ(written.left(at), original.left(at));
    EXPECT_EQ(written.mid(at + added), original.mid(at));
    const qsizetype unit = lines.indexOf("[[unit2");
    const QStringList unitLines = lines.mid(unit, lines.indexOf("[[unit3") - unit);
    const qsizetype ques = unitLines.indexOf("<<ques") + 1;
    const qsizetype quesEnd = unitLines.indexOf(">>", ques);
    QStringList expected;
    const QJsonArray generated = run.json().value("sets").toArray();
    for (int v = 1; v <= 2; ++v) {
        QStringList set = unitLines;
        set.remove(ques, quesEnd - ques);
        const QStringList questions =
            generated.at(v - 1).toObject().value("questions").toVariant().toStringList();
        for (qsizetype i = 0; i < questions.size(); ++i)
            set.insert(ques + i, questions.at(i));
        set[0] = QStringLiteral("[[unit2R%1").arg(v);
        set.insert(1, QStringLiteral("%seed 5"));
        expected << set;
        EXPECT_EQ(questionsOf(master, set.first()), questions);
    }
    test::writeLines(folder + "expected.que", expected);
    EXPECT_EQ(written.mid(at, added), test::readBytes(folder + "expected.que"));
    EXPECT_EQ(sets(), QStringList({"類題　2R1", "類題　2R2"}));
    EXPECT_TRUE(check().out.endsWith(" 0 problems\n")) << check().out.toStdString();

    // Existing sets stay unless replaced; replaced, only they change.
    const test::CliResult refused = generate({"--unit", "1/1/2", "--seed", "6"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains("--replace")) << refused.errors.toStdString();
    EXPECT_EQ(test::readBytes(master), written);
    ASSERT_EQ(generate({"--unit", "1/1/2", "--sets", "1", "--seed", "6", "--replace"}).exitCode, 0);
    const QByteArray replaced = test::readBytes(master);
    EXPECT_TRUE(replaced.startsWith(original.left(at) + "[[unit2R1\r\n%seed 6\r\n<<ques\r\n"));
    EXPECT_TRUE(replaced.endsWith(original.mid(at)));
    EXPECT_EQ(sets(), QStringList({"類題　2R1"}));

    // Unit 1's three sets give way to two, where they stood.
    ASSERT_EQ(generate({"--unit", "1/1/1", "--sets", "2", "--seed", "7", "--replace"}).exitCode, 0);
    const QByteArray twoSets = test::readBytes(master);
    const qsizetype firstSet = original.indexOf("[[unit1R1\r\n");
    EXPECT_EQ(twoSets.left(firstSet), original.left(firstSet));
    EXPECT_TRUE(twoSets.mid(firstSet).startsWith("[[unit1R1\r\n%seed 7\r\n"));
    const qsizetype unit2 = twoSets.indexOf("\r\n[[unit2\r\n");
    EXPECT_EQ(twoSets.mid(unit2), replaced.mid(replaced.indexOf("\r\n[[unit2\r\n")));
    EXPECT_LT(twoSets.indexOf("[[unit1R2\r\n"), unit2);
    EXPECT_EQ(twoSets.indexOf("[[unit1R3\r\n"), -1);

    // The question editor rewrites a set without choking on its seed line; check reads it
    // all, and names a seed line that holds no seed.
    QuestionEditor editor;
    LessonTable table;
    ASSERT_TRUE(LoadMainIndex(folder, table));
    ASSERT_TRUE(editor.LoadUnitIntoPanes(folder, table, {1, 1, 2, 1}, nullptr));
    EXPECT_EQ(editor.ques, questionsOf(master, "[[unit2R1"));
    editor.WriteUnitFromPanes();
    ASSERT_TRUE(editor.Save().ok);
    EXPECT_TRUE(check().out.endsWith(" 0 problems\n")) << check().out.toStdString();
    QStringList now;
    ASSERT_TRUE(TextFile::read(master, now).ok);
    const qsizetype seedLine = now.indexOf("%seed 7");
    ASSERT_GT(seedLine, 0);
    now[seedLine] = QStringLiteral("%seed 7x");
    test::writeLines(master, now);
    const test::CliResult bad = check();
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.contains(QStringLiteral("Seisu1.que:%1: %seed").arg(seedLine + 1).toUtf8()))
        << bad.out.toStdString();

    // The last unit of a file without a final line end: the sets start on a line of their own.
    setQuestions(master, "[[unit5", {"(1) 12＋34＝#46#"});
    QByteArray open = test::readBytes(master);
    open.chop(2);
    test::writeBytes(master, open);
    ASSERT_EQ(generate({"--unit", "1/1/5", "--sets", "1", "--seed", "8"}).exitCode, 0);
    EXPECT_TRUE(test::readBytes(master).startsWith(open + "\r\n[[unit5R1\r\n%seed 8\r\n"));
}

TEST(CliGenerate, TheChooserOffersTheWrittenSets)
{
    test::CoursewareCopy copy;
    ASSERT_EQ(test::runCli({"generate", copy.folder(), "--unit", "1/2/1", "--sets", "3", "--write"})
                  .exitCode,
              0);
    AppState state;
    state.programFolder = copy.folder();
    ASSERT_TRUE(LoadMainIndex(state.programFolder, state.lessonTable));
    ScriptedMessages messages;
    ScopedMessages scope(messages);
    UnitChooser chooser(state);
    chooser.show();
    chooser.sectionChosen(1);
    chooser.unitChosen(0);
    EXPECT_TRUE(chooser.hasVariants(2, 1));
    EXPECT_EQ(chooser.variantRows(), QStringList({"類題　1R1", "類題　1R2", "類題　1R3"}));
    chooser.variantsChosen({2}, 2);
    ASSERT_TRUE(chooser.ok());
    EXPECT_EQ(state.currentUnit, (UnitChoice{1, 2, 1, 3}));
}
