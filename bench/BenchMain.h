#pragma once

// The main of the benchmarks that draw: an off-screen application object with the program's
// font setup, then the registered benchmarks.

#include "platform/Fonts.h"

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace zendra::bench {

template <typename Application> int RunBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareFontCache();
    Application app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zendra::bench
