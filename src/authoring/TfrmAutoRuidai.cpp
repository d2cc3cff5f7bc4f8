#include "authoring/TfrmAutoRuidai.h"

#include "authoring/QuestionEditor.h"
#include "courseware/GeneratedSets.h"
#include "courseware/UnitChoice.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zendra {

TfrmAutoRuidai::TfrmAutoRuidai(const QuestionGenerator& generator, int unit, quint64 seed,
                               SaveSets save, QWidget* parent)
    : QDialog(parent), generator_(generator), unit_(unit), save_(std::move(save))
{
    setObjectName(QStringLiteral("frmAutoRuidai"));
    setWindowTitle(QStringLiteral("類題を自動作成"));
    setModal(true);

    spnCount_ = new QSpinBox(this);
    spnCount_->setObjectName(QStringLiteral("spnCount"));
    spnCount_->setRange(1, kMaxVariants);
    spnCount_->setValue(kMaxVariants);
    edtSeed_ = new QLineEdit(QString::number(seed), this);
    edtSeed_->setObjectName(QStringLiteral("edtSeed"));
    // Digits only; a number past 64 bits leaves nothing to save (showSets).
    edtSeed_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,20}")), this));
    auto* btnNewSeed = new QPushButton(QStringLiteral("別のシード"), this);
    btnNewSeed->setObjectName(QStringLiteral("btnNewSeed"));
    btnNewSeed->setAutoDefault(false);

    memSets_ = new QPlainTextEdit(this);
    memSets_->setObjectName(QStringLiteral("memSets"));
    memSets_->setReadOnly(true);
    memSets_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lstKept_ = new QListWidget(this);
    lstKept_->setObjectName(QStringLiteral("lstKept"));

    btnOk_ = new QPushButton(QStringLiteral("保存"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    // Enter saves what the preview shows, from the count and seed fields too.
    btnOk_->setDefault(true);
    auto* btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    connect(spnCount_, &QSpinBox::valueChanged, this, &TfrmAutoRuidai::showSets);
    connect(edtSeed_, &QLineEdit::textChanged, this, &TfrmAutoRuidai::showSets);
    connect(btnNewSeed, &QPushButton::clicked, this, &TfrmAutoRuidai::btnNewSeedClick);
    connect(btnOk_, &QPushButton::clicked, this, &TfrmAutoRuidai::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("組数"), this), 0, 0);
    fields->addWidget(spnCount_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("シード"), this), 1, 0);
    fields->addWidget(edtSeed_, 1, 1);
    fields->addWidget(btnNewSeed, 1, 2);
    fields->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(new QLabel(QStringLiteral("作成される類題"), this));
    layout->addWidget(memSets_, 3);
    layout->addWidget(new QLabel(QStringLiteral("数を変えずにそのまま残す行"), this));
    layout->addWidget(lstKept_, 1);
    layout->addLayout(buttons);
    resize(720, 600);

    showSets();
    edtSeed_->setFocus();
    edtSeed_->selectAll();
}

void TfrmAutoRuidai::showSets()
{
    bool ok = false;
    const quint64 seed = edtSeed_->text().toULongLong(&ok);
    sets_.clear();
    if (ok) {
        seed_ = seed;
        sets_ = generator_.generateSets(seed, spnCount_->value());
    }
    btnOk_->setEnabled(ok);

    QStringList lines;
    for (const GeneratedSet& set : sets_) {
        lines << UnitHeaderLine(UnitChoice{0, 0, unit_, set.variant}) << SeedLine(seed_)
              << set.questions << QString();
    }
    memSets_->setPlainText(lines.join(u'\n'));

    lstKept_->clear();
    for (const KeptLine& kept : generator_.kept())
        lstKept_->addItem(
            QStringLiteral("%1行目　%2　（%3）").arg(kept.line).arg(kept.text, kept.reason));
}

void TfrmAutoRuidai::btnNewSeedClick()
{
    edtSeed_->setText(QString::number(QuestionGenerator::NewSeed()));
    edtSeed_->setFocus();
}

void TfrmAutoRuidai::btnOkClick()
{
    if (sets_.isEmpty() || !save_(seed_, sets_))
        return;
    accept();
}

} // namespace zendra
