#include "learners/LearnerPlace.h"

#include "courseware/NameList.h"
#include "courseware/RecordFile.h"

namespace zendra {

QString LearnerPlace::recordPath() const
{
    return recordPathFor(learnerName);
}

bool LearnerPlace::recordsOpen() const
{
    return !gate || gate->isOpen(learnerName, recordPath());
}

QString LearnerPlace::recordPathFor(const QString& name) const
{
    return LearnerRecordPath(programFolder, lessonTable, lesson, name);
}

QString LearnerPlace::rosterFolder() const
{
    return RosterFolder(programFolder, logOnFolder, runningFromCd);
}

} // namespace zendra
