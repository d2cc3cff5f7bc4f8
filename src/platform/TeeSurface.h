#pragma once

#include "platform/Surface.h"

namespace zendra {

// Draws on one surface and makes every call on a second one as well, so that what a window
// draws on its page can be recorded. The first surface answers every question (fonts, pen,
// text widths, size).
class TeeSurface : public Surface
{
public:
    TeeSurface(Surface& drawn, Surface& copy) : drawn_(drawn), copy_(copy) {}

    void setFontFace(const QString& face) override;
    QString fontFace() const override { return drawn_.fontFace(); }
    void setFontSize(int points) override;
    int fontSize() const override { return drawn_.fontSize(); }
    void setFontColour(QRgb colour) override;
    QRgb fontColour() const override { return drawn_.fontColour(); }
    void setFontStyle(unsigned style) override;
    unsigned fontStyle() const override { return drawn_.fontStyle(); }

    void textOut(int x, int y, const QString& text) override;
    int textWidth(const QString& text) override { return drawn_.textWidth(text); }

    QPoint penPosition() const override { return drawn_.penPosition(); }
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;

    void setPenColour(QRgb colour) override;
    QRgb penColour() const override { return drawn_.penColour(); }
    void setPenWidth(int width) override;
    int penWidth() const override { return drawn_.penWidth(); }
    void setPenStyle(PenStyle style) override;
    void setPenMode(PenMode mode) override;

    void rectangle(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void drawImage(const QRect& target, const QImage& image) override;

    void setLayoutScale(double pixelsPerUnit) override;

    int resolution() const override { return drawn_.resolution(); }
    int width() const override { return drawn_.width(); }

private:
    Surface& drawn_;
    Surface& copy_;
};

} // namespace zendra
