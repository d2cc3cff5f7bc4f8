#include "platform/RecordingSurface.h"

#include "platform/Cp932.h"
#include "platform/Numbers.h"

namespace zendra {

QList<RecordingSurface::Op> RecordingSurface::texts() const
{
    QList<Op> result;
    for (const Op& op : ops_)
        if (op.kind == Op::Text)
            result.append(op);
    return result;
}

QList<RecordingSurface::Op> RecordingSurface::lines() const
{
    QList<Op> result;
    for (const Op& op : ops_)
        if (op.kind == Op::Line)
            result.append(op);
    return result;
}

const RecordingSurface::Op* RecordingSurface::findText(const QString& text) const
{
    for (const Op& op : ops_)
        if (op.kind == Op::Text && op.text == text)
            return &op;
    return nullptr;
}

int RecordingSurface::device(int units) const
{
    return scale_ == 1.0 ? units : roundHalfEven(units * scale_);
}

QPoint RecordingSurface::device(QPoint units) const
{
    return QPoint(device(units.x()), device(units.y()));
}

int RecordingSurface::textWidth(const QString& text)
{
    if (metrics_) {
        metrics_->setFontFace(face_);
        metrics_->setFontSize(size_);
        metrics_->setFontStyle(style_);
        return metrics_->textWidth(text);
    }
    int width = 0;
    for (QChar c : text)
        width += cp932::byteLength(QString(c)) == 1 ? size_ / 2 : size_;
    return width;
}

void RecordingSurface::textOut(int x, int y, const QString& text)
{
    const int w = textWidth(text);
    Op op;
    op.kind = Op::Text;
    // The em height: the size itself under the fixed metrics, its pixels under real ones.
    const int h = metrics_ ? roundHalfEven(size_ * metrics_->resolution() / 72.0) : size_;
    op.rect = QRect(device(QPoint(x, y)), QSize(device(w), device(h)));
    op.text = text;
    op.fontSize = size_;
    op.colour = fontColour_;
    op.style = style_;
    op.face = face_;
    ops_.append(op);
    pen_ = QPoint(x + w, y);
}

RecordingSurface::Op RecordingSurface::shape(Op::Kind kind, const QRect& rect) const
{
    Op op;
    op.kind = kind;
    op.rect = rect;
    op.colour = penColour_;
    op.penWidth = device(penWidth_);
    op.penStyle = penStyle_;
    op.penMode = penMode_;
    return op;
}

void RecordingSurface::lineTo(int x, int y)
{
    // For a line, rect holds the end points: topLeft() is the start, bottomRight() the end.
    Op op = shape(Op::Line, QRect(device(pen_), device(QPoint(x, y))));
    ops_.append(op);
    pen_ = QPoint(x, y);
}

void RecordingSurface::rectangle(int left, int top, int right, int bottom)
{
    ops_.append(
        shape(Op::Rectangle, QRect(device(QPoint(left, top)), device(QPoint(right, bottom)))));
}

void RecordingSurface::roundRect(int left, int top, int right, int bottom, int cornerWidth,
                                 int cornerHeight)
{
    Op op = shape(Op::RoundRect, QRect(device(QPoint(left, top)), device(QPoint(right, bottom))));
    op.corner = device(QPoint(cornerWidth, cornerHeight));
    ops_.append(op);
}

void RecordingSurface::ellipse(int left, int top, int right, int bottom)
{
    ops_.append(
        shape(Op::Ellipse, QRect(device(QPoint(left, top)), device(QPoint(right, bottom)))));
}

void RecordingSurface::drawImage(const QRect& target, const QImage&)
{
    ops_.append(shape(Op::Image, QRect(device(target.topLeft()),
                                       QSize(device(target.width()), device(target.height())))));
}

} // namespace zendra
