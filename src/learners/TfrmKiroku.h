#pragma once

#include "learners/LearnerPlace.h"
#include "learners/RecordList.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace zendra {

// Puts the entries of a records list into a list box (the viewer's, or the study window's
// records panel), nothing selected.
void ShowRecordList(QListWidget& target, const RecordList& list);

// The records viewer ("実行記録"): every unit and copy file of the lesson with the learner's
// count of sessions, the lines of the clicked one, and erasing them. Shown with exec()
// after setPlace(); afterwards recordsErased() tells the opener to re-read its counts.
class TfrmKiroku : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmKiroku(QWidget* parent = nullptr);

    void setPlace(const LearnerPlace& place) { place_ = place; }
    bool recordsErased() const { return recordsErased_; }
    const RecordList& recordList() const { return list_; }

    int exec() override;

    void lstTitleClick();
    void btnEraseClick();
    void btnReturnClick();

private:
    void fill();

    LearnerPlace place_;
    RecordList list_;
    bool recordsErased_ = false;
    QListWidget* lstTitle_;
    QPlainTextEdit* memDetail_;
    QLineEdit* edtName_;
};

} // namespace zendra
