#include "learners/TfrmKiroku.h"

#include "learners/TfrmPassword.h"
#include "platform/Messages.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

void ShowRecordList(QListWidget& target, const RecordList& list)
{
    target.clear();
    target.addItems(list.texts());
    target.setCurrentRow(-1);
    target.clearSelection();
}

TfrmKiroku::TfrmKiroku(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmKiroku"));
    setWindowTitle(QStringLiteral("実行記録"));
    frmPassword_ = new TfrmPassword(this);
    // Record lines line up in columns only in a fixed-pitch face.
    QFont fixed(QStringLiteral("ＭＳ ゴシック"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);

    lstTitle_ = new QListWidget(this);
    lstTitle_->setObjectName(QStringLiteral("lstTitle"));
    lstTitle_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstTitle_->setFont(fixed);
    memDetail_ = new QPlainTextEdit(this);
    memDetail_->setObjectName(QStringLiteral("memDetail"));
    memDetail_->setReadOnly(true);
    memDetail_->setFont(fixed);
    memDetail_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName(QStringLiteral("edtName"));
    edtName_->setReadOnly(true);
    auto* erase = new QPushButton(QStringLiteral("記録消去"), this);
    erase->setObjectName(QStringLiteral("btnErase"));
    // Enter never erases: it closes the window.
    erase->setAutoDefault(false);
    btnErase_ = erase;
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnReturn"));
    close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("単元をクリックして下さい"), this));
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("ログオン名"), this));
    top->addWidget(edtName_);
    layout->addLayout(top);
    auto* panes = new QHBoxLayout;
    panes->addWidget(lstTitle_, 1);
    panes->addWidget(memDetail_, 1);
    layout->addLayout(panes, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(erase);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // The lines shown are always those of the current entry, the one 記録消去 erases,
    // however it became current: mouse, arrow keys, Home/End or typing.
    connect(lstTitle_, &QListWidget::currentRowChanged, this, &TfrmKiroku::lstTitleClick);
    connect(erase, &QPushButton::clicked, this, &TfrmKiroku::btnEraseClick);
    connect(close, &QPushButton::clicked, this, &TfrmKiroku::btnReturnClick);
}

int TfrmKiroku::exec()
{
    // Over the main window, as large as it is.
    if (QWidget* main = parentWidget() ? parentWidget()->window() : nullptr)
        setGeometry(QRect(main->geometry().topLeft(), main->size()));
    recordsErased_ = false;
    recordsOpened_ = false;
    if (!place_.recordsOpen()) {
        if (!frmPassword_->openRecords(place_))
            return QDialog::Rejected;
        recordsOpened_ = true;
    }
    edtName_->setText(place_.learnerName);
    btnErase_->setEnabled(!place_.learnerMode);
    fill();
    return QDialog::exec();
}

void TfrmKiroku::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        if (openHelp)
            openHelp(kHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmKiroku::fill()
{
    FillRecordList(place_, list_);
    ShowRecordList(*lstTitle_, list_);
    memDetail_->clear();
}

void TfrmKiroku::lstTitleClick()
{
    if (lstTitle_->currentRow() < 0) {
        memDetail_->clear();
        return;
    }
    memDetail_->setPlainText(RecordDetailLines(list_, lstTitle_->currentRow()).join(u'\n'));
}

void TfrmKiroku::btnEraseClick()
{
    if (place_.learnerMode)
        return;
    const int row = lstTitle_->currentRow();
    if (row < 0 || lstTitle_->selectedItems().isEmpty()) {
        ShowMessage(QStringLiteral("消去する単元を選んでください"));
        return;
    }
    if (Messages::instance().askDestructive(QStringLiteral("記録を消してもいいですか？")) !=
        Messages::Answer::Yes)
        return;
    recordsErased_ = true;
    if (const TextFile::Result r = EraseRecordEntry(list_, row); !r) {
        ShowMessage(r.error);
        return;
    }
    fill();
}

void TfrmKiroku::btnReturnClick()
{
    memDetail_->clear();
    accept();
}

} // namespace zendra
