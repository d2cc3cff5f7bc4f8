#include "platform/Fonts.h"
#include "platform/PainterSurface.h"
#include "sheet/NotationRenderer.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

// One screen sheet's worth of pieces: 60 lines of four, a fraction piece in every line.
void BM_DrawNotationScreenSheet(benchmark::State& state)
{
    const QString pieces[] = {QStringLiteral("(1)　次の計算をしなさい。"),
                              QStringLiteral("1/2+3/4"), QStringLiteral("2^3+1/2"),
                              QStringLiteral("a<=b/2")};
    QImage image(630, 891, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface surface(painter, 96, image.width());
    surface.setFontFace(QStringLiteral("ＭＳ 明朝"));
    NotationRenderer renderer;
    renderer.begin(1.0, 14, false, image.width());
    for (auto _ : state) {
        for (int line = 0; line < 60; ++line) {
            int x = 50;
            for (const QString& piece : pieces)
                x = renderer.DrawNotation(14, x, 98 + line * 13, qRgb(0, 0, 0), piece, surface, 1.0)
                        .x();
            benchmark::DoNotOptimize(x);
        }
    }
}
BENCHMARK(BM_DrawNotationScreenSheet)->Unit(benchmark::kMillisecond);

} // namespace
