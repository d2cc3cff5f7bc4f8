#include "courseware/RecordFile.h"

#include "platform/ProfileFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;
namespace test = zendra::test;

namespace {

QString key()
{
    return QStringLiteral("S12たし算(2)");
}

QString line(int n)
{
    return QStringLiteral("2005年06月21日 14:%1 []  4/ 4 100点 00:41")
        .arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

TEST(RecordFile, PathIsInTheLessonFolderWithLessonOneBelowOne)
{
    QTemporaryDir dir;
    const QString program = dir.path() + u'/';
    QDir(program).mkpath(QStringLiteral("seisu")); // made on Windows: case differs
    LessonTable table;
    table.lessons = {
        Lesson{QStringLiteral("整数"), QStringLiteral("Seisu\\"), QStringLiteral("Seisu")},
        Lesson{QStringLiteral("分数"), QStringLiteral("Bunsu\\"), QStringLiteral("Bunsu")}};
    struct Case
    {
        int lesson;
        const char* learner;
        QString expected;
    };
    const Case cases[] = {
        {0, "共通", program + QStringLiteral("seisu/共通.ini")},
        {-3, "taro", program + QStringLiteral("seisu/taro.ini")},
        {1, "taro", program + QStringLiteral("seisu/taro.ini")},
        {2, "花子", program + QStringLiteral("Bunsu/花子.ini")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LearnerRecordPath(program, table, c.lesson, QString::fromUtf8(c.learner)),
                  c.expected)
            << c.lesson;
}

TEST(RecordFile, PasswordIsQuestionMarkUntilSet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("taro.ini"));
    EXPECT_EQ(ReadPassword(path), QStringLiteral("?"));
    ASSERT_TRUE(AppendRecord(path, key(), line(1)).ok);
    EXPECT_EQ(ReadPassword(path), QStringLiteral("?"));
    test::writeLines(path, {QStringLiteral("[password]"), QStringLiteral("other=1")});
    EXPECT_EQ(ReadPassword(path), QStringLiteral("?"));

    ASSERT_TRUE(WritePassword(path, QStringLiteral("ab12")).ok);
    EXPECT_EQ(ReadPassword(path), QStringLiteral("ab12"));
    ASSERT_TRUE(WritePassword(path, QStringLiteral("9999")).ok);
    EXPECT_EQ(ReadPassword(path), QStringLiteral("9999"));
    EXPECT_EQ(ProfileFile(path).keys(QStringLiteral("password")).size(), 2);
}

TEST(RecordFile, SessionsAppendNumberedLinesUntilErased)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("taro.ini"));
    EXPECT_EQ(RecordCount(path, key()), 0);
    EXPECT_TRUE(ReadRecords(path, key()).isEmpty());

    ASSERT_TRUE(AppendRecord(path, key(), line(1)).ok);
    QByteArray expected;
    ASSERT_TRUE(
        TextFile::encodeLines({u'[' + key() + u']', QStringLiteral("1=") + line(1)}, expected, path)
            .ok);
    EXPECT_EQ(test::readBytes(path), expected);

    ASSERT_TRUE(WritePassword(path, QStringLiteral("pw01")).ok);
    ASSERT_TRUE(AppendRecord(path, QStringLiteral("other.prp"), line(0)).ok);
    for (int n = 2; n <= 5; ++n)
        ASSERT_TRUE(AppendRecord(path, key(), line(n)).ok);
    EXPECT_EQ(RecordCount(path, key()), 5);
    EXPECT_EQ(ProfileFile(path).readString(key(), QStringLiteral("5"), {}), line(5));
    EXPECT_EQ(ReadRecords(path, key()), (QStringList{line(1), line(2), line(3), line(4), line(5)}));

    ASSERT_TRUE(EraseRecords(path, key()).ok);
    EXPECT_EQ(RecordCount(path, key()), 0);
    EXPECT_EQ(ReadPassword(path), QStringLiteral("pw01"));
    EXPECT_EQ(RecordCount(path, QStringLiteral("other.prp")), 1);
    ASSERT_TRUE(AppendRecord(path, key(), line(6)).ok);
    EXPECT_EQ(ProfileFile(path).keys(key()), QStringList{QStringLiteral("1")});
    EXPECT_EQ(ReadRecords(path, key()), QStringList{line(6)});
}

TEST(RecordFile, HandDeletedKeyIsReadAsQuestionMarkAndReused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("taro.ini"));
    test::writeLines(path, {u'[' + key() + u']', QStringLiteral("1=a"), QStringLiteral("2=b"),
                            QStringLiteral("4=d")});
    EXPECT_EQ(RecordCount(path, key()), 3);
    EXPECT_EQ(ReadRecords(path, key()),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("?")}));

    // The keys are positions 1..N: the append takes number 4 again and replaces its line.
    ASSERT_TRUE(AppendRecord(path, key(), QStringLiteral("new")).ok);
    EXPECT_EQ(RecordCount(path, key()), 3);
    EXPECT_EQ(ProfileFile(path).readString(key(), QStringLiteral("4"), {}), QStringLiteral("new"));
}

TEST(RecordFile, ListsRecordSectionsWithoutThePassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("taro.ini"));
    EXPECT_TRUE(RecordSections(path).isEmpty());
    test::writeLines(path, {QStringLiteral("[S11a]"), QStringLiteral("1=x"), QStringLiteral("2=y"),
                            QStringLiteral("[Password]"), QStringLiteral("pw=1234"),
                            QStringLiteral("[unit.prp]"), QStringLiteral("1=z")});
    QString error;
    const QList<RecordSection> sections = RecordSections(path, &error);
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections.at(0).name, QStringLiteral("S11a"));
    EXPECT_EQ(sections.at(0).count, 2);
    EXPECT_EQ(sections.at(1).name, QStringLiteral("unit.prp"));
    EXPECT_EQ(sections.at(1).count, 1);
}

TEST(RecordFile, FailuresReachTheCaller)
{
    QTemporaryDir dir;
    const QString lost = dir.filePath(QStringLiteral("no-lesson-folder/taro.ini"));
    for (const TextFile::Result& r :
         {AppendRecord(lost, key(), line(1)), WritePassword(lost, QStringLiteral("1234"))}) {
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(QStringLiteral("taro.ini"))) << r.error.toStdString();
    }

    // A file that is not CP932 reads as empty but says why, and is not overwritten.
    const QString bad = dir.filePath(QStringLiteral("bad.ini"));
    const QByteArray bytes("[S11a]\r\n1=\xff\r\n");
    test::writeBytes(bad, bytes);
    QString error;
    EXPECT_EQ(RecordCount(bad, QStringLiteral("S11a"), &error), 0);
    EXPECT_TRUE(error.contains(QStringLiteral("bad.ini"))) << error.toStdString();
    error.clear();
    EXPECT_EQ(ReadPassword(bad, &error), QStringLiteral("?"));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(AppendRecord(bad, QStringLiteral("S11a"), line(1)).ok);
    EXPECT_FALSE(EraseRecords(bad, QStringLiteral("S11a")).ok);
    EXPECT_EQ(test::readBytes(bad), bytes);
}
