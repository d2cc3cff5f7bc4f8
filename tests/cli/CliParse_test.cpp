// zendra-cli parse: the unit's blocks as JSON, and the program's message on failure.
#include "TestSupport.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

TEST(CliParse, BlocksOfAUnitAndFailures)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("m.que");
    test::writeLines(file, {"[[unit12", "<<ques", "wrong unit",  ">>",      "]]",       "[[unit1",
                            "<<ques",   "{",      "editor only", "}",       "表#1;一#", ">>",
                            "<<kran",   "1",      "2",           ">>",      "<<hint",   "<<softkey",
                            "a",        ">>",     "]]",          "[[unit2", "<<value",  "630",
                            ">>",       "]]"});
    const test::CliResult ok = test::runCli({"parse", file, "[[unit1"});
    ASSERT_EQ(ok.exitCode, 0) << ok.out.toStdString();
    const QJsonObject json = ok.json();
    EXPECT_TRUE(json.value("ok").toBool());
    EXPECT_EQ(json.value("message").toString(), QString());
    EXPECT_EQ(json.value("questions").toArray(), QJsonArray{QStringLiteral("表#1;一#")});
    EXPECT_EQ(json.value("kran").toArray().size(), 10);
    // A keyword line inside "<<hint" opens its own block.
    EXPECT_EQ(json.value("softKeys").toArray(), QJsonArray{"a"});
    for (const char* key :
         {"header", "values", "font", "questionFigures", "answerFigures", "answerGroups"})
        EXPECT_TRUE(json.value(key).isArray()) << key;

    struct Failure
    {
        const char* header;
        const char* message;
    };
    // A header the file lacks is said, not only exited on.
    const QByteArray missing = (file + " に [[unit3 がありません").toUtf8();
    for (const Failure& f :
         {Failure{"[[unit2", "<<value block error"}, Failure{"[[unit3", missing.constData()}}) {
        const test::CliResult run = test::runCli({"parse", file, f.header});
        EXPECT_EQ(run.exitCode, 1) << f.header;
        EXPECT_FALSE(run.json().value("ok").toBool());
        EXPECT_EQ(run.json().value("message").toString(), QString::fromUtf8(f.message));
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(f.message))) << run.errors.toStdString();
    }
}
