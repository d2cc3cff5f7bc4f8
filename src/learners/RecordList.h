#pragma once

#include "learners/LearnerPlace.h"
#include "platform/TextFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace zendra {

// The record counts of every unit of one record file, read once: the chooser and the
// records list ask for one count per unit, and reading the file for each would decode it
// again every time.
class RecordCounts
{
public:
    RecordCounts() = default;
    // A missing file has no records; `error` receives why one that exists could not be read.
    explicit RecordCounts(const QString& recordPath, QString* error = nullptr);

    // As RecordCount(path, key) would answer.
    int count(const QString& key) const;

private:
    QHash<QString, int> counts_;
};

// "  " for no records, "01" .. "09", then the plain number.
QString RecordCountText(int count);

// One row of the records list.
struct RecordListEntry
{
    enum class Kind { SectionTitle, Unit, CopyFile };
    Kind kind = Kind::SectionTitle;
    QString text; // as listed: a section title, or count text + "回" + key
    QString key;  // the record key; empty for a section title
    int count = 0;
};

// The records of one learner in one lesson: section titles, each section's units, then the
// lesson's copy files.
struct RecordList
{
    QString recordPath; // the learner's record file the counts come from; empty when closed
    QList<RecordListEntry> entries;

    QStringList texts() const;
    // The key of the entry at `row`: "?" for a section title or a row out of range.
    QString keyAt(int row) const;
};

// Fills `list` from the lesson index and the learner's record file (read once). False, with
// an empty list, only when no record file can be named for the learner: no name, a name
// that cannot be a file name, or a lesson that is not in the table. A missing lesson index
// is reported and leaves only the copy files. A record file that is not open lists every
// unit without records and leaves `recordPath` empty.
bool FillRecordList(const LearnerPlace& place, RecordList& list);

// The record lines of the entry at `row`, or the single line "練習の記録はありません".
QStringList RecordDetailLines(const RecordList& list, int row);

// Erases the records of the entry at `row`; a section title has none, and nothing is
// written for it.
TextFile::Result EraseRecordEntry(const RecordList& list, int row);

} // namespace zendra
