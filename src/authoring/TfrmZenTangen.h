#pragma once

#include "courseware/UnitChoice.h"

#include <QDialog>
#include <QStandardItemModel>

#include <memory>

class QLabel;
class QLineEdit;
class QPrinter;
class QTreeView;

namespace zendra {

// The whole lesson of the unit chooser as a tree, every unit with the chooser's marks and
// counts, dated for the printout.
class TfrmZenTangen : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmZenTangen(QWidget* parent = nullptr);
    ~TfrmZenTangen() override;

    // The lesson the chooser shows (from 1; 1 when none is chosen) and whose counts; call
    // before exec().
    void setSource(const QString& programFolder, const LessonTable& lessons, int lesson,
                   const QString& learnerName);
    // The program's current printer; a default printer of its own while none is set.
    void setPrinter(QPrinter* printer) { printer_ = printer; }
    int exec() override;

    int printCount() const { return printCount_; }
    const QPrinter* currentPrinter() const { return printer_; }
    QStandardItemModel& tree() { return tree_; }

private:
    void FormShow();
    void btnPrintClick();
    QPrinter& printer();

    QString programFolder_;
    LessonTable lessons_;
    int lesson_ = 1;
    QString learnerName_;
    int printCount_ = 0;
    QPrinter* printer_ = nullptr;
    std::unique_ptr<QPrinter> ownPrinter_;
    QStandardItemModel tree_;
    QTreeView* trvMain_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLineEdit* Edit1_ = nullptr;
};

} // namespace zendra
