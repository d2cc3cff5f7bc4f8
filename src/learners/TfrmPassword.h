#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zendra {

class PasswordCheck;
struct LearnerPlace;

// The password dialog of a log-on: asks the stored password once, or a new one twice.
class TfrmPassword : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmPassword(QWidget* parent = nullptr);

    // Shows the dialog modally for one check (not owned); OK only when it accepted.
    int execFor(PasswordCheck& check);
    // Opens the learner's records of the place's lesson, asking here when they are not open
    // yet; true when they are open.
    bool openRecords(const LearnerPlace& place);

    void btnOkClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void formShow();

    PasswordCheck* check_ = nullptr;
    QLabel* lblMess_;
    QLabel* lblPW_;
    QLabel* lblRetry_;
    QLineEdit* mskPW_;
    QLineEdit* mskPW2_;
};

} // namespace zendra
