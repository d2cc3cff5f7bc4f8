#include "app/TfrmMenu.h"
#include "authoring/TfrmZenTangen.h"
#include "learners/TfrmKiroku.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zendra {

namespace {

QLabel* makePanel(const QString& name, const QString& text, QWidget* parent)
{
    auto* panel = new QLabel(text, parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMargin(4);
    panel->setAutoFillBackground(true);
    return panel;
}

QListWidget* makeList(const QString& name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    return list;
}

QPushButton* makeButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

void setPanelColour(QLabel* panel, const QColor& colour)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
}

QStringList rowTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// Refills a list only when its rows changed, so that a click does not rebuild the list it
// came from.
void showRows(QListWidget* list, const QStringList& rows, int selected)
{
    const QSignalBlocker blocker(list);
    if (rowTexts(list) != rows) {
        list->clear();
        list->addItems(rows);
    }
    if (selected >= 0 && selected < list->count()) {
        if (list->currentRow() != selected)
            list->setCurrentRow(selected);
        list->item(selected)->setSelected(true);
    } else {
        list->clearSelection();
        list->selectionModel()->clearCurrentIndex();
    }
}

} // namespace

TfrmMenu::TfrmMenu(AppState& state, QWidget* parent) : QDialog(parent), chooser_(state)
{
    setObjectName(QStringLiteral("frmMenu"));
    setModal(true);

    const QString heading = QStringLiteral("項目を選んでください");
    pnlTitle_ = makePanel(QStringLiteral("pnlTitle"), QString(), this);
    QFont titleFont = pnlTitle_->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    pnlTitle_->setFont(titleFont);
    pnlLesson_ = makePanel(QStringLiteral("pnlLesson"), heading, this);
    pnlSection_ = makePanel(QStringLiteral("pnlSection"), heading, this);
    pnlUnit_ = makePanel(QStringLiteral("pnlUnit"), heading, this);

    lstLesson_ = makeList(QStringLiteral("lstLesson"), this);
    lstSection_ = makeList(QStringLiteral("lstSection"), this);
    lstUnit_ = makeList(QStringLiteral("lstUnit"), this);
    // A fixed-pitch face, so that the counts and titles of the rows line up.
    QFont unitFont(QStringLiteral("ＭＳ ゴシック"));
    unitFont.setStyleHint(QFont::Monospace);
    unitFont.setPointSize(11);
    lstUnit_->setFont(unitFont);

    lstRuidai_ = makeList(QStringLiteral("lstRuidai"), this);
    lstRuidai_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstRuidai_->setMaximumHeight(110);
    lblRuidai_ = new QLabel(QStringLiteral("類題"), this);
    lblRuidai_->setObjectName(QStringLiteral("lblRuidai"));
    btnRuidaiClear_ =
        makeButton(QStringLiteral("btnRuidaiClear"), QStringLiteral("類題選択解除"), this);

    btnOk_ = makeButton(QStringLiteral("btnOk"), QStringLiteral("OK"), this);
    btnOk_->setDefault(true);
    btnCancel_ = makeButton(QStringLiteral("btnCancel"), QStringLiteral("キャンセル"), this);
    btnZenTangen_ = makeButton(QStringLiteral("btnZenTangen"), QStringLiteral("全単元表示"), this);
    btnShowRecord_ = makeButton(QStringLiteral("btnShowRecord"), QStringLiteral("記録表示"), this);
    frmKiroku_ = new TfrmKiroku(this);
    frmZenTangen_ = new TfrmZenTangen(this);
    auto* lblHint = new QLabel(QStringLiteral("［　］の中の数字は練習回数です"), this);
    lblHint->setObjectName(QStringLiteral("lblHint"));

    auto* lists = new QGridLayout;
    lists->addWidget(pnlLesson_, 0, 0);
    lists->addWidget(pnlSection_, 0, 1);
    lists->addWidget(pnlUnit_, 0, 2);
    lists->addWidget(lstLesson_, 1, 0, 2, 1);
    lists->addWidget(lstSection_, 1, 1, 2, 1);
    lists->addWidget(lstUnit_, 1, 2);
    auto* variants = new QGridLayout;
    variants->addWidget(lblRuidai_, 0, 0, Qt::AlignTop);
    variants->addWidget(lstRuidai_, 0, 1, 2, 1);
    variants->addWidget(btnRuidaiClear_, 1, 0, Qt::AlignBottom);
    variants->setColumnStretch(1, 1);
    lists->addLayout(variants, 2, 2);
    lists->setColumnStretch(0, 2);
    lists->setColumnStretch(1, 3);
    lists->setColumnStretch(2, 5);
    lists->setRowStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblHint);
    buttons->addStretch(1);
    buttons->addWidget(btnZenTangen_);
    buttons->addWidget(btnShowRecord_);
    buttons->addSpacing(16);
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pnlTitle_);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    connect(lstLesson_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstLessonClick);
    connect(lstSection_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstSectionClick);
    connect(lstUnit_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstUnitClick);
    connect(lstUnit_, &QListWidget::itemDoubleClicked, this, &TfrmMenu::btnOkClick);
    connect(lstRuidai_, &QListWidget::itemSelectionChanged, this, &TfrmMenu::lstRuidaiClick);
    connect(lstRuidai_, &QListWidget::currentRowChanged, this, &TfrmMenu::lstRuidaiClick);
    connect(btnRuidaiClear_, &QPushButton::clicked, this, &TfrmMenu::btnRuidaiClearClick);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmMenu::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnShowRecord_, &QPushButton::clicked, this, &TfrmMenu::btnShowRecordClick);
    connect(btnZenTangen_, &QPushButton::clicked, this, &TfrmMenu::btnZenTangenClick);
    for (QListWidget* list : {lstLesson_, lstSection_, lstUnit_})
        list->installEventFilter(this);

    setPanelColour(pnlUnit_, chooser_.unitHeadingColour());
}

