#include "app/WidgetVaryCopies.h"

#include "courseware/QuestionGenerator.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zendra {

WidgetVaryCopies::WidgetVaryCopies(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* vary = new QHBoxLayout;
    chkVary_ = new QCheckBox(QStringLiteral("数値を変える"), this);
    chkVary_->setObjectName(QStringLiteral("chkVary"));
    edtSeed_ = new QLineEdit(this);
    edtSeed_->setObjectName(QStringLiteral("edtSeed"));
    // Any seed of the command line's --seed: up to 19 digits.
    edtSeed_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{1,19}")), edtSeed_));
    edtSeed_->setEnabled(false);
    auto* seedLabel = new QLabel(QStringLiteral("シード"), this);
    seedLabel->setBuddy(edtSeed_);
    vary->addWidget(chkVary_);
    vary->addWidget(seedLabel);
    vary->addWidget(edtSeed_);
    vary->addStretch(1);
    layout->addLayout(vary);
    chkAnswerKey_ = new QCheckBox(QStringLiteral("解答を付ける"), this);
    chkAnswerKey_->setObjectName(QStringLiteral("chkAnswerKey"));
    layout->addWidget(chkAnswerKey_);
    connect(chkVary_, &QCheckBox::toggled, edtSeed_, &QWidget::setEnabled);
    connect(chkVary_, &QCheckBox::toggled, this, &WidgetVaryCopies::varyToggled);
}

bool WidgetVaryCopies::vary() const
{
    return chkVary_->isChecked();
}

quint64 WidgetVaryCopies::seed() const
{
    return edtSeed_->text().toULongLong();
}

bool WidgetVaryCopies::answerKey() const
{
    return chkAnswerKey_->isChecked();
}

void WidgetVaryCopies::offerNewSeed()
{
    edtSeed_->setText(QString::number(QuestionGenerator::NewSeed()));
}

void WidgetVaryCopies::keepASeed()
{
    if (edtSeed_->text().isEmpty())
        offerNewSeed();
}

} // namespace zendra
