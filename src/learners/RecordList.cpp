#include "learners/RecordList.h"

#include "courseware/RecordFile.h"
#include "learners/LogOn.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"

#include <QDir>

#include <algorithm>

namespace zendra {

namespace {

RecordListEntry countedEntry(RecordListEntry::Kind kind, const QString& key,
                             const RecordCounts& counts)
{
    const int count = counts.count(key);
    return RecordListEntry{kind, RecordCountText(count) + QStringLiteral("回") + key, key, count};
}

} // namespace

RecordCounts::RecordCounts(const QString& recordPath, QString* error)
{
    for (const RecordSection& section : RecordSections(recordPath, error))
        counts_.insert(FoldProfileName(section.name), section.count);
}

int RecordCounts::count(const QString& key) const
{
    return counts_.value(FoldProfileName(key), 0);
}

QString RecordCountText(int count)
{
    if (count <= 0)
        return QStringLiteral("  ");
    if (count < 10)
        return u'0' + QString::number(count);
    return QString::number(count);
}

QStringList RecordList::texts() const
{
    QStringList result;
    result.reserve(entries.size());
    for (const RecordListEntry& entry : entries)
        result.append(entry.text);
    return result;
}

QString RecordList::keyAt(int row) const
{
    if (row < 0 || row >= entries.size() || entries.at(row).key.isEmpty())
        return QStringLiteral("?");
    return entries.at(row).key;
}

bool FillRecordList(const LearnerPlace& place, RecordList& list)
{
    list.entries.clear();
    list.recordPath.clear();
    const int lesson = std::max(place.lesson, 1);
    if (place.learnerName.isEmpty() || !LearnerNameProblem(place.learnerName).isEmpty() ||
        lesson > place.lessonTable.count())
        return false;
    // Records the learner has not opened with the password are listed without counts, and
    // without a file to read or erase.
    RecordCounts counts;
    if (place.recordsOpen()) {
        list.recordPath = place.recordPath();
        QString error;
        counts = RecordCounts(list.recordPath, &error);
        if (!error.isEmpty())
            ShowMessage(error);
    }

    QStringList index;
    const QString indexPath = LessonIndexPath(place.programFolder, place.lessonTable, lesson);
    if (FileMustExist(indexPath)) {
        if (const TextFile::Result r = TextFile::read(indexPath, index); !r) {
            ShowMessage(r.error);
            index.clear();
        }
    }

    int section = 0;
    for (qsizetype i = 0; i < index.size(); ++i) {
        if (!index.at(i).startsWith(QStringLiteral("[[")))
            continue;
        ++section;
        if (i + 1 < index.size())
            list.entries.append(
                RecordListEntry{RecordListEntry::Kind::SectionTitle, index.at(i + 1), {}, 0});
        // The units start after the title and the "<<" line and end at ">>".
        int unit = 0;
        qsizetype line = i + 3;
        for (; line < index.size() && index.at(line) != u">>"; ++line) {
            ++unit;
            const QString key =
                u'S' + QString::number(section) + QString::number(unit) + index.at(line);
            list.entries.append(countedEntry(RecordListEntry::Kind::Unit, key, counts));
        }
        i = std::max(i, line);
    }

    const QString folder = LessonFolder(place.programFolder, place.lessonTable, lesson);
    const QStringList copies =
        QDir(folder).entryList({QStringLiteral("*.prp")}, QDir::Files, QDir::Name);
    for (const QString& file : copies)
        list.entries.append(countedEntry(RecordListEntry::Kind::CopyFile, file, counts));
    return true;
}

QStringList RecordDetailLines(const RecordList& list, int row)
{
    QStringList lines;
    if (!list.recordPath.isEmpty()) {
        QString error;
        lines = ReadRecords(list.recordPath, list.keyAt(row), &error);
        if (!error.isEmpty())
            return {error};
    }
    if (lines.isEmpty())
        return {kNoRecordsLine.toString()};
    return lines;
}

TextFile::Result EraseRecordEntry(const RecordList& list, int row)
{
    if (list.recordPath.isEmpty() || list.keyAt(row) == u"?")
        return TextFile::Result{true, {}};
    return EraseRecords(list.recordPath, list.keyAt(row));
}

} // namespace zendra
