#pragma once

#include "learners/LearnerPlace.h"
#include "learners/RecordGate.h"
#include "platform/TextFile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace zendra {

// Why a learner name cannot be used, as the message to show; empty when it can. The name
// becomes the file name of the learner's record files, so it must name one file inside the
// lesson folder, on every file system the courseware may lie on, in CP932.
QString LearnerNameProblem(const QString& name);

// The password step of a log-on: what the password dialog shows and what its OK does.
class PasswordCheck
{
public:
    PasswordCheck(QString learnerName, QString recordPath, QString storedPassword);

    // "ようこそ" + name + "さん".
    QString greeting() const;
    // No password is stored yet: a new one is asked for, twice.
    bool isNew() const;
    QString prompt() const;

    enum class Result { Accepted, FocusPassword, FocusRepeat };
    // Checks the typed password (and its repetition for a new one), showing the message of
    // a refusal; a new password is written to the record file before Accepted.
    Result ok(const QString& password, const QString& repeat);

    const QString& learnerName() const { return learnerName_; }
    const QString& recordPath() const { return recordPath_; }

private:
    QString learnerName_;
    QString recordPath_;
    QString storedPassword_;
};

// The name dialog's list and its OK, without the window.
class LogOn
{
public:
    explicit LogOn(LearnerPlace place);

    // Every showing starts from the default list of the roster folder, created with
    // "公開" when it is missing.
    void show();

    const QStringList& names() const { return names_; }
    // The list's file name without its folder.
    const QString& listFileName() const { return listFileName_; }
    bool saveEnabled() const { return saveEnabled_; }
    // Adding, deleting and saving names are the teacher's: in learner mode the list is
    // only read.
    bool listEditable() const { return !place_.learnerMode; }
    const LearnerPlace& place() const { return place_; }
    const QString& learnerName() const { return place_.learnerName; }

    // Appends a name that is not in the list yet; refuses one that cannot be used, with
    // its message. True when the list grew; never in learner mode.
    bool add(const QString& name);
    // Removes the name at `row` (from 0; -1 for none) after asking; nothing in learner mode.
    // True when it was removed.
    bool remove(int row);
    // The open and save dialogs, starting in the program folder.
    void openList();
    void saveListAs();

    enum class Outcome { LoggedOn, Cancelled, StayOpen };
    using AskPassword = zendra::AskPassword;
    // OK with `name` typed: adds it, saves the list into the roster folder (not in learner
    // mode), and logs the learner on (asking the password unless it is the shared learner).
    // LoggedOn sets learnerName() and the "LogOnName" setting and opens the learner's record
    // file of the lesson; StayOpen leaves everything as it was except the saved list.
    Outcome ok(const QString& name, const AskPassword& askPassword);

private:
    bool load(const QString& path);

    LearnerPlace place_;
    QStringList names_;
    QString listFileName_;
    bool saveEnabled_ = false;
    // False when the list's file exists but could not be read: it is not overwritten then.
    bool listRead_ = true;
};

} // namespace zendra
