#include "platform/PainterSurface.h"

#include "platform/Numbers.h"

#include <QPaintEngine>
#include <QTextLayout>

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

TextMetrics::Font& TextMetrics::font(const QString& face, int points, unsigned style,
                                     int resolution)
{
    const auto key = std::make_tuple(face, points, style, resolution);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second;
    auto device = devices_.find(resolution);
    if (device == devices_.end())
        device = devices_.emplace(resolution, metricsImage(resolution)).first;
    QFont f(face);
    // The em height in pixels of a font of `points` at this resolution.
    f.setPixelSize(std::max(1, roundHalfEven(points * resolution / 72.0)));
    f.setBold(style & StyleBold);
    f.setItalic(style & StyleItalic);
    f.setUnderline(style & StyleUnderline);
    f.setStrikeOut(style & StyleStrikeOut);
    f.setKerning(false);
    return fonts_.try_emplace(key, f, &device->second).first->second;
}

PainterSurface::PainterSurface(QPainter& painter, int resolution, int width, TextMetrics* shared)
    : painter_(painter), base_(painter.worldTransform()), resolution_(resolution), width_(width),
      metrics_(shared ? *shared : ownMetrics_),
      raster_(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster),
      deviceDpi_(painter.device() ? painter.device()->logicalDpiX() : 0)
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
    resolution_ = kLayoutResolution;
    fontChanged();
    applyPen();
}

void PainterSurface::setFontFace(const QString& face)
{
    if (face == face_)
        return;
    face_ = face;
    fontChanged();
}

void PainterSurface::setFontSize(int points)
{
    if (points == size_)
        return;
    size_ = points;
    fontChanged();
}

void PainterSurface::setFontStyle(unsigned style)
{
    if (style == style_)
        return;
    style_ = style;
    fontChanged();
}

void PainterSurface::fontChanged()
{
    font_ = nullptr;
    painterHasFont_ = false;
}

TextMetrics::Font& PainterSurface::font()
{
    if (!font_)
        font_ = &metrics_.font(face_, size_, style_, resolution_);
    return *font_;
}

void PainterSurface::textOut(int x, int y, const QString& text)
{
    TextMetrics::Font& f = font();
    if (!painterHasFont_) {
        painter_.setFont(f.font);
        painterHasFont_ = true;
    }
    if (painterPen_ != PainterPen::Text || painterTextColour_ != fontColour_) {
        painter_.setPen(QColor::fromRgb(fontColour_));
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painterPen_ = PainterPen::Text;
        painterTextColour_ = fontColour_;
    }
    if (const QList<QGlyphRun>* runs = shaped(text)) {
        for (const QGlyphRun& run : *runs)
            painter_.drawGlyphRun(QPointF(x, y + f.ascent), run);
    } else if (const TextMetrics::Shaped* laidOut = shapedForDevice(text)) {
        laidOut->layout->draw(&painter_, QPointF(x, y + f.ascent - laidOut->ascent));
    } else {
        painter_.drawText(x, y + f.ascent, text);
    }
    pen_ = QPoint(x + textWidth(text), y);
}

// The glyphs drawText would draw for `text` in the painter's font, placed about the start of
// the baseline; null where drawText is taken instead.
const QList<QGlyphRun>* PainterSurface::shaped(const QString& text)
{
    if (!raster_ || text.size() != 1 || (style_ & (StyleUnderline | StyleStrikeOut)))
        return nullptr;
    const auto key = std::make_pair(font_, text.front());
    auto found = shaped_.find(key);
    if (found == shaped_.end()) {
        QTextLayout layout(text, painter_.font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QList<QGlyphRun> runs = layout.glyphRuns();
        for (QGlyphRun& run : runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& p : positions)
                p.ry() -= line.ascent();
            run.setPositions(positions);
        }
        found = shaped_.insert(key, runs);
    }
    return &*found;
}

// The layout that draws `text` in the painter's font as drawText would, kept with the font
// for the pages of a print job, which draw the same texts page after page; null where
// drawText is taken instead.
const TextMetrics::Shaped* PainterSurface::shapedForDevice(const QString& text)
{
    if (raster_ || text.isEmpty() || (style_ & (StyleUnderline | StyleStrikeOut)))
        return nullptr;
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.isNonCharacter())
            return nullptr;
    QHash<std::pair<int, QString>, TextMetrics::Shaped>& kept = font().shaped;
    const auto key = std::make_pair(deviceDpi_, text);
    auto found = kept.find(key);
    if (found == kept.end()) {
        auto layout = std::make_shared<QTextLayout>(text, painter_.font());
        QTextOption option;
        option.setTextDirection(painter_.layoutDirection());
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        const QTextLine line = layout->createLine();
        layout->endLayout();
        found = kept.insert(key, TextMetrics::Shaped{std::move(layout), line.ascent()});
    }
    return &*found;
}

void PainterSurface::useLinePen()
{
    if (painterPen_ != PainterPen::Lines)
        applyPen();
}

int PainterSurface::textWidth(const QString& text)
{
    TextMetrics::Font& f = font();
    const auto known = f.widths.constFind(text);
    if (known != f.widths.cend())
        return *known;
    const int width = f.metrics.horizontalAdvance(text);
    f.widths.insert(text, width);
    return width;
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
