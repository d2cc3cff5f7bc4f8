#pragma once

#include "courseware/UnitChoice.h"

namespace zendra {

// Reads Main.ind of the program folder into `table`. Shows "ファイル <path> が見つかりません"
// and returns false when it is missing; shows the reason and returns false when it cannot be
// read or holds fewer than three lines. Entries at positions the new file does not fill keep
// the folder and base name of an earlier load, as they did in the chooser's lists.
bool LoadMainIndex(const QString& programFolder, LessonTable& table);

// Why a lesson index's lines cannot be read: the 1-based line and what is wrong there.
struct IndexProblem
{
    int line = 0;
    QString text;
};

// The sections and units of a lesson index's lines, as LoadLessonIndex reads them. False,
// with the problem, for lines the program could not read back (a section without its ">>",
// more than 80 sections or units).
bool ParseLessonIndexLines(const QStringList& lines, SectionUnits& sections,
                           IndexProblem* problem = nullptr);

// Reads the index of lesson `lesson` into `sections`. Shows a message and returns false when
// the lesson folder or its index is missing, cannot be read, or a section runs to the end of
// the file without its closing ">>".
bool LoadLessonIndex(const QString& programFolder, const LessonTable& table, int lesson,
                     SectionUnits& sections);

// The similar-question sets of a unit present in its master file, as the chooser lists them
// ("類題　4R1", ...): R1, R2, ... in increasing order, each searched after the previous one,
// stopping at the first gap, at most 5.
QStringList FindVariants(const UnitChoice& choice, const QStringList& masterLines);

// Whether the master file holds "[[unit" + unit + "R1" anywhere.
bool HasVariants(int unit, const QStringList& masterLines);

} // namespace zendra
