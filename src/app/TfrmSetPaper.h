#pragma once

#include "app/AppState.h"

#include <QDialog>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;

namespace zendra {

// The paper and options dialog "用紙設定". It only chooses; the main window applies the
// paper and the options to the active sheet when it is accepted.
class TfrmSetPaper : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSetPaper(QWidget* parent = nullptr);

    // Selects the paper the main window shows: B5, A4 or B4 by their widths, A3 otherwise.
    void setPaper(int width);
    // Checks the option boxes from the sheet's option bits.
    void setOptions(int bits);

    int chosenWidth() const;
    // The option bits of the three check boxes.
    int options() const;

    // Whether a sheet is open; without one OK leaves the dialog open. Unset counts as open.
    std::function<bool()> sheetOpen;

private:
    void btnOkClick();

    QButtonGroup* papers_ = nullptr;
    QRadioButton* rdbB5_ = nullptr;
    QRadioButton* rdbA4_ = nullptr;
    QRadioButton* rdbB4_ = nullptr;
    QRadioButton* rdbA3_ = nullptr;
    QCheckBox* chkClassFlag_ = nullptr;
    QCheckBox* chkJisshibi_ = nullptr;
    QCheckBox* chkPrinted_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zendra
