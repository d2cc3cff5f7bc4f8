#pragma once

#include "platform/Surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <QTransform>

#include <QHash>
#include <QList>

#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace zendra {

// The fonts a PainterSurface draws with and the widths of the texts it measured in them.
// Measuring is most of the work of laying a page out, and a page measures the same
// characters over and over; surfaces of one resolution may share one, as the copies of a
// print job do.
class TextMetrics
{
public:
    // A text shaped for printer and PDF pages, drawn about the start of its baseline.
    struct Shaped
    {
        std::shared_ptr<const QTextLayout> layout;
        qreal ascent = 0; // of its line, from its top
    };

    struct Font
    {
        Font(const QFont& f, const QPaintDevice* device)
            : font(f), metrics(f, device), ascent(metrics.ascent())
        {
        }
        QFont font;
        QFontMetrics metrics;
        int ascent;
        QHash<QString, int> widths;
        // By the device's dots per inch and the text: the font as a painter on that device
        // takes it.
        QHash<std::pair<int, QString>, Shaped> shaped;
    };

    // The font of `points` at `resolution`, measured on a reference image of that resolution.
    Font& font(const QString& face, int points, unsigned style, int resolution);

private:
    std::map<int, QImage> devices_; // by resolution
    std::map<std::tuple<QString, int, unsigned, int>, Font> fonts_;
};

// A Surface over a QPainter: the screen page (a QImage at 96 dpi, also one of a higher
// device-pixel ratio), a printer page or a PDF page. Point sizes are turned into pixels at
// the given resolution. Text is measured on a reference image of that resolution, never on
// the device, so a page's layout does not depend on where it is drawn.
class PainterSurface : public Surface
{
public:
    // `painter` must be active on its device for the lifetime of the surface; the painter's
    // transformation is given back as it was when the surface ends. Fonts and text widths
    // are kept in `shared` when given (it must outlive the surface), else in the surface.
    PainterSurface(QPainter& painter, int resolution, int width, TextMetrics* shared = nullptr);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    void setFontFace(const QString& face) override;
    QString fontFace() const override { return face_; }
    void setFontSize(int points) override;
    int fontSize() const override { return size_; }
    void setFontColour(QRgb colour) override { fontColour_ = colour; }
    QRgb fontColour() const override { return fontColour_; }
    void setFontStyle(unsigned style) override;
    unsigned fontStyle() const override { return style_; }

    void textOut(int x, int y, const QString& text) override;
    int textWidth(const QString& text) override;

    QPoint penPosition() const override { return pen_; }
    void moveTo(int x, int y) override { pen_ = QPoint(x, y); }
    void lineTo(int x, int y) override;

    void setPenColour(QRgb colour) override;
    QRgb penColour() const override { return penColour_; }
    void setPenWidth(int width) override;
    int penWidth() const override { return penWidth_; }
    void setPenStyle(PenStyle style) override;
    void setPenMode(PenMode mode) override;

    void rectangle(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void drawImage(const QRect& target, const QImage& image) override;

    void setLayoutScale(double pixelsPerUnit) override;

    int resolution() const override { return resolution_; }
    int width() const override { return width_; }

private:
    TextMetrics::Font& font();
    const QList<QGlyphRun>* shaped(const QString& text);
    const TextMetrics::Shaped* shapedForDevice(const QString& text);
    void fontChanged();
    void applyPen();
    void useLinePen();

    QPainter& painter_;
    const QTransform base_; // the painter's transformation when the surface began
    int resolution_;
    int width_;
    double scale_ = 1.0;
    TextMetrics ownMetrics_;
    TextMetrics& metrics_;
    QString face_ = QStringLiteral("ＭＳ 明朝");
    int size_ = 10;
    unsigned style_ = StylePlain;
    QRgb fontColour_ = qRgb(0, 0, 0);
    QRgb penColour_ = qRgb(0, 0, 0);
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    QPoint pen_;
    // The font is looked up again only when face, size or style changed since its last use.
    TextMetrics::Font* font_ = nullptr;
    // What the painter holds now, so that it is told only of changes: text and lines
    // take the pen in turns.
    bool painterHasFont_ = false;
    enum class PainterPen { Lines, Text } painterPen_ = PainterPen::Lines;
    QRgb painterTextColour_ = 0;
    // Single characters shaped once per font for raster pages, which draw the same digits
    // and signs over and over: shaping a character costs more than drawing its glyph.
    // Printer and PDF pages draw the layouts their fonts keep (TextMetrics::Font::shaped):
    // glyphs alone would not give a PDF the characters behind them.
    const bool raster_;
    QHash<std::pair<const TextMetrics::Font*, QChar>, QList<QGlyphRun>> shaped_;
    const int deviceDpi_; // the painter's device, for the layouts kept for it
};

} // namespace zendra
