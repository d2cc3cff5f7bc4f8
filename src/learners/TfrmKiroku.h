#pragma once

#include "learners/LearnerPlace.h"
#include "learners/RecordList.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zendra {

class TfrmPassword;

// Puts the entries of a records list into a list box (the viewer's, or the study window's
// records panel), nothing selected.
void ShowRecordList(QListWidget& target, const RecordList& list);

// The records viewer ("実行記録"): every unit and copy file of the lesson with the learner's
// count of sessions, the lines of the current one, and erasing them (the teacher's). Shown
// with exec() after setPlace(); a learner whose records of the lesson are not open gives the
// password first. Afterwards recordsErased() and recordsOpened() tell the opener to re-read
// its counts.
class TfrmKiroku : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kHelpContext = 222;

    explicit TfrmKiroku(QWidget* parent = nullptr);

    void setPlace(const LearnerPlace& place) { place_ = place; }
    bool recordsErased() const { return recordsErased_; }
    // The password was given in this showing.
    bool recordsOpened() const { return recordsOpened_; }
    const RecordList& recordList() const { return list_; }
    TfrmPassword* passwordDialog() const { return frmPassword_; }

    // F1 opens the help at kHelpContext.
    std::function<void(int)> openHelp;

    int exec() override;

    void lstTitleClick();
    void btnEraseClick();
    void btnReturnClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();

    LearnerPlace place_;
    RecordList list_;
    bool recordsErased_ = false;
    bool recordsOpened_ = false;
    TfrmPassword* frmPassword_;
    QPushButton* btnErase_;
    QListWidget* lstTitle_;
    QPlainTextEdit* memDetail_;
    QLineEdit* edtName_;
};

} // namespace zendra
