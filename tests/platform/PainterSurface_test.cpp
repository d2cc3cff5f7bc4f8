#include "platform/PainterSurface.h"

#include "TestSupport.h"

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
