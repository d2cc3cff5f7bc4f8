#pragma once

#include "platform/Surface.h"

#include <QList>

namespace zendra {

// A surface that draws nothing and records every call, with fixed metrics: a character
// that takes one CP932 byte is size / 2 pixels wide, any other character size pixels (or,
// when measureWith() named one, the widths of another surface's fonts). Tests of the
// renderer and the composer assert exact coordinates against it. Under a layout scale the
// recorded rectangles and pen widths are device pixels, rounded half to even.
class RecordingSurface : public Surface
{
public:
    struct Op
    {
        enum Kind { Text, Line, Rectangle, RoundRect, Ellipse, Image } kind;
        QRect rect;   // Text: (x, y) and the text's width; Line: from and to; shapes: bounds
        QString text; // Text only
        int fontSize = 0;
        QRgb colour = 0; // font colour for text, pen colour otherwise
        unsigned style = StylePlain;
        QString face;
        int penWidth = 1;
        PenStyle penStyle = PenStyle::Solid;
        PenMode penMode = PenMode::Copy;
        QPoint corner; // RoundRect: corner width and height
    };

    explicit RecordingSurface(int resolution = 96, int width = 630)
        : resolution_(resolution), width_(width)
    {
    }

    const QList<Op>& ops() const { return ops_; }
    QList<Op> texts() const;
    QList<Op> lines() const;
    // The first text op whose text equals `text`, or nullptr.
    const Op* findText(const QString& text) const;
    void clear() { ops_.clear(); }
    // Takes text widths from `metrics` (in its current state of face, size and style, set
    // from this surface's before each measurement); nullptr goes back to the fixed metrics.
    void measureWith(Surface* metrics) { metrics_ = metrics; }

    void setFontFace(const QString& face) override { face_ = face; }
    QString fontFace() const override { return face_; }
    void setFontSize(int points) override { size_ = points; }
    int fontSize() const override { return size_; }
    void setFontColour(QRgb colour) override { fontColour_ = colour; }
    QRgb fontColour() const override { return fontColour_; }
    void setFontStyle(unsigned style) override { style_ = style; }
    unsigned fontStyle() const override { return style_; }

    void textOut(int x, int y, const QString& text) override;
    int textWidth(const QString& text) override;

    QPoint penPosition() const override { return pen_; }
    void moveTo(int x, int y) override { pen_ = QPoint(x, y); }
    void lineTo(int x, int y) override;

    void setPenColour(QRgb colour) override { penColour_ = colour; }
    QRgb penColour() const override { return penColour_; }
    void setPenWidth(int width) override { penWidth_ = width; }
    int penWidth() const override { return penWidth_; }
    void setPenStyle(PenStyle style) override { penStyle_ = style; }
    void setPenMode(PenMode mode) override { penMode_ = mode; }

    void rectangle(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void drawImage(const QRect& target, const QImage& image) override;

    // Layout units are those of the 96 dpi screen page.
    void setLayoutScale(double pixelsPerUnit) override
    {
        scale_ = pixelsPerUnit;
        resolution_ = 96;
    }
    double layoutScale() const { return scale_; }

    int resolution() const override { return resolution_; }
    int width() const override { return width_; }

private:
    Op shape(Op::Kind kind, const QRect& rect) const;
    int device(int units) const;
    QPoint device(QPoint units) const;

    int resolution_;
    int width_;
    QList<Op> ops_;
    QString face_;
    int size_ = 10;
    unsigned style_ = StylePlain;
    QRgb fontColour_ = qRgb(0, 0, 0);
    QRgb penColour_ = qRgb(0, 0, 0);
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    QPoint pen_;
    double scale_ = 1.0;
    Surface* metrics_ = nullptr;
};

} // namespace zendra
