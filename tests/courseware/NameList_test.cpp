#include "courseware/NameList.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;
namespace test = zendra::test;

TEST(NameList, DefaultListIsInTheRosterFolder)
{
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/prog/");
    const QString logOn = dir.path() + QStringLiteral("/drive/Zendra/LogOn");
    QDir().mkpath(program);
    EXPECT_EQ(RosterFolder(program, logOn, true), logOn + u'/');
    EXPECT_EQ(DefaultNameListPath(program, logOn, true), logOn + QStringLiteral("/sname.txt"));
    EXPECT_EQ(RosterFolder(program, logOn, false), program + QStringLiteral("LogOn/"));
    EXPECT_EQ(DefaultNameListPath(program, logOn, false),
              program + QStringLiteral("LogOn/sname.txt"));

    // A roster made on Windows may differ in letter case.
    test::writeLines(program + QStringLiteral("LOGON/SNAME.TXT"), DefaultNames());
    EXPECT_EQ(DefaultNameListPath(program, logOn, false),
              program + QStringLiteral("LOGON/SNAME.TXT"));
}

TEST(NameList, SavesAndLoadsNamesExactly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sname.txt"));
    EXPECT_EQ(DefaultNames(), QStringList{QStringLiteral("公開")});
    const QStringList names{QStringLiteral("公開"), QStringLiteral(" 山田 太郎　"),
                            QStringLiteral("ＴＡＲＯ"), QStringLiteral("taro")};
    ASSERT_TRUE(SaveNameList(path, names).ok);
    EXPECT_TRUE(test::readBytes(path).startsWith("\x8c\xf6\x8a\x4a\r\n \x8e\x52"));
    QStringList loaded;
    ASSERT_TRUE(LoadNameList(path, loaded).ok);
    EXPECT_EQ(loaded, names);

    const TextFile::Result r = SaveNameList(dir.filePath(QStringLiteral("none/x.txt")), names);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("x.txt")));
}
