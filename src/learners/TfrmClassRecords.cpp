#include "learners/TfrmClassRecords.h"

#include "learners/ClassReport.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/PainterSurface.h"
#include "platform/PdfPrintTarget.h"
#include "platform/PrinterPrintTarget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zendra {

namespace {

constexpr QSize kChartSize(360, 200);

QString cellTip(const ClassUnit& unit, const LearnerUnit& records)
{
    QStringList tip = {unit.section > 0 ? unit.title : unit.key,
                       QStringLiteral("%1回").arg(records.count)};
    if (const ClassRecord* latest = records.latest()) {
        tip << QStringLiteral("最新 %1　%2/%3　%4点")
                   .arg(latest->finished.toString(QStringLiteral("yyyy/MM/dd hh:mm")))
                   .arg(latest->right)
                   .arg(latest->total)
                   .arg(latest->percent)
            << QStringLiteral("最高 %1点").arg(records.bestScore);
    }
    if (records.due)
        tip << QStringLiteral("復習 %1").arg(records.due->toString(QStringLiteral("yyyy/MM/dd")));
    if (records.flagged())
        tip << QStringLiteral("%1回まちがえています").arg(records.misses);
    if (!records.latestLine.isEmpty() && !records.latest())
        tip << QStringLiteral("読めない記録: ") + records.latestLine;
    return tip.join(u'\n');
}

} // namespace

TfrmClassRecords::TfrmClassRecords(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmClassRecords"));
    setWindowTitle(QStringLiteral("クラスの記録"));
    choosePrinter = [this](QPrinter& printer) { return ChoosePrinter(printer, this); };

    cmbLesson_ = new QComboBox(this);
    cmbLesson_->setObjectName(QStringLiteral("cmbLesson"));
    cmbSort_ = new QComboBox(this);
    cmbSort_->setObjectName(QStringLiteral("cmbSort"));
    cmbSort_->addItems(
        {QStringLiteral("名簿順"), QStringLiteral("名前順"), QStringLiteral("平均順")});
    chkAnswers_ = new QCheckBox(QStringLiteral("答えを表示"), this);
    chkAnswers_->setObjectName(QStringLiteral("chkAnswers"));
    lblUnreadable_ = new QLabel(this);
    lblUnreadable_->setObjectName(QStringLiteral("lblUnreadable"));
    auto* print = new QPushButton(QStringLiteral("印刷"), this);
    print->setObjectName(QStringLiteral("btnPrint"));
    print->setAutoDefault(false);
    auto* pdf = new QPushButton(QStringLiteral("PDFに保存"), this);
    pdf->setObjectName(QStringLiteral("btnPdf"));
    pdf->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnReturn"));
    close->setDefault(true);

    grdClass_ = new QTableWidget(this);
    grdClass_->setObjectName(QStringLiteral("grdClass"));
    grdClass_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdClass_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdClass_->horizontalHeader()->setDefaultSectionSize(52);
    grdClass_->verticalHeader()->setDefaultSectionSize(22);
    lstQuestions_ = new QTableWidget(this);
    lstQuestions_->setObjectName(QStringLiteral("lstQuestions"));
    lstQuestions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstQuestions_->verticalHeader()->hide();
    lblUnit_ = new QLabel(QStringLiteral("単元の列をクリックすると問題ごとの正答率が出ます"), this);
    lblUnit_->setObjectName(QStringLiteral("lblUnit"));
    lblLearner_ = new QLabel(QStringLiteral("名前をクリックすると得点の推移が出ます"), this);
    lblLearner_->setObjectName(QStringLiteral("lblLearner"));
    imgChart_ = new QLabel(this);
    imgChart_->setObjectName(QStringLiteral("imgChart"));
    imgChart_->setFixedSize(kChartSize);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("教材"), this));
    top->addWidget(cmbLesson_);
    top->addWidget(new QLabel(QStringLiteral("並べ方"), this));
    top->addWidget(cmbSort_);
    top->addWidget(chkAnswers_);
    top->addWidget(lblUnreadable_);
    top->addStretch(1);
    top->addWidget(print);
    top->addWidget(pdf);
    top->addWidget(close);
    layout->addLayout(top);
    layout->addWidget(grdClass_, 3);
    auto* bottom = new QHBoxLayout;
    auto* unitColumn = new QVBoxLayout;
    unitColumn->addWidget(lblUnit_);
    unitColumn->addWidget(lstQuestions_, 1);
    bottom->addLayout(unitColumn, 1);
    auto* learnerColumn = new QVBoxLayout;
    learnerColumn->addWidget(lblLearner_);
    learnerColumn->addWidget(imgChart_);
    learnerColumn->addStretch(1);
    bottom->addLayout(learnerColumn);
    layout->addLayout(bottom, 2);
    resize(1100, 760);

    connect(cmbLesson_, &QComboBox::activated, this, [this](int i) { showLesson(i + 1); });
    connect(cmbSort_, &QComboBox::activated, this,
            [this](int i) { setSortOrder(static_cast<SortOrder>(i)); });
    connect(chkAnswers_, &QCheckBox::toggled, this, [this] { fillQuestions(); });
    connect(grdClass_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        learnerClick(row);
        unitClick(column);
    });
    connect(grdClass_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmClassRecords::unitClick);
    connect(grdClass_->verticalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmClassRecords::learnerClick);
    connect(print, &QPushButton::clicked, this, &TfrmClassRecords::btnPrintClick);
    connect(pdf, &QPushButton::clicked, this, &TfrmClassRecords::btnPdfClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmClassRecords::setPlace(const LearnerPlace& place)
{
    place_ = place;
    cmbLesson_->clear();
    for (const Lesson& lesson : place_.lessonTable.lessons)
        cmbLesson_->addItem(lesson.name);
    showLesson(std::max(place_.lesson, 1));
}

void TfrmClassRecords::showLesson(int lesson)
{
    cmbLesson_->setCurrentIndex(lesson - 1);
    records_ = ReadClassRecords(
        place_.programFolder, place_.lessonTable, lesson,
        ClassListNames(place_.programFolder, place_.logOnFolder, place_.runningFromCd));
    for (const QString& error : records_.errors)
        ShowMessage(error);
    chosenUnit_ = -1;
    chosenLearner_ = -1;
    questions_.clear();
    const qsizetype unreadable = records_.unreadable.size();
    lblUnreadable_->setText(unreadable == 0 ? QString()
                                            : QStringLiteral("読めない記録 %1 行").arg(unreadable));
    QStringList lines;
    for (const UnreadableRecord& r : records_.unreadable)
        lines << r.learner + QStringLiteral("　") + r.key + QStringLiteral("　") + r.line;
    lblUnreadable_->setToolTip(lines.join(u'\n'));
    setSortOrder(static_cast<SortOrder>(std::max(cmbSort_->currentIndex(), 0)));
    fillQuestions();
    drawChart();
}

void TfrmClassRecords::setSortOrder(SortOrder order)
{
    cmbSort_->setCurrentIndex(static_cast<int>(order));
    order_.clear();
    for (int i = 0; i < records_.learners.size(); ++i)
        order_.append(i);
    if (order == SortOrder::Name) {
        std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
            return QString::localeAwareCompare(records_.learners.at(a).name,
                                               records_.learners.at(b).name) < 0;
        });
    } else if (order == SortOrder::Average) {
        // Highest average first; learners without a record last.
        std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
            return records_.learners.at(a).average() > records_.learners.at(b).average();
        });
    }
    fillGrid();
}

