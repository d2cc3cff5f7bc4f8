#pragma once

#include "courseware/UnitChoice.h"
#include "learners/LearnerPlace.h"
#include "study/Judging.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace zendra {

struct StudyState;

// Where a scored exercise is recorded: the learner's record file of the lesson and the
// unit's section in it, and the variant number the line starts with.
struct StudyRecordTarget
{
    QString path;
    QString section;
    int variant = 0; // 1..5 for a similar-question set
    // The seed of numbers generated for this study (新しい問題): they are recorded into the
    // unit's section too, marked with it.
    std::optional<quint64> generatedSeed{};
};

// The target for the sheet: a sheet opened from the index records under the unit's record
// key in the file of its lesson; a sheet opened from a copy file under the copy file's
// name (`copyUnitName`) in the file of lesson 1. `place.lesson` is not used.
StudyRecordTarget StudyRecordTargetFor(const LearnerPlace& place, const UnitChoice& choice,
                                       const SectionUnits& sections, bool fromCopyFile,
                                       const QString& copyUnitName);

// The record line of a scored exercise finished at `now`, e.g.
// "2005年06月21日 14:03 [0102]  3/ 4  75点 01:27".
QString StudyRecordLine(const StudyState& state, const Score& score, int variant,
                        const QDateTime& now, std::optional<quint64> generatedSeed = {});

struct StudyRecordResult
{
    QString line;
    bool written = false;
    QString error; // what to show the learner when the line could not be written
};

// Appends the line to the target's section. A file that cannot be written (a read-only
// lesson folder, a full disk) is reported in `error`, never passed over in silence.
StudyRecordResult WriteStudyRecord(const StudyRecordTarget& target, const StudyState& state,
                                   const Score& score, const QDateTime& now);

// The records panel's lines for the target: every record of the section, or the single
// line "練習の記録はありません".
QStringList StudyRecordLines(const StudyRecordTarget& target);

} // namespace zendra
