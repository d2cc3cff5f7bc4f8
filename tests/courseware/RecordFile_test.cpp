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

TEST(RecordFile, HandEditedSectionsKeepEveryRecordOnAppend)
{
    // Section lines after the header, the records shown before the append, and the key the
    // append takes. Every older line must survive the append and be shown and counted.
    struct Case
    {
        const char* name;
        QStringList lines;
        QStringList shown;
        const char* newKey;
    };
    const Case cases[] = {
        {"as written", {"1=a", "2=b"}, {"a", "b"}, "3"},
        {"gap in the middle", {"1=a", "2=b", "4=d"}, {"a", "b", "d"}, "5"},
        {"first number deleted", {"2=b", "3=c"}, {"b", "c"}, "4"},
        {"line without '='", {"1=a", "cut sho", "2=b"}, {"a", "b"}, "3"},
        {"cut after the number", {"1=a", "2=b", "3"}, {"a", "b"}, "3"},
        {"number written twice", {"1=a", "2=b", "2=c"}, {"a", "b", "c"}, "4"},
        {"numbers out of order", {"2=b", "1=a", "x=z"}, {"b", "a", "z"}, "4"},
        {"leading zero", {"1=a", "03=c"}, {"a", "c"}, "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("taro.ini"));
        QStringList file{u'[' + key() + u']'};
        file << c.lines << QStringLiteral("[other]") << QStringLiteral("1=o");
        test::writeLines(path, file);

        EXPECT_EQ(ReadRecords(path, key()), c.shown);
        EXPECT_EQ(RecordCount(path, key()), c.shown.size());
        ASSERT_TRUE(AppendRecord(path, key(), QStringLiteral("new")).ok);

        const QList<ProfileFile::Entry> entries = ProfileFile(path).entries(key());
        ASSERT_EQ(entries.size(), c.shown.size() + 1);
        EXPECT_EQ(entries.last().key, QString::fromUtf8(c.newKey));
        EXPECT_EQ(entries.last().value, QStringLiteral("new"));
        const QStringList after = ReadRecords(path, key());
        EXPECT_EQ(after, c.shown + QStringList{QStringLiteral("new")});
        EXPECT_EQ(RecordCount(path, key()), after.size());
        EXPECT_EQ(RecordSections(path).first().count, after.size());
        EXPECT_EQ(ReadRecords(path, QStringLiteral("other")), QStringList{QStringLiteral("o")});
    }
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
