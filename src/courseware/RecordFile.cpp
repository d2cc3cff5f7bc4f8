#include "courseware/RecordFile.h"

#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <QHash>

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
    const qsizetype count = file.keys(key).size();
    return file.writeString(key, QString::number(count + 1), line);
}

QStringList ReadRecords(const QString& path, const QString& key, QString* error)
{
    const ProfileFile file(path);
    report(file, error);
    const QList<ProfileFile::Entry> entries = file.entries(key);
    // The first line of a number wins, as on a lookup by key.
    QHash<QString, QString> byKey;
    for (const ProfileFile::Entry& entry : entries) {
        if (!byKey.contains(entry.key))
            byKey.insert(entry.key, entry.value);
    }
    QStringList lines;
    lines.reserve(entries.size());
    for (qsizetype i = 1; i <= entries.size(); ++i)
        lines.append(byKey.value(QString::number(i), QStringLiteral("?")));
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
