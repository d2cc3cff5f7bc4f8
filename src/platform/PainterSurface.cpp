#include "platform/PainterSurface.h"

#include "platform/Numbers.h"

#include <algorithm>

namespace zendra {

namespace {

// The screen page's pixels per inch: one pixel per layout unit.
constexpr int kLayoutResolution = 96;

QImage metricsImage(int resolution)
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = roundHalfEven(std::max(1, resolution) / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, int resolution, int width)
    : painter_(painter), base_(painter.worldTransform()), resolution_(resolution), width_(width),
      metricsDevice_(metricsImage(resolution))
{
    painter_.setBrush(Qt::NoBrush);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    applyPen();
}

PainterSurface::~PainterSurface()
{
    if (scale_ != 1.0)
        painter_.setWorldTransform(base_);
}

void PainterSurface::setLayoutScale(double pixelsPerUnit)
{
    if (!(pixelsPerUnit > 0.0))
        return;
    painter_.setWorldTransform(QTransform::fromScale(pixelsPerUnit, pixelsPerUnit) * base_);
    // Back in the screen's units: widths are the device's over the scale.
    width_ = std::max(1, roundHalfEven(width_ * scale_ / pixelsPerUnit));
    scale_ = pixelsPerUnit;
    if (resolution_ != kLayoutResolution) {
        resolution_ = kLayoutResolution;
        metricsDevice_ = metricsImage(resolution_);
    }
    font_.reset();
    metrics_.reset();
    painterHasFont_ = false;
    applyPen();
}

void PainterSurface::setFontFace(const QString& face)
{
    if (face == face_)
        return;
    face_ = face;
    font_.reset();
    metrics_.reset();
    painterHasFont_ = false;
}

void PainterSurface::setFontSize(int points)
{
    if (points == size_)
        return;
    size_ = points;
    font_.reset();
    metrics_.reset();
    painterHasFont_ = false;
}

void PainterSurface::setFontStyle(unsigned style)
{
    if (style == style_)
        return;
    style_ = style;
    font_.reset();
    metrics_.reset();
    painterHasFont_ = false;
}

const QFont& PainterSurface::font()
{
    if (!font_) {
        QFont f(face_);
        // The em height in pixels of a font of size_ points at this resolution.
        f.setPixelSize(std::max(1, roundHalfEven(size_ * resolution_ / 72.0)));
        f.setBold(style_ & StyleBold);
        f.setItalic(style_ & StyleItalic);
        f.setUnderline(style_ & StyleUnderline);
        f.setStrikeOut(style_ & StyleStrikeOut);
        f.setKerning(false);
        font_ = f;
    }
    return *font_;
}

const QFontMetrics& PainterSurface::metrics()
{
    if (!metrics_)
        metrics_.emplace(font(), &metricsDevice_);
    return *metrics_;
}

void PainterSurface::textOut(int x, int y, const QString& text)
{
    const QFontMetrics& fm = metrics();
    if (!painterHasFont_) {
        painter_.setFont(font());
        painterHasFont_ = true;
    }
    if (painterPen_ != PainterPen::Text || painterTextColour_ != fontColour_) {
        painter_.setPen(QColor::fromRgb(fontColour_));
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painterPen_ = PainterPen::Text;
        painterTextColour_ = fontColour_;
    }
    painter_.drawText(x, y + fm.ascent(), text);
    pen_ = QPoint(x + fm.horizontalAdvance(text), y);
}

void PainterSurface::useLinePen()
{
    if (painterPen_ != PainterPen::Lines)
        applyPen();
}

int PainterSurface::textWidth(const QString& text)
{
    return metrics().horizontalAdvance(text);
}

void PainterSurface::lineTo(int x, int y)
{
    useLinePen();
    painter_.drawLine(pen_, QPoint(x, y));
    pen_ = QPoint(x, y);
}

void PainterSurface::applyPen()
{
    QPen pen(QColor::fromRgb(penMode_ == PenMode::Invert ? qRgb(255, 255, 255) : penColour_));
    pen.setWidth(penWidth_);
    pen.setStyle(penStyle_ == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.setCompositionMode(penMode_ == PenMode::Invert
                                    ? QPainter::RasterOp_SourceXorDestination
                                    : QPainter::CompositionMode_SourceOver);
    painterPen_ = PainterPen::Lines;
}

void PainterSurface::setPenColour(QRgb colour)
{
    penColour_ = colour;
    applyPen();
}

void PainterSurface::setPenWidth(int width)
{
    penWidth_ = width;
    applyPen();
}

void PainterSurface::setPenStyle(PenStyle style)
{
    penStyle_ = style;
    applyPen();
}

void PainterSurface::setPenMode(PenMode mode)
{
    penMode_ = mode;
    applyPen();
}

void PainterSurface::rectangle(int left, int top, int right, int bottom)
{
    useLinePen();
    // As on Windows, right and bottom are outside the outline.
    painter_.drawRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void PainterSurface::roundRect(int left, int top, int right, int bottom, int cornerWidth,
                               int cornerHeight)
{
    useLinePen();
    painter_.drawRoundedRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)),
                             cornerWidth / 2.0, cornerHeight / 2.0);
}

void PainterSurface::ellipse(int left, int top, int right, int bottom)
{
    useLinePen();
    painter_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void PainterSurface::drawImage(const QRect& target, const QImage& image)
{
    painter_.drawImage(target, image);
}

} // namespace zendra
