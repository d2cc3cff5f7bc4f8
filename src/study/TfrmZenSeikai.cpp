#include "study/TfrmZenSeikai.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zendra {

namespace {

QLabel* starLine(QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("★★★★★★"), parent);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(palette);
    return label;
}

} // namespace

TfrmZenSeikai::TfrmZenSeikai(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmZenSeikai"));
    setWindowTitle(QStringLiteral("全問正解"));
    setModal(true);

    auto* panel = new QLabel(QStringLiteral("全問正解です"), this);
    panel->setObjectName(QStringLiteral("pnlZenSeikai"));
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->setMinimumSize(180, 44);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 0));
    panel->setPalette(palette);
    QFont font = panel->font();
    font.setPixelSize(19);
    font.setBold(true);
    panel->setFont(font);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(starLine(this));
    layout->addWidget(panel);
    layout->addWidget(starLine(this));
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

void TfrmZenSeikai::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace zendra
