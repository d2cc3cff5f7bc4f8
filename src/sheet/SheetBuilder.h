#pragma once

#include "courseware/UnitChoice.h"
#include "courseware/UnitReader.h"
#include "sheet/PageComposer.h"
#include "sheet/Sheet.h"

#include <optional>

namespace zendra {

// The courseware a sheet is opened from: the program folder and the tables of the index.
struct CoursewareContext
{
    QString programFolder; // ends with '/'
    const LessonTable& lessons;
    const SectionUnits& sections; // of choice.lesson
};

// Opens a unit of a master file as a new sheet (the reader's open mode), with its figures
// and class flag loaded. Nothing is returned when the unit is missing or fails its checks
// (the reader has shown why, where it shows anything).
std::optional<Sheet> OpenMasterSheet(const CoursewareContext& courseware, const UnitChoice& choice,
                                     UnitReader& reader, bool answersShown);

// Opens the single unit of a copy file as a new sheet. `lesson` decides the figure folder.
std::optional<Sheet> OpenCopySheet(const QString& programFolder, const LessonTable& lessons,
                                   int lesson, const QString& path, UnitReader& reader,
                                   bool answersShown);

// Adds a unit's questions and figures to a sheet (the reader's add mode). Refused with
// "これ以上追加できません" when the sheet already holds 15 figures. Figures the sheet had keep
// their places; added ones are placed anew by the next composition.
bool AddUnitToSheet(Sheet& sheet, const CoursewareContext& courseware, const UnitChoice& choice,
                    UnitReader& reader);

// The sheet as a copy file keeps it, with every figure where the page shows it. Whatever
// writes a copy file takes the sheet from here. A figure not placed yet (its stored left
// below 1: just opened, or added with a unit) is placed as the screen page composed with
// `inputs` places it, and that position is written back into the sheet's triple; figures
// already placed and the sheet's other records of the last composition stay as they are.
CopySheet CopySheetAsShown(Sheet& sheet, const ComposeInputs& inputs);

} // namespace zendra
