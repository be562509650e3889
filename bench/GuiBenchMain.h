#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>

// The main of the benchmarks that need widgets: offscreen unless a platform is named,
// painting at once when asked, and `release` run while the application still stands,
// so that what the benchmarks kept is freed before Qt goes.
inline int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& release = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (release) {
        release();
    }
    benchmark::Shutdown();
    return 0;
}
