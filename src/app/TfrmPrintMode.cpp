#include "app/TfrmPrintMode.h"

#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendra {

TfrmPrintMode::TfrmPrintMode(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrintMode"));
    setWindowTitle(QStringLiteral("印字モードの設定"));
    auto* layout = new QVBoxLayout(this);

    auto* mode = new QGroupBox(QStringLiteral("印刷のモード"), this);
    mode->setObjectName(QStringLiteral("grpMode"));
    auto* modeLayout = new QVBoxLayout(mode);
    radDisplay_ = new QRadioButton(QStringLiteral("画面に忠実に印刷する"), mode);
    radDisplay_->setObjectName(QStringLiteral("radDisplay"));
    radPrinter_ = new QRadioButton(QStringLiteral("プリンタの解像度で印刷する"), mode);
    radPrinter_->setObjectName(QStringLiteral("radPrinter"));
    // Every run starts with what the screen shows; the stored mode is not read back.
    radDisplay_->setChecked(true);
    modeLayout->addWidget(radDisplay_);
    modeLayout->addWidget(radPrinter_);
    layout->addWidget(mode);

    auto* number = new QGroupBox(QStringLiteral("番号"), this);
    number->setObjectName(QStringLiteral("grpNumber"));
    auto* numberLayout = new QHBoxLayout(number);
    chkNumber_ = new QCheckBox(QStringLiteral("№を付ける"), number);
    chkNumber_->setObjectName(QStringLiteral("chkNumber"));
    chkNumber_->setChecked(true);
    spnStart_ = new QSpinBox(number);
    spnStart_->setObjectName(QStringLiteral("spnStart"));
    spnStart_->setRange(1, 100);
    spnStart_->setValue(1);
    auto* startLabel = new QLabel(QStringLiteral("開始番号"), number);
    startLabel->setBuddy(spnStart_);
    numberLayout->addWidget(chkNumber_);
    numberLayout->addStretch(1);
    numberLayout->addWidget(startLabel);
    numberLayout->addWidget(spnStart_);
    layout->addWidget(number);

    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("frmClose"));
    close->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &TfrmPrintMode::frmCloseClick);
}

bool TfrmPrintMode::printerResolution() const
{
    return radPrinter_->isChecked();
}

bool TfrmPrintMode::numbered() const
{
    return chkNumber_->isChecked();
}

int TfrmPrintMode::startNumber() const
{
    return spnStart_->value();
}

void TfrmPrintMode::setStartNumber(int number)
{
    spnStart_->setValue(number);
}

void TfrmPrintMode::frmCloseClick()
{
    WriteBoolSetting(QStringLiteral("PrintMode"), radPrinter_->isChecked());
    accept();
}

} // namespace zendra
