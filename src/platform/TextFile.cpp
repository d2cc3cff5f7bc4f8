#include "platform/TextFile.h"

#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

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

TextFile::Result TextFile::read(const QString& path, QStringList& lines)
{
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("ファイル %1 を読めません: %2")
                           .arg(shown(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("ファイル %1 を読めません: %2")
                           .arg(shown(path), file.errorString()));

    const qsizetype bad = cp932::firstInvalidByte(bytes);
    if (bad >= 0) {
        const int line = lineOfOffset(bytes, bad);
        return failure(QStringLiteral("ファイル %1 の %2 行目に Shift-JIS でない文字があります")
                           .arg(shown(path))
                           .arg(line),
                       line);
    }

    QString text;
    if (cp932::decode(bytes, text)) {
        lines = splitLines(text);
        return Result{true, {}};
    }
    // Find the line whose pair has no character, to name it.
    const QList<QByteArray> byteLines = splitByteLines(bytes);
    for (qsizetype i = 0; i < byteLines.size(); ++i) {
        QString ignored;
        if (!cp932::decode(byteLines.at(i), ignored))
            return failure(
                QStringLiteral("ファイル %1 の %2 行目に Shift-JIS でない文字があります")
                    .arg(shown(path))
                    .arg(i + 1),
                static_cast<int>(i + 1));
    }
    return failure(QStringLiteral("ファイル %1 に Shift-JIS でない文字があります").arg(shown(path)));
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

TextFile::Result TextFile::saveBytes(const QString& path, const QByteArray& bytes)
{
    // Unbuffered, so that a short write (a full disk, a size limit) shows in write()'s
    // count: a buffered QSaveFile can commit a truncated file without reporting it.
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
}

} // namespace zendra
