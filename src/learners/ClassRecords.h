#pragma once

#include "courseware/UnitChoice.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zendra {

// The class overview: every learner of a lesson by every unit, read from the record files
// as they stand. Nothing here writes a record file.

// A unit that was not fully right comes back after these days, by the number of fully
// right records since the last one that was not (none, one, two); after three it rests.
inline constexpr std::array<int, 3> kReviewDays = {1, 3, 7};
// A unit not fully right this many times is flagged to the teacher.
inline constexpr int kFlagAfterMisses = 5;

// Variant: a stored similar-question set; Generated: numbers made afresh in the study window.
enum class RecordKind { Practice, Test, Variant, Generated };

// One readable record line.
struct ClassRecord
{
    RecordKind kind = RecordKind::Practice;
    QDateTime finished; // the date and time as written, kept without a time zone (as UTC)
    QString tries;      // one digit per box in the order completed; empty for a test
    int right = 0;
    int total = 0;
    int percent = 0;
    int elapsedSeconds = 0;

    // Every box right at the first try: all tries digits 0 in a practice, right = total in
    // a test.
    bool fullyRight() const;
};

// What a record line holds, or nothing for a line the program could not have written.
std::optional<ClassRecord> ReadClassRecord(const QString& line);

// The day the unit is due again after these records (in the order written), or nothing
// when it is not due at all.
std::optional<QDate> ReviewDueDate(const QList<ClassRecord>& records);

// One learner's records of one unit.
struct LearnerUnit
{
    int count = 0;              // every record line, unreadable ones included
    QList<ClassRecord> records; // the readable ones, in file order
    QString latestLine;         // the last line as written
    int bestScore = -1;         // -1 without a readable record
    int misses = 0;             // records not fully right
    std::optional<QDate> due;

    const ClassRecord* latest() const { return records.isEmpty() ? nullptr : &records.last(); }
    bool flagged() const { return misses >= kFlagAfterMisses; }
    bool dueOn(const QDate& today) const { return due && *due <= today; }
};

struct ClassLearner
{
    QString name;
    bool hasFile = false;
    QList<LearnerUnit> units; // one per ClassRecords::units
    // The mean of the latest scores of the units practised; -1 when none was.
    double average() const;
};

// How many learners answered a box in their latest practice of the unit, and how many of
// them were not right at the first try.
struct BoxStat
{
    int answered = 0;
    int firstTryWrong = 0;
};

struct ClassUnit
{
    QString key;     // the record key (section name in the record files)
    int section = 0; // 0 for a copy file
    int unit = 0;
    QString title;
    QList<BoxStat> boxes; // box 1 first
};

struct UnreadableRecord
{
    QString learner;
    QString key;
    QString line;
};

struct ClassRecords
{
    int lesson = 0;
    QString lessonName;
    QList<ClassUnit> units; // the lesson's units in index order, then copy files met
    QList<ClassLearner> learners;
    QList<UnreadableRecord> unreadable;
    QStringList errors; // record files that could not be read, with why
    int filesRead = 0;

    int unitIndex(const QString& key) const;
};

// Reads every record file of the lesson, each once: the learners of `classList` first, in
// its order (without a file they have no records), then the other record files of the
// lesson folder in name order. `programFolder` ends with '/'. Sections of the lesson index
// come in index order even when no one has practised them; a lesson whose index cannot be
// read still lists what the files hold.
ClassRecords ReadClassRecords(const QString& programFolder, const LessonTable& table, int lesson,
                              const QStringList& classList);

// Only the learner's own record file of the lesson, as ReadClassRecords would read it.
ClassRecords ReadLearnerRecords(const QString& programFolder, const LessonTable& table, int lesson,
                                const QString& learner);

// The names of the default class list of the program folder, or none when it is missing.
QStringList ClassListNames(const QString& programFolder, const QString& logOnFolder,
                           bool runningFromCd);

// One box of a unit with its question as the master file words it.
struct BoxQuestion
{
    int box = 0;
    QString question; // the text before the blank, or the whole line with its blanks
    QString answer;   // for the teacher who asks to see it
    BoxStat stat;
    // The share of answering learners right at the first try, 0..1; -1 when none answered.
    double firstTryShare() const;
};

// The unit's boxes, from its master file, with the class's statistics; the hardest first
// (lowest share right at the first try), unanswered boxes last, then in box order. Boxes the
// records know but the master file lacks are listed without a question.
QList<BoxQuestion> UnitQuestions(const QString& programFolder, const LessonTable& table,
                                 const ClassRecords& records, int unitIndex);

// A unit due for review.
struct DueUnit
{
    QString key;
    int section = 0;
    int unit = 0;
    QString title;
    QDate due;
};

// The learner's units due on `today`, the longest waiting first.
QList<DueUnit> DueUnits(const ClassRecords& records, int learnerIndex, const QDate& today);

} // namespace zendra
