#include "platform/TextFile.h"

#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <QStringDecoder>

namespace zendra {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

TextFile::Result failure(QString text, int line = 0)
{
    return TextFile::Result{false, std::move(text), line};
}

int lineOfOffset(const QByteArray& bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        const char c = bytes.at(i);
        if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes.at(i + 1) != '\n')))
            ++line;
    }
    return line;
}

QList<QByteArray> splitByteLines(const QByteArray& bytes)
{
    QList<QByteArray> result;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        result.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        result.append(bytes.mid(start));
    return result;
}

} // namespace

QStringList TextFile::splitLines(const QString& text)
{
    QStringList result;
    qsizetype start = 0;
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        result.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && p[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        result.append(text.mid(start));
    return result;
}

namespace {

// Whether the bytes are well-formed UTF-8 (Unicode's table of well-formed byte sequences)
// with at least one character beyond ASCII. It stops at the first byte that cannot be UTF-8,
// which in Shift-JIS text is almost always within its first character beyond ASCII.
bool wellFormedUtf8BeyondAscii(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const uchar*>(bytes.data());
    const uchar* const end = p + bytes.size();
    bool beyond = false;
    while (p < end) {
        const uchar b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        uchar low = 0x80, high = 0xBF; // the range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            low = b == 0xE0 ? 0xA0 : low;   // no overlong forms
            high = b == 0xED ? 0x9F : high; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            low = b == 0xF0 ? 0x90 : low;
            high = b == 0xF4 ? 0x8F : high; // nothing beyond U+10FFFF
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int k = 2; k < length; ++k)
            if (p[k] < 0x80 || p[k] > 0xBF)
                return false;
        beyond = true;
        p += length;
    }
    return beyond;
}

// A byte-order mark, or well-formed UTF-8 with at least one character beyond ASCII. Real
// Shift-JIS text is practically never valid UTF-8 (its lead bytes 0x81-0x9F and its
// half-width katakana are UTF-8 continuation bytes), while UTF-8 text often happens to be
// valid Shift-JIS, so UTF-8 is looked for first.
bool looksLikeUtf8(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    if (!wellFormedUtf8BeyondAscii(bytes))
        return false;
    // Qt's decoder has the last word on what it would read as UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return false;
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return true;
    return false;
}

} // namespace

namespace {

// The whole file, refused when it cannot be read or was saved as UTF-8.
TextFile::Result load(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(
            QStringLiteral("ファイル %1 を読めません: %2").arg(shown(path), file.errorString()));
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(
            QStringLiteral("ファイル %1 を読めません: %2").arg(shown(path), file.errorString()));

    // Today's editors save UTF-8 unless told otherwise; say so instead of blaming a line.
    if (looksLikeUtf8(bytes))
        return failure(
            QStringLiteral(
                "ファイル %1 は UTF-8 で保存されているので、Shift-JIS で保存し直してください")
                .arg(shown(path)));
    return TextFile::Result{true, {}};
}

// The refusal of bytes that do not decode: it names the line of the first byte that cannot
// be CP932, or else the first line with a pair that has no character.
TextFile::Result refusal(const QString& path, const QByteArray& bytes)
{
    const qsizetype bad = cp932::firstInvalidByte(bytes);
    if (bad >= 0) {
        const int line = lineOfOffset(bytes, bad);
        return failure(QStringLiteral("ファイル %1 の %2 行目に Shift-JIS でない文字があります")
                           .arg(shown(path))
                           .arg(line),
                       line);
    }

    const QList<QByteArray> byteLines = splitByteLines(bytes);
    for (qsizetype i = 0; i < byteLines.size(); ++i) {
        QString ignored;
        if (!cp932::decode(byteLines.at(i), ignored))
            return failure(QStringLiteral("ファイル %1 の %2 行目に Shift-JIS でない文字があります")
                               .arg(shown(path))
                               .arg(i + 1),
                           static_cast<int>(i + 1));
    }
    return failure(
        QStringLiteral("ファイル %1 に Shift-JIS でない文字があります").arg(shown(path)));
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The offset of the first line, from `from` on, that starts with `text` (and, when `whole`,
// ends with it), or -1. In CP932 a line end is never part of a pair, so the bytes of valid
// text split into lines exactly as its characters do, and ASCII bytes at the start of a line
// are the characters they look like.
qsizetype findLine(QByteArrayView bytes, QByteArrayView text, qsizetype from, bool whole)
{
    for (qsizetype at = bytes.indexOf(text, from); at >= 0; at = bytes.indexOf(text, at + 1)) {
        const qsizetype after = at + text.size();
        if ((at == 0 || isLineEnd(bytes[at - 1])) &&
            (!whole || after == bytes.size() || isLineEnd(bytes[after])))
            return at;
    }
    return -1;
}

// Text that findLine() can look for: not empty, ASCII, without a line end.
bool isPlainAscii(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.unicode() >= 0x80 || c == u'\r' || c == u'\n')
            return false;
    return true;
}

} // namespace

TextFile::Result TextFile::read(const QString& path, QStringList& lines)
{
    lines.clear();
    QByteArray bytes;
    if (Result r = load(path, bytes); !r)
        return r;
    if (cp932::decodeLines(bytes, lines))
        return Result{true, {}};
    return refusal(path, bytes);
}

TextFile::Result TextFile::readFrom(const QString& path, const QString& first,
                                    QLatin1StringView stop, QStringList& lines, bool& anyLines)
{
    lines.clear();
    anyLines = false;
    QByteArray bytes;
    if (Result r = load(path, bytes); !r)
        return r;

    // Other lines are found among the decoded lines: in CP932 one character beyond ASCII may
    // have two codes, so its bytes are not known.
    if (!isPlainAscii(first) || !isPlainAscii(QString(stop))) {
        QStringList all;
        if (!cp932::decodeLines(bytes, all))
            return refusal(path, bytes);
        anyLines = !all.isEmpty();
        const qsizetype from = all.indexOf(first);
        if (from < 0)
            return Result{true, {}};
        qsizetype to = from + 1;
        while (to < all.size() && !all.at(to).startsWith(stop))
            ++to;
        lines = all.mid(from, to + 1 - from);
        return Result{true, {}};
    }

    if (!cp932::decodes(bytes))
        return refusal(path, bytes);
    anyLines = !bytes.isEmpty();
    const QByteArray firstBytes = first.toLatin1();
    const qsizetype from = findLine(bytes, firstBytes, 0, true);
    if (from < 0)
        return Result{true, {}};
    qsizetype to = findLine(bytes, stop, from + firstBytes.size(), false);
    if (to < 0)
        to = bytes.size();
    while (to < bytes.size() && !isLineEnd(bytes.at(to)))
        ++to;
    cp932::decodeLines(QByteArrayView(bytes).sliced(from, to - from), lines);
    return Result{true, {}};
}

TextFile::Result TextFile::encodeLines(const QStringList& lines, QByteArray& out,
                                       const QString& pathForMessages)
{
    out.clear();
    QByteArray encoded;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!cp932::encode(lines.at(i), encoded))
            return failure(QStringLiteral("ファイル %1 の %2 行目に保存できない文字があります: %3")
                               .arg(shown(pathForMessages))
                               .arg(i + 1)
                               .arg(lines.at(i)),
                           static_cast<int>(i + 1));
        out.append(encoded);
        out.append("\r\n", 2);
    }
    return Result{true, {}};
}

