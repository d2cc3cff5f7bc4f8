#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zendra {

// What a file was when the program read it: whether it existed, its size, its modification
// time and a hash of its bytes. A save over a file on a shared folder compares the stamp it
// took when reading with the file's stamp now, so that another teacher's change made in the
// meantime is never silently written over.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;

    // The stamp of the file as it is now (a missing file has exists == false).
    static FileStamp of(const QString& path);

    // The same file contents as when the stamp was taken. Size and time are compared first
    // (cheap); the hash decides, so a file only touched, or copied back unchanged, counts
    // as unchanged.
    bool sameContents(const FileStamp& now) const;

    // Whether a save over `path` would write over someone else's work: the file is there
    // and is not what this stamp saw. A file since removed holds nothing to lose.
    bool changedOnDisk(const QString& path) const;
};

// "The file changed since it was read, and writing over it may lose that change", for the
// question or refusal a save shows then.
QString ChangedSinceReadText(const QString& path);

} // namespace zendra
