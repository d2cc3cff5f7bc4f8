#include "platform/RecordingSurface.h"

#include "platform/Cp932.h"

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

int RecordingSurface::textWidth(const QString& text)
{
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
    op.rect = QRect(x, y, w, size_);
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
    op.penWidth = penWidth_;
    op.penStyle = penStyle_;
    op.penMode = penMode_;
    return op;
}

void RecordingSurface::lineTo(int x, int y)
{
    // For a line, rect holds the end points: topLeft() is the start, bottomRight() the end.
    Op op = shape(Op::Line, QRect(pen_, QPoint(x, y)));
    ops_.append(op);
    pen_ = QPoint(x, y);
}

void RecordingSurface::rectangle(int left, int top, int right, int bottom)
{
    ops_.append(shape(Op::Rectangle, QRect(QPoint(left, top), QPoint(right, bottom))));
}

void RecordingSurface::roundRect(int left, int top, int right, int bottom, int cornerWidth,
                                 int cornerHeight)
{
    Op op = shape(Op::RoundRect, QRect(QPoint(left, top), QPoint(right, bottom)));
    op.corner = QPoint(cornerWidth, cornerHeight);
    ops_.append(op);
}

void RecordingSurface::ellipse(int left, int top, int right, int bottom)
{
    ops_.append(shape(Op::Ellipse, QRect(QPoint(left, top), QPoint(right, bottom))));
}

void RecordingSurface::drawImage(const QRect& target, const QImage&)
{
    ops_.append(shape(Op::Image, target));
}

} // namespace zendra
