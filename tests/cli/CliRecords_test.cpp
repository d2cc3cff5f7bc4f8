#include "TestSupport.h"

#include "platform/Cp932.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace test = zendra::test;

namespace {

test::CliResult records(const QStringList& args)
{
    return test::runCli(QStringList{QStringLiteral("records")} + args);
}

} // namespace

TEST(CliRecords, AppendsShowsAndErases)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("花子.ini"));
    const QString key = QStringLiteral("S11たしざん");
    test::writeLines(ini, {QStringLiteral("[password]"), QStringLiteral("pw=1234"),
                           QStringLiteral("[copy.prp]"), QStringLiteral("1=x")});

    for (const QString& line : {QStringLiteral("一回目"), QStringLiteral("類題1)二回目")})
        ASSERT_EQ(records({QStringLiteral("append"), ini, key, line}).exitCode, 0);

    test::CliResult run = records({QStringLiteral("show"), ini, key});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.json().value(QStringLiteral("count")).toInt(), 2);
    EXPECT_EQ(run.json().value(QStringLiteral("lines")).toArray(),
              (QJsonArray{QStringLiteral("一回目"), QStringLiteral("類題1)二回目")}));

    run = records({QStringLiteral("show"), ini});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QJsonArray expected{
        QJsonObject{{QStringLiteral("name"), QStringLiteral("copy.prp")},
                    {QStringLiteral("count"), 1}},
        QJsonObject{{QStringLiteral("name"), key}, {QStringLiteral("count"), 2}}};
    EXPECT_EQ(run.json().value(QStringLiteral("sections")).toArray(), expected);

    ASSERT_EQ(records({QStringLiteral("erase"), ini, key}).exitCode, 0);
    run = records({QStringLiteral("show"), ini, key});
    EXPECT_EQ(run.json().value(QStringLiteral("count")).toInt(), 0);
    EXPECT_EQ(run.json().value(QStringLiteral("lines")).toArray(), QJsonArray{});
}

