#include "learners/RecordGate.h"

#include "courseware/NameList.h"
#include "courseware/RecordFile.h"
#include "learners/LearnerPlace.h"
#include "learners/LogOn.h"
#include "platform/Messages.h"

#include <QDir>

namespace zendra {

namespace {

QString gateKey(const QString& recordPath)
{
    return QDir::cleanPath(recordPath);
}

} // namespace

bool RecordGate::isOpen(const QString& learnerName, const QString& recordPath) const
{
    return learnerName == kSharedLearner || opened_.contains(gateKey(recordPath));
}

void RecordGate::open(const QString& recordPath)
{
    opened_.insert(gateKey(recordPath));
}

bool OpenRecords(const LearnerPlace& place, const AskPassword& askPassword)
{
    if (place.recordsOpen())
        return true;
    if (const QString problem = LearnerNameProblem(place.learnerName); !problem.isEmpty()) {
        ShowMessage(problem);
        return false;
    }
    const QString path = place.recordPath();
    QString error;
    const QString stored = ReadPassword(path, &error);
    if (!error.isEmpty()) {
        ShowMessage(error);
        return false;
    }
    PasswordCheck check(place.learnerName, path, stored);
    if (!askPassword || !askPassword(check))
        return false;
    place.gate->open(path);
    return true;
}

} // namespace zendra
