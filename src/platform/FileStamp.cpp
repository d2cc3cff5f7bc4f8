#include "platform/FileStamp.h"

#include "platform/Paths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace zendra {

FileStamp FileStamp::of(const QString& path)
{
    FileStamp stamp;
    const QFileInfo info(path);
    if (!info.isFile())
        return stamp;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return stamp; // unreadable counts as missing: it cannot be the file that was read
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modified = info.lastModified().toUTC();
    stamp.hash = hash.result();
    return stamp;
}

bool FileStamp::sameContents(const FileStamp& now) const
{
    if (exists != now.exists)
        return false;
    if (!exists)
        return true;
    if (size != now.size)
        return false;
    return hash == now.hash;
}

bool FileStamp::changedOnDisk(const QString& path) const
{
    const FileStamp now = of(path);
    return now.exists && !sameContents(now);
}

QString ChangedSinceReadText(const QString& path)
{
    return QStringLiteral("ファイル %1 は、読み込んだ後にほかのプログラムか人が変更しました。"
                          "上書きすると、その変更が失われることがあります。")
        .arg(shownPath(path));
}

} // namespace zendra
