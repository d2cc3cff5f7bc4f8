#pragma once

// The sheet the composition benchmarks draw: 60 lines and 80 answer boxes, with remainders,
// alternatives, fractions and powers.

#include "platform/PainterSurface.h"
#include "sheet/PageComposer.h"
#include "sheet/Sheet.h"
#include "sheet/SheetOutput.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace zendra::bench {

inline Sheet FullSheet()
{
    ParsedUnit unit;
    unit.content.title = QStringLiteral("整数の計算//わり算§3-2 あまりのあるわり算");
    for (int i = 1; i <= 40; ++i)
        unit.content.questions.append(QStringLiteral("(%1) %2÷7＝#%3…%4;%3あまり%4#　　%2×3＝#%5#")
                                          .arg(i)
                                          .arg(i + 50)
                                          .arg((i + 50) / 7)
                                          .arg((i + 50) % 7)
                                          .arg((i + 50) * 3));
    for (int i = 1; i <= 20; ++i)
        unit.content.questions.append(i % 2 ? QStringLiteral("@B計算のきまり@=　1/2+1/3 と 2^3+3/4")
                                            : QString());
    unit.values = {"630", "False", "14", "5", "5", "1", "7"};
    unit.font = {"10", "MS 明朝", "False", "False", "False", "False", "0"};
    unit.kran = {"1", "8", "2", "0", "0", "0", "15", "10", "0", "0"};
    SheetSource source;
    source.unitId = QStringLiteral("Seisu3.que-U2");
    return Sheet::fromParsedUnit(unit, source, true);
}

// Composes the sheet's screen page on a fresh white A4 image each iteration, as a redraw does.
inline void ComposeScreenPage(benchmark::State& state, Sheet& sheet)
{
    const ComposeInputs inputs = InputsFromSheet(sheet);
    QImage image(sheet.settings.page.width, sheet.settings.page.height, QImage::Format_RGB32);
    ComposeTarget target;
    target.width = sheet.settings.page.width;
    target.height = sheet.settings.page.height;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(painter, 96, target.width);
        sheet.composed = ComposeSheet(sheet, surface, target, inputs);
    }
    state.counters["boxes"] = sheet.composed.boxes.count();
}

} // namespace zendra::bench
