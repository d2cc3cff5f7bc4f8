// The one main of every benchmark: an off-screen application object with the program's font
// setup (the benchmarks that draw or make windows need it; the others do not mind), then the
// registered benchmarks.
#include "platform/Fonts.h"

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zendra::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
