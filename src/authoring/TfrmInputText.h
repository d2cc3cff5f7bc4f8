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

    // What the title is for: a rename offers the title being renamed as `current`.
    enum class Purpose { AddSection, RenameSection, AddUnit, RenameUnit };
    void setMode(Purpose purpose, const QString& current = {});
    Purpose mode() const { return purpose_; }
    int exec() override;
    // Line 0 of the text.
    QString text() const;

private:
    void FormShow();
    void btnOkClick();

    Purpose purpose_ = Purpose::AddSection;
    QString current_;
    QLineEdit* memInput_ = nullptr;
};

} // namespace zendra
