#include "app/TfrmSetPaper.h"

#include "app/LayoutSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zendra {

TfrmSetPaper::TfrmSetPaper(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSetPaper"));
    setWindowTitle(QStringLiteral("用紙設定"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    auto* grbPaper = new QGroupBox(QStringLiteral("用紙"), this);
    grbPaper->setObjectName(QStringLiteral("grbPaper"));
    auto* paperColumn = new QVBoxLayout(grbPaper);
    papers_ = new QButtonGroup(this);
    auto paperButton = [&](const char* name, const QString& caption, Paper paper) {
        auto* button = new QRadioButton(caption, grbPaper);
        button->setObjectName(QString::fromLatin1(name));
        papers_->addButton(button, static_cast<int>(paper));
        paperColumn->addWidget(button);
        return button;
    };
    // All four are offered: with only A4 enabled a teacher could never choose another paper.
    rdbB5_ = paperButton("rdbB5", QStringLiteral("B５"), Paper::B5);
    rdbA4_ = paperButton("rdbA4", QStringLiteral("A４"), Paper::A4);
    rdbB4_ = paperButton("rdbB4", QStringLiteral("B4"), Paper::B4);
    rdbA3_ = paperButton("rdbA3", QStringLiteral("A3"), Paper::A3);
    rdbA4_->setChecked(true);
    columns->addWidget(grbPaper);

    auto* grbOptions = new QGroupBox(QStringLiteral("オプション"), this);
    grbOptions->setObjectName(QStringLiteral("grbOptions"));
    auto* optionColumn = new QVBoxLayout(grbOptions);
    auto check = [&](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, grbOptions);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(true);
        optionColumn->addWidget(box);
        return box;
    };
    chkClassFlag_ = check("chkClassFlag", QStringLiteral("学級旗"));
    chkJisshibi_ = check("chkJisshibi", QStringLiteral("実施日"));
    chkPrinted_ = check("chkPrinted", QStringLiteral("No.印刷日時"));
    optionColumn->addStretch();
    columns->addWidget(grbOptions);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    connect(btnOk_, &QPushButton::clicked, this, [this] { btnOkClick(); });
    btnCancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAutoDefault(false);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
}

void TfrmSetPaper::setPaper(int width)
{
    papers_->button(static_cast<int>(DialogPaperOfWidth(width)))->setChecked(true);
}

void TfrmSetPaper::setOptions(int bits)
{
    const SheetOptions checks = OptionsOfBits(bits);
    chkClassFlag_->setChecked(checks.classFlag);
    chkJisshibi_->setChecked(checks.jisshibi);
    chkPrinted_->setChecked(checks.printed);
}

int TfrmSetPaper::chosenWidth() const
{
    const int id = papers_->checkedId();
    return PaperWidth(id >= 0 ? static_cast<Paper>(id) : Paper::A4);
}

int TfrmSetPaper::options() const
{
    return OptionBits(
        {chkClassFlag_->isChecked(), chkJisshibi_->isChecked(), chkPrinted_->isChecked()});
}

void TfrmSetPaper::btnOkClick()
{
    if (sheetOpen && !sheetOpen())
        return;
    accept();
}

} // namespace zendra