TEST(CliRecords, UsageErrorsExitWithTwoAndWriteErrorsWithOne)
{
    QTemporaryDir dir;
    const QString lost = dir.filePath(QStringLiteral("missing/taro.ini"));
    struct Case
    {
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {{}, 2},
        {{QStringLiteral("show")}, 2},
        {{QStringLiteral("show"), lost, QStringLiteral("k"), QStringLiteral("extra")}, 2},
        {{QStringLiteral("append"), lost, QStringLiteral("k")}, 2},
        {{QStringLiteral("list"), lost}, 2},
        {{QStringLiteral("append"), lost, QStringLiteral("k"), QStringLiteral("line")}, 1},
    };
    for (const Case& c : cases) {
        const test::CliResult run = records(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(run.errors.isEmpty()) << c.args.join(u' ').toStdString();
    }
    EXPECT_TRUE(records({QStringLiteral("append"), lost, QStringLiteral("k"), QStringLiteral("l")})
                    .errors.contains(QStringLiteral("taro.ini")));
}

TEST(CliRecords, ExportsEveryLearnersRecordsAsCsv)
{
    test::CoursewareCopy courseware;
    const QString seisu = courseware.folder() + QStringLiteral("Seisu/");
    test::writeLines(seisu + QStringLiteral("太郎.ini"),
                     {QStringLiteral("[S12４けたのたし算]"),
                      QStringLiteral("1=2005年06月21日 14:03 [0102]  3/ 4  75点 01:27")});
    test::writeLines(seisu + QStringLiteral("花子.ini"),
                     {QStringLiteral("[S21２けた×１けた]"), QStringLiteral("1=書き換えた")});

    const test::CliResult run = records({QStringLiteral("export"), courseware.folder()});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
    ASSERT_TRUE(run.out.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(run.out.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.mid(1),
              (QStringList{QStringLiteral("太郎,整数の計算,1,2,４けたのたし算,,2005-06-21,"
                                          "14:03,0102,3,4,75,87,"),
                           QStringLiteral("花子,整数の計算,2,1,２けた×１けた,,,,,,,,,書き換えた"),
                           QString()}));

    // The same rows into a file, in CP932 on request; an unknown encoding is a usage error.
    const QString out = courseware.folder() + QStringLiteral("class.csv");
    ASSERT_EQ(records({QStringLiteral("export"), courseware.folder(), QStringLiteral("-o"), out,
                       QStringLiteral("--encoding"), QStringLiteral("cp932")})
                  .exitCode,
              0);
    QString decoded;
    ASSERT_TRUE(zendra::cp932::decode(test::readBytes(out), decoded));
    EXPECT_EQ(decoded, QString::fromUtf8(run.out.mid(3)));
    EXPECT_EQ(records({QStringLiteral("export"), courseware.folder(), QStringLiteral("--encoding"),
                       QStringLiteral("latin1")})
                  .exitCode,
              2);
    EXPECT_EQ(records({QStringLiteral("show"), out, QStringLiteral("-o"), out}).exitCode, 2);
}

TEST(CliRecords, SummarisesALessonAndWritesItsReport)
{
    test::CoursewareCopy courseware;
    const QString seisu = courseware.folder() + QStringLiteral("Seisu/");
    test::writeLines(seisu + QStringLiteral("太郎.ini"),
                     {QStringLiteral("[S11３けたのたし算]"),
                      QStringLiteral("1=2026年11月01日 10:00 [01]  2/ 2 100点 00:30"),
                      QStringLiteral("2=2026年11月02日 10:00 []  1/ 2  50点 00:30"),
                      QStringLiteral("3=読めない行")});
    const QJsonObject summary =
        records({QStringLiteral("summary"), courseware.folder(), QStringLiteral("--lesson"),
                 QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2026-11-03")})
            .json();
    EXPECT_EQ(summary.value(QStringLiteral("lesson")).toInt(), 1);
    EXPECT_EQ(summary.value(QStringLiteral("unreadable")).toInt(), 1);
    const QJsonArray learners = summary.value(QStringLiteral("learners")).toArray();
    const auto taro = std::find_if(learners.begin(), learners.end(), [](const QJsonValue& v) {
        return v.toObject().value(QStringLiteral("name")).toString() == QStringLiteral("太郎");
    });
    ASSERT_NE(taro, learners.end());
    const QJsonObject unit =
        taro->toObject().value(QStringLiteral("units")).toArray().at(0).toObject();
    EXPECT_EQ(unit.value(QStringLiteral("key")).toString(), QStringLiteral("S11３けたのたし算"));
    EXPECT_EQ(unit.value(QStringLiteral("count")).toInt(), 3);
    EXPECT_EQ(unit.value(QStringLiteral("lastScore")).toInt(), 50);
    EXPECT_EQ(unit.value(QStringLiteral("bestScore")).toInt(), 100);
    EXPECT_TRUE(unit.value(QStringLiteral("due")).toBool()); // due on the 3rd
    const QJsonArray boxes = summary.value(QStringLiteral("units"))
                                 .toArray()
                                 .at(0)
                                 .toObject()
                                 .value(QStringLiteral("boxes"))
                                 .toArray();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes.at(1).toObject().value(QStringLiteral("firstTryWrong")).toInt(), 1);
    // The day before it is not due yet.
    const QJsonObject before =
        records({QStringLiteral("summary"), courseware.folder(), QStringLiteral("--lesson"),
                 QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2026-11-02")})
            .json();
    EXPECT_FALSE(before.value(QStringLiteral("learners"))
                     .toArray()
                     .at(std::distance(learners.begin(), taro))
                     .toObject()
                     .value(QStringLiteral("units"))
                     .toArray()
                     .at(0)
                     .toObject()
                     .value(QStringLiteral("due"))
                     .toBool(true));

    const QString pdf = courseware.folder() + QStringLiteral("report.pdf");
    const test::CliResult report =
        records({QStringLiteral("report"), courseware.folder(), QStringLiteral("--lesson"),
                 QStringLiteral("1"), QStringLiteral("-o"), pdf});
    ASSERT_EQ(report.exitCode, 0) << report.errors.toStdString();
    // The grid of the lesson's 27 units on two pages, and one question list.
    EXPECT_EQ(test::pdfPageCount(test::readBytes(pdf)), 3);
    if (const std::optional<QString> text = test::pdfText(pdf)) {
        EXPECT_TRUE(text->contains(QStringLiteral("太郎"))) << text->toStdString();
        EXPECT_FALSE(text->contains(QStringLiteral("377"))) << "an answer reached the page";
    }
    EXPECT_EQ(records({QStringLiteral("summary"), courseware.folder(), QStringLiteral("--lesson"),
                       QStringLiteral("9")})
                  .exitCode,
              1);
    EXPECT_EQ(records({QStringLiteral("report"), courseware.folder(), QStringLiteral("--lesson"),
                       QStringLiteral("1")})
                  .exitCode,
              2);
}
