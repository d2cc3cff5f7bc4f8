#pragma once

#include "courseware/UnitChoice.h"
#include "learners/ClassRecords.h"
#include "learners/LearnerPlace.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace zendra {

class TfrmPassword;

// 今日の復習: the logged-on learner's units that are due again, the longest waiting first. A
// click on one closes the window with that unit chosen for study. A learner whose records
// of the lesson are not open gives the password first.
class TfrmTodayReview : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmTodayReview(QWidget* parent = nullptr);

    void setPlace(const LearnerPlace& place) { place_ = place; }
    void setToday(const QDate& today) { today_ = today; }
    // Reads the learner's record file; the due units are listed from here on.
    bool load();

    const QList<DueUnit>& dueUnits() const { return due_; }
    QListWidget* list() const { return lstDue_; }
    // The unit chosen by the last click, for the lesson of the place.
    UnitChoice chosenUnit() const { return chosen_; }

    int exec() override;
    void lstDueClick(int row);

private:
    LearnerPlace place_;
    QDate today_ = QDate::currentDate();
    QList<DueUnit> due_;
    UnitChoice chosen_;
    TfrmPassword* frmPassword_;
    QListWidget* lstDue_;
    QLabel* lblNone_;
};

} // namespace zendra
