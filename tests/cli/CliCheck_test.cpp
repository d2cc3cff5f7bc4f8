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
