#pragma once

#include "learners/ClassRecords.h"
#include "learners/LearnerPlace.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QTableWidget;

namespace zendra {

struct ClassReport;

// クラスの記録, the teacher's overview of a lesson: every learner of the class list by every
// unit with the latest score, coloured by band; a unit's questions with the share of the
// class right at the first try, the hardest first; a learner's scores over time. It reads
// the record files directly and never writes them, so it is for the teacher only: the
// opener shows it in teacher mode.
class TfrmClassRecords : public QDialog
{
    Q_OBJECT

public:
    // The class list's order (learners without a place in it after), by name, by average.
    enum class SortOrder { ClassList, Name, Average };

    explicit TfrmClassRecords(QWidget* parent = nullptr);

    // Reads the place's lesson (the lesson of the current unit choice, 1 below 1).
    void setPlace(const LearnerPlace& place);
    void showLesson(int lesson);
    void setSortOrder(SortOrder order);
    // "Today" of the review rule; the real date unless a test fixes it.
    void setToday(const QDate& today) { today_ = today; }

    const ClassRecords& records() const { return records_; }
    // Grid row r shows records().learners.at(rowLearner(r)).
    int rowLearner(int row) const { return order_.value(row, -1); }
    QTableWidget* grid() const { return grdClass_; }
    QTableWidget* questionList() const { return lstQuestions_; }
    int chosenUnit() const { return chosenUnit_; }
    int chosenLearner() const { return chosenLearner_; }
    // The learner's chart as drawn.
    const QImage& chart() const { return chart_; }

    void unitClick(int unitIndex);
    void learnerClick(int row);
    void btnPrintClick();
    void btnPdfClick();

    // The system print dialog; replaced by tests.
    std::function<bool(QPrinter&)> choosePrinter;

private:
    void fillGrid();
    void fillQuestions();
    void drawChart();
    ClassReport report() const;

    LearnerPlace place_;
    ClassRecords records_;
    QList<int> order_;
    QList<BoxQuestion> questions_;
    int chosenUnit_ = -1;
    int chosenLearner_ = -1;
    QDate today_ = QDate::currentDate();
    QImage chart_;

    QComboBox* cmbLesson_;
    QComboBox* cmbSort_;
    QCheckBox* chkAnswers_;
    QLabel* lblUnreadable_;
    QLabel* lblUnit_;
    QLabel* lblLearner_;
    QLabel* imgChart_;
    QTableWidget* grdClass_;
    QTableWidget* lstQuestions_;
};

} // namespace zendra
