#include "app/TfrmVersion.h"

#include "app/AppState.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

TfrmVersion::TfrmVersion(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(kApplicationTitle, this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    auto* version = new QLabel(QString::fromLatin1(kVersionText), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(version);
    layout->addWidget(new QLabel(
        QStringLiteral(
            "小学校算数（整数・小数・分数の計算）の問題用紙づくりと学習のためのソフトです。"),
        this));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

} // namespace zendra
