// A sheet of 12 column problems (筆算: four of each of +, ×, ÷ with steps) against the same 12
// problems written on one line each, composed on the screen page.
#include "BenchSheet.h"

#include <QPainter>

#include <benchmark/benchmark.h>

using namespace zendra;

namespace {

Sheet TwelveProblems(bool columns)
{
    const QStringList problems = {
        "345＋278＝#623#", "702－358＝#344#", "3.5＋1.25＝#4.75#", "645＋478＝#1123#",
        "123×45＝#5535#",  "2.35×14＝#32.9#", "251×73＝#18323#",   "96×7＝#672#",
        "139÷6＝#23…1#",   "850÷34＝#25#",    "738÷6＝#123#",      "505÷32＝#15…25#",
    };
    Sheet sheet;
    for (qsizetype i = 0; i < problems.size(); i += 3) {
        QStringList line;
        for (qsizetype j = i; j < i + 3; ++j)
            line << QStringLiteral("(%1)").arg(j + 1) +
                        (columns ? QStringLiteral("@Hs") : QString()) + problems.at(j);
        sheet.content.questions << line.join(QStringLiteral("　"));
    }
    sheet.answersShown = true;
    return sheet;
}

void Compose(benchmark::State& state, bool columns)
{
    Sheet sheet = TwelveProblems(columns);
    bench::ComposeScreenPage(state, sheet);
    state.counters["columnProblems"] = sheet.composed.columnProblems.size();
}

void BM_TwelveProblemsOnOneLineEach(benchmark::State& state)
{
    Compose(state, false);
}
BENCHMARK(BM_TwelveProblemsOnOneLineEach)->Unit(benchmark::kMicrosecond);

void BM_TwelveColumnProblems(benchmark::State& state)
{
    Compose(state, true);
}
BENCHMARK(BM_TwelveColumnProblems)->Unit(benchmark::kMicrosecond);

} // namespace
