#pragma once

#include <QDialog>

class QLineEdit;

namespace zendra {

// One line of text for the index editor's add and rename commands. Enter is OK; the text
// never holds a line break, and a title the lesson index cannot hold is refused at OK.
class TfrmInputText : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmInputText(QWidget* parent = nullptr);

    // "mainADD", "subADD", or "mainCHANGE" and "subCHANGE" with the title being renamed.
    void setMode(const QString& mode, const QString& current = {});
    const QString& mode() const { return mode_; }
    int exec() override;
    // Line 0 of the text.
    QString text() const;

private:
    void FormShow();
    void btnOkClick();

    QString mode_;
    QString current_;
    QLineEdit* memInput_ = nullptr;
};

} // namespace zendra
