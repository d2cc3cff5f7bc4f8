#include "TestSupport.h"

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
