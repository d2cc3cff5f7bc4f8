#pragma once

#include <QDialog>
#include <QtGlobal>

#include <functional>

class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace zendra {

class WidgetVaryCopies;

// The print confirmation: shows the printer's page, lets the user choose a printer and
// starts the print. The printing itself is the caller's (print).
class TfrmPrintOk : public QDialog
{
    Q_OBJECT

public:
    TfrmPrintOk(QPrinter& printer, QWidget* parent = nullptr);

    // The paper the user is asked to put in the printer ("A4").
    void setPaperName(const QString& name);
    // Shows the sheet's first question number without reporting it as a change.
    void setStartNumber(int number);
    int startNumber() const;
    bool printerChosen() const { return printerChosen_; }
    // 数値を変える: every copy gets numbers of its own, made from seed() and its number.
    bool vary() const;
    // The seed shown: a new one at every opening, or the one the teacher typed.
    quint64 seed() const;
    // 解答を付ける: each copy is followed by its answer key.
    bool answerKey() const;

    // The system print dialog on the printer; true when confirmed. Replaceable for tests.
    std::function<bool()> choosePrinter;
    // Prints the active sheet; false when the print failed (the failure already shown).
    // Unset while no sheet is open: 印刷開始 then does nothing.
    std::function<bool()> print;
    // The start number box changed: the sheet takes it as its first question number.
    std::function<void(int)> startNumberChanged;

    void btnSetteiClick();
    void btnPrintClick();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool choose();
    void showPageSize();
    void setButtonsEnabled(bool enabled);

    QPrinter& printer_;
    QString paperName_;
    bool printerChosen_ = false;
    bool printing_ = false;
    QLabel* lblSize_;
    QLabel* lblPWidth_;
    QLabel* lblPHeight_;
    QPushButton* btnPrint_;
    QPushButton* btnClose_;
    QPushButton* btnSettei_;
    QSpinBox* spnStartNum_;
    WidgetVaryCopies* variation_;
};

} // namespace zendra
