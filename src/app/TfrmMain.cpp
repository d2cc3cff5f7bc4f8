#include "app/TfrmMain.h"

#include "app/Startup.h"

#include <QApplication>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QScreen>
#include <QVBoxLayout>

namespace zendra {

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QApplication::applicationDisplayName());

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pnlMain_ = new QFrame(central);
    pnlMain_->setObjectName(QStringLiteral("pnlMain"));
    pnlMain_->setFixedWidth(160);
    pnlMain_->setAutoFillBackground(true);
    QPalette palette = pnlMain_->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 240));
    pnlMain_->setPalette(palette);
    auto* panelLayout = new QVBoxLayout(pnlMain_);
    panelLayout->addWidget(new QLabel(QStringLiteral("ログオン名"), pnlMain_));
    edtLogOnName_ = new QLineEdit(pnlMain_);
    edtLogOnName_->setObjectName(QStringLiteral("edtLogOnName"));
    edtLogOnName_->setReadOnly(true);
    panelLayout->addWidget(edtLogOnName_);
    panelLayout->addStretch(1);

    mdiArea_ = new QMdiArea(central);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    layout->addWidget(pnlMain_);
    layout->addWidget(mdiArea_, 1);
    setCentralWidget(central);

    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        setGeometry(area.left(), area.top(), area.width(), area.height() - 28);
    }
    state_.titleWindowSize = QSize(width() - pnlMain_->width() - 10, height());
}

bool TfrmMain::FormShow()
{
    if (!RunStartSequence(state_, DefaultStartupEnvironment()))
        return false;
    edtLogOnName_->setText(state_.learnerName);
    return true;
}

} // namespace zendra
