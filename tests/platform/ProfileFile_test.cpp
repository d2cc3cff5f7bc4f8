#include "platform/ProfileFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using zendra::ProfileFile;
namespace test = zendra::test;

TEST(ProfileFile, FindsNamesWithoutRegardToCaseOrBlanks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.ini"));
    test::writeBytes(path, "lost=before any section\r\n"
                           "; note\r\n"
                           "[ Sec ]\r\n"
                           " Key = value \r\n"
                           "no key here\r\n"
                           "KEY=second\r\n"
                           "\tTab\t=\tx y\t\r\n"
                           "=nameless\r\n"
                           "[sec2]\r\n"
                           "a=1\r\n"
                           "[SEC]\r\n"
                           "hidden=by the first section\r\n");
    const ProfileFile file(path);
    ASSERT_TRUE(file.readResult().ok);

    struct Case
    {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"sec", "key", "value"}, {"SEC", " kEy ", "value"},   {"  sec2 ", "A", "1"},
        {"sec", "tab", "x y"},   {"sec", "no key here", "-"}, {"sec", "a", "-"},
        {"missing", "a", "-"},   {"sec", "hidden", "-"},      {"", "lost", "-"},
        {"sec", "", "-"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.readString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                  QStringLiteral("-")),
                  QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(file.keys(QStringLiteral("sec")),
              (QStringList{QStringLiteral("Key"), QStringLiteral("KEY"), QStringLiteral("Tab")}));
    EXPECT_EQ(file.sections(), (QStringList{QStringLiteral("Sec"), QStringLiteral("sec2")}));
    EXPECT_TRUE(file.keys(QStringLiteral("missing")).isEmpty());
}

TEST(ProfileFile, WritesChangeOnlyTheirOwnLine)
{
    // Untouched lines keep their bytes, odd spacing and comments included. The file is
    // written with CR LF throughout, so a file with other line ends comes back with CR LF.
    struct Case
    {
        const char* name;
        QByteArray before;
        enum Op { Write, Erase } op;
        const char* section;
        const char* key;
        const char* value;
        QByteArray after;
    };
    const Case cases[] = {
        {"replaces the first match, keeping its spelling", "[a]\r\n k = 1\r\nK=2\r\n", Case::Write,
         "A", "K", "9", "[a]\r\nk=9\r\nK=2\r\n"},
        {"new key before the blank lines", "[a]\r\nx=1\r\n\r\n\r\n[b]\r\ny=2\r\n", Case::Write, "a",
         "z", "3", "[a]\r\nx=1\r\nz=3\r\n\r\n\r\n[b]\r\ny=2\r\n"},
        {"new key in an empty section", "[a]\r\n\r\n[b]\r\n", Case::Write, "a", "k", "v",
         "[a]\r\nk=v\r\n\r\n[b]\r\n"},
        {"new key after a trailing comment", "[a]\r\nx=1\r\n;c\r\n", Case::Write, "a", "y", "2",
         "[a]\r\nx=1\r\n;c\r\ny=2\r\n"},
        {"new section at the end", "; top\r\n[a]\r\nx=1\r\n\r\n", Case::Write, "b", "k", "v",
         "; top\r\n[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        {"odd lines kept", "; note\r\n[a]\r\n  x =  1 \r\ntext\r\n\r\n[ b ]\r\n y=2 \r\n",
         Case::Write, "b", "z", "3",
         "; note\r\n[a]\r\n  x =  1 \r\ntext\r\n\r\n[ b ]\r\n y=2 \r\nz=3\r\n"},
        {"other line ends become CR LF", "[a]\nx=1\ry=2", Case::Write, "a", "z", "3",
         "[a]\r\nx=1\r\ny=2\r\nz=3\r\n"},
        {"erase takes every section of the name", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n[A]\r\nz\r\n",
         Case::Erase, "a", "", "", "[b]\r\ny=2\r\n"},
        {"erase of a missing section writes nothing", "[a]\nx=1\n", Case::Erase, "b", "", "",
         "[a]\nx=1\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.ini"));
    for (const Case& c : cases) {
        test::writeBytes(path, c.before);
        ProfileFile file(path);
        const QString section = QString::fromUtf8(c.section);
        const auto r = c.op == Case::Write ? file.writeString(section, QString::fromUtf8(c.key),
                                                              QString::fromUtf8(c.value))
                                           : file.eraseSection(section);
        ASSERT_TRUE(r.ok) << c.name << ": " << r.error.toStdString();
        EXPECT_EQ(test::readBytes(path), c.after) << c.name;
        // The object follows its own writes.
        if (c.op == Case::Write)
            EXPECT_EQ(file.readString(section, QString::fromUtf8(c.key), {}),
                      QString::fromUtf8(c.value))
                << c.name;
        else
            EXPECT_TRUE(file.keys(section).isEmpty()) << c.name;
    }
}