void TfrmMenu::setMode(UnitChooser::Purpose purpose)
{
    chooser_.setMode(purpose);
}

int TfrmMenu::exec()
{
    FormShow();
    return QDialog::exec();
}

void TfrmMenu::FormShow()
{
    placeWindow();
    setWindowTitle(chooser_.caption());
    chooser_.show();
    showChooser();
    if (lstUnit_->count() > 0)
        lstUnit_->setFocus();
}

void TfrmMenu::placeWindow()
{
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : QApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = main ? main->size() : QSize(1000, 700).boundedTo(area.size());
    move(area.topLeft());
    resize(size);
}

void TfrmMenu::btnShowRecordClick()
{
    if (chooser_.learnerPlace().learnerName.isEmpty()) {
        if (logOn_)
            logOn_();
        if (chooser_.learnerPlace().learnerName.isEmpty())
            return;
    }
    frmKiroku_->setPlace(chooser_.learnerPlace());
    frmKiroku_->exec();
    if (frmKiroku_->recordsErased() || frmKiroku_->recordsOpened()) {
        chooser_.computeUnitRowPrefixes();
        showChooser();
    }
}

void TfrmMenu::btnZenTangenClick()
{
    // Records may have been written since the counts were read.
    chooser_.computeUnitRowPrefixes();
    const LearnerPlace place = chooser_.learnerPlace();
    // Counts only of records the learner has opened with the password.
    frmZenTangen_->setSource(place.programFolder, place.lessonTable, chooser_.selectedLesson() + 1,
                             place.recordsOpen() ? place.learnerName : QString());
    frmZenTangen_->exec();
    showChooser();
}

void TfrmMenu::showChooser()
{
    pnlTitle_->setText(chooser_.title());
    showRows(lstLesson_, chooser_.lessonRows(), chooser_.selectedLesson());
    showRows(lstSection_, chooser_.sectionRows(), chooser_.selectedSection());
    showRows(lstUnit_, chooser_.unitRows(), chooser_.selectedUnit());
    showVariantChoice();
    const bool variants = chooser_.variantsVisible();
    lstRuidai_->setVisible(variants);
    lblRuidai_->setVisible(variants);
    btnRuidaiClear_->setVisible(variants);
}

void TfrmMenu::showVariantChoice()
{
    const QSignalBlocker blocker(lstRuidai_);
    if (rowTexts(lstRuidai_) != chooser_.variantRows()) {
        lstRuidai_->clear();
        lstRuidai_->addItems(chooser_.variantRows());
    }
    const int focus = chooser_.focusVariant();
    if (focus >= 0)
        lstRuidai_->selectionModel()->setCurrentIndex(lstRuidai_->model()->index(focus, 0),
                                                      QItemSelectionModel::NoUpdate);
    else
        lstRuidai_->selectionModel()->clearCurrentIndex();
    for (int i = 0; i < lstRuidai_->count(); ++i)
        lstRuidai_->item(i)->setSelected(chooser_.selectedVariants().contains(i));
    showUnitHeading();
}

void TfrmMenu::showUnitHeading()
{
    pnlUnit_->setText(chooser_.unitHeading());
    setPanelColour(pnlUnit_, chooser_.unitHeadingColour());
}

void TfrmMenu::lstLessonClick()
{
    if (lstLesson_->currentRow() < 0)
        return;
    const bool loaded = chooser_.lessonChosen(lstLesson_->currentRow());
    showChooser();
    if (loaded)
        lstUnit_->setFocus();
}

void TfrmMenu::lstSectionClick()
{
    if (lstSection_->currentRow() < 0)
        return;
    chooser_.sectionChosen(lstSection_->currentRow());
    showChooser();
    lstUnit_->setFocus();
}

void TfrmMenu::lstUnitClick()
{
    if (lstUnit_->currentRow() < 0)
        return;
    chooser_.unitChosen(lstUnit_->currentRow());
    showChooser();
    lstUnit_->setFocus();
}

void TfrmMenu::takeVariantChoice()
{
    QList<int> rows;
    for (int i = 0; i < lstRuidai_->count(); ++i) {
        if (lstRuidai_->item(i)->isSelected())
            rows.append(i);
    }
    chooser_.variantsChosen(rows, lstRuidai_->currentRow());
}

void TfrmMenu::lstRuidaiClick()
{
    // The list itself is left alone while the user is selecting in it.
    takeVariantChoice();
    showUnitHeading();
}

void TfrmMenu::btnRuidaiClearClick()
{
    chooser_.clearVariantChoice();
    showVariantChoice();
}

void TfrmMenu::btnOkClick()
{
    takeVariantChoice();
    if (chooser_.ok())
        accept();
}

bool TfrmMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QWidget* target = nullptr;
        if (watched == lstUnit_ && key == Qt::Key_Left)
            target = lstSection_;
        else if (watched == lstSection_ && key == Qt::Key_Left)
            target = lstLesson_;
        else if ((watched == lstSection_ || watched == lstLesson_) && key == Qt::Key_Right)
            target = lstUnit_;
        if (target) {
            target->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zendra
