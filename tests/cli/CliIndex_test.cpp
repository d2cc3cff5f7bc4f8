// index, lesson, names and check on the sample courseware and on broken copies of it.
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace zendra;

TEST(CliIndex, ListsTheSampleLessonsAndSections)
{
    const QString folder = test::sampleCourseware();
    const test::CliResult index = test::runCli({"index", folder});
    ASSERT_EQ(index.exitCode, 0) << index.errors.toStdString();
    const QJsonArray lessons = index.json().value("lessons").toArray();
    ASSERT_GE(lessons.size(), 2);
    for (const auto& lesson : lessons) {
        EXPECT_TRUE(lesson.toObject().value("folder").toString().endsWith(u'\\'));
        EXPECT_FALSE(lesson.toObject().value("baseName").toString().isEmpty());
    }

    const test::CliResult lesson = test::runCli({"lesson", folder, "1"});
    ASSERT_EQ(lesson.exitCode, 0) << lesson.errors.toStdString();
    const QJsonArray sections = lesson.json().value("sections").toArray();
    ASSERT_GE(sections.size(), 3);
    int withVariants = 0;
    for (const auto& section : sections) {
        for (const auto& unit : section.toObject().value("units").toArray()) {
            const QJsonArray variants = unit.toObject().value("variants").toArray();
            if (!variants.isEmpty()) {
                ++withVariants;
                EXPECT_TRUE(variants.first().toString().startsWith(QStringLiteral("類題　")));
            }
        }
    }
    EXPECT_GE(withVariants, 1);
}

TEST(CliIndex, NamesOfAUnit)
{
    const QString folder = test::sampleCourseware();
    const test::CliResult index = test::runCli({"index", folder});
    const QJsonObject first = index.json().value("lessons").toArray().first().toObject();
    const QString base = first.value("baseName").toString();

    const test::CliResult names = test::runCli({"names", folder, "1", "2", "3", "1"});
    ASSERT_EQ(names.exitCode, 0) << names.errors.toStdString();
    const QJsonObject json = names.json();
    EXPECT_TRUE(json.value("masterPath").toString().endsWith(base + QStringLiteral("2.que")));
    EXPECT_EQ(json.value("windowId").toString(),
              json.value("masterPath").toString() + QStringLiteral("-U3R1"));
    EXPECT_EQ(json.value("shortName").toString(), base + QStringLiteral("2.que-U3R1"));
    EXPECT_EQ(json.value("headerLine").toString(), QStringLiteral("[[unit3R1"));
    EXPECT_TRUE(json.value("recordKey").toString().startsWith(QStringLiteral("S23")));
}

