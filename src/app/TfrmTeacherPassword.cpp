#include "app/TfrmTeacherPassword.h"

#include "app/TeacherPassword.h"
#include "platform/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

namespace {

QLineEdit* maskedField(const QString& name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    return field;
}

} // namespace

TfrmTeacherPassword::TfrmTeacherPassword(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode)
{
    setObjectName(QStringLiteral("frmTeacherPassword"));
    const bool ask = mode == Mode::Ask;
    setWindowTitle(ask ? QStringLiteral("先生用パスワード")
                       : QStringLiteral("先生用パスワードの設定"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ask ? QStringLiteral("先生用に切り替えるには、先生用パスワード"
                                                      "を入力してください")
                                     : QStringLiteral("新しい先生用パスワード（４文字以上）"),
                                 this));
    edtPassword_ = maskedField(QStringLiteral("edtPassword"), this);
    layout->addWidget(edtPassword_);
    connect(edtPassword_, &QLineEdit::returnPressed, this, &TfrmTeacherPassword::btnOkClick);
    if (!ask) {
        layout->addWidget(new QLabel(QStringLiteral("確認のため再入力してください"), this));
        edtPassword2_ = maskedField(QStringLiteral("edtPassword2"), this);
        layout->addWidget(edtPassword2_);
        connect(edtPassword2_, &QLineEdit::returnPressed, this, &TfrmTeacherPassword::btnOkClick);
        layout->addWidget(
            new QLabel(QStringLiteral("両方とも空欄のまま OK で、パスワードをなくします"), this));
    }

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    // Enter is taken by the fields themselves, so no button is the default.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TfrmTeacherPassword::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    edtPassword_->setFocus();
}

void TfrmTeacherPassword::btnOkClick()
{
    const QString typed = edtPassword_->text();
    if (mode_ == Mode::Ask) {
        if (TeacherPasswordMatches(typed)) {
            accept();
            return;
        }
        ShowMessage(QStringLiteral("パスワードを正しく入力してください"));
        edtPassword_->selectAll();
        edtPassword_->setFocus();
        return;
    }
    if (const QString refusal = RefuseTeacherPassword(typed, edtPassword2_->text());
        !refusal.isEmpty()) {
        ShowMessage(refusal);
        edtPassword2_->clear();
        (typed.isEmpty() ? edtPassword_ : edtPassword2_)->setFocus();
        return;
    }
    SetTeacherPassword(typed);
    ShowMessage(typed.isEmpty() ? QStringLiteral("先生用パスワードをなくしました")
                                : QStringLiteral("先生用パスワードを設定しました"));
    accept();
}

} // namespace zendra
