#include "authoring/TfrmEditSource.h"

#include "authoring/QuestionEditor.h"
#include "platform/Paths.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zendra {

TfrmEditSource::TfrmEditSource(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditSource"));
    setWindowTitle(QStringLiteral("ソースの直接編集"));

    memEditBuffer_ = new QPlainTextEdit(this);
    memEditBuffer_->setObjectName(QStringLiteral("memEditBuffer"));
    memEditBuffer_->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* btnOk = new QPushButton(QStringLiteral(" O　K  "), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto* btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnHelp_ = new QPushButton(QStringLiteral("ヘルプ"), this);
    btnHelp_->setObjectName(QStringLiteral("btnHelp"));
    // Enter belongs to the text.
    for (QPushButton* b : {btnOk, btnCancel, btnHelp_})
        b->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp_, &QPushButton::clicked, this, &TfrmEditSource::btnHelpClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memEditBuffer_);
    layout->addLayout(buttons);

    if (parent)
        resize(parent->window()->size());
    else
        resize(900, 650);
}

void TfrmEditSource::setSource(const QString& path, int helpContext, const QStringList& lines)
{
    path_ = path;
    helpContext_ = helpContext;
    memEditBuffer_->setPlainText(PaneText(lines));
    setWindowTitle(QStringLiteral("ソースの直接編集") + shownPath(path));
}

QStringList TfrmEditSource::lines() const
{
    return PaneLines(memEditBuffer_->toPlainText());
}

void TfrmEditSource::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    btnHelp_->setEnabled(bool(openHelp));
    memEditBuffer_->moveCursor(QTextCursor::Start);
    memEditBuffer_->setFocus();
}

void TfrmEditSource::btnHelpClick()
{
    if (openHelp)
        openHelp(helpContext_);
}

} // namespace zendra
