#include "learners/TfrmPassword.h"

#include "learners/LearnerPlace.h"
#include "learners/LogOn.h"
#include "learners/RecordGate.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

namespace {

QLineEdit* maskedField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setEchoMode(QLineEdit::Password);
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // '*'
    return field;
}

} // namespace

TfrmPassword::TfrmPassword(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("パスワードの入力"));
    auto* layout = new QVBoxLayout(this);
    lblMess_ = new QLabel(this);
    lblMess_->setObjectName(QStringLiteral("lblMess"));
    layout->addWidget(lblMess_);
    lblPW_ = new QLabel(this);
    lblPW_->setObjectName(QStringLiteral("lblPW"));
    layout->addWidget(lblPW_);
    auto* hint = new QLabel(QStringLiteral("（半角英数で４文字以上）"), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    layout->addWidget(hint);
    mskPW_ = maskedField("mskPW", this);
    layout->addWidget(mskPW_);
    lblRetry_ = new QLabel(QStringLiteral("確認のため再入力してください"), this);
    lblRetry_->setObjectName(QStringLiteral("lblRetry"));
    layout->addWidget(lblRetry_);
    mskPW2_ = maskedField("mskPW2", this);
    layout->addWidget(mskPW2_);
    mskPW2_->installEventFilter(this);

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
    connect(ok, &QPushButton::clicked, this, &TfrmPassword::btnOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(mskPW_, &QLineEdit::returnPressed, this, &TfrmPassword::btnOkClick);
    connect(mskPW2_, &QLineEdit::returnPressed, this, &TfrmPassword::btnOkClick);
}

int TfrmPassword::execFor(PasswordCheck& check)
{
    check_ = &check;
    formShow();
    const int result = exec();
    check_ = nullptr;
    return result;
}

bool TfrmPassword::openRecords(const LearnerPlace& place)
{
    return OpenRecords(
        place, [this](PasswordCheck& check) { return execFor(check) == QDialog::Accepted; });
}

void TfrmPassword::formShow()
{
    lblMess_->setText(check_->greeting());
    lblPW_->setText(check_->prompt());
    mskPW_->clear();
    mskPW2_->clear();
    lblRetry_->hide();
    mskPW2_->setVisible(check_->isNew());
    mskPW_->setFocus();
}

void TfrmPassword::btnOkClick()
{
    if (!check_)
        return;
    switch (check_->ok(mskPW_->text(), mskPW2_->text())) {
    case PasswordCheck::Result::Accepted:
        accept();
        break;
    case PasswordCheck::Result::FocusPassword:
        mskPW_->setFocus();
        break;
    case PasswordCheck::Result::FocusRepeat:
        mskPW2_->setFocus();
        break;
    }
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mskPW2_ && event->type() == QEvent::FocusIn)
        lblRetry_->show();
    return QDialog::eventFilter(watched, event);
}

} // namespace zendra
