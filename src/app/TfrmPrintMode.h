#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace zendra {

// The print-mode dialog: what the screen shows or the printer's resolution, and the sheet
// numbering. Kept for the whole run; the printing reads its state.
class TfrmPrintMode : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmPrintMode(QWidget* parent = nullptr);

    bool printerResolution() const;
    bool numbered() const;
    int startNumber() const;
    void setStartNumber(int number);

    void frmCloseClick();

private:
    QRadioButton* radDisplay_;
    QRadioButton* radPrinter_;
    QCheckBox* chkNumber_;
    QSpinBox* spnStart_;
};

} // namespace zendra