TEST(CliIndex, MissingOrBrokenCoursewareExitsWithTheMessage)
{
    test::CoursewareCopy copy;
    const test::CliResult missing = test::runCli({"lesson", copy.folder() + "nowhere", "1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("が見つかりません")));

    const test::CliResult badLesson = test::runCli({"lesson", copy.folder(), "99"});
    EXPECT_EQ(badLesson.exitCode, 1);

    QFile::remove(copy.folder() + QStringLiteral("Main.ind"));
    const test::CliResult noIndex = test::runCli({"index", copy.folder()});
    EXPECT_EQ(noIndex.exitCode, 1);
    EXPECT_TRUE(noIndex.errors.contains(QStringLiteral("Main.ind が見つかりません")));
    EXPECT_TRUE(noIndex.out.isEmpty());
}

TEST(CliCheck, SampleCoursewareIsClean)
{
    const test::CliResult check = test::runCli({"check", test::sampleCourseware()});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    const QStringList lines = check.outLines();
    ASSERT_EQ(lines.size(), 1) << check.out.toStdString();
    int lessons = 0, sections = 0, units = 0, problems = -1;
    ASSERT_EQ(std::sscanf(lines.first().toUtf8().constData(),
                          "%d lessons, %d sections, %d units, %d problems", &lessons, &sections,
                          &units, &problems),
              4);
    EXPECT_GE(lessons, 2);
    EXPECT_GE(sections, 6);
    EXPECT_GE(units, 24);
    EXPECT_EQ(problems, 0);
}

TEST(CliCheck, ReportsEachProblemWithFileAndLine)
{
    test::CoursewareCopy copy;
    const QString folder = copy.folder();
    const QString master =
        test::runCli({"names", folder, "1", "1", "1", "0"}).json().value("masterPath").toString();
    QStringList lines;
    ASSERT_TRUE(TextFile::read(master, lines).ok);
    const qsizetype header = lines.indexOf(QStringLiteral("[[unit1"));
    const qsizetype ques = lines.indexOf(QStringLiteral("<<ques"), header);
    ASSERT_GE(ques, 0);
    // An odd '#', an empty blank, a missing figure and a broken value block.
    lines.insert(ques + 1, QStringLiteral("3+4=#7"));
    lines.insert(ques + 2, QStringLiteral("5+5=#　#"));
    const QStringList graph{"<<graph", "nothere.bmp", "0", "0", ">>"};
    for (qsizetype i = graph.size() - 1; i >= 0; --i)
        lines.insert(ques, graph.at(i));
    for (const char* line : {">>", "630", "<<value"})
        lines.insert(ques, QString::fromLatin1(line));
    test::writeLines(master, lines);

    const test::CliResult check = test::runCli({"check", folder});
    EXPECT_EQ(check.exitCode, 1);
    const QString out = QString::fromUtf8(check.out);
    const QString shown = QFileInfo(master).fileName();
    EXPECT_TRUE(
        out.contains(QStringLiteral("%1:%2: <<value block error").arg(shown).arg(header + 1)))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("problems")));
    EXPECT_FALSE(out.contains(QStringLiteral(" 0 problems")));

    // With the value block mended, the question-line and figure problems show.
    lines.removeAt(ques);
    lines.removeAt(ques);
    lines.removeAt(ques);
    test::writeLines(master, lines);
    const QString out2 = QString::fromUtf8(test::runCli({"check", folder}).out);
    const qsizetype figure = lines.indexOf(QStringLiteral("nothere.bmp"));
    const qsizetype odd = lines.indexOf(QStringLiteral("3+4=#7"));
    const qsizetype empty = lines.indexOf(QStringLiteral("5+5=#　#"));
    EXPECT_TRUE(out2.contains(QStringLiteral("%1:%2: 図のファイルが見つかりません: nothere.bmp")
                                  .arg(shown)
                                  .arg(figure + 1)))
        << out2.toStdString();
    EXPECT_TRUE(
        out2.contains(QStringLiteral("%1:%2: ＃の数は偶数にしてください").arg(shown).arg(odd + 1)));
    EXPECT_TRUE(out2.contains(QStringLiteral("%1:%2: 解答がありません").arg(shown).arg(empty + 1)));
    EXPECT_TRUE(out2.trimmed().endsWith(QStringLiteral("3 problems"))) << out2.toStdString();

    // Unit 1 without its "]]": named where it belongs, and unit 1 is not read as two units.
    lines = QStringList();
    ASSERT_TRUE(TextFile::read(master, lines).ok);
    const qsizetype close = lines.indexOf(QStringLiteral("]]"), lines.indexOf("[[unit1"));
    lines.removeAt(close);
    test::writeLines(master, lines);
    const QString out4 = QString::fromUtf8(test::runCli({"check", folder}).out);
    EXPECT_TRUE(out4.contains(
        QStringLiteral("%1:%2: [[unit1 を閉じる ]] がありません").arg(shown).arg(close + 1)))
        << out4.toStdString();

    // A byte that is not CP932 anywhere in the tree.
    test::writeBytes(folder + QStringLiteral("LogOn/other.txt"), "ok\r\n\x82");
    const QString out3 = QString::fromUtf8(test::runCli({"check", folder}).out);
    EXPECT_TRUE(out3.contains(QStringLiteral("other.txt:2:"))) << out3.toStdString();
}
