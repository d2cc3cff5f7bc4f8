#include "app/TfrmDummy.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>

namespace zendra {

TfrmDummy::TfrmDummy(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDummy"));
    setWindowTitle(QStringLiteral("Zendra++ 算数ドリル"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    btnTitle_ = new QPushButton(this);
    btnTitle_->setObjectName(QStringLiteral("btnTitle"));
    btnTitle_->setFlat(true);
    btnTitle_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QGridLayout(this);
    layout->addWidget(btnTitle_, 0, 0, Qt::AlignCenter);
    setTitlePicture({});
}

void TfrmDummy::setTitlePicture(const QString& path)
{
    const QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    btnTitle_->setIcon(picture);
    btnTitle_->setIconSize(picture.size());
    btnTitle_->setFixedSize(picture.width() + 10, picture.height() + 20);
}

void TfrmDummy::showTitleButton(bool visible)
{
    btnTitle_->setVisible(visible);
}

void TfrmDummy::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event);
}

} // namespace zendra
