#pragma once

#include "courseware/UnitChoice.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zendra {

// What the chooser shows before each unit title: "◎" when the unit has similar-question
// sets (else "　"), then "[" + the learner's practice count + "]" (a blank for none). The
// index editor's tree and the all-units window show the same marks.
struct UnitMarks
{
    // Per section, per unit, both from 0.
    QList<QStringList> prefixes;
    QList<QList<bool>> variants;

    // Section and unit count from 1; empty (false) out of range.
    QString prefix(int section, int unit) const;
    bool hasVariants(int section, int unit) const;
};

// The marks of every unit of `sections`, lesson `lesson` of `table`, for `learnerName`. The
// record file is read once; a section without its master file has no marks but its counts.
// An empty name counts nothing: the marks of a learner whose records are closed.
UnitMarks ComputeUnitMarks(const QString& programFolder, const LessonTable& table, int lesson,
                           const QString& learnerName, const SectionUnits& sections);

} // namespace zendra
