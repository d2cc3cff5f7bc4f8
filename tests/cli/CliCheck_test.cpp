// check --layout: every unit laid out on its paper, each line past the page named.
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zendra;

TEST(CliCheck, LayoutNamesTheUnitAndLinePastThePage)
{
    const test::CliResult sample = test::runCli({"check", test::sampleCourseware(), "--layout"});
    EXPECT_EQ(sample.exitCode, 0) << sample.out.toStdString() << sample.errors.toStdString();

    // Unit 1 at character size 18 runs its right column past an A4 page.
    test::CoursewareCopy copy;
    const QString folder = copy.folder();
    const QString master =
        test::runCli({"names", folder, "1", "1", "1", "0"}).json().value("masterPath").toString();
    QStringList lines;
    ASSERT_TRUE(TextFile::read(master, lines).ok);
    const qsizetype header = lines.indexOf(QStringLiteral("[[unit1"));
    const qsizetype font = lines.indexOf(QStringLiteral("<<font"), header);
    ASSERT_GT(font, header);
    lines[font + 1] = QStringLiteral("18");
    test::writeLines(master, lines);

    const test::CliResult plain = test::runCli({"check", folder});
    EXPECT_EQ(plain.exitCode, 0) << plain.out.toStdString();
    const test::CliResult check = test::runCli({"check", folder, "--layout"});
    EXPECT_EQ(check.exitCode, 1);
    const QString out = QString::fromUtf8(check.out);
    const QString shown = QFileInfo(master).fileName();
    // Question lines 3 to 8 hold the two columns of sums.
    const qsizetype first = lines.indexOf(QStringLiteral("<<ques"), header) + 1;
    for (int n = 3; n <= 8; ++n)
        EXPECT_TRUE(out.contains(QStringLiteral("%1:%2: [[unit1 の問題の %3 行目が用紙")
                                     .arg(shown)
                                     .arg(first + n)
                                     .arg(n)))
            << n << out.toStdString();
    EXPECT_TRUE(out.trimmed().endsWith(QStringLiteral(" 6 problems"))) << out.toStdString();
}

// A malformed column problem is named with its file and line, whatever is wrong with it.
TEST(CliCheck, MalformedColumnProblemsAreNamedWithFileAndLine)
{
    test::CoursewareCopy copy;
    const QString folder = copy.folder();
    const QString master =
        test::runCli({"names", folder, "1", "5", "1", "0"}).json().value("masterPath").toString();
    QStringList lines;
    ASSERT_TRUE(TextFile::read(master, lines).ok);
    const qsizetype ques = lines.indexOf(QStringLiteral("<<ques"));
    ASSERT_GE(ques, 0);
    // {line, what check says}
    const std::pair<const char*, const char*> cases[] = {
        {"(1)@H123456+1=#123457#", "たし算・ひき算の筆算は５けたまでです"},
        {"(2)@H345+278=#600#", "筆算の答え 600 が違います（623）"},
        {"(3)@H345+278=#abc#", "筆算の答え abc が数ではありません"},
        {"(4)@H12.5÷5=#2.5#", "わり算の筆算は整数どうしにしてください"},
        {"(5)@H123*4=#4#,#8#,#492#", "かける数が１けたのときは部分積がありません"},
    };
    for (const auto& [line, message] : cases)
        lines.insert(ques + 1, QString::fromUtf8(line));
    test::writeLines(master, lines);

    const QString out = QString::fromUtf8(test::runCli({"check", folder}).out);
    const QString shown = QFileInfo(master).fileName();
    for (const auto& [line, message] : cases) {
        const qsizetype at = lines.indexOf(QString::fromUtf8(line));
        EXPECT_TRUE(out.contains(QStringLiteral("%1:%2: ").arg(shown).arg(at + 1) +
                                 QString::fromUtf8(message)))
            << line << "\n"
            << out.toStdString();
    }
    EXPECT_TRUE(out.trimmed().endsWith(QStringLiteral(" 5 problems"))) << out.toStdString();
}
