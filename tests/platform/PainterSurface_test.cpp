#include "platform/PainterSurface.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QPdfWriter>

#include <memory>

#include <gtest/gtest.h>

using namespace zendra;

// Surfaces that share their fonts and widths, as the copies of a print job do, measure every
// text as a new surface of their own would, whatever face, size, style or resolution measured
// the same text before. A surface that shares is kept while the resolution stays, through
// changes of its font; it draws the texts (the pen moves on by their widths) and measures
// them again.
TEST(PainterSurface, SharedMetricsMeasureAsASurfaceOfItsOwn)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    const QString mincho = QStringLiteral("ＭＳ 明朝");
    const QString sans = QStringLiteral("DejaVu Sans");
    const struct
    {
        int resolution;
        double layoutScale; // 0: none
        QString face;
        int points;
        unsigned style;
    } steps[] = {
        {600, 0, sans, 10, StylePlain},          {600, 0, sans, 10, StyleBold},
        {600, 0, mincho, 10, StyleBold},         {600, 0, sans, 14, StylePlain},
        {600, 600 / 96.0, sans, 10, StylePlain}, {96, 0, sans, 10, StylePlain},
        {300, 0, sans, 10, StyleBold},
    };
    const QString texts[] = {QStringLiteral("W"), QStringLiteral("12"), QStringLiteral("あ"),
                             QStringLiteral("(1) 51÷7＝")};
    QImage device(1, 1, QImage::Format_RGB32);
    QPainter painter(&device);
    TextMetrics shared;
    std::unique_ptr<PainterSurface> sharing;
    for (const auto& step : steps) {
        if (!sharing || sharing->resolution() != step.resolution || step.layoutScale > 0)
            sharing = std::make_unique<PainterSurface>(painter, step.resolution, 630, &shared);
        PainterSurface& surface = *sharing;
        PainterSurface own(painter, step.resolution, 630);
        for (PainterSurface* s : {&surface, &own}) {
            if (step.layoutScale > 0)
                s->setLayoutScale(step.layoutScale);
            s->setFontFace(step.face);
            s->setFontSize(step.points);
            s->setFontStyle(step.style);
        }
        for (const QString& text : texts) {
            const std::string shown = step.face.toStdString() + " " + text.toStdString();
            surface.textOut(0, 0, text);
            EXPECT_EQ(surface.penPosition().x(), own.textWidth(text)) << shown;
            EXPECT_EQ(surface.textWidth(text), own.textWidth(text)) << shown;
        }
    }
}

// A screen page draws single characters from glyphs shaped once; they must land on the
// pixels drawText gives them, for every face, style and scale, drawn again at another place,
// and for a character the face lacks (drawn from a fallback font).
TEST(PainterSurface, SingleCharactersDrawAsDrawTextDoes)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    const QString mincho = QStringLiteral("ＭＳ 明朝");
    const QString sans = QStringLiteral("DejaVu Sans");
    const struct
    {
        QString face;
        int points;
        unsigned style;
        double layoutScale; // 0: none
        QString text;
    } cases[] = {
        {mincho, 14, StylePlain, 0, QStringLiteral("7")},
        {mincho, 14, StylePlain, 0, QStringLiteral("＋")},
        {mincho, 11, StyleBold, 0, QStringLiteral("あ")},
        {sans, 10, StyleItalic, 0, QStringLiteral("W")},
        {sans, 12, StylePlain, 0, QStringLiteral("漢")},
        {mincho, 14, StylePlain, 2.0, QStringLiteral("3")},
        {mincho, 14, StylePlain, 1.5, QStringLiteral(".")},
        {sans, 12, StyleUnderline, 0, QStringLiteral("5")},
    };
    for (const auto& c : cases) {
        const std::string shown = c.face.toStdString() + " " + c.text.toStdString() + " x" +
                                  std::to_string(c.layoutScale);
        QImage surfaceImage(120, 80, QImage::Format_RGB32);
        surfaceImage.fill(Qt::white);
        const QImage blank = surfaceImage;
        QImage textImage = surfaceImage;
        {
            QPainter painter(&surfaceImage);
            PainterSurface surface(painter, 96, 120);
            if (c.layoutScale > 0)
                surface.setLayoutScale(c.layoutScale);
            surface.setFontFace(c.face);
            surface.setFontSize(c.points);
            surface.setFontStyle(c.style);
            surface.setFontColour(qRgb(0, 0, 255));
            surface.textOut(3, 2, c.text);
            surface.textOut(31, 17, c.text);
        }
        {
            TextMetrics metrics;
            const TextMetrics::Font& f = metrics.font(c.face, c.points, c.style, 96);
            QPainter painter(&textImage);
            if (c.layoutScale > 0)
                painter.setWorldTransform(QTransform::fromScale(c.layoutScale, c.layoutScale));
            painter.setRenderHint(QPainter::TextAntialiasing, true);
            painter.setFont(f.font);
            painter.setPen(QColor(0, 0, 255));
            painter.drawText(3, 2 + f.ascent, c.text);
            painter.drawText(31, 17 + f.ascent, c.text);
        }
        EXPECT_TRUE(surfaceImage == textImage) << shown;
        EXPECT_FALSE(surfaceImage == blank) << shown << ": nothing drawn";
    }
}

