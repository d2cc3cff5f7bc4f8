#include "courseware/RecordFile.h"

#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <algorithm>

namespace zendra {

namespace {

const QString kPasswordSection = QStringLiteral("password");
const QString kPasswordKey = QStringLiteral("pw");

void report(const ProfileFile& file, QString* error)
{
    if (error)
        *error = file.readResult().error;
}

// A record key's number, or 0 for a key that is not a positive number.
int recordNumber(const QString& key)
{
    bool ok = false;
    const int n = key.toInt(&ok);
    return ok && n > 0 ? n : 0;
}

} // namespace

QString LearnerRecordPath(const QString& programFolder, const LessonTable& table, int lesson,
                          const QString& learnerName)
{
    const int n = std::max(lesson, 1);
    const QString folder = n <= table.count() ? table.lessons.at(n - 1).folder : QString();
    return withTrailingSlash(coursewarePath(programFolder, folder)) + learnerName +
           QStringLiteral(".ini");
}

QString ReadPassword(const QString& path, QString* error)
{
    const ProfileFile file(path);
    report(file, error);
    return file.readString(kPasswordSection, kPasswordKey, kNoPassword.toString());
}

TextFile::Result WritePassword(const QString& path, const QString& password)
{
    return ProfileFile(path).writeString(kPasswordSection, kPasswordKey, password);
}

int RecordCount(const QString& path, const QString& key, QString* error)
{
    const ProfileFile file(path);
    report(file, error);
    return static_cast<int>(file.keys(key).size());
}

TextFile::Result AppendRecord(const QString& path, const QString& key, const QString& line)
{
    ProfileFile file(path);
    const QStringList keys = file.keys(key);
    // A section edited by hand may skip numbers or hold higher ones than its count: the
    // number after all of them is free, and for the program's own "1" .. "N" it is N + 1.
    qsizetype last = keys.size();
    for (const QString& name : keys)
        last = std::max<qsizetype>(last, recordNumber(name));
    return file.writeString(key, QString::number(last + 1), line);
}

QStringList ReadRecords(const QString& path, const QString& key, QString* error)
{
    const ProfileFile file(path);
    report(file, error);
    // Every key line in file order, which is the order the records were appended in; a
    // section edited by hand is shown whole, so the count is what is shown.
    const QList<ProfileFile::Entry> entries = file.entries(key);
    QStringList lines;
    lines.reserve(entries.size());
    for (const ProfileFile::Entry& entry : entries)
        lines.append(entry.value);
    return lines;
}

TextFile::Result EraseRecords(const QString& path, const QString& key)
{
    return ProfileFile(path).eraseSection(key);
}

QList<RecordSection> RecordSections(const QString& path, QString* error)
{
    const ProfileFile file(path);
    report(file, error);
    QList<RecordSection> result;
    for (const QString& name : file.sections()) {
        if (name.compare(kPasswordSection, Qt::CaseInsensitive) == 0)
            continue;
        result.append(RecordSection{name, static_cast<int>(file.keys(name).size())});
    }
    return result;
}

} // namespace zendra
