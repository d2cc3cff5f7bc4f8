#include "app/TfrmPrintOk.h"

#include "app/WidgetVaryCopies.h"
#include "platform/PrinterPrintTarget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendra {

TfrmPrintOk::TfrmPrintOk(QPrinter& printer, QWidget* parent) : QDialog(parent), printer_(printer)
{
    setObjectName(QStringLiteral("frmPrintOk"));
    setWindowTitle(QStringLiteral("印刷"));
    auto* layout = new QVBoxLayout(this);

    lblSize_ = new QLabel(this);
    lblSize_->setObjectName(QStringLiteral("lblSize"));
    layout->addWidget(lblSize_);
    auto* sizes = new QHBoxLayout;
    lblPWidth_ = new QLabel(this);
    lblPWidth_->setObjectName(QStringLiteral("lblPWidth"));
    lblPHeight_ = new QLabel(this);
    lblPHeight_->setObjectName(QStringLiteral("lblPHeight"));
    sizes->addWidget(lblPWidth_);
    sizes->addWidget(lblPHeight_);
    sizes->addStretch(1);
    layout->addLayout(sizes);

    auto* start = new QHBoxLayout;
    spnStartNum_ = new QSpinBox(this);
    spnStartNum_->setObjectName(QStringLiteral("spnStartNum"));
    spnStartNum_->setRange(1, 100);
    spnStartNum_->setValue(1);
    auto* startLabel = new QLabel(QStringLiteral("開始No"), this);
    startLabel->setBuddy(spnStartNum_);
    start->addWidget(startLabel);
    start->addWidget(spnStartNum_);
    start->addStretch(1);
    layout->addLayout(start);

    variation_ = new WidgetVaryCopies(this);
    layout->addWidget(variation_);

    auto* buttons = new QHBoxLayout;
    btnPrint_ = new QPushButton(QStringLiteral("印刷開始"), this);
    btnPrint_->setObjectName(QStringLiteral("btnPrint"));
    btnPrint_->setDefault(true);
    btnSettei_ = new QPushButton(QStringLiteral("プリンタ設定"), this);
    btnSettei_->setObjectName(QStringLiteral("btnSettei"));
    btnClose_ = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(btnPrint_);
    buttons->addWidget(btnSettei_);
    buttons->addStretch(1);
    buttons->addWidget(btnClose_);
    layout->addLayout(buttons);

    choosePrinter = [this] { return ChoosePrinter(printer_, this); };
    connect(btnPrint_, &QPushButton::clicked, this, &TfrmPrintOk::btnPrintClick);
    connect(btnSettei_, &QPushButton::clicked, this, &TfrmPrintOk::btnSetteiClick);
    // Esc rejects the dialog as 閉じる does.
    connect(btnClose_, &QPushButton::clicked, this, &QDialog::reject);
    connect(spnStartNum_, &QSpinBox::valueChanged, this, [this](int value) {
        if (startNumberChanged)
            startNumberChanged(value);
    });
}

void TfrmPrintOk::setPaperName(const QString& name)
{
    paperName_ = name;
    lblSize_->setText(QStringLiteral("用紙のサイズを ") + paperName_ +
                      QStringLiteral(" に設定してください"));
}

void TfrmPrintOk::setStartNumber(int number)
{
    const QSignalBlocker quiet(spnStartNum_);
    spnStartNum_->setValue(number);
}

int TfrmPrintOk::startNumber() const
{
    return spnStartNum_->value();
}

bool TfrmPrintOk::vary() const
{
    return variation_->vary();
}

quint64 TfrmPrintOk::seed() const
{
    return variation_->seed();
}

bool TfrmPrintOk::answerKey() const
{
    return variation_->answerKey();
}

void TfrmPrintOk::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        // The printer is offered again at every opening.
        printerChosen_ = false;
        variation_->offerNewSeed();
        showPageSize();
        setPaperName(paperName_);
    }
    QDialog::showEvent(event);
}

void TfrmPrintOk::showPageSize()
{
    const QSize page = PrinterPagePixels(printer_);
    lblPWidth_->setText(QStringLiteral("横：") + QString::number(page.width()));
    lblPHeight_->setText(QStringLiteral("縦：") + QString::number(page.height()));
}

bool TfrmPrintOk::choose()
{
    if (!choosePrinter || !choosePrinter())
        return false;
    showPageSize();
    printerChosen_ = true;
    return true;
}

void TfrmPrintOk::btnSetteiClick()
{
    choose();
}

void TfrmPrintOk::reject()
{
    // Esc stays as disabled as 閉じる while the print runs.
    if (!printing_)
        QDialog::reject();
}

void TfrmPrintOk::setButtonsEnabled(bool enabled)
{
    btnPrint_->setEnabled(enabled);
    btnClose_->setEnabled(enabled);
    btnSettei_->setEnabled(enabled);
}

void TfrmPrintOk::btnPrintClick()
{
    if (!printerChosen_ && !choose())
        return;
    if (!print)
        return;
    variation_->keepASeed();
    lblSize_->setText(QStringLiteral("印刷中"));
    setButtonsEnabled(false);
    lblSize_->repaint();
    printing_ = true;
    const bool printed = print();
    printing_ = false;
    setButtonsEnabled(true);
    if (!printed) {
        // Said so instead of 印刷完了; the user may choose another printer and try again.
        lblSize_->setText(QStringLiteral("印刷できませんでした"));
        printerChosen_ = false;
        return;
    }
    lblSize_->setText(QStringLiteral("印刷完了"));
    accept();
}

} // namespace zendra
