#pragma once

#include "learners/LearnerPlace.h"
#include "learners/LogOn.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zendra {

class TfrmPassword;

// The name dialog of a log-on ("名前登録"): picks or types a learner name, keeps the name
// lists, and asks the password through TfrmPassword. Shown with exec() after setPlace();
// on OK learnerName() is the learner who logged on.
class TfrmInputName : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmInputName(QWidget* parent = nullptr);

    // Where the rosters and record files are, and who is logged on now. Every exec()
    // starts again from the default list.
    void setPlace(const LearnerPlace& place);
    QString learnerName() const { return logOn_.learnerName(); }
    TfrmPassword* passwordDialog() const { return frmPassword_; }

    int exec() override;

    void lstNameClick();
    void btnAddClick();
    void btnDeleteClick();
    void BitBtn1Click();
    void btnSaveClick();
    void btnOkClick();

private:
    void showList();

    LogOn logOn_{LearnerPlace{}};
    TfrmPassword* frmPassword_;
    QListWidget* lstName_;
    QLineEdit* edtMeibo_;
    QLineEdit* edtName_;
    QPushButton* btnSave_;
    QPushButton* btnAdd_;
    QPushButton* btnDelete_;
};

} // namespace zendra