// Printer and PDF pages draw texts from layouts their print job keeps; the document must
// come out as drawText writes it, byte for byte, on every page of the job.
TEST(PainterSurface, PdfPagesDrawTextsAsDrawTextDoes)
{
    ASSERT_TRUE(test::ensureGuiApplication());
    const QString mincho = QStringLiteral("ＭＳ 明朝");
    const QString sans = QStringLiteral("DejaVu Sans");
    const struct
    {
        QString face;
        int points;
        unsigned style;
        QRgb colour;
        QString text;
    } cases[] = {
        {mincho, 14, StylePlain, qRgb(0, 0, 0), QStringLiteral("7")},
        {mincho, 14, StylePlain, qRgb(0, 0, 255), QStringLiteral("345＋278＝")},
        {mincho, 10, StylePlain, qRgb(0, 0, 0), QStringLiteral("№ 3-5821  2026.12.08-12:00　U2")},
        {mincho, 12, StyleBold, qRgb(255, 0, 0), QStringLiteral("解答")},
        {mincho, 14, StylePlain, qRgb(0, 0, 0), QStringLiteral("　")},
        {sans, 12, StyleItalic, qRgb(0, 0, 0), QStringLiteral("(1) 2/3 a b")},
        {sans, 12, StylePlain, qRgb(0, 0, 0), QStringLiteral("漢x")},
        {sans, 12, StyleUnderline, qRgb(0, 0, 0), QStringLiteral("5")},
    };
    constexpr int kDpi = 600;
    const double scale = kDpi / 96.0;
    const auto document = [&](bool throughSurface) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setCreator(QStringLiteral("test"));
        QPainter painter(&writer);
        TextMetrics metrics;
        for (int page = 0; page < 2; ++page) {
            if (page > 0)
                writer.newPage();
            PainterSurface surface(painter, kDpi, 5000, &metrics);
            surface.setLayoutScale(scale);
            int y = 10;
            for (const auto& c : cases) {
                surface.setFontFace(c.face);
                surface.setFontSize(c.points);
                surface.setFontStyle(c.style);
                surface.setFontColour(c.colour);
                if (throughSurface) {
                    surface.textOut(20, y, c.text);
                    surface.textOut(200, y + 3, c.text);
                } else {
                    // What the surface did before it kept layouts: drawText, pen by pen.
                    const TextMetrics::Font& f = metrics.font(c.face, c.points, c.style, 96);
                    painter.setFont(f.font);
                    painter.setPen(QColor::fromRgb(c.colour));
                    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
                    painter.drawText(20, y + f.ascent, c.text);
                    painter.drawText(200, y + 3 + f.ascent, c.text);
                }
                y += 30;
            }
        }
        painter.end();
        QByteArrayList lines = buffer.data().split('\n');
        lines.removeIf([](const QByteArray& line) { return line.contains("/CreationDate"); });
        return lines;
    };
    const QByteArrayList drawn = document(true);
    const QByteArrayList expected = document(false);
    EXPECT_GT(drawn.size(), 20);
    EXPECT_TRUE(drawn == expected);
}
