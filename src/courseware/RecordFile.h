#pragma once

#include "courseware/UnitChoice.h"
#include "platform/TextFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zendra {

// A learner's record file: one INI file per learner and lesson, in the lesson's folder. It
// holds the password (section "password", key "pw") and, per unit, one section named by the
// unit's record key whose keys "1" .. "N" hold one record line per scored session.
//
// Every key line of a unit's section is one record, whatever its name: a section edited by
// hand (a number deleted from the middle, a line without '=', a key written twice) is
// counted and shown whole, and a new record never takes a number that is in use.
//
// The read operations read the file once each; a missing file reads as empty. When `error`
// is given it receives the reason a file that exists could not be read (empty otherwise).

// Shown in place of a unit's records when it has none.
inline constexpr QStringView kNoRecordsLine = u"練習の記録はありません";

// What ReadPassword gives when no password is set.
inline constexpr QStringView kNoPassword = u"?";

// The lesson folder of lesson max(lesson, 1) + learnerName + ".ini". `programFolder` ends
// with '/'.
QString LearnerRecordPath(const QString& programFolder, const LessonTable& table, int lesson,
                          const QString& learnerName);

// The stored password, or "?" when the file, the section or the key is missing.
QString ReadPassword(const QString& path, QString* error = nullptr);
TextFile::Result WritePassword(const QString& path, const QString& password);

// The number of records (key lines) in the unit's section; 0 when it is missing.
int RecordCount(const QString& path, const QString& key, QString* error = nullptr);
// Writes the line at the end of the section under the number after both the record count
// and the highest number in use, so "1" .. "N" go on as "N + 1" and no record is replaced.
TextFile::Result AppendRecord(const QString& path, const QString& key, const QString& line);
// Every record of the section in file order (the order of appending), RecordCount of them.
QStringList ReadRecords(const QString& path, const QString& key, QString* error = nullptr);
// Removes the unit's section with all its records.
TextFile::Result EraseRecords(const QString& path, const QString& key);

// One unit's section of a record file.
struct RecordSection
{
    QString name;
    int count = 0;
};

// Every section but the password's, in file order, with its record count.
QList<RecordSection> RecordSections(const QString& path, QString* error = nullptr);

} // namespace zendra
