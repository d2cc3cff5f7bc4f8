#pragma once

#include <QSet>
#include <QString>

#include <functional>

namespace zendra {

struct LearnerPlace;
class PasswordCheck;

// The record files whose password has been given since the program started. A learner's
// records of a lesson (the counts, the lines, writing and erasing them) are reached only
// through an open file; the shared learner's files are always open.
class RecordGate
{
public:
    bool isOpen(const QString& learnerName, const QString& recordPath) const;
    void open(const QString& recordPath);

private:
    QSet<QString> opened_;
};

// The password dialog: shown for the check, true when it ended with OK.
using AskPassword = std::function<bool(PasswordCheck&)>;

// Opens the place's record file when it is not open yet: the learner gives the stored
// password, or sets one when the lesson has none, as at a log-on. False when the question
// was cancelled, the name cannot be used or the file cannot be read (its message shown).
bool OpenRecords(const LearnerPlace& place, const AskPassword& askPassword);

} // namespace zendra