TextFile::Result TextFile::write(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    if (Result r = encodeLines(lines, bytes, path); !r)
        return r;
    return saveBytes(path, bytes);
}

#ifdef Q_OS_UNIX
namespace {

// A save writes "<name>.zendra-save-XXXXXX" beside the target, holding an exclusive lock on
// it until it is renamed into place. A save that was killed leaves its file behind, but
// not its lock (the system drops it with the process), so the next save of the same file
// can tell a leftover from a save still running and remove it.
const QString kSaveMark = QStringLiteral(".zendra-save-");

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void removeLeftoverSaves(const QFileInfo& target)
{
    const QString prefix = target.fileName() + kSaveMark;
    QDir folder = target.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(prefix))
            continue;
        const QByteArray leftover = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(leftover.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(leftover.constData());
        ::close(fd);
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

} // namespace
#endif

TextFile::Result TextFile::saveBytes(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const auto cannot = [&](const QString& reason) {
        return failure(QStringLiteral("ファイル %1 に保存できません: %2").arg(shown(path), reason));
    };
    // Through a link the file it points to is replaced, not the link.
    const QFileInfo given(path);
    const QFileInfo target(given.isSymLink() ? given.symLinkTarget() : given.absoluteFilePath());
    // A file the user may not change is not replaced, although its folder would allow it.
    if (target.exists() && (!target.isFile() || !target.isWritable()))
        return cannot(QStringLiteral("書き込みが許可されていません"));
    removeLeftoverSaves(target);

    QByteArray temp =
        QFile::encodeName(target.absoluteFilePath() + kSaveMark + QStringLiteral("XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return cannot(systemError());
    const auto abandon = [&](const QString& reason) {
        ::unlink(temp.constData());
        ::close(fd);
        return cannot(reason);
    };
    if (::flock(fd, LOCK_EX) != 0)
        return abandon(systemError());
    // The new file keeps the rights of the old one; a new file gets the usual ones.
    struct stat old
    {
    };
    mode_t mode;
    if (::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0)
        return abandon(systemError());
    // A short write (a full disk, a size limit) fails here; the data reaches the disk
    // before the rename, so the new name never stands for a file that is not whole.
    errno = 0;
    if (!writeAll(fd, bytes))
        return abandon(errno ? systemError() : QStringLiteral("最後まで書けませんでした"));
    if (::fsync(fd) != 0)
        return abandon(systemError());
    if (::rename(temp.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return abandon(systemError());
    ::close(fd);
    return Result{true, {}};
#else
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(QStringLiteral("ファイル %1 に保存できません: %2")
                           .arg(shown(path), file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("最後まで書けませんでした");
        file.cancelWriting();
        return failure(QStringLiteral("ファイル %1 に保存できません: %2").arg(shown(path), reason));
    }
    if (!file.commit())
        return failure(QStringLiteral("ファイル %1 に保存できません: %2")
                           .arg(shown(path), file.errorString()));
    return Result{true, {}};
#endif
}

} // namespace zendra
