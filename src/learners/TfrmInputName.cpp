#include "learners/TfrmInputName.h"

#include "learners/TfrmPassword.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter in the name box is OK; no button takes it first.
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmInputName::TfrmInputName(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInputName"));
    setWindowTitle(QStringLiteral("名前登録"));
    frmPassword_ = new TfrmPassword(this);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("memHelp"));
    memo->setReadOnly(true);
    memo->setPlainText(QStringLiteral("学習者の名前を選んでください。\n"
                                      "リストに無い場合は、氏名を入力して\n"
                                      "[追加]をクリックすれば名簿を作成\n"
                                      "できます。"));
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 5);
    edtName_ = new QLineEdit(this);
    edtName_->setObjectName(QStringLiteral("edtName"));
    lstName_ = new QListWidget(this);
    lstName_->setObjectName(QStringLiteral("lstName"));
    edtMeibo_ = new QLineEdit(this);
    edtMeibo_->setObjectName(QStringLiteral("edtMeibo"));
    edtMeibo_->setReadOnly(true);
    auto* ok = button(QStringLiteral("OK"), "btnOk", this);
    auto* cancel = button(QStringLiteral("キャンセル"), "btnCancel", this);
    auto* add = button(QStringLiteral("追加 =>"), "btnAdd", this);
    auto* remove = button(QStringLiteral("削除 =>"), "btnDelete", this);
    auto* open = button(QStringLiteral("名簿を開く"), "BitBtn1", this);
    btnSave_ = button(QStringLiteral("名前を付けて保存"), "btnSave", this);
    btnAdd_ = add;
    btnDelete_ = remove;

    auto* grid = new QGridLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(memo);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("氏名："), this));
    nameRow->addWidget(edtName_);
    left->addLayout(nameRow);
    left->addWidget(add);
    left->addWidget(remove);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("名簿"), this));
    right->addWidget(edtMeibo_);
    right->addWidget(lstName_, 1);
    right->addWidget(open);
    right->addWidget(btnSave_);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    // The name box follows the current name however it was reached: mouse, arrow keys,
    // Home/End or typing its first letters.
    connect(lstName_, &QListWidget::currentRowChanged, this, &TfrmInputName::lstNameClick);
    connect(add, &QPushButton::clicked, this, &TfrmInputName::btnAddClick);
    connect(remove, &QPushButton::clicked, this, &TfrmInputName::btnDeleteClick);
    connect(open, &QPushButton::clicked, this, &TfrmInputName::BitBtn1Click);
    connect(btnSave_, &QPushButton::clicked, this, &TfrmInputName::btnSaveClick);
    connect(ok, &QPushButton::clicked, this, &TfrmInputName::btnOkClick);
    connect(edtName_, &QLineEdit::returnPressed, this, &TfrmInputName::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmInputName::setPlace(const LearnerPlace& place)
{
    logOn_ = LogOn(place);
}

int TfrmInputName::exec()
{
    logOn_.show();
    showList();
    edtName_->clear();
    edtName_->setFocus();
    return QDialog::exec();
}

void TfrmInputName::showList()
{
    lstName_->clear();
    lstName_->addItems(logOn_.names());
    edtMeibo_->setText(logOn_.listFileName());
    btnSave_->setEnabled(logOn_.saveEnabled() && logOn_.listEditable());
    btnAdd_->setEnabled(logOn_.listEditable());
    btnDelete_->setEnabled(logOn_.listEditable());
}

void TfrmInputName::lstNameClick()
{
    if (QListWidgetItem* item = lstName_->currentItem())
        edtName_->setText(item->text());
}

void TfrmInputName::btnAddClick()
{
    if (logOn_.add(edtName_->text()))
        showList();
    else
        edtName_->setFocus();
}

void TfrmInputName::btnDeleteClick()
{
    if (!lstName_->selectedItems().isEmpty() && logOn_.remove(lstName_->currentRow()))
        showList();
    edtName_->clear();
}

void TfrmInputName::BitBtn1Click()
{
    logOn_.openList();
    showList();
}

void TfrmInputName::btnSaveClick()
{
    logOn_.saveListAs();
}

void TfrmInputName::btnOkClick()
{
    const LogOn::Outcome outcome = logOn_.ok(edtName_->text(), [this](PasswordCheck& check) {
        return frmPassword_->execFor(check) == QDialog::Accepted;
    });
    showList();
    switch (outcome) {
    case LogOn::Outcome::LoggedOn:
        accept();
        break;
    case LogOn::Outcome::Cancelled:
        reject();
        break;
    case LogOn::Outcome::StayOpen:
        edtName_->setFocus();
        break;
    }
}

} // namespace zendra
