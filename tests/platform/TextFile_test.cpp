#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

using zendra::TextFile;
namespace test = zendra::test;

TEST(TextFile, DecodesWithTheMicrosoftTable)
{
    struct Case
    {
        QByteArray bytes;
        char16_t expected;
    };
    const Case cases[] = {
        {"\x5c", 0x005C}, {"\x7e", 0x007E},     {"\x81\x60", 0xFF5E}, {"\x81\x7c", 0xFF0D},
        {"\x87\x40", 0x2460}, {"\xfa\x40", 0x2170}, {"\x81\x5f", 0xFF3C}, {"\xb1", 0xFF71},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("t.txt"));
        test::writeBytes(path, c.bytes);
        QStringList lines;
        ASSERT_TRUE(TextFile::read(path, lines).ok) << c.bytes.toHex().toStdString();
        ASSERT_EQ(lines.size(), 1);
        ASSERT_EQ(lines.first().size(), 1);
        EXPECT_EQ(lines.first().at(0).unicode(), c.expected) << c.bytes.toHex().toStdString();
    }
}

TEST(TextFile, SplitsLinesAtAnyLineEnd)
{
    struct Case
    {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"a\n\nb\n", {"a", "", "b"}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    for (const Case& c : cases) {
        test::writeBytes(path, c.bytes);
        QStringList lines;
        ASSERT_TRUE(TextFile::read(path, lines).ok);
        EXPECT_EQ(lines, c.lines) << c.bytes.toHex().toStdString();
    }
}

TEST(TextFile, KeepsTrailBytesThatEqualAsciiMarks)
{
    // 表 (0x95 0x5C), ソ (0x83 0x5C), ゾ (0x83 0x5D) and　(0x81 0x40) hold '\', ']' and '@'
    // as their second byte; they must survive a read and a write unchanged.
    const char raw[] = "\x95\x5c\x83\x5c\x83\x5d\x81\x40#\x95\x5c#\r\n";
    const QByteArray bytes(raw, sizeof raw - 1);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    test::writeBytes(path, bytes);
    QStringList lines;
    ASSERT_TRUE(TextFile::read(path, lines).ok);
    EXPECT_EQ(lines, QStringList{QStringLiteral("表ソゾ　#表#")});
    EXPECT_EQ(lines.first().split(u'#').size(), 3);

    const QString out = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(TextFile::write(out, lines).ok);
    EXPECT_EQ(test::readBytes(out), bytes);
}

TEST(TextFile, RefusesInvalidBytesNamingFileAndLine)
{
    struct Case
    {
        QByteArray bytes;
        int line;
    };
    const Case cases[] = {
        {QByteArray("ok\r\nok\r\n\x82", 9), 3},           // lead byte at the end
        {QByteArray("\x82\x20x\r\n", 5), 1},              // invalid trail byte
        {QByteArray("a\r\nb\r\n\x85\x40\r\n", 10), 3},    // well formed but unassigned
        {QByteArray("a\n\xff\n", 4), 2},                  // never a CP932 byte
        {QByteArray("a\r\n\x82\r\n", 6), 2},              // line end after a lead byte
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.que"));
    for (const Case& c : cases) {
        test::writeBytes(path, c.bytes);
        QStringList lines;
        const TextFile::Result r = TextFile::read(path, lines);
        ASSERT_FALSE(r.ok) << c.bytes.toHex().toStdString();
        EXPECT_TRUE(r.error.contains(QStringLiteral("bad.que"))) << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QStringLiteral(" %1 行目").arg(c.line)))
            << r.error.toStdString();
        EXPECT_EQ(r.line, c.line);
        EXPECT_TRUE(lines.isEmpty());
    }
}

TEST(TextFile, RefusesToSaveWhatCp932CannotHoldAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("u.que"));
    const QByteArray old("old\r\n");
    test::writeBytes(path, old);
    for (const QString& bad : {QStringLiteral("€"), QStringLiteral("é"), QStringLiteral("😀")}) {
        const TextFile::Result r =
            TextFile::write(path, {QStringLiteral("fine"), QStringLiteral("x") + bad});
        ASSERT_FALSE(r.ok) << bad.toStdString();
        EXPECT_TRUE(r.error.contains(QStringLiteral(" 2 行目"))) << r.error.toStdString();
        EXPECT_EQ(test::readBytes(path), old);
    }
}

TEST(TextFile, FailedSaveLeavesTheOldFileWhole)
{
    // A file-size limit makes the write fail half way, whatever the rights of the user.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.que"));
    test::writeBytes(path, "old\r\n");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const TextFile::Result r = TextFile::write(path, QStringList(50, QStringLiteral("new line")));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("m.que"))) << r.error.toStdString();
    EXPECT_EQ(test::readBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("m.que")});
}

TEST(TextFile, MissingFileIsAnErrorNamingIt)
{
    QStringList lines;
    const TextFile::Result r = TextFile::read(QStringLiteral("/nonexistent/x.ind"), lines);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("x.ind")));
}

TEST(Cp932, CountsBytesAndCutsWithoutSplittingCharacters)
{
    struct Case
    {
        QString text;
        int bytes;
        int cut;
        QString left;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), 3, 2, QStringLiteral("ab")},
        {QStringLiteral("算数ab"), 6, 3, QStringLiteral("算")},
        {QStringLiteral("ｱｲ漢"), 4, 3, QStringLiteral("ｱｲ")},
        {QString(), 0, 5, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zendra::cp932::byteLength(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(zendra::cp932::leftBytes(c.text, c.cut), c.left) << c.text.toStdString();
    }
}
