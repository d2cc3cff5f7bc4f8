#pragma once

#include <QDialog>

class QLineEdit;

namespace zendra {

// The teacher password: asked when learner mode is left (Ask), or set and removed in
// teacher mode (Set: typed twice; both fields empty remove it).
class TfrmTeacherPassword : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Ask, Set };

    TfrmTeacherPassword(Mode mode, QWidget* parent = nullptr);

    void btnOkClick();

private:
    Mode mode_;
    QLineEdit* edtPassword_;
    QLineEdit* edtPassword2_ = nullptr;
};

} // namespace zendra
