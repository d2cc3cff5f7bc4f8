#pragma once

#include "platform/Surface.h"

namespace zendra {

// Lets text take its place without drawing it: the pen moves as if the text were drawn,
// lines and shapes are left out. A handout's hidden answers go through it, so they reach
// neither the paper nor the text of a PDF, and the page keeps the screen's arrangement; a
// layout that needs no pixels is composed through it whole.
class MeasuringSurface : public Surface
{
public:
    explicit MeasuringSurface(Surface& inner) : inner_(inner) {}

    void setFontFace(const QString& face) override { inner_.setFontFace(face); }
    QString fontFace() const override { return inner_.fontFace(); }
    void setFontSize(int points) override { inner_.setFontSize(points); }
    int fontSize() const override { return inner_.fontSize(); }
    void setFontColour(QRgb colour) override { inner_.setFontColour(colour); }
    QRgb fontColour() const override { return inner_.fontColour(); }
    void setFontStyle(unsigned style) override { inner_.setFontStyle(style); }
    unsigned fontStyle() const override { return inner_.fontStyle(); }

    void textOut(int x, int y, const QString& text) override
    {
        inner_.moveTo(x + inner_.textWidth(text), y);
    }
    int textWidth(const QString& text) override { return inner_.textWidth(text); }

    QPoint penPosition() const override { return inner_.penPosition(); }
    void moveTo(int x, int y) override { inner_.moveTo(x, y); }
    void lineTo(int x, int y) override { inner_.moveTo(x, y); }

    void setPenColour(QRgb colour) override { inner_.setPenColour(colour); }
    QRgb penColour() const override { return inner_.penColour(); }
    void setPenWidth(int width) override { inner_.setPenWidth(width); }
    int penWidth() const override { return inner_.penWidth(); }
    void setPenStyle(PenStyle style) override { inner_.setPenStyle(style); }
    void setPenMode(PenMode mode) override { inner_.setPenMode(mode); }

    void rectangle(int, int, int, int) override {}
    void roundRect(int, int, int, int, int, int) override {}
    void ellipse(int, int, int, int) override {}
    void drawImage(const QRect&, const QImage&) override {}
    void setLayoutScale(double) override {}

    int resolution() const override { return inner_.resolution(); }
    int width() const override { return inner_.width(); }

private:
    Surface& inner_;
};

} // namespace zendra
