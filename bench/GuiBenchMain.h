#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <functional>
#include <memory>

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

// The one `T` the benchmarks of a program share, made on first use. Its holder is
// reset in the `release` given to RunGuiBenchmarks, before the application goes.
template <class T> std::unique_ptr<T>& KeptHolder() {
    static std::unique_ptr<T> made;
    return made;
}

template <class T> T& Kept() {
    std::unique_ptr<T>& holder = KeptHolder<T>();
    if (!holder) {
        holder = std::make_unique<T>();
    }
    return *holder;
}
