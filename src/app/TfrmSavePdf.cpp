#include "app/TfrmSavePdf.h"

#include "app/WidgetVaryCopies.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendra {

TfrmSavePdf::TfrmSavePdf(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSavePdf"));
    setWindowTitle(QStringLiteral("PDFに保存"));
    auto* layout = new QVBoxLayout(this);

    auto* copies = new QHBoxLayout;
    spnCopies_ = new QSpinBox(this);
    spnCopies_->setObjectName(QStringLiteral("spnCopies"));
    spnCopies_->setRange(1, 100);
    spnCopies_->setValue(1);
    auto* copiesLabel = new QLabel(QStringLiteral("部数"), this);
    copiesLabel->setBuddy(spnCopies_);
    copies->addWidget(copiesLabel);
    copies->addWidget(spnCopies_);
    copies->addStretch(1);
    layout->addLayout(copies);

    variation_ = new WidgetVaryCopies(this);
    layout->addWidget(variation_);

    auto* buttons = new QHBoxLayout;
    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);

    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(variation_, &WidgetVaryCopies::varyToggled, this, &TfrmSavePdf::enableCopies);
    enableCopies();
}

void TfrmSavePdf::setNumbered(bool numbered)
{
    numbered_ = numbered;
    enableCopies();
}

void TfrmSavePdf::enableCopies()
{
    // Varied copies are numbered whatever the print mode says.
    spnCopies_->setEnabled(numbered_ || variation_->vary());
}

int TfrmSavePdf::copies() const
{
    return numbered_ || variation_->vary() ? spnCopies_->value() : 1;
}

bool TfrmSavePdf::vary() const
{
    return variation_->vary();
}

quint64 TfrmSavePdf::seed() const
{
    return variation_->seed();
}

bool TfrmSavePdf::answerKey() const
{
    return variation_->answerKey();
}

void TfrmSavePdf::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        variation_->offerNewSeed();
    QDialog::showEvent(event);
}

void TfrmSavePdf::accept()
{
    variation_->keepASeed();
    QDialog::accept();
}

} // namespace zendra
