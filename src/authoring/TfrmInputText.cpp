#include "authoring/TfrmInputText.h"

#include "authoring/IndexEditor.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

namespace zendra {

TfrmInputText::TfrmInputText(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInputText"));
    setWindowTitle(QStringLiteral("テキストの入力"));
    setModal(true);

    memInput_ = new QLineEdit(this);
    memInput_->setObjectName(QStringLiteral("memInput"));
    memInput_->setMinimumWidth(360);
    auto* btnOk = new QPushButton(QStringLiteral("O　K"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    // Enter in the line is OK: the line leaves it to the default button.
    btnOk->setDefault(true);
    auto* btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &TfrmInputText::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memInput_);
    layout->addLayout(buttons);
}

void TfrmInputText::setMode(Purpose purpose, const QString& current)
{
    purpose_ = purpose;
    current_ = current;
}

int TfrmInputText::exec()
{
    FormShow();
    return QDialog::exec();
}

void TfrmInputText::FormShow()
{
    memInput_->clear();
    if (purpose_ == Purpose::RenameSection || purpose_ == Purpose::RenameUnit) {
        memInput_->setText(current_);
        memInput_->selectAll();
    }
    adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    memInput_->setFocus();
}

QString TfrmInputText::text() const
{
    // A pasted text may carry line breaks; only its first line is the title.
    const QString typed = memInput_->text();
    const qsizetype end = typed.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? typed : typed.left(end);
}

void TfrmInputText::btnOkClick()
{
    if (const QString refusal = RefuseIndexTitle(text()); !refusal.isEmpty()) {
        ShowMessage(refusal);
        memInput_->setFocus();
        memInput_->selectAll();
        return;
    }
    accept();
}

} // namespace zendra
