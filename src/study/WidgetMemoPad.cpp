#include "study/WidgetMemoPad.h"

#include <QMouseEvent>
#include <QPainter>

namespace zendra {

WidgetMemoPad::WidgetMemoPad(const QCursor& pen, const QCursor& eraser, QWidget* parent)
    : QWidget(parent), penCursor_(pen), eraserCursor_(eraser)
{
    setObjectName(QStringLiteral("imgMemo"));
    setCursor(penCursor_);
}

void WidgetMemoPad::blank()
{
    image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::white);
    text(10, 5, 8, QStringLiteral("    マウスで線が描けます"));
    update();
}

void WidgetMemoPad::text(int x, int y, int points, const QString& line)
{
    QPainter painter(&image_);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(points * 96 / 72);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(x, y + QFontMetrics(font).ascent()), line);
}

void WidgetMemoPad::prepare()
{
    drawing_ = false;
    blank();
    text(10, 33, 12, QStringLiteral("左ボタン：描く"));
    text(10, 50, 12, QStringLiteral("右ボタン：消す"));
    text(10, 67, 12, QStringLiteral("ダブルクリック：全部消す"));
}

void WidgetMemoPad::lineTo(QPoint to)
{
    QPainter painter(&image_);
    painter.setPen(pen_);
    painter.drawLine(last_, to);
    last_ = to;
    update();
}

void WidgetMemoPad::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        setCursor(penCursor_);
        pen_ = QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::RoundCap);
    } else {
        setCursor(eraserCursor_);
        // The pointer is set where it is, so the eraser's shape shows at once.
        QCursor::setPos(QCursor::pos());
        pen_ = QPen(Qt::white, 10, Qt::SolidLine, Qt::RoundCap);
    }
    drawing_ = true;
    last_ = event->position().toPoint();
}

void WidgetMemoPad::mouseMoveEvent(QMouseEvent* event)
{
    if (drawing_)
        lineTo(event->position().toPoint());
}

void WidgetMemoPad::mouseReleaseEvent(QMouseEvent* event)
{
    setCursor(penCursor_);
    if (drawing_)
        lineTo(event->position().toPoint());
    drawing_ = false;
}

void WidgetMemoPad::mouseDoubleClickEvent(QMouseEvent* event)
{
    Q_UNUSED(event);
    drawing_ = false;
    blank();
}

void WidgetMemoPad::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (image_.size() != size())
        prepare();
}

void WidgetMemoPad::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zendra
