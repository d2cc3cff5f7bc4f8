#pragma once

#include "app/AppState.h"

#include <QMainWindow>

class QMdiArea;
class QFrame;
class QLineEdit;

namespace zendra {

// The main frame: the program-wide state, the left button panel and the MDI area where
// worksheets open.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);

    AppState& state() { return state_; }
    QMdiArea* mdiArea() const { return mdiArea_; }

    // Runs the start sequence; false when the program must end.
    bool FormShow();

private:
    AppState state_;
    QMdiArea* mdiArea_ = nullptr;
    QFrame* pnlMain_ = nullptr;
    QLineEdit* edtLogOnName_ = nullptr;
};

} // namespace zendra
