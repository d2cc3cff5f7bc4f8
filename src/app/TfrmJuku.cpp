#include "app/TfrmJuku.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

TfrmJuku::TfrmJuku(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmJuku"));
    setWindowTitle(QStringLiteral("学校名・塾名"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("学校名・塾名"), this));
    layout->addWidget(
        new QLabel(QStringLiteral("ここには自由にタイトルを入れることができます"), this));
    edtSchool_ = new QLineEdit(this);
    edtSchool_->setObjectName(QStringLiteral("edtSchool"));
    edtSchool_->setMinimumWidth(320);
    layout->addWidget(edtSchool_);
    layout->addWidget(new QLabel(QStringLiteral("例　ＣＡＩ中学校　年　組"), this));
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmJuku::setSchool(const QString& school)
{
    edtSchool_->setText(school);
}

QString TfrmJuku::school() const
{
    return edtSchool_->text();
}

} // namespace zendra