void TfrmClassRecords::fillGrid()
{
    grdClass_->clear();
    grdClass_->setRowCount(static_cast<int>(order_.size()));
    grdClass_->setColumnCount(static_cast<int>(records_.units.size()));
    for (int c = 0; c < records_.units.size(); ++c) {
        const ClassUnit& unit = records_.units.at(c);
        auto* head = new QTableWidgetItem(UnitShortName(unit));
        head->setToolTip(unit.section > 0 ? unit.title : unit.key);
        grdClass_->setHorizontalHeaderItem(c, head);
    }
    for (int r = 0; r < order_.size(); ++r) {
        const ClassLearner& learner = records_.learners.at(order_.at(r));
        const double average = learner.average();
        auto* head = new QTableWidgetItem(
            average < 0 ? learner.name
                        : learner.name + QStringLiteral("（%1）").arg(std::lround(average)));
        grdClass_->setVerticalHeaderItem(r, head);
        for (int c = 0; c < records_.units.size(); ++c) {
            const LearnerUnit& unit = learner.units.at(c);
            if (unit.count == 0)
                continue;
            auto* cell = new QTableWidgetItem;
            if (const ClassRecord* latest = unit.latest()) {
                cell->setText(QString::number(latest->percent) +
                              (unit.flagged() ? QString(kFlagMark) : QString()));
                cell->setBackground(QColor(BandColour(BandOf(latest->percent))));
            } else {
                cell->setText(QStringLiteral("?"));
            }
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setToolTip(cellTip(records_.units.at(c), unit));
            grdClass_->setItem(r, c, cell);
        }
    }
}

