#include "learners/TfrmTodayReview.h"

#include "learners/TfrmPassword.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

TfrmTodayReview::TfrmTodayReview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTodayReview"));
    setWindowTitle(QStringLiteral("今日の復習"));
    frmPassword_ = new TfrmPassword(this);
    lstDue_ = new QListWidget(this);
    lstDue_->setObjectName(QStringLiteral("lstDue"));
    lblNone_ = new QLabel(QStringLiteral("今日の復習はありません"), this);
    lblNone_->setObjectName(QStringLiteral("lblNone"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnReturn"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("クリックすると学習を始めます"), this));
    layout->addWidget(lstDue_, 1);
    layout->addWidget(lblNone_);
    layout->addWidget(close);
    resize(420, 360);
    // One click starts the study of the unit.
    connect(lstDue_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { lstDueClick(lstDue_->row(item)); });
    connect(lstDue_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { lstDueClick(lstDue_->row(item)); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmTodayReview::load()
{
    due_.clear();
    lstDue_->clear();
    chosen_ = UnitChoice{};
    const int lesson = std::max(place_.lesson, 1);
    const ClassRecords records =
        ReadLearnerRecords(place_.programFolder, place_.lessonTable, lesson, place_.learnerName);
    due_ = DueUnits(records, 0, today_);
    for (const DueUnit& unit : due_) {
        lstDue_->addItem(QStringLiteral("%1　%2-%3　%4")
                             .arg(unit.due.toString(QStringLiteral("MM/dd")))
                             .arg(unit.section)
                             .arg(unit.unit)
                             .arg(unit.title));
    }
    lblNone_->setVisible(due_.isEmpty());
    return !due_.isEmpty();
}

int TfrmTodayReview::exec()
{
    if (!place_.recordsOpen() && !frmPassword_->openRecords(place_))
        return QDialog::Rejected;
    load();
    return QDialog::exec();
}

void TfrmTodayReview::lstDueClick(int row)
{
    if (row < 0 || row >= due_.size())
        return;
    const DueUnit& unit = due_.at(row);
    chosen_ = UnitChoice{std::max(place_.lesson, 1), unit.section, unit.unit, 0};
    accept();
}

} // namespace zendra
