#pragma once

#include "courseware/UnitChoice.h"
#include "learners/RecordGate.h"

#include <QString>

#include <memory>

namespace zendra {

// What the learners' windows need of the program-wide state, handed over by the window that
// opens them: where the courseware and the rosters lie, the lesson of the current unit
// choice and who is logged on.
struct LearnerPlace
{
    QString programFolder; // ends with '/'
    QString logOnFolder;   // on the record drive
    bool runningFromCd = false;
    LessonTable lessonTable;
    int lesson = 0; // of the current unit choice; below 1 means lesson 1
    QString learnerName;
    // The program's record gate; without one (tools, tests of single windows) every
    // record file is open.
    std::shared_ptr<RecordGate> gate;
    // The main window is locked for learners: the class list and the records are not
    // theirs to change.
    bool learnerMode = false;

    // The learner's record file of the lesson (see LearnerRecordPath).
    QString recordPath() const;
    // Whether the learner's records of the lesson may be shown, written or erased.
    bool recordsOpen() const;
    QString recordPathFor(const QString& name) const;
    // Where the name lists are kept, ending with '/'.
    QString rosterFolder() const;
};

} // namespace zendra
