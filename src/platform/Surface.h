#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

namespace zendra {

// Font style bits of a surface's current font.
enum FontStyleBit : unsigned {
    StylePlain = 0,
    StyleBold = 1,
    StyleItalic = 2,
    StyleUnderline = 4,
    StyleStrikeOut = 8,
};

enum class PenStyle { Solid, Dot };
enum class PenMode { Copy, Invert };

// What the composer and the renderer draw on: the screen page image, a printer page or a
// PDF page (PainterSurface), or a recording for tests. Coordinates are integer pixels of the
// target; font sizes are points at the surface's resolution.
class Surface
{
public:
    virtual ~Surface() = default;

    // The current font.
    virtual void setFontFace(const QString& face) = 0;
    virtual QString fontFace() const = 0;
    virtual void setFontSize(int points) = 0;
    virtual int fontSize() const = 0;
    virtual void setFontColour(QRgb colour) = 0;
    virtual QRgb fontColour() const = 0;
    virtual void setFontStyle(unsigned style) = 0;
    virtual unsigned fontStyle() const = 0;

    // Draws text with its top-left corner at (x, y) in the current font; the pen position
    // moves to (x + width, y).
    virtual void textOut(int x, int y, const QString& text) = 0;
    // The width of the text in the current font.
    virtual int textWidth(const QString& text) = 0;

    virtual QPoint penPosition() const = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the pen position to (x, y), which becomes the pen position.
    virtual void lineTo(int x, int y) = 0;

    virtual void setPenColour(QRgb colour) = 0;
    virtual QRgb penColour() const = 0;
    virtual void setPenWidth(int width) = 0;
    virtual int penWidth() const = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setPenMode(PenMode mode) = 0;

    // Outlines only: shapes are never filled.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void roundRect(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // The picture stretched into the rectangle.
    virtual void drawImage(const QRect& target, const QImage& image) = 0;

    // From now on every coordinate, length and font size is taken in layout units of the
    // 96 dpi screen page and drawn `pixelsPerUnit` device pixels large; text widths stay
    // those of the screen page. A printer page is composed in the screen's units this way,
    // so it keeps the screen page's arrangement at the device's own sharpness.
    virtual void setLayoutScale(double pixelsPerUnit) = 0;

    // Pixels per inch of the surface (96 for the screen page).
    virtual int resolution() const = 0;
    // Width of the surface in its pixels.
    virtual int width() const = 0;
};

} // namespace zendra
