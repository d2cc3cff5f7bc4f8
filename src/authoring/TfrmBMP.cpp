#include "authoring/TfrmBMP.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zendra {

TfrmBMP::TfrmBMP(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBMP"));
    setWindowTitle(QStringLiteral("ZViewer 拡大表示"));
    setModal(false);

    Image1_ = new QLabel(this);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setScaledContents(true);
    // A figure larger than the screen is scrolled, never shrunk.
    auto* area = new QScrollArea(this);
    area->setWidget(Image1_);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblXW_ = new QLabel(this);
    lblXW_->setObjectName(QStringLiteral("lblXW"));
    lblYH_ = new QLabel(this);
    lblYH_->setObjectName(QStringLiteral("lblYH"));
    auto* lblName = new QLabel(QStringLiteral(".bmp"), this);
    lblName->setObjectName(QStringLiteral("lblName"));

    auto* row = new QHBoxLayout;
    row->addWidget(lblName);
    row->addSpacing(12);
    row->addWidget(lblXW_);
    row->addWidget(new QLabel(QStringLiteral("X"), this));
    row->addWidget(lblYH_);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(area, 1);
    layout->addLayout(row);
}

void TfrmBMP::showPicture(const QImage& picture)
{
    picture_ = picture;
    Image1_->setPixmap(QPixmap::fromImage(picture));
    Image1_->resize(picture.size());
    lblXW_->setText(QString::number(picture.width()));
    lblYH_->setText(QString::number(picture.height()));
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(QSize(picture.width() + 40, picture.height() + 70).boundedTo(available.size()));
    move(available.topLeft());
    show();
    raise();
    activateWindow();
}

} // namespace zendra
