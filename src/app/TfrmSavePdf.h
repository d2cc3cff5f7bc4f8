#pragma once

#include <QDialog>
#include <QtGlobal>

class QPushButton;
class QSpinBox;

namespace zendra {

class WidgetVaryCopies;

// PDFに保存's choices, those of the print confirmation: 部数, 数値を変える with its seed, and
// 解答を付ける. OK (Enter) takes them, キャンセル (Escape) leaves.
class TfrmSavePdf : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSavePdf(QWidget* parent = nullptr);

    // Whether the print mode numbers the copies: only numbered or varied copies differ, so
    // only then does 部数 count.
    void setNumbered(bool numbered);
    // The copies to write: 1 while 部数 does not count.
    int copies() const;
    bool vary() const;
    quint64 seed() const;
    bool answerKey() const;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void enableCopies();

    bool numbered_ = false;
    QSpinBox* spnCopies_;
    WidgetVaryCopies* variation_;
    QPushButton* btnOk_;
    QPushButton* btnCancel_;
};

} // namespace zendra
