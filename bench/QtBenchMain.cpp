#include <QApplication>

#include <benchmark/benchmark.h>

#include "platform/sys/System.h"

// Benchmarks with screens or painting: one application object, offscreen unless the caller
// asked for a display.
int main(int argc, char** argv) {
    if (!korvane::EnvironmentValue("QT_QPA_PLATFORM")) {
        korvane::SetEnvironmentValue("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