TEST(ProfileFile, MissingFileReadsEmptyAndFirstWriteCreatesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    ProfileFile file(path);
    EXPECT_TRUE(file.readResult().ok);
    EXPECT_TRUE(file.sections().isEmpty());
    EXPECT_EQ(file.readString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("d")),
              QStringLiteral("d"));
    ASSERT_TRUE(file.eraseSection(QStringLiteral("s")).ok);
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(file.writeString(QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")).ok);
    EXPECT_EQ(test::readBytes(path), QByteArray("[s]\r\nk=v\r\n"));
}

TEST(ProfileFile, ReadsSectionNamesAsCharacters)
{
    // ゾ is 0x83 0x5D and 表 is 0x95 0x5C: their second bytes are ']' and '\'.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.ini"));
    test::writeBytes(path, "[\x83\x5d]\r\nk=1\r\n[S1\x95\x5c]\r\nk=2\r\n[\x83\x5d\r\nk=3\r\n");
    ProfileFile file(path);
    EXPECT_EQ(file.sections(), (QStringList{QStringLiteral("ゾ"), QStringLiteral("S1表")}));
    EXPECT_EQ(file.readString(QStringLiteral("ゾ"), QStringLiteral("k"), {}), QStringLiteral("1"));
    // "[ゾ" has no closing bracket: not a header, so its key line stays in 表's section.
    EXPECT_EQ(file.keys(QStringLiteral("S1表")).size(), 2);

    // A title holding brackets of its own reads back whole.
    const QString title = QStringLiteral("S12[復習]ゾ");
    ASSERT_TRUE(file.writeString(title, QStringLiteral("1"), QStringLiteral("x")).ok);
    const ProfileFile again(path);
    EXPECT_EQ(again.sections().last(), title);
    EXPECT_EQ(again.readString(title, QStringLiteral("1"), {}), QStringLiteral("x"));
    ASSERT_TRUE(
        file.writeString(QStringLiteral("ゾ"), QStringLiteral("k2"), QStringLiteral("y")).ok);
    EXPECT_TRUE(test::readBytes(path).startsWith("[\x83\x5d]\r\nk=1\r\nk2=y\r\n[S1"));
}

TEST(ProfileFile, CountsEveryKeyAndNeverCutsAValue)
{
    // Windows stops at 8192 bytes of key names and 1023 bytes of value.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.ini"));
    QStringList lines{QStringLiteral("[S11たしざん]")};
    for (int i = 1; i <= 3000; ++i)
        lines.append(QString::number(i) +
                     QStringLiteral("=2005年06月21日 14:03 []  4/ 4 100点 00:41"));
    test::writeLines(path, lines);

    ProfileFile file(path);
    const QStringList keys = file.keys(QStringLiteral("S11たしざん"));
    ASSERT_EQ(keys.size(), 3000);
    EXPECT_EQ(keys.last(), QStringLiteral("3000"));

    const QString longValue = QString(1000, u'算') + QStringLiteral("end");
    ASSERT_TRUE(
        file.writeString(QStringLiteral("S11たしざん"), QStringLiteral("3001"), longValue).ok);
    const ProfileFile again(path);
    EXPECT_EQ(again.keys(QStringLiteral("S11たしざん")).size(), 3001);
    EXPECT_EQ(again.readString(QStringLiteral("S11たしざん"), QStringLiteral("3001"), {}),
              longValue);
}

TEST(ProfileFile, FailedWritesKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.ini"));
    const QByteArray old("[a]\r\nk=old\r\n");
    test::writeBytes(path, old);

    struct Case
    {
        const char* name;
        QString section;
        QString key;
        QString value;
    };
    const Case cases[] = {
        {"not CP932", QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("€")},
        {"line break in value", QStringLiteral("a"), QStringLiteral("k"),
         QStringLiteral("x\r\n[pw]")},
        {"line break in section", QStringLiteral("a\nb"), QStringLiteral("k"), QStringLiteral("v")},
        {"'=' in key", QStringLiteral("a"), QStringLiteral("k=j"), QStringLiteral("v")},
        {"key read as a header", QStringLiteral("a"), QStringLiteral("[b]"), QStringLiteral("v")},
        {"empty key", QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("v")},
    };
    for (const Case& c : cases) {
        ProfileFile file(path);
        const auto r = file.writeString(c.section, c.key, c.value);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_TRUE(r.error.contains(QStringLiteral("p.ini"))) << c.name;
        EXPECT_EQ(test::readBytes(path), old) << c.name;
        EXPECT_EQ(file.readString(QStringLiteral("a"), QStringLiteral("k"), {}),
                  QStringLiteral("old"))
            << c.name;
    }

    // A file that cannot be read is not overwritten with what little was understood.
    const QByteArray bad("[a]\r\nk=\x82\r\n");
    test::writeBytes(path, bad);
    ProfileFile unreadable(path);
    EXPECT_FALSE(unreadable.readResult().ok);
    EXPECT_FALSE(unreadable.writeString(QStringLiteral("a"), QStringLiteral("j"), {}).ok);
    EXPECT_FALSE(unreadable.eraseSection(QStringLiteral("a")).ok);
    EXPECT_EQ(test::readBytes(path), bad);

    // A folder that does not exist.
    ProfileFile nowhere(dir.filePath(QStringLiteral("no/such/p.ini")));
    const auto r =
        nowhere.writeString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}
