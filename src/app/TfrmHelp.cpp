#include "app/TfrmHelp.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// Resources of a static library must be registered by hand, outside any namespace.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace zendra {

TfrmHelp::TfrmHelp(QWidget* parent) : QDialog(parent)
{
    initHelpResources();
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Zendra ヘルプ"));
    resize(560, 480);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("brwHelp"));
    browser_->setOpenLinks(true);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(close, 0, Qt::AlignRight);
}

QString TfrmHelp::topicFor(int context)
{
    const QString topic = QStringLiteral(":/help/%1.htm").arg(context);
    return context > 0 && QFile::exists(topic) ? topic : QStringLiteral(":/help/index.htm");
}

void TfrmHelp::showContext(int context)
{
    browser_->setSource(QUrl(QStringLiteral("qrc") + topicFor(context)));
    show();
    raise();
    activateWindow();
}

} // namespace zendra