void TfrmClassRecords::unitClick(int unitIndex)
{
    if (unitIndex < 0 || unitIndex >= records_.units.size())
        return;
    chosenUnit_ = unitIndex;
    questions_ = UnitQuestions(place_.programFolder, place_.lessonTable, records_, unitIndex);
    fillQuestions();
}

void TfrmClassRecords::fillQuestions()
{
    const bool answers = chkAnswers_->isChecked();
    lstQuestions_->clear();
    QStringList heads = {QStringLiteral("番号"), QStringLiteral("1回目で正解"),
                         QStringLiteral("人数"), QStringLiteral("問題")};
    if (answers)
        heads << QStringLiteral("答え");
    lstQuestions_->setColumnCount(static_cast<int>(heads.size()));
    lstQuestions_->setHorizontalHeaderLabels(heads);
    lstQuestions_->setRowCount(static_cast<int>(questions_.size()));
    if (chosenUnit_ >= 0) {
        const ClassUnit& unit = records_.units.at(chosenUnit_);
        lblUnit_->setText(UnitShortName(unit) + QStringLiteral("　") +
                          (unit.section > 0 ? unit.title : QString()));
    }
    for (int r = 0; r < questions_.size(); ++r) {
        const BoxQuestion& q = questions_.at(r);
        const double share = q.firstTryShare();
        auto* percent = new QTableWidgetItem(
            share < 0 ? QStringLiteral("－") : QStringLiteral("%1%").arg(std::lround(share * 100)));
        if (share >= 0)
            percent->setBackground(
                QColor(BandColour(BandOf(static_cast<int>(std::lround(share * 100))))));
        lstQuestions_->setItem(r, 0, new QTableWidgetItem(QString::number(q.box)));
        lstQuestions_->setItem(r, 1, percent);
        lstQuestions_->setItem(r, 2,
                               new QTableWidgetItem(QStringLiteral("%1/%2")
                                                        .arg(q.stat.answered - q.stat.firstTryWrong)
                                                        .arg(q.stat.answered)));
        lstQuestions_->setItem(r, 3, new QTableWidgetItem(q.question));
        if (answers)
            lstQuestions_->setItem(r, 4, new QTableWidgetItem(q.answer));
    }
    lstQuestions_->resizeColumnsToContents();
}

void TfrmClassRecords::learnerClick(int row)
{
    const int learner = rowLearner(row);
    if (learner < 0)
        return;
    chosenLearner_ = learner;
    lblLearner_->setText(records_.learners.at(learner).name + QStringLiteral("　得点の推移"));
    drawChart();
}

void TfrmClassRecords::drawChart()
{
    chart_ = QImage(kChartSize, QImage::Format_RGB32);
    chart_.fill(Qt::white);
    if (chosenLearner_ >= 0) {
        QPainter painter(&chart_);
        PainterSurface surface(painter, 96, chart_.width());
        DrawScoreChart(surface, QRect(QPoint(0, 0), kChartSize),
                       LearnerTimeline(records_.learners.at(chosenLearner_)));
    }
    imgChart_->setPixmap(QPixmap::fromImage(chart_));
}

ClassReport TfrmClassRecords::report() const
{
    ClassReport content;
    content.records = &records_;
    content.learnerOrder = order_;
    content.showAnswers = chkAnswers_->isChecked();
    content.chartLearner = chosenLearner_;
    if (chosenUnit_ >= 0) {
        content.questionUnits = {chosenUnit_};
        content.questions = {questions_};
    }
    return content;
}

void TfrmClassRecords::btnPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!choosePrinter || !choosePrinter(printer))
        return;
    PrinterPrintTarget target(printer);
    QString error;
    if (!PrintClassReport(target, report(), &error))
        ShowMessage(error);
}

void TfrmClassRecords::btnPdfClick()
{
    const QString path = FileDialogs::instance().saveFileName(
        QStringLiteral("PDFに保存"), place_.programFolder, QStringLiteral("*.pdf"));
    if (path.isEmpty())
        return;
    const QSizeF mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    PdfPrintTarget target(path,
                          QPageSize(QSizeF(mm.height(), mm.width()), QPageSize::Millimeter,
                                    QString(), QPageSize::ExactMatch),
                          300);
    QString error;
    if (!PrintClassReport(target, report(), &error) || !target.finish(&error))
        ShowMessage(error);
}

} // namespace zendra
