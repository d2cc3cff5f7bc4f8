#include "platform/TeeSurface.h"

namespace zendra {

void TeeSurface::setFontFace(const QString& face)
{
    drawn_.setFontFace(face);
    copy_.setFontFace(face);
}

void TeeSurface::setFontSize(int points)
{
    drawn_.setFontSize(points);
    copy_.setFontSize(points);
}

void TeeSurface::setFontColour(QRgb colour)
{
    drawn_.setFontColour(colour);
    copy_.setFontColour(colour);
}

void TeeSurface::setFontStyle(unsigned style)
{
    drawn_.setFontStyle(style);
    copy_.setFontStyle(style);
}

void TeeSurface::textOut(int x, int y, const QString& text)
{
    drawn_.textOut(x, y, text);
    copy_.textOut(x, y, text);
}

void TeeSurface::moveTo(int x, int y)
{
    drawn_.moveTo(x, y);
    copy_.moveTo(x, y);
}

void TeeSurface::lineTo(int x, int y)
{
    drawn_.lineTo(x, y);
    copy_.lineTo(x, y);
}

void TeeSurface::setPenColour(QRgb colour)
{
    drawn_.setPenColour(colour);
    copy_.setPenColour(colour);
}

void TeeSurface::setPenWidth(int width)
{
    drawn_.setPenWidth(width);
    copy_.setPenWidth(width);
}

void TeeSurface::setPenStyle(PenStyle style)
{
    drawn_.setPenStyle(style);
    copy_.setPenStyle(style);
}

void TeeSurface::setPenMode(PenMode mode)
{
    drawn_.setPenMode(mode);
    copy_.setPenMode(mode);
}

void TeeSurface::rectangle(int left, int top, int right, int bottom)
{
    drawn_.rectangle(left, top, right, bottom);
    copy_.rectangle(left, top, right, bottom);
}

void TeeSurface::roundRect(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight)
{
    drawn_.roundRect(left, top, right, bottom, cornerWidth, cornerHeight);
    copy_.roundRect(left, top, right, bottom, cornerWidth, cornerHeight);
}

void TeeSurface::ellipse(int left, int top, int right, int bottom)
{
    drawn_.ellipse(left, top, right, bottom);
    copy_.ellipse(left, top, right, bottom);
}

void TeeSurface::drawImage(const QRect& target, const QImage& image)
{
    drawn_.drawImage(target, image);
    copy_.drawImage(target, image);
}

void TeeSurface::setLayoutScale(double pixelsPerUnit)
{
    drawn_.setLayoutScale(pixelsPerUnit);
    copy_.setLayoutScale(pixelsPerUnit);
}

} // namespace zendra
