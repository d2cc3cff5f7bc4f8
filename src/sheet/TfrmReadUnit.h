#pragma once

#include "sheet/Sheet.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zendra {

class WorksheetHost;

// What the header dialog hands back to its sheet when confirmed.
struct HeaderEdit
{
    // The sheet's content with the fields' texts, and the figures of any added units.
    UnitContent content;
    // Units were added: the title and pictures below replace the sheet's.
    bool unitsAdded = false;
    QString lastComposedTitle;
    QList<QImage> questionPictures;
    QList<QImage> answerPictures;
};

// The header dialog of a loaded sheet: title, school, name line and question lines, and
// further units added to the sheet. It works on a copy of the sheet; the sheet itself is
// changed only by applying the confirmed result.
class TfrmReadUnit : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmReadUnit(WorksheetHost& host, QWidget* parent = nullptr);

    // Fills the fields from the sheet.
    void FormShow(const Sheet& sheet);
    // The fields as they stand.
    HeaderEdit result() const;

    void btnAddClick();
    void btnOkClick();

private:
    void showSheet(const Sheet& sheet);
    QStringList questionLines() const;
    // The working sheet's content with the fields' texts in it.
    UnitContent fieldContent() const;

    WorksheetHost& host_;
    Sheet working_;
    bool unitsAdded_ = false;

    QLineEdit* edtTangen_;
    QLineEdit* edtSchool_;
    QLineEdit* edtShimei_;
    QLineEdit* edtNQues_;
    QPlainTextEdit* redQues_;
    QPlainTextEdit* memQGraph_;
    QPlainTextEdit* memAGraph_;
    QPlainTextEdit* memLayout_;
    QPushButton* btnAdd_;
    QPushButton* btnOk_;
    QPushButton* btnCancel_;
};

} // namespace zendra
