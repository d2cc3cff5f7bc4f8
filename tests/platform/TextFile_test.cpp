#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
        {"\x5c", 0x005C},     {"\x7e", 0x007E},     {"\x81\x60", 0xFF5E}, {"\x81\x7c", 0xFF0D},
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
        {QByteArray("ok\r\nok\r\n\x82", 9), 3},        // lead byte at the end
        {QByteArray("\x82\x20x\r\n", 5), 1},           // invalid trail byte
        {QByteArray("a\r\nb\r\n\x85\x40\r\n", 10), 3}, // well formed but unassigned
        {QByteArray("a\n\xff\n", 4), 2},               // never a CP932 byte
        {QByteArray("a\r\n\x82\r\n", 6), 2},           // line end after a lead byte
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

// Reading decodes and splits in one pass and shares repeated short lines; the lines must be
// those that decoding the whole text and splitting it give, for every sample master file and
// for short lines that repeat, differ by one character or only in length.
TEST(TextFile, ReadGivesTheLinesOfTheDecodedText)
{
    QList<QByteArray> files;
    QDirIterator it(test::sampleCourseware(), {QStringLiteral("*.que")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(test::readBytes(it.next()));
    ASSERT_GE(files.size(), 10);
    QByteArray repeated;
    for (int i = 0; i < 600; ++i)
        repeated += QByteArray::number(i % 37) + "\r\n>>\r\n0\r\n00\r\n\x82\xa0\n\r" +
                    QByteArray(i % 11, 'x') + "\n\x83\x5c" + QByteArray::number(i) + "\r";
    files.append(repeated);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.que"));
    for (const QByteArray& bytes : files) {
        QString text;
        ASSERT_TRUE(zendra::cp932::decode(bytes, text));
        test::writeBytes(path, bytes);
        QStringList lines;
        ASSERT_TRUE(TextFile::read(path, lines).ok);
        EXPECT_EQ(lines, TextFile::splitLines(text)) << bytes.left(40).toHex().toStdString();
    }
}

// readFrom() finds its lines in the bytes; they must be those read() gives from the first line
// equal to the header up to the next unit's header, and a file read() refuses, for a fault
// before or after those lines, must be refused with read()'s error.
TEST(TextFile, ReadFromGivesWhatReadGivesFromTheHeaderOn)
{
    const QByteArray ascii(21, 'a');
    const struct
    {
        QByteArray bytes;
        const char* first;
    } cases[] = {
        {"", "[[unit1"},
        {"[[unit1", "[[unit1"},
        {"[[unit1\r\na\r\n[[unit2", "[[unit1"},
        {"[[unit12\r\n[[unit1\r\nq\r\n", "[[unit1"},
        {"\x83[[unit1\r\n[[unit1\nq\nx[[unit2\n]]\n[[unit3\nz\n", "[[unit1"}, // 0x83 '[' a pair
        {"a\r[[unit1\rb\r[[unit2\rc", "[[unit1"},
        {"a\r\n[[unit\r\n\r\n", "[[unit1"},
        {"a\r\n\r\n[[unit1\r\n", ""},
        {"[[unit\x87\x90\r\nq\r\n[[unit2\r\n", "[[unit≒"},           // also 0x81 0xE0
        {"[[unit1\r\nq\r\n[[unit2\r\n\x85\x40\r\n", "[[unit1"},      // unassigned pair after it
        {"[[unit1\r\n]]\r\n" + ascii + "\x82", "[[unit1"},           // cut-off lead byte
        {ascii + "\r\n[[unit1\r\n" + ascii + "\x82\x20", "[[unit1"}, // bad trail byte
        {"\xff\r\n[[unit1\r\n", "[[unit1"},
        {"[[unit\x82\x50\r\n\xa0\r\n", "[[unit１"},
        {"[[unit1\r\n\xE7\xAE\x97\r\n", "[[unit1"}, // UTF-8
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.que"));
    for (const auto& c : cases) {
        const std::string shown = c.bytes.toHex().toStdString() + " " + c.first;
        test::writeBytes(path, c.bytes);
        QStringList all, lines;
        const TextFile::Result whole = TextFile::read(path, all);
        bool anyLines = true;
        const TextFile::Result r = TextFile::readFrom(path, QString::fromUtf8(c.first),
                                                      QLatin1StringView("[[unit"), lines, anyLines);
        EXPECT_EQ(r.ok, whole.ok) << shown;
        EXPECT_EQ(r.error, whole.error) << shown;
        EXPECT_EQ(r.line, whole.line) << shown;
        const qsizetype from = all.indexOf(QString::fromUtf8(c.first));
        qsizetype to = from + 1;
        while (from >= 0 && to < all.size() && !all.at(to).startsWith(QStringLiteral("[[unit")))
            ++to;
        EXPECT_EQ(lines, from < 0 ? QStringList() : all.mid(from, to + 1 - from)) << shown;
        EXPECT_EQ(anyLines, !all.isEmpty()) << shown;
    }
}

// A file saved as UTF-8 is named as such, with or without a byte-order mark, rather than
// blamed at whatever line the first multi-byte character happens to fall on.
TEST(TextFile, RecognisesUtf8AndAsksForShiftJis)
{
    const QByteArray samples[] = {
        "\xEF\xBB\xBF[[unit1\r\n",                 // mark, ASCII only
        "[[unit1\r\n\xE7\xAE\x97\xE6\x95\xB0\r\n", // 算数 without a mark
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("u8.que"));
    for (const QByteArray& bytes : samples) {
        test::writeBytes(path, bytes);
        QStringList lines;
        const TextFile::Result r = TextFile::read(path, lines);
        ASSERT_FALSE(r.ok) << bytes.toHex().toStdString();
        EXPECT_EQ(r.error,
                  QStringLiteral(
                      "ファイル %1 は UTF-8 で保存されているので、Shift-JIS で保存し直してください")
                      .arg(QDir::toNativeSeparators(path)));
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

// Every byte below 0x80 is itself, and every single byte and pair decodes as glibc's CP932
// (the Microsoft table) decodes it and encodes back as glibc encodes that text. The table
// has 398 pairs that share a character with another pair (NEC and IBM rows); those encode
// to the one code Windows writes for the character, every other pair to itself.
TEST(Cp932, AgreesWithTheMicrosoftTableOnEverySingleByteAndPair)
{
    iconv_t from = iconv_open("UTF-16LE", "CP932");
    iconv_t to = iconv_open("CP932", "UTF-16LE");
    ASSERT_NE(from, reinterpret_cast<iconv_t>(-1)) << "glibc has no CP932 table here";
    ASSERT_NE(to, reinterpret_cast<iconv_t>(-1));
    const auto convert = [](iconv_t cd, const QByteArray& in, QByteArray& out) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buf[16];
        char* ip = const_cast<char*>(in.constData());
        size_t il = size_t(in.size());
        char* op = buf;
        size_t ol = sizeof buf;
        const bool ok = iconv(cd, &ip, &il, &op, &ol) != size_t(-1) && il == 0;
        out = QByteArray(buf, op - buf);
        return ok;
    };
    int decodedCount = 0, movedCount = 0;
    const auto check = [&](const QByteArray& bytes) {
        QByteArray utf16;
        const bool valid = convert(from, bytes, utf16);
        QString got;
        const bool decoded = zendra::cp932::decode(bytes, got);
        EXPECT_EQ(zendra::cp932::decodes(bytes), decoded) << bytes.toHex().toStdString();
        // The Microsoft table's best-fit singles (0x80, 0xA0, 0xFD-0xFF) are not text.
        EXPECT_EQ(decoded, valid) << bytes.toHex().toStdString();
        if (!decoded || !valid)
            return;
        ++decodedCount;
        const QString expected = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(utf16.constData()), utf16.size() / 2);
        EXPECT_EQ(got, expected) << bytes.toHex().toStdString();
        QByteArray back, reference;
        EXPECT_TRUE(zendra::cp932::encode(got, back)) << bytes.toHex().toStdString();
        ASSERT_TRUE(convert(to, utf16, reference)) << bytes.toHex().toStdString();
        EXPECT_EQ(back, reference) << bytes.toHex().toStdString();
        movedCount += back != bytes;
    };
    for (int b = 0; b < 0x100; ++b)
        if (b < 0x81 || (b > 0x9F && b < 0xE0) || b > 0xFC)
            check(QByteArray(1, char(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            QByteArray pair;
            pair.append(char(lead)).append(char(trail));
            ASSERT_EQ(pair.size(), 2);
            check(pair);
        }
    }
    iconv_close(from);
    iconv_close(to);
    // 128 ASCII bytes, 63 half-width katakana and 9604 assigned pairs.
    EXPECT_EQ(decodedCount, 128 + 63 + 9604);
    EXPECT_EQ(movedCount, 398);
}

// A file with the control bytes the converter used to swap reads and saves back unchanged,
// and a lead byte cut off at the end of the text is refused rather than dropped.
TEST(Cp932, ControlBytesRoundTripAndACutPairIsRefused)
{
    const QByteArray samples[] = {"a\x7f"
                                  "b",
                                  "\x1a", "x\x1c\x1a\x7f\x81\x40y", "\x82\xa0\x1a"};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.txt"));
    for (const QByteArray& bytes : samples) {
        QString text;
        ASSERT_TRUE(zendra::cp932::decode(bytes, text)) << bytes.toHex().toStdString();
        test::writeBytes(path, bytes);
        QStringList lines;
        ASSERT_TRUE(TextFile::read(path, lines).ok) << bytes.toHex().toStdString();
        ASSERT_TRUE(TextFile::write(path, lines).ok) << bytes.toHex().toStdString();
        EXPECT_EQ(test::readBytes(path), bytes + "\r\n") << bytes.toHex().toStdString();
    }
    QString text;
    EXPECT_FALSE(zendra::cp932::decode(QByteArray("ab\x82"), text));
}

// What a killed save leaves beside its file is removed by the next save of that file, but
// not while another save holds it; other files beside it are never touched.
TEST(TextFile, NextSaveRemovesWhatAKilledSaveLeftButNotARunningOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.que"));
    const QString running = path + QStringLiteral(".zendra-save-Ab12Cd");
    const QString leftover = path + QStringLiteral(".zendra-save-Zz99Yy");
    const QString backup = path + QStringLiteral(".backup");
    for (const QString& p : {running, leftover, backup})
        test::writeBytes(p, "partial");
    const int fd = ::open(QFile::encodeName(running).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(TextFile::write(path, {QStringLiteral("new")}).ok);
    ::close(fd);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"m.que", "m.que.backup", "m.que.zendra-save-Ab12Cd"}));
    ::chmod(QFile::encodeName(path).constData(), 0640);
    ASSERT_TRUE(TextFile::write(path, {QStringLiteral("newer")}).ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"m.que", "m.que.backup"}));
    EXPECT_EQ(test::readBytes(path), QByteArray("newer\r\n"));
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u); // the replaced file keeps its rights
}
